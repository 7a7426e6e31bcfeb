// The drawing context without a window: transform and matrix stack, the state
// handed to the driver, image frame grids and flags, image loading.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <fstream>
#include <functional>

#include "graphics/graphics.h"
#include "graphics/render_batch.h"
#include "graphics_test_host.h"

namespace {

// A driver that records what the context hands it instead of drawing.
class RecordingDriver : public gxtkGraphics {
public:
    struct Matrix {
        float m[6];
    };
    std::vector<std::string> calls;
    std::vector<Matrix> matrices;
    std::vector<std::vector<float>> args;

    int SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty) override {
        matrices.push_back({{ix, iy, jx, jy, tx, ty}});
        return log("SetMatrix", {});
    }
    int SetColor(float r, float g, float b) override { return log("SetColor", {r, g, b}); }
    int SetAlpha(float a) override { return log("SetAlpha", {a}); }
    int SetBlend(int blend) override { return log("SetBlend", {(float)blend}); }
    int SetScissor(int x, int y, int w, int h) override {
        return log("SetScissor", {(float)x, (float)y, (float)w, (float)h});
    }
    int DrawRect(float x, float y, float w, float h) override { return log("DrawRect", {x, y, w, h}); }
    int DrawSurface(gxtkSurface*, float x, float y) override { return log("DrawSurface", {x, y}); }
    int DrawSurface2(gxtkSurface*, float x, float y, int sx, int sy, int sw, int sh) override {
        return log("DrawSurface2", {x, y, (float)sx, (float)sy, (float)sw, (float)sh});
    }
    int DrawPoly2(const Array<float>&, gxtkSurface*, int sx, int sy) override {
        return log("DrawPoly2", {(float)sx, (float)sy});
    }
    void Clear() {
        calls.clear();
        matrices.clear();
        args.clear();
    }

private:
    int log(const char* name, std::vector<float> a) {
        calls.push_back(name);
        args.push_back(std::move(a));
        return 0;
    }
};

class Context : public ::testing::Test {
protected:
    void SetUp() override {
        bbInit();
        bb_graphics_SetGraphicsDevice(&driver);
    }
    std::string RuntimeError(const std::function<void()>& body) {
        try {
            body();
        } catch (const bbRuntimeError& e) {
            return bbStringToUtf8(e.message);
        }
        return "no error";
    }
    static std::array<float, 6> Current() {
        Array<float> m = bb_graphics_GetMatrix();
        return {m[0], m[1], m[2], m[3], m[4], m[5]};
    }
    ImageHost host;
    RecordingDriver driver;
};

}  // namespace

TEST_F(Context, TransformsApplyBeforeTheCurrentMatrix) {
    bb_graphics_Translate(10, 20);
    bb_graphics_Scale(2, 3);
    EXPECT_EQ(Current(), (std::array<float, 6>{2, 0, 0, 3, 10, 20}));
    EXPECT_TRUE(bb_graphics_context->m_tformed);

    // A quarter turn: x goes up the screen, y to the right.
    bb_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
    EXPECT_FALSE(bb_graphics_context->m_tformed);
    bb_graphics_Rotate(90);
    auto m = Current();
    EXPECT_NEAR(m[0], 0, 1e-7);
    EXPECT_EQ(m[1], -1);
    EXPECT_EQ(m[2], 1);
    EXPECT_NEAR(m[3], 0, 1e-7);

    bb_graphics_SetMatrix2({1, 0, 0, 1, 0, 0});
    bb_graphics_Translate(0, 0);
    bb_graphics_Scale(1, 1);
    EXPECT_FALSE(bb_graphics_context->m_tformed) << "an identity result is not a transform";
    bb_graphics_Transform2({1, 0, 0, 1, 0.5f, 0});
    EXPECT_TRUE(bb_graphics_context->m_tformed);

    EXPECT_EQ(RuntimeError([] { bb_graphics_SetMatrix2({1, 0, 0}); }), "Array index out of range");
}

