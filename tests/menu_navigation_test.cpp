// The title screen through the game's real update: keyboard, pad and pointer
// on the main page and the course page, the latch that makes a held press act
// once, choosing a course, the curtains, and Quit.
#include "shell_test_host.h"

#include "game/flow_globals.h"
#include "game/mygame.h"
#include "shell/zump_controls.h"
#include "shell/zump_profile.h"
#include "shell/zump_text.h"

namespace {

enum {
    KEY_ENTER = 13,
    KEY_ESCAPE = 27,
    KEY_UP = 38,
    KEY_DOWN = 40,
    KEY_C = 67,
    KEY_X = 88,
};

// A host with one joystick in port 0 whose buttons the test holds.
class PadHost : public ShellTestHost {
public:
    bool pad[32] = {};
    bool PollJoystick(int port, float joyx[2], float joyy[2], float joyz[2], bool buttons[32]) override {
        if (port != 0) return false;
        for (int i = 0; i < 2; ++i) joyx[i] = joyy[i] = joyz[i] = 0;
        for (int b = 0; b < 32; ++b) buttons[b] = pad[b];
        return true;
    }
};

const float kPixelsPerUnit = 0.8f;  // a 640 x 480 window shows 800 x 600 units

class MenuTest : public ::testing::Test {
protected:
    PadHost host;
    RecordingGraphics graphics;
    c_InputDevice* input = nullptr;
    c_MyGame* game = nullptr;

    // The game just past its loading screen, on the main page, with a font
    // and the icon sheet in place and the 800 x 600 virtual screen of a
    // 640 x 480 window.
    void SetUp() override {
        bbInit();
        bb_graphics_SetGraphicsDevice(&graphics);
        input = (new c_InputDevice())->m_new();
        bb_input_SetInputDevice(input);
        bb_app_ValidateDeviceWindow(false);
        game = (new c_MyGame())->m_new();
        game->p_OnCreate();
        bb_zump_FitScreen(640, 480);
        PutImage(99, 128, 64);
        PutImage(90, 16, 128);
        bb_zump_ZUMP_Font = 99;
        bb_zump_ZUMP_Loader = 0;
        Update();  // creation locked every input; this update sees them released
    }

    // A sheet of frames without a surface, standing in for a loaded one.
    static void PutImage(int slot, int frames, int frameW) {
        c_Image* image = new c_Image();
        image->m_width = image->m_height = frameW;
        image->m_frames.resize((size_t)frames);
        bb_zump_ZUMP_Img[slot] = image;
        bb_zump_ZUMP_ImgD[slot] = frames;
        bb_zump_ZUMP_ImgW[slot] = (float)frameW;
    }

    void Update() {
        input->p_BeginUpdate();
        game->p_OnUpdate();
        input->p_EndUpdate();
    }

    // A key press that lasts one update, then its release.
    void Tap(int key) {
        input->p_KeyEvent(c_BBGameEvent::KeyDown, key);
        Update();
        input->p_KeyEvent(c_BBGameEvent::KeyUp, key);
        Update();
    }
    void PadTap(int button) {
        host.pad[button] = true;
        Update();
        host.pad[button] = false;
        Update();
    }
    // Touches (x, y) in virtual units for one update, then lets go.
    void Touch(float x, float y) {
        input->p_MouseEvent(c_BBGameEvent::MouseDown, 0, x * kPixelsPerUnit, y * kPixelsPerUnit);
        Update();
        input->p_MouseEvent(c_BBGameEvent::MouseUp, 0, x * kPixelsPerUnit, y * kPixelsPerUnit);
        Update();
    }

    static int* Menu() { return bb_zump_ZUMP_MenuPos; }

