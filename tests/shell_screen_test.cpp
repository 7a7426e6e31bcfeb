// The drawing model: style, records, the queue and its caps, playback on the
// fitted virtual screen, easing, statistics and hot keys.
#include "shell_test_host.h"

#include "game/flow_globals.h"
#include "shell/zump_controls.h"
#include "shell/zump_profile.h"
#include "shell/zump_text.h"

namespace {

using ScreenTest = ShellTest;

struct FitCase {
    int w, h;
    float scale;
    int jw, jh;
};

TEST_F(ScreenTest, FitsTheVirtualScreenToTheWindow) {
    const FitCase cases[] = {
        {1280, 720, 1.6f, 800, 450},
        {720, 1280, 1.6f, 450, 800},
        {640, 480, 0.8f, 800, 600},
        // Extended precision lands just below 800: double would give 800 x 450.
        {1920, 1080, 2.4f, 799, 449},
        {1366, 768, 1.7075f, 800, 449},
    };
    for (const FitCase& c : cases) {
        bb_zump_FitScreen(c.w, c.h);
        EXPECT_FLOAT_EQ(bb_zump_ZUMP_Scale, c.scale) << c.w << "x" << c.h;
        EXPECT_EQ(bb_zump_jscrw, c.jw) << c.w << "x" << c.h;
        EXPECT_EQ(bb_zump_jscrh, c.jh) << c.w << "x" << c.h;
        EXPECT_EQ(bb_zump_RealW, c.w);
        EXPECT_EQ(bb_zump_RealH, c.h);
    }
}

TEST_F(ScreenTest, MinimisedWindowKeepsTheLastVirtualScreen) {
    bb_zump_FitScreen(1280, 720);
    bb_zump_FitScreen(0, 0);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Scale, 1.6f);
    EXPECT_EQ(bb_zump_jscrw, 800);
    EXPECT_EQ(bb_zump_jscrh, 450);
}

TEST_F(ScreenTest, OrientationFollowsThePreviousFrame) {
    host.width = 720;
    host.height = 1280;
    bb_app_ValidateDeviceWindow(false);
    Render();
    EXPECT_EQ(bb_zump_jscrw, 450);
    EXPECT_EQ(bb_zump_ZUMP_Orientation, 0);
    Render();
    EXPECT_EQ(bb_zump_ZUMP_Orientation, 1);
}

TEST_F(ScreenTest, StyleSettersClampAndKeepWhatTheyDoNotSet) {
    float* s = bb_zump_ZUMP_DrawStyle;
    bb_zump_Alpha(0.25f);
    bb_zump_SetCol(300, -5, 128);
    EXPECT_FLOAT_EQ(s[0], 0.25f);
    EXPECT_FLOAT_EQ(s[1], 255);
    EXPECT_FLOAT_EQ(s[2], 0);
    EXPECT_FLOAT_EQ(s[3], 128);
    bb_zump_SetCol(1, 2, 3, 2);
    EXPECT_FLOAT_EQ(s[0], 1);
    bb_zump_SetSize(2);
    EXPECT_FLOAT_EQ(s[4], 2);
    EXPECT_FLOAT_EQ(s[5], 2);
    bb_zump_SetSize(2, 3);
    EXPECT_FLOAT_EQ(s[5], 3);

    bb_zump_Ink(2, 1);
    EXPECT_FLOAT_EQ(s[1], 255);
    EXPECT_FLOAT_EQ(s[2], 127.5f);
    EXPECT_FLOAT_EQ(s[3], 0.1f * 255);
    bb_zump_Ink(42, 2);
    EXPECT_FLOAT_EQ(s[1], 0.3f * 2 * 255);
    bb_zump_Ink(9, 1.5f);
    EXPECT_FLOAT_EQ(s[3], 255);

    // Hue 0: red at the top of the wheel, green and blue a third round away.
    bb_zump_InkRot(0, 1, 1);
    EXPECT_FLOAT_EQ(s[1], 255);
    EXPECT_NEAR(s[2], 0.25f * 255, 0.01f);
    EXPECT_NEAR(s[3], 0.25f * 255, 0.01f);

    bb_zump_SetCLSCol(300, 20, -1, 1.5f);
    EXPECT_FLOAT_EQ(s[15], 255);
    EXPECT_FLOAT_EQ(s[16], 20);
    EXPECT_FLOAT_EQ(s[17], 0);
    EXPECT_FLOAT_EQ(s[14], 1);

    bb_zump_SetRot(30);
    bb_zump_ResetDraw();
    const float reset[9] = {1, 255, 255, 255, 1, 1, 0, 0, 0};
    for (int i = 0; i < 9; ++i) EXPECT_FLOAT_EQ(s[i], reset[i]) << i;
    EXPECT_FLOAT_EQ(s[15], 255) << "the background is not part of the reset";
}