TEST_F(Context, PopRestoresEveryPushedMatrixBitForBit) {
    // Deeper than the 32 matrices the stack starts with.
    std::vector<std::array<float, 6>> saved;
    bb_graphics_SetMatrix(0.3f, 0.1f, -0.2f, 0.7f, 11.1f, -3.3f);
    for (int i = 0; i < 40; ++i) {
        saved.push_back(Current());
        bb_graphics_PushMatrix();
        bb_graphics_Rotate(17.3f * (float)i);
        bb_graphics_Scale(1.1f, 0.9f);
        bb_graphics_Translate(3.7f, -1.3f);
    }
    for (int i = 39; i >= 0; --i) {
        bb_graphics_PopMatrix();
        EXPECT_EQ(std::memcmp(Current().data(), saved[i].data(), sizeof(float) * 6), 0) << "level " << i;
    }
    EXPECT_EQ(bb_graphics_context->m_matrixSp, 0);
    EXPECT_GE(bb_graphics_context->m_matrixStack.size(), 240u);
    EXPECT_EQ(RuntimeError([] { bb_graphics_PopMatrix(); }), "Array index out of range");
}

TEST_F(Context, EveryFrameStartsFromTheSameState) {
    bb_app__devWidth = 640;
    bb_app__devHeight = 480;
    // Whatever the previous frame left behind...
    bb_graphics_BeginRender();
    bb_graphics_SetColor(10, 20, 30);
    bb_graphics_SetAlpha(0.25f);
    bb_graphics_SetBlend(1);
    bb_graphics_SetScissor(1.9f, -2.7f, 10.5f, 20.99f);
    bb_graphics_PushMatrix();
    bb_graphics_Translate(5, 5);
    bb_graphics_EndRender();
    EXPECT_EQ(bb_graphics_renderDevice, nullptr);
    EXPECT_EQ(driver.args.back(), (std::vector<float>{1, -2, 10, 20})) << "scissor truncated toward zero";

    driver.Clear();
    bb_graphics_BeginRender();
    EXPECT_EQ(bb_graphics_renderDevice, &driver);
    EXPECT_EQ(driver.calls, (std::vector<std::string>{"SetColor", "SetAlpha", "SetBlend", "SetScissor"}));
    EXPECT_EQ(driver.args[0], (std::vector<float>{255, 255, 255}));
    EXPECT_EQ(driver.args[1], (std::vector<float>{1}));
    EXPECT_EQ(driver.args[2], (std::vector<float>{0}));
    EXPECT_EQ(driver.args[3],
              (std::vector<float>{0, 0, (float)bb_app_DeviceWidth(), (float)bb_app_DeviceHeight()}));
    EXPECT_EQ(bb_graphics_context->m_matrixSp, 0);
    // The identity reaches the driver with the first drawing.
    bb_graphics_DrawRect(0, 0, 1, 1);
    ASSERT_EQ(driver.matrices.size(), 1u);
    EXPECT_EQ(std::memcmp(driver.matrices[0].m, (const float[6]){1, 0, 0, 1, 0, 0}, sizeof(float) * 6), 0);
}

TEST_F(Context, DriverHearsOfTheTransformOnlyBeforeDrawing) {
    bb_graphics_BeginRender();
    bb_graphics_DrawRect(0, 0, 1, 1);
    driver.Clear();
    for (int i = 0; i < 10; ++i) bb_graphics_Translate(1, 2);
    EXPECT_TRUE(driver.matrices.empty());
    bb_graphics_DrawRect(0, 0, 1, 1);
    bb_graphics_DrawRect(0, 0, 1, 1);
    ASSERT_EQ(driver.matrices.size(), 1u);
    EXPECT_EQ(driver.matrices[0].m[4], 10);
    EXPECT_EQ(driver.matrices[0].m[5], 20);
}