    // The records of the last update: still queued when there were too few
    // to commit, else the committed list.
    static std::vector<const float*> Drawn() {
        bool queued = bb_zump_Sprtup > 0;
        const float* list = queued ? bb_zump_ZUMP_Draw : bb_zump_ZUMP_Buffer;
        int count = queued ? bb_zump_Sprtup : bb_zump_Bufferup;
        std::vector<const float*> out;
        for (int n = 0; n < count; ++n) out.push_back(list + n * ZUMP_RECORD);
        return out;
    }
    // The glyphs drawn (spaces are not drawn).
    static std::u16string Glyphs() {
        std::u16string out;
        for (const float* r : Drawn())
            if (r[9] == 1 && r[10] == 99) out += (char16_t)(r[13] + 32);
        return out;
    }
    static std::vector<const float*> Records(int code) {
        std::vector<const float*> out;
        for (const float* r : Drawn())
            if (r[9] == code) out.push_back(r);
        return out;
    }
    static std::vector<const float*> Images(int slot) {
        std::vector<const float*> out;
        for (const float* r : Records(1))
            if (r[10] == slot) out.push_back(r);
        return out;
    }

    void OpenCourses() {
        Tap(KEY_ENTER);
        ASSERT_EQ(Menu()[0], 2);
    }
};

// Main page layout on 800 x 600: entries at x 200 from y 400, 40 apart.
float EntryY(int index) { return 400.0f + 40.0f * (float)index; }
// Course rows at x 200: above, middle (selected), below.
const float kRowY[3] = {460, 512, 564};

TEST_F(MenuTest, MainPageShowsItsEntriesAndTheSelection) {
    // The entries come first (a fresh profile's name reads "Enter Name");
    // the scoreboard may follow them.
    const std::u16string entries = u">StartGameName-EnterNameOptionsCreditsQuit";
    EXPECT_EQ(Glyphs().substr(0, entries.size()), entries);
    Tap(KEY_DOWN);
    Tap(KEY_DOWN);
    EXPECT_NE(Glyphs().find(u">Options"), std::u16string::npos);
    EXPECT_EQ(Glyphs().find(u">Start"), std::u16string::npos);
}

TEST_F(MenuTest, KeysMoveTheSelectionOncePerPressWithinTheEntries) {
    Tap(KEY_UP);
    EXPECT_EQ(Menu()[1], 0) << "nothing above the first entry";

    // Held down: one step, however long it is held.
    input->p_KeyEvent(c_BBGameEvent::KeyDown, KEY_DOWN);
    for (int i = 0; i < 10; ++i) Update();
    EXPECT_EQ(Menu()[1], 1);
    EXPECT_EQ(bb_zump_kdis[0], 1);
    input->p_KeyEvent(c_BBGameEvent::KeyUp, KEY_DOWN);
    Update();
    EXPECT_EQ(bb_zump_kdis[0], 0) << "the latch frees once everything is released";

    for (int i = 0; i < 6; ++i) Tap(KEY_DOWN);
    EXPECT_EQ(Menu()[1], 4) << "stops at Quit";
    Tap(KEY_UP);
    EXPECT_EQ(Menu()[1], 3);
}

TEST_F(MenuTest, WithoutQuitThePageHasFourEntriesFortyUnitsLower) {
    bb_zump_HasQuit = 0;
    for (int i = 0; i < 6; ++i) Tap(KEY_DOWN);
    EXPECT_EQ(Menu()[1], 3) << "stops at Credits";
    EXPECT_EQ(Glyphs().find(u"Quit"), std::u16string::npos);
    // The first glyph drawn is the "S" of "Start Game", centred 40 lower.
    const float* first = Records(1)[0];
    for (const float* r : Records(1))
        if (r[10] == 99) {
            first = r;
            break;
        }
    EXPECT_FLOAT_EQ(first[12], EntryY(1));
}

struct Activation {
    int entry;
    int page, coursesOpened, overlay, optionsLine;
};

TEST_F(MenuTest, EachEntryPerformsItsAction) {
    const Activation cases[] = {
        {0, 2, 1, 0, -1},   // Start Game: course page
        {1, 1, 0, 3, 0},    // Name: name entry from its first line
        {2, 1, 0, 1, 128},  // Options
        {3, 1, 0, 2, -1},   // Credits
    };
    for (const Activation& c : cases) {
        SetUp();
        Menu()[47] = -1;
        for (int i = 0; i < c.entry; ++i) Tap(KEY_DOWN);
        Tap(KEY_ENTER);
        EXPECT_EQ(Menu()[0], c.page) << "entry " << c.entry;
        EXPECT_EQ(Menu()[3], c.coursesOpened) << "entry " << c.entry;
        EXPECT_EQ(bb_zump_ZUMP_OptCred, c.overlay) << "entry " << c.entry;
        EXPECT_EQ(Menu()[47], c.optionsLine) << "entry " << c.entry;
        EXPECT_EQ(bb_zump_ZUMP_GameMode, 0);
    }
}

TEST_F(MenuTest, QuitEndsTheProgramWithTheEmptyError) {
    for (int i = 0; i < 4; ++i) Tap(KEY_DOWN);
    input->p_KeyEvent(c_BBGameEvent::KeyDown, KEY_ENTER);
    try {
        Update();
        FAIL() << "Quit returned";
    } catch (const bbRuntimeError& error) {
        EXPECT_TRUE(error.message.empty());
    }
    // Reaching the host, that error ends the process with exit code 0.
    bb_zump_kdis[0] = 0;
    EXPECT_EXIT(
        {
            try {
                game->p_OnUpdate();
            } catch (const bbRuntimeError& error) {
                bbExitOnRuntimeError(error);
            }
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(MenuTest, PointerSelectsFirstAndActivatesOnASecondTouch) {
    Touch(210, EntryY(2));
    EXPECT_EQ(Menu()[1], 2);
    EXPECT_EQ(bb_zump_ZUMP_OptCred, 0) << "the first touch only selects";

    // Holding the pointer on the selected entry acts once, after a release.
    input->p_MouseEvent(c_BBGameEvent::MouseDown, 0, 210 * kPixelsPerUnit, EntryY(3) * kPixelsPerUnit);
    Update();
    EXPECT_EQ(Menu()[1], 3);
    for (int i = 0; i < 5; ++i) Update();
    EXPECT_EQ(bb_zump_ZUMP_OptCred, 0);
    input->p_MouseEvent(c_BBGameEvent::MouseUp, 0, 210 * kPixelsPerUnit, EntryY(3) * kPixelsPerUnit);
    Update();
    Touch(210, EntryY(3));
    EXPECT_EQ(bb_zump_ZUMP_OptCred, 2);

    // Left of the text, or between two entries' boxes, is not a button.
    SetUp();
    Touch(190, EntryY(2));
    Touch(210, EntryY(2) + 18);
    EXPECT_EQ(Menu()[1], 0);
}

TEST_F(MenuTest, PadWorksTheMenuAndStartsACourse) {
    // Joystick buttons: 0 select, 9 up, 11 down, 6 back.
    PadTap(11);
    PadTap(0);
    EXPECT_EQ(bb_zump_ZUMP_OptCred, 3) << "the name entry";
    bb_zump_ZUMP_OptCred = 0;
    Update();  // the menu sees the pad released
    PadTap(9);
    PadTap(0);
    ASSERT_EQ(Menu()[0], 2);
    PadTap(6);
    EXPECT_EQ(Menu()[0], 1);
    PadTap(0);
    PadTap(11);
    host.pad[0] = true;
    Update();
    EXPECT_EQ(bb_zump_ZUMP_GameType, 2);
    EXPECT_EQ(bb_zump_ZUMP_GameMode, 11);
    EXPECT_EQ(bb_zump_KeyPadMouse, 1) << "chosen with a pad";
}

TEST_F(MenuTest, CoursePageWrapsAroundTheNineCourses) {
    OpenCourses();
    EXPECT_EQ(Glyphs().substr(0, 31), u"9.BirdieHazard>1.EaglePastures2");
    Tap(KEY_UP);
    EXPECT_EQ(Menu()[2], 8) << "up from the first course is the last";
    Tap(KEY_DOWN);
    Tap(KEY_DOWN);
    EXPECT_EQ(Menu()[2], 1);
    for (int i = 0; i < 8; ++i) Tap(KEY_DOWN);
    EXPECT_EQ(Menu()[2], 0) << "down from the last course is the first";
    EXPECT_EQ(Menu()[12], 9);
    EXPECT_EQ(bb_zump_ZUMP_Levels, 9);
}

TEST_F(MenuTest, ChoosingACourseStartsTheGameOnIt) {
    OpenCourses();
    for (int i = 0; i < 4; ++i) Tap(KEY_UP);  // course 6
    input->p_KeyEvent(c_BBGameEvent::KeyDown, KEY_ENTER);
    Update();
    EXPECT_EQ(bb_zump_ZUMP_GameType, 6);
    EXPECT_EQ(bb_zump_ZUMP_GameMode, 11);
    EXPECT_EQ(bb_zump_KeyPadMouse, 0) << "chosen on the keyboard";
    Update();
    EXPECT_EQ(bb_zump_ZUMP_GameMode, 10) << "the game starts in the next update";
    EXPECT_EQ(game->m_hole, 1);
    EXPECT_EQ(Menu()[10], -64) << "the title will drop in again";
}

TEST_F(MenuTest, TouchingAnotherCourseOnlyBringsItToTheMiddle) {
    OpenCourses();
    Touch(210, kRowY[2]);
    EXPECT_EQ(Menu()[2], 1);
    EXPECT_EQ(bb_zump_ZUMP_GameMode, 0);
    Touch(210, kRowY[0]);
    EXPECT_EQ(Menu()[2], 0);
    Touch(210, kRowY[0]);
    EXPECT_EQ(Menu()[2], 8);

    input->p_MouseEvent(c_BBGameEvent::MouseDown, 0, 210 * kPixelsPerUnit, kRowY[1] * kPixelsPerUnit);
    Update();
    EXPECT_EQ(bb_zump_ZUMP_GameType, 9);
    EXPECT_EQ(bb_zump_ZUMP_GameMode, 11);
    EXPECT_EQ(bb_zump_KeyPadMouse, 2) << "chosen with the pointer";
}

TEST_F(MenuTest, EveryBackControlReturnsToTheMainPage) {
    struct Back {
        const char* what;
        int key;
        float x, y;  // a touch when key is 0
    };
    const Back cases[] = {
        {"escape", KEY_ESCAPE, 0, 0},
        {"button 1", KEY_X, 0, 0},
        {"button 2", KEY_C, 0, 0},
        {"back icon", 0, 10, 120},
    };
    for (const Back& c : cases) {
        SetUp();
        OpenCourses();
        if (c.key)
            Tap(c.key);
        else
            Touch(c.x, c.y);
        EXPECT_EQ(Menu()[0], 1) << c.what;
        EXPECT_EQ(bb_zump_ZUMP_GameMode, 0) << c.what;
    }
    // Outside the icon's 128-unit square nothing happens.
    SetUp();
    OpenCourses();
    Touch(130, 64);
    EXPECT_EQ(Menu()[0], 2);
}

TEST_F(MenuTest, AnEmptyListShowsNoRowsAndChoosesNothing) {
    bb_zump_Sprtup = 0;
    input->p_KeyEvent(c_BBGameEvent::KeyDown, KEY_ENTER);
    input->p_BeginUpdate();
    bb_zump_UpdateWorld();
    EXPECT_EQ(game->p_Menu_Basic(Array<String>()), -1);
    input->p_EndUpdate();
    EXPECT_EQ(Menu()[12], 0);
    EXPECT_EQ(Menu()[2], 0);
    EXPECT_TRUE(Glyphs().empty());
}

TEST_F(MenuTest, WithoutAFontKeysStillWorkButNothingCanBeTouched) {
    bb_zump_ZUMP_Font = 0;
    Update();
    EXPECT_TRUE(Glyphs().empty());
    Touch(210, EntryY(2));
    Touch(210, EntryY(0));
    Touch(201, EntryY(0));
    EXPECT_EQ(Menu()[1], 0);
    EXPECT_EQ(Menu()[0], 1);
    Tap(KEY_ENTER);
    EXPECT_EQ(Menu()[0], 2);
    input->p_KeyEvent(c_BBGameEvent::KeyDown, KEY_ENTER);
    Update();
    EXPECT_EQ(bb_zump_ZUMP_GameMode, 11);
    EXPECT_EQ(bb_zump_ZUMP_GameType, 1);
}

TEST_F(MenuTest, CurtainsPartOnTheCoursePageAndCloseOnTheMainPage) {
    EXPECT_EQ(Menu()[5], 800 - 64) << "the game starts with the curtains almost open";
    for (int i = 0; i < 30; ++i) Update();
    EXPECT_EQ(Menu()[5], 0) << "closed on the main page";
    auto curtainX = [] { return Records(4).at(0)[11]; };
    // The local board (sheet 82) rides with the curtains.
    auto boardX = [] { return Images(82).at(0)[11]; };
    EXPECT_FLOAT_EQ(curtainX(), -124);
    EXPECT_FLOAT_EQ(boardX(), 3 * 800 + 64) << "off screen while the curtains are closed";
    EXPECT_FLOAT_EQ(Images(82)[0][12], 600 - 190);

    OpenCourses();  // the page opens in the first update and shows in the second
    EXPECT_EQ(Menu()[5], 32);
    for (int i = 0; i < 30; ++i) Update();
    EXPECT_EQ(Menu()[5], 800) << "fully open, clamped to the screen width";
    // Drawn before the clamp: the open curtain sits a further 64 units out.
    EXPECT_FLOAT_EQ(curtainX(), -2 * 832 - 124);
    EXPECT_FLOAT_EQ(boardX(), 800) << "centred on the right edge once open";
    std::vector<const float*> halves = Records(4);
    ASSERT_EQ(halves.size(), 2u);
    EXPECT_FLOAT_EQ(halves[1][11], -128 + 2 * 832);
    EXPECT_FLOAT_EQ(halves[0][0], 0.75f);
    EXPECT_FLOAT_EQ(halves[0][1], 100);
    EXPECT_FLOAT_EQ(halves[1][2], 50);

    Tap(KEY_ESCAPE);  // the main page is back in the same update
    EXPECT_EQ(Menu()[5], 800 - 32);
    for (int i = 0; i < 30; ++i) Update();
    EXPECT_EQ(Menu()[5], 0);
}

TEST_F(MenuTest, BackdropAndTitleDropInWhileTheCounterClimbs) {
    // Leaving the menu resets the counter; back in the menu it climbs by 4.
    bb_zump_ZUMP_GameMode = 1;
    Update();
    ASSERT_EQ(bb_zump_ZUMP_GameMode, 0);
    ASSERT_EQ(Menu()[10], -64);
    Update();
    EXPECT_EQ(Menu()[10], -60);
    ASSERT_EQ(Images(68).size(), 1u);
    EXPECT_FLOAT_EQ(Images(68)[0][12], 300 - 204 * 8);
    EXPECT_FLOAT_EQ(Images(68)[0][4], 0.85f);
    EXPECT_FLOAT_EQ(Images(69)[0][12], (16 - 164) * 8);

    for (int i = 0; i < 60; ++i) Update();
    EXPECT_EQ(Menu()[10], 140);
    EXPECT_FLOAT_EQ(Images(68)[0][12], 300);
    EXPECT_FLOAT_EQ(Images(69)[0][11], 400);
    EXPECT_FLOAT_EQ(Images(69)[0][12], 128);
    EXPECT_FLOAT_EQ(Images(69)[0][4], 0.4f);
    // The maker's logo in the top-right corner.
    std::vector<const float*> icons = Images(90);
    ASSERT_FALSE(icons.empty());
    EXPECT_FLOAT_EQ(icons.back()[13], 10);
    EXPECT_FLOAT_EQ(icons.back()[11], 736);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_DrawStyle[15], 80);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_DrawStyle[16], 140);
}

}  // namespace