TEST_F(ScreenTest, RecordsCarryTheStyleAndResolvedOperands) {
    bb_zump_SetCol(10, 20, 30, 0.5f);
    bb_zump_SetSize(2, 3);
    bb_zump_SetRot(45);
    bb_zump_Rect(100, 100, 50, 20, 1, 1);
    bb_zump_Oval(100, 100, 50, 20, 2, 0);
    bb_zump_Line(1, 2, 3, 4);
    bb_zump_Triangle(1, 2, 3, 4, 5, 6);
    ASSERT_EQ(bb_zump_Sprtup, 4);

    const float style[9] = {0.5f, 10, 20, 30, 2, 3, 45, 0, 0};
    for (int n = 0; n < 4; ++n)
        for (int i = 0; i < 9; ++i) EXPECT_FLOAT_EQ(Record(n)[i], style[i]);

    const float expected[4][8] = {
        {2, 0, 75, 90, 50, 20, 0, 0},
        {3, 0, 50, 100, 50, 20, 0, 0},
        {5, 0, 1, 2, 3, 4, 0, 0},
        {4, 0, 1, 2, 3, 4, 5, 6},
    };
    for (int n = 0; n < 4; ++n) {
        for (int i = 0; i < 8; ++i) {
            if (i == 1) continue;  // the image slot field
            EXPECT_FLOAT_EQ(Record(n)[9 + i], expected[n][i]) << "record " << n << " field " << 9 + i;
        }
    }
}

TEST_F(ScreenTest, ImageRecordsTakeValidSlotsAndWrapFrames) {
    PutImage(5, 4);
    bb_zump_DrawImg(5, 10, 20, 6);
    bb_zump_DrawImg(0, 0, 0, 0);
    bb_zump_DrawImg(100, 0, 0, 0);
    ASSERT_EQ(bb_zump_Sprtup, 1);
    EXPECT_FLOAT_EQ(Record(0)[9], 1);
    EXPECT_FLOAT_EQ(Record(0)[10], 5);
    EXPECT_FLOAT_EQ(Record(0)[11], 10);
    EXPECT_FLOAT_EQ(Record(0)[12], 20);
    EXPECT_FLOAT_EQ(Record(0)[13], 2);

    // A slot that was never loaded has no frame count yet: no division by zero.
    bb_zump_DrawImg(7, 0, 0, 3);
    EXPECT_FLOAT_EQ(Record(1)[13], 0);
}

TEST_F(ScreenTest, QueueDropsPastTheCapAndRenderDrawsAtMost4999) {
    for (int i = 0; i < 5100; ++i) bb_zump_Rect((float)i, 0, 1, 1);
    EXPECT_EQ(bb_zump_Sprtup, 5001);
    EXPECT_FLOAT_EQ(Record(5000)[11], 5000);

    bb_zump_Buffer();
    EXPECT_EQ(bb_zump_Bufferup, 5001);
    EXPECT_EQ(bb_zump_Sprtup, 0);

    Render();
    EXPECT_EQ(bb_zump_Bufferup, 4999);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Data[3], 4999);
    // The background plus 4999 records.
    EXPECT_EQ(graphics.Draws().size(), 5000u);
}

TEST_F(ScreenTest, FifteenRecordsOrFewerKeepThePreviousPicture) {
    for (int i = 0; i < 16; ++i) bb_zump_Line(0, 0, (float)i, 0);
    bb_zump_Buffer();
    ASSERT_EQ(bb_zump_Bufferup, 16);

    bb_zump_Sprtup = 0;
    for (int i = 0; i < 15; ++i) bb_zump_Rect(0, 0, 1, 1);
    bb_zump_Buffer();
    EXPECT_EQ(bb_zump_Bufferup, 16);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Buffer[9], 5) << "the committed lines stay";
    EXPECT_EQ(bb_zump_Sprtup, 15) << "an uncommitted queue is left as it was";
}