TEST_F(Context, ImagesDrawAtTheirHandle) {
    host.WritePng("sheet.png", 64, 32);
    bb_graphics_BeginRender();
    c_Image* whole = bb_graphics_LoadImage(u"sheet.png", 1, 0);
    c_Image* grid = bb_graphics_LoadImage2(u"sheet.png", 16, 16, 8, c_Image::CenterHandle);
    ASSERT_TRUE(whole && grid);
    driver.Clear();

    bb_graphics_DrawImage(whole, 5, 6, 0);
    bb_graphics_DrawImage(grid, 50, 60, 5);
    bb_graphics_DrawImage(nullptr, 0, 0, 0);
    EXPECT_EQ(driver.calls, (std::vector<std::string>{"SetMatrix", "DrawSurface", "DrawSurface2"}));
    EXPECT_EQ(driver.args[1], (std::vector<float>{5, 6}));
    EXPECT_EQ(driver.args[2], (std::vector<float>{42, 52, 16, 16, 16, 16}));

    // Rotated and scaled: the handle goes to the drawing point, the frame
    // is drawn at the origin of the composed transform, and the transform is
    // back to what it was afterwards.
    driver.Clear();
    bb_graphics_DrawImage2(grid, 100, 200, 90, 2, 2, 1);
    ASSERT_EQ(driver.calls, (std::vector<std::string>{"SetMatrix", "DrawSurface2"}));
    const float* m = driver.matrices[0].m;
    // The frame's centre (8, 8) lands on (100, 200).
    EXPECT_NEAR(8 * m[0] + 8 * m[2] + m[4], 100, 1e-4);
    EXPECT_NEAR(8 * m[1] + 8 * m[3] + m[5], 200, 1e-4);
    EXPECT_EQ(driver.args[1], (std::vector<float>{0, 0, 16, 0, 16, 16}));
    EXPECT_EQ(Current(), (std::array<float, 6>{1, 0, 0, 1, 0, 0}));

    driver.Clear();
    bb_graphics_DrawPoly2({0, 0, 0, 0}, grid, 6);
    EXPECT_EQ(driver.args.back(), (std::vector<float>{32, 16}));

    EXPECT_EQ(RuntimeError([&] { bb_graphics_DrawImage(grid, 0, 0, 8); }), "Array index out of range");
    EXPECT_EQ(RuntimeError([&] { bb_graphics_DrawImage2(grid, 0, 0, 0, 1, 1, -1); }), "Array index out of range");
}

TEST_F(Context, FrameGridsAndFlags) {
    host.WritePng("font.png", 960, 10);
    host.WritePng("square.png", 64, 64);
    host.WritePng("wide.png", 33, 8);
    bb_graphics_BeginRender();

    c_Image* font = bb_graphics_LoadImage(u"font.png", 96, c_Image::PadX);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->m_width, 8);
    EXPECT_EQ(font->m_height, 10);
    ASSERT_EQ(font->p_Frames(), 96);
    EXPECT_EQ(font->m_frames[0].m_x, 1);
    EXPECT_EQ(font->m_frames[1].m_x, 11);
    EXPECT_EQ(font->m_frames[2].m_x, 21);
    EXPECT_EQ(font->m_frames[95].m_x, 951);
    EXPECT_EQ(font->m_flags, (int)c_Image::PadX);

    struct Case {
        const char* name;
        c_Image* image;
        int flags;
    } fullness[] = {
        {"whole surface", bb_graphics_LoadImage(u"square.png", 1, 0), c_Image::FullSurface},
        {"padded", bb_graphics_LoadImage(u"square.png", 1, c_Image::PadX), c_Image::PadX},
        {"one grid frame", bb_graphics_LoadImage2(u"square.png", 64, 64, 1, 0), c_Image::FullSurface},
        {"smaller frame", bb_graphics_LoadImage2(u"square.png", 32, 32, 1, 0), 0},
    };
    for (const Case& c : fullness) {
        ASSERT_NE(c.image, nullptr) << c.name;
        EXPECT_EQ(c.image->m_flags, c.flags) << c.name;
    }

    c_Image* grid = bb_graphics_LoadImage2(u"square.png", 32, 32, 4, c_Image::PadY);
    ASSERT_EQ(grid->p_Frames(), 4);
    int expect[4][2] = {{0, 1}, {32, 1}, {0, 33}, {32, 33}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(grid->m_frames[i].m_x, expect[i][0]) << i;
        EXPECT_EQ(grid->m_frames[i].m_y, expect[i][1]) << i;
    }
    EXPECT_EQ(grid->m_height, 30);

    c_Image* wide = bb_graphics_LoadImage(u"wide.png", 1, c_Image::CenterHandle);
    EXPECT_EQ(wide->m_tx, 16.5f);
    EXPECT_EQ(wide->m_ty, 4.0f);
    EXPECT_EQ(wide->m_flags, (int)c_Image::FullSurface) << "the handle flag is cleared";
    wide->p_SetHandle(1, 2);
    EXPECT_EQ(wide->m_tx, 1.0f);
    EXPECT_EQ(wide->m_ty, 2.0f);
}

