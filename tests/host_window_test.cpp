// The real host in a real window under X: start-up, the window it opens, the
// close button, runtime errors and a missing display. Each case runs the host
// in a child process and checks its standard output and exit code.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/app.h"
#include "support/capture.h"
#include "support/x11_events.h"

namespace {

void Check(bool ok, const char* what) {
    if (!ok) bbError(bbStringFromAscii(what));
}

// Checks the start-up window, then closes it like a user; an update count far
// past the close means the close never arrived.
class ClosingApp : public c_App {
public:
    int updates = 0;
    int p_OnCreate() override {
        bb_app_SetUpdateRate(60);
        return 0;
    }
    int p_OnUpdate() override {
        if (++updates == 1) {
            GLFWwindow* w = HostWindow();
            int width = 0, height = 0, x = 0, y = 0;
            glfwGetWindowSize(w, &width, &height);
            glfwGetWindowPos(w, &x, &y);
            Check(width == 640 && height == 480, "window size");
            Check(bb_app_DeviceWidth() == 640 && bb_app_DeviceHeight() == 480, "device size");
            Check(x == (1280 - 640) / 2 && y == (720 - 480) / 2, "window not centred");
            Check(glfwGetWindowAttrib(w, GLFW_RESIZABLE) && glfwGetWindowAttrib(w, GLFW_DECORATED), "window flags");
            Check(glfwGetWindowMonitor(w) == nullptr, "window is full screen");
            Check(WindowTitle() == u"Bramblewick Run", "window title");
            Check(bb_app_DesktopMode()->p_Width() == 1280, "desktop mode");
            PressCloseButton();
        }
        Check(updates < 300, "close never arrived");
        return 0;
    }
};

class FailingApp : public c_App {
public:
    int updates = 0;
    int p_OnUpdate() override {
        if (++updates == 3) bbError(u"Something broke \u00e9");
        return 0;
    }
};

void StartClosingApp(int argc, const char** argv) {
    bbStartRuntime(argc, argv);
    (new ClosingApp())->m_new();
}

void StartFailingApp(int argc, const char** argv) {
    bbStartRuntime(argc, argv);
    (new FailingApp())->m_new();
}

void StartSecondApp(int argc, const char** argv) {
    StartFailingApp(argc, argv);
    (new FailingApp())->m_new();
}

TEST(HostWindowDeathTest, CloseButtonEndsTheGameWithExitCodeZero) {
    std::string path = CapturePath("close");
    EXPECT_EXIT((RedirectStdout(path), BBTarvikGame::Main(0, nullptr, StartClosingApp), std::exit(7)),
                ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadCapture(path), "");
}

TEST(HostWindowDeathTest, RuntimeErrorPrintsItsLineAndExitsWithMinusOne) {
    struct Case {
        void (*start)(int, const char**);
        const char* output;
    } cases[] = {
        {StartFailingApp, "Tarvik Runtime Error : Something broke \xC3\xA9\n\n"},
        {StartSecondApp, "Tarvik Runtime Error : App has already been created\n\n"},
    };
    for (const Case& c : cases) {
        std::string path = CapturePath("error");
        EXPECT_EXIT((RedirectStdout(path), BBTarvikGame::Main(0, nullptr, c.start), std::exit(7)),
                    ::testing::ExitedWithCode(255), "");
        EXPECT_EQ(ReadCapture(path), c.output);
    }
}

TEST(HostWindowDeathTest, NoDisplayMeansGlfwInitFailed) {
    std::string path = CapturePath("nodisplay");
    EXPECT_EXIT((RedirectStdout(path), unsetenv("DISPLAY"), unsetenv("WAYLAND_DISPLAY"),
                 BBTarvikGame::Main(0, nullptr, StartClosingApp), std::exit(7)),
                ::testing::ExitedWithCode(255), "");
    std::string out = ReadCapture(path);
    EXPECT_EQ(out.rfind("GLFW Error: err=", 0), 0u) << out;
    EXPECT_NE(out.find("\nglfwInit failed\n"), std::string::npos) << out;
}

}  // namespace