TEST_F(ScreenTest, PlaybackDrawsBackgroundThenRecordsThroughTheViewMatrix) {
    host.width = 1280;
    host.height = 720;
    bb_app_ValidateDeviceWindow(false);
    bb_zump_SetCLSCol(10, 20, 30, 0.5f);
    for (int k = 11; k <= 13; ++k) bb_zump_ZUMP_DrawStyle[k] = bb_zump_ZUMP_DrawStyle[k + 4];

    PutImage(3, 2);
    bb_zump_SetCol(1, 2, 3, 0.25f);
    bb_zump_Rect(5, 6, 7, 8);
    bb_zump_Oval(1, 1, 2, 2);
    bb_zump_Triangle(1, 2, 3, 4, 5, 6);
    bb_zump_Line(9, 8, 7, 6);
    bb_zump_DrawImg(3, 50, 60, 1);
    for (int i = 0; i < 11; ++i) bb_zump_Rect(0, 0, 1, 1);
    bb_zump_Buffer();
    Render();

    // State changes in order, leaving out the transform the context hands on.
    std::vector<GraphicsCall> calls;
    for (const GraphicsCall& c : graphics.calls)
        if (c.op != "matrix") calls.push_back(c);
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0].op, "color");
    EXPECT_EQ(calls[0].args, std::vector<float>({10, 20, 30}));
    EXPECT_EQ(calls[1].op, "alpha");
    EXPECT_FLOAT_EQ(calls[1].args[0], 0.5f);
    EXPECT_EQ(calls[2].op, "rect");
    EXPECT_EQ(calls[2].args, std::vector<float>({-128, -128, 1536, 976}));

    std::vector<GraphicsCall> draws = graphics.Draws();
    ASSERT_EQ(draws.size(), 17u);
    EXPECT_EQ(draws[1].op, "rect");
    EXPECT_EQ(draws[1].args, std::vector<float>({5, 6, 7, 8}));
    EXPECT_EQ(draws[2].op, "oval");
    EXPECT_EQ(draws[3].op, "poly");
    EXPECT_EQ(draws[3].args, std::vector<float>({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(draws[4].op, "line");
    EXPECT_EQ(draws[5].op, "surface");

    // The view matrix reaches the driver before the first record.
    bool scaled = false;
    for (const GraphicsCall& c : graphics.calls)
        if (c.op == "matrix" && c.args[0] == 1.6f && c.args[3] == 1.6f) scaled = true;
    EXPECT_TRUE(scaled);
    // Each record sets its own alpha and colour.
    bool recordColour = false;
    for (const GraphicsCall& c : calls)
        if (c.op == "color" && c.args == std::vector<float>({1, 2, 3})) recordColour = true;
    EXPECT_TRUE(recordColour);
}

TEST_F(ScreenTest, PausedClearsOpaqueBlack) {
    bb_zump_SetCLSCol(200, 200, 200, 0.5f);
    bb_zump_ZUMP_Paused = 1;
    Render();
    ASSERT_EQ(graphics.calls[0].op, "color");
    EXPECT_EQ(graphics.calls[0].args, std::vector<float>({0, 0, 0}));
    ASSERT_EQ(graphics.calls[1].op, "alpha");
    EXPECT_FLOAT_EQ(graphics.calls[1].args[0], 1);
}

TEST_F(ScreenTest, BrokenImageRecordsAreSkipped) {
    PutImage(3, 2);
    bb_zump_ZUMP_Img[4] = nullptr;
    bb_zump_ZUMP_ImgD[4] = 4;
    bb_zump_DrawImg(4, 0, 0, 1);  // slot that failed to load
    bb_zump_DrawImg(3, 0, 0, 1);
    for (int i = 0; i < 14; ++i) bb_zump_Line(0, 0, 1, 1);
    // A frame the image does not have, and a slot outside the table.
    float* r = bb_zump_ZUMP_Draw + 2 * ZUMP_RECORD;
    r[9] = 1, r[10] = 3, r[13] = 2;
    r = bb_zump_ZUMP_Draw + 3 * ZUMP_RECORD;
    r[9] = 1, r[10] = 500, r[13] = 0;
    bb_zump_Buffer();
    Render();

    int images = 0;
    for (const GraphicsCall& c : graphics.Draws()) images += c.op == "surface";
    EXPECT_EQ(images, 1);
}

TEST_F(ScreenTest, FrameUpdateEasesTheBackgroundAndCountsUpdates) {
    bb_zump_SetCLSCol(160, 0, 0, 1);
    bb_zump_UpdateWorld();
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_DrawStyle[11], 10);
    bb_zump_UpdateWorld();
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_DrawStyle[11], 10 + 150 * 0.0625f);

    for (int i = 0; i < 58; ++i) bb_zump_UpdateWorld();
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Data[1], 0);
    host.clock = 1000;
    bb_zump_UpdateWorld();
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Data[1], 61);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Data[8], 0);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Data[6], 1000);

    Render();  // the first render closes the window that began at 0
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Data[2], 1);
    host.clock = 1500;
    Render();
    host.clock = 2000;
    Render();
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Data[2], 2);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Data[7], 2000);
}

