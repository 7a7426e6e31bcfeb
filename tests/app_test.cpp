// The application and its delegate: the order of callbacks, the update
// bracket of the input state, window size validation, display modes and the
// ways the application ends.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include "app/app.h"
#include "app/input_device.h"
#include "audio/audio.h"
#include "graphics/graphics.h"
#include "support/test_host.h"
#include "support/x11_events.h"

namespace {

std::vector<std::string> calls;

class TestApp : public c_App {
public:
    std::function<void()> onUpdate;
    int p_OnCreate() override {
        calls.push_back("create");
        return 0;
    }
    int p_OnResume() override {
        calls.push_back("resume");
        return 0;
    }
    int p_OnUpdate() override {
        calls.push_back("update");
        if (onUpdate) onUpdate();
        return 0;
    }
    int p_OnRender() override {
        calls.push_back("render");
        return 0;
    }
};

class AppLifecycle : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(glfwInit()); }
    static void TearDownTestSuite() { glfwTerminate(); }

    TestHost host;
    TestApp* app = nullptr;

    void SetUp() override {
        calls.clear();
        bbInit();
        app = new TestApp();
        app->m_new();
        host.SetDeviceWindow(640, 480, 6);
    }
    void TearDown() override { glfwDestroyWindow(host.GetGLFWwindow()); }
};

TEST_F(AppLifecycle, CreatesDriversThenRendersBeforeTheFirstUpdate) {
    EXPECT_EQ(host.Delegate(), bb_app__delegate);
    host.SetUpdateRate(60);
    host.StartGame();
    ASSERT_NE(bb_app__delegate->m_graphics, nullptr);
    EXPECT_EQ(bb_graphics_device, bb_app__delegate->m_graphics);
    EXPECT_EQ(bb_audio_device, bb_app__delegate->m_audio);
    EXPECT_EQ(bb_input_device, bb_app__delegate->m_input);
    EXPECT_EQ(bb_app_DeviceWidth(), 640);
    host.RunFrame();
    host.RunFrame();
    EXPECT_EQ(calls, std::vector<std::string>({"create", "render", "update", "render", "update"}));
}

TEST_F(AppLifecycle, HitsAreSeenByTheFirstUpdateOnly) {
    host.SetUpdateRate(60);
    host.StartGame();
    std::vector<int> seen;
    app->onUpdate = [&] { seen.push_back(bb_input_KeyHit(65)); };
    host.RunFrame();
    host.KeyEvent(c_BBGameEvent::KeyDown, 65);
    host.now += 0.04;  // two updates due in the next frame
    host.RunFrame();
    EXPECT_EQ(seen, std::vector<int>({0, 1, 0}));
    EXPECT_TRUE(bb_input_KeyDown(65));
}

TEST_F(AppLifecycle, ResizeIsNoticedAtTheNextValidation) {
    host.StartGame();
    host.Resize(800, 600);
    EXPECT_EQ(bb_app_DeviceWidth(), 640);
    EXPECT_EQ(bb_app_DeviceHeight(), 480);
    host.RenderGame();
    EXPECT_EQ(bb_app_DeviceWidth(), 800);
    EXPECT_EQ(bb_app_DeviceHeight(), 600);

    // A change through the application is recorded at once.
    bb_app_SetDeviceWindow(320, 240, 6);
    EXPECT_EQ(bb_app_DeviceWidth(), 320);
    EXPECT_EQ(host.GetDeviceHeight(), 240);
}

TEST_F(AppLifecycle, WindowChangeReleasesHeldKeysAndMakesANewContext) {
    host.StartGame();
    PressKey(XK_Right);
    for (int i = 0; i < 50 && !bb_input_KeyDown(39); ++i) glfwWaitEventsTimeout(0.01);
    ASSERT_TRUE(bb_input_KeyDown(39));
    int seq = _glfwGraphicsSeq;

    // Flag 64 asks for the second monitor; with one monitor the first is used.
    bb_app_SetDeviceWindow(1280, 720, 1 | 64);
    EXPECT_FALSE(bb_input_KeyDown(39));
    EXPECT_EQ(_glfwGraphicsSeq, seq + 1);
    EXPECT_EQ(glfwGetWindowMonitor(HostWindow()), glfwGetPrimaryMonitor());
    EXPECT_EQ(bb_app_DeviceWidth(), 1280);

    bb_app_SetDeviceWindow(640, 480, 6);
    int x = 0, y = 0;
    glfwGetWindowPos(HostWindow(), &x, &y);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 120);
    EXPECT_EQ(glfwGetWindowMonitor(HostWindow()), nullptr);
    EXPECT_EQ(_glfwGraphicsSeq, seq + 2);
}

TEST_F(AppLifecycle, SecondApplicationIsARuntimeError) {
    TestApp second;
    try {
        second.m_new();
        FAIL() << "a second application was accepted";
    } catch (const bbRuntimeError& error) {
        EXPECT_EQ(error.message, String(u"App has already been created"));
    }
    EXPECT_EQ(bb_app__app, app);
}

TEST_F(AppLifecycle, CloseKeyEndsTheApplicationEvenWhileSuspended) {
    host.StartGame();
    host.RunFrame();  // the new window gets focus ...
    host.focused = false;
    host.RunFrame();  // ... and loses it
    ASSERT_TRUE(host.Suspended());
    try {
        host.KeyEvent(c_BBGameEvent::KeyDown, KEY_CLOSE);
        FAIL() << "the close key did not end the application";
    } catch (const bbRuntimeError& error) {
        EXPECT_TRUE(error.message.empty());  // the normal quit
    }
    EXPECT_TRUE(bb_input_KeyDown(KEY_CLOSE));  // recorded before the end
    EXPECT_THROW(host.KeyEvent(c_BBGameEvent::KeyDown, KEY_BACK), bbRuntimeError);
}

TEST_F(AppLifecycle, FocusReturnResumesTheApplication) {
    host.StartGame();
    host.RunFrame();
    host.focused = false;
    host.RunFrame();
    host.focused = true;
    host.RunFrame();
    EXPECT_EQ(calls, std::vector<std::string>({"create", "render", "update", "render", "render", "resume", "update"}));
}

TEST_F(AppLifecycle, DisplayModesKeepTheFirstOfEachSize) {
    host.displayModes = {{640, 480}, {800, 600}, {640, 480}, {1920, 1080}, {800, 600}};
    host.desktopWidth = 1920;
    host.desktopHeight = 1080;
    c_DisplayMode* desktop = bb_app_EnumDisplayModes();
    ASSERT_EQ(bb_app__displayModes.size(), 3u);
    EXPECT_EQ(bb_app__displayModes[1]->p_Width(), 800);
    EXPECT_EQ(bb_app__displayModes[2]->p_Height(), 1080);
    EXPECT_EQ(desktop, bb_app_DesktopMode());
    EXPECT_EQ(desktop->p_Width(), 1920);

    // With no desktop mode from the host, the window size stands in.
    host.desktopWidth = 0;
    host.StartGame();
    EXPECT_EQ(bb_app_DesktopMode()->p_Width(), 640);
    EXPECT_EQ(bb_app_DesktopMode()->p_Height(), 480);
}

TEST_F(AppLifecycle, UpdateRateAndClockGoThroughTheHost) {
    bb_app_SetUpdateRate(30);
    EXPECT_EQ(bb_app__updateRate, 30);
    EXPECT_EQ(host.UpdateRate(), 30);
    host.now = 12.3456;
    EXPECT_EQ(bb_app_Millisecs(), 12345);
}

}  // namespace