TEST_F(Context, BadFrameRequestsAreRuntimeErrors) {
    host.WritePng("square.png", 64, 64);
    bb_graphics_BeginRender();
    struct Case {
        const char* name;
        std::function<void()> body;
        const char* message;
    } cases[] = {
        {"one frame too many", [] { bb_graphics_LoadImage2(u"square.png", 32, 32, 5, 0); },
         "Image frame outside surface"},
        {"frame wider than the surface", [] { bb_graphics_LoadImage2(u"square.png", 65, 8, 1, 0); },
         "Image frame outside surface"},
        {"frame taller than the surface", [] { bb_graphics_LoadImage2(u"square.png", 8, 65, 1, 0); },
         "Image frame outside surface"},
        {"no frames in a strip", [] { bb_graphics_LoadImage(u"square.png", 0, 0); }, "Image frame outside surface"},
        {"initialised twice",
         [] {
             c_Image* image = bb_graphics_LoadImage(u"square.png", 2, 0);
             image->p_Init(image->m_surface, 1, 0);
         },
         "Image already initialized"},
    };
    for (const Case& c : cases) EXPECT_EQ(RuntimeError(c.body), c.message) << c.name;
}

TEST_F(Context, ImagesLoadAtTheFileChannelCount) {
    for (int channels = 1; channels <= 4; ++channels) {
        std::string name = "c" + std::to_string(channels) + ".png";
        host.WritePng(name, 3, 2, channels, [](int x, int, int c) { return c == 1 ? 128 : 200 + x; });
        c_Image* image = bb_graphics_LoadImage(bbStringFromAscii(name.c_str()), 1, 0);
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->m_surface->depth, channels) << name;
        EXPECT_EQ(image->m_surface->Width(), 3);
        EXPECT_EQ(image->m_surface->Height(), 2);
    }
    // Grey and alpha: the grey is premultiplied.
    c_Image* greyAlpha = bb_graphics_LoadImage(u"c2.png", 1, 0);
    EXPECT_EQ(greyAlpha->m_surface->data[0], 200 * 128 / 255);

    std::ofstream((host.root / "data" / "broken.png").string()) << "not an image at all";
    EXPECT_EQ(bb_graphics_LoadImage(u"broken.png", 1, 0), nullptr);
    EXPECT_EQ(bb_graphics_LoadImage(u"missing.png", 1, 0), nullptr);
    EXPECT_EQ(bb_graphics_LoadImage2(u"missing.png", 8, 8, 1, 0), nullptr);
}

TEST_F(Context, DefaultFontLoadsOnceFromTheDataFolder) {
    bb_graphics_SetFont(nullptr, 65);
    EXPECT_EQ(bb_graphics_context->m_font, nullptr) << "no font file";
    EXPECT_EQ(bb_graphics_context->m_firstChar, 32);

    host.WritePng("pexa_font.png", 960, 10);
    bb_graphics_SetFont(nullptr, 65);
    c_Image* font = bb_graphics_context->m_font;
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(bb_graphics_context->m_firstChar, 32);
    EXPECT_EQ(font->p_Frames(), 96);
    EXPECT_EQ(font->m_width, 8);

    c_Image other;
    bb_graphics_SetFont(&other, 65);
    EXPECT_EQ(bb_graphics_context->m_font, &other);
    EXPECT_EQ(bb_graphics_context->m_firstChar, 65);
    bb_graphics_SetFont(nullptr, 0);
    EXPECT_EQ(bb_graphics_context->m_font, font) << "loaded once, then kept";
}