TEST_F(ScreenTest, FrameUpdateClearsPauseOutsidePlayAndClampsVolumes) {
    bb_zump_ZUMP_Paused = 1;
    bb_zump_ZUMP_Set[0] = 12;
    bb_zump_ZUMP_Set[1] = -3;
    bb_zump_ZUMP_GameMode = 10;
    bb_zump_UpdateWorld();
    EXPECT_EQ(bb_zump_ZUMP_Paused, 1);
    EXPECT_EQ(bb_zump_ZUMP_Set[0], 10);
    EXPECT_EQ(bb_zump_ZUMP_Set[1], 0);

    bb_zump_ZUMP_GameMode = 0;
    bb_zump_UpdateWorld();
    EXPECT_EQ(bb_zump_ZUMP_Paused, 0);
    EXPECT_EQ(bb_zump_ZUMP_MenuPos[40], 1);
}

TEST_F(ScreenTest, CameraClosesOneEighthPerRender) {
    bb_zump_aimx = 80;
    bb_zump_aimy = -16;
    Render();
    EXPECT_FLOAT_EQ(bb_zump_scrx, 10);
    EXPECT_FLOAT_EQ(bb_zump_scry, -2);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_ScrollX, -10);
    bb_zump_SetScrollSpeed(2);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_ScrollSpeedY, 2);
    Render();
    EXPECT_FLOAT_EQ(bb_zump_scrx, 45);
    bb_zump_SetScrollSpeed();
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_ScrollSpeedX, 8);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_ScrollSpeedY, 8);
}

TEST_F(ScreenTest, HotKeysToggleSettingsAndFlipFullScreen) {
    Press(112);  // F1
    Press(113);  // F2
    bb_zump_UpdateWorld();
    EXPECT_EQ(bb_zump_ZUMP_DebugMode, 1);
    EXPECT_EQ(bb_zump_ZUMP_Set[22], 1);
    EXPECT_EQ(bb_zump_ZUMP_ScreenshotMode, 1);
    EXPECT_EQ(bb_zump_ZUMP_Set[23], 1);
    // Held keys do not toggle again: only a new hit does.
    input->p_EndUpdate();
    bb_zump_UpdateWorld();
    EXPECT_EQ(bb_zump_ZUMP_DebugMode, 1);

    Press(122);  // F11
    bb_zump_UpdateWorld();
    input->p_EndUpdate();
    Release(122);
    Press(122);
    bb_zump_UpdateWorld();
    EXPECT_EQ(host.windowRequests, std::vector<std::string>({"1280x720/1", "640x480/6"}));
    EXPECT_EQ(bb_zump_ZUMP_Fullscreen, 0);
    EXPECT_EQ(bb_app_DeviceWidth(), 640);
}

TEST_F(ScreenTest, F4EndsTheProgramWithAnEmptyError) {
    Press(115);
    try {
        bb_zump_UpdateWorld();
        FAIL() << "F4 did not end the program";
    } catch (const bbRuntimeError& e) {
        EXPECT_TRUE(e.message.empty());
    }
}

TEST_F(ScreenTest, DebugLineIsQueuedAtTheCommit) {
    PutImage(99, 128, 64);
    bb_zump_ZUMP_Font = 99;
    bb_zump_ZUMP_DebugMode = 1;
    bb_zump_ZUMP_Data[1] = 60;
    bb_zump_ZUMP_Data[2] = 59.9f;
    bb_zump_ZUMP_Data[3] = 17;
    bb_zump_Buffer();
    // "Update 60 - Render 59 (17 sprites)": 28 visible glyphs at half scale.
    ASSERT_EQ(bb_zump_Bufferup, 28);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Buffer[4], 0.5f);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Buffer[13], 'U' - 32);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Buffer[12], (float)(bb_zump_jscrh - 32) + 11);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Buffer[ZUMP_RECORD * 15 + 13], '5' - 32);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_Buffer[ZUMP_RECORD * 16 + 13], '9' - 32);
}

TEST_F(ScreenTest, ImagesLoadFromTheCommonOrTheGameFolder) {
    bb_zump_ZUMP_GameNum = 525;
    EXPECT_EQ(bb_zump_ImagePath(70, u"parts_shape"), u"common/parts_shape.png");
    EXPECT_EQ(bb_zump_ImagePath(69, u"logo"), u"525/logo.png");

    // A file that fails to load leaves the slot empty but keeps its counts.
    bb_zump_LoadImg(12, u"aball", 64, 64, 1);
    EXPECT_EQ(bb_zump_ZUMP_Img[12], nullptr);
    EXPECT_EQ(bb_zump_ZUMP_ImgD[12], 1);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_ImgW[12], 64);
    ASSERT_EQ(graphics.loads.size(), 1u);
    EXPECT_NE(graphics.loads[0].find("525/aball.png"), std::string::npos);
}

TEST_F(ScreenTest, RenderRepairsEmptyFrameCounts) {
    bb_zump_ZUMP_ImgD[10] = -2;
    Render();
    EXPECT_EQ(bb_zump_ZUMP_ImgD[10], 1);
    EXPECT_EQ(bb_zump_ZUMP_ImgD[0], 1);
}

}  // namespace
