// The drawing context on a real OpenGL context: what reaches the screen.
#include <gtest/gtest.h>

#include "gl_window.h"
#include "graphics/graphics.h"
#include "graphics/render_batch.h"
#include "graphics_test_host.h"

namespace {

const int W = 320, H = 240;
const unsigned RED = 0xFFFF0000u, GREEN = 0xFF00FF00u, BLUE = 0xFF0000FFu, WHITE = 0xFFFFFFFFu;

class Drawing : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window = OpenTestWindow(W, H); }
    static void TearDownTestSuite() {
        if (window) glfwDestroyWindow(window);
        window = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(window, nullptr) << "no window: run under Xvfb";
        bbInit();
        bb_app__devWidth = W;
        bb_app__devHeight = H;
        driver = new gxtkGraphics();
        bb_graphics_SetGraphicsDevice(driver);
        // An 8 x 4 picture: left half red, right half green.
        host.WritePng("halves.png", 8, 4, 3, [](int x, int, int c) { return (x < 4 ? c == 0 : c == 1) ? 255 : 0; });
    }
    void TearDown() override { delete driver; }

    // A frame the way the delegate brackets p_OnRender.
    template <typename Body>
    void Frame(Body body) {
        driver->BeginRender();
        bb_graphics_BeginRender();
        driver->Cls(0, 0, 255);
        body();
        bb_graphics_EndRender();
        driver->EndRender();
    }
    unsigned Pixel(int x, int y) {
        Array<int> px(1);
        driver->ReadPixels(px, x, y, 1, 1, 0, 1);
        return (unsigned)px[0];
    }

    static GLFWwindow* window;
    ImageHost host;
    gxtkGraphics* driver = nullptr;
};

GLFWwindow* Drawing::window = nullptr;

}  // namespace

TEST_F(Drawing, RotatedImageTurnsAboutItsHandle) {
    c_Image* image = bb_graphics_LoadImage(u"halves.png", 1, 0);
    ASSERT_NE(image, nullptr);
    image->p_SetHandle(2, 1);
    Frame([&] { bb_graphics_DrawImage2(image, 100, 100, 90, 1, 1, 0); });
    // A quarter turn counter-clockwise: the picture's x axis points up the
    // screen, so it covers x 99..102 and y 94..101 with red at the bottom.
    struct Case {
        int x, y;
        unsigned expect;
    } cases[] = {
        {100, 100, RED},   {100, 101, RED},   {100, 98, RED},    {100, 97, GREEN}, {100, 94, GREEN},
        {99, 96, GREEN},   {102, 96, GREEN},  {100, 102, BLUE},  {100, 93, BLUE},  {98, 100, BLUE},
        {103, 100, BLUE},
    };
    for (const Case& c : cases) EXPECT_EQ(Pixel(c.x, c.y), c.expect) << c.x << "," << c.y;

    // Unturned, the handle is subtracted from the drawing point.
    Frame([&] { bb_graphics_DrawImage(image, 100, 100, 0); });
    EXPECT_EQ(Pixel(98, 99), RED);
    EXPECT_EQ(Pixel(105, 102), GREEN);
    EXPECT_EQ(Pixel(97, 99), BLUE);
    EXPECT_EQ(Pixel(98, 98), BLUE);
}

TEST_F(Drawing, SamePictureAfterTheWindowIsReplaced) {
    c_Image* image = bb_graphics_LoadImage2(u"halves.png", 4, 4, 2, c_Image::CenterHandle);
    ASSERT_NE(image, nullptr);
    auto scene = [&] {
        bb_graphics_DrawImage2(image, 40, 40, 30, 3, 2, 0);
        bb_graphics_DrawImage2(image, 80, 40, -45, 2, 4, 1);
        bb_graphics_SetAlpha(0.5f);
        bb_graphics_DrawOval(10, 60, 50, 30);
    };
    Array<int> before(W * H), after(W * H);
    Frame([&] {
        scene();
        driver->ReadPixels(before, 0, 0, W, H, 0, W);
    });

    delete driver;
    window = ReopenTestWindow(window, W, H);
    ASSERT_NE(window, nullptr);
    driver = new gxtkGraphics();
    bb_graphics_SetGraphicsDevice(driver);
    Frame([&] {
        scene();
        driver->ReadPixels(after, 0, 0, W, H, 0, W);
    });
    EXPECT_EQ(before, after);
    EXPECT_NE(std::count(before.begin(), before.end(), (int)GREEN), 0);
}

TEST_F(Drawing, NothingCarriesOverFromThePreviousFrame) {
    Frame([&] {
        bb_graphics_SetColor(255, 0, 0);
        bb_graphics_SetAlpha(0.3f);
        bb_graphics_SetBlend(1);
        bb_graphics_SetScissor(0, 0, 10, 10);
        bb_graphics_PushMatrix();
        bb_graphics_Translate(50, 50);
        bb_graphics_Scale(3, 3);
    });
    Frame([&] {
        bb_graphics_DrawRect(0, 0, 10, 10);
        bb_graphics_DrawRect(W - 10, H - 10, 10, 10);
    });
    EXPECT_EQ(Pixel(5, 5), WHITE);
    EXPECT_EQ(Pixel(W - 5, H - 5), WHITE);
    EXPECT_EQ(Pixel(15, 15), BLUE);
}
