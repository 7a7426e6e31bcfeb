// The desktop host: start-up, the window and display modes, and the frame loop
// with its update clock.
#include "host/glfwgame.h"

#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

int _glfwGraphicsSeq = 0;
BBGlfwGame* BBGlfwGame::_glfwGame = nullptr;

BBGlfwGame::BBGlfwGame() {
    _glfwGame = this;
    // GLFW answers null here when it is not initialised (a test host).
    if (GLFWmonitor* monitor = glfwGetPrimaryMonitor()) {
        if (const GLFWvidmode* mode = glfwGetVideoMode(monitor)) {
            _desktopMode[0] = mode->width;
            _desktopMode[1] = mode->height;
            _desktopMode[2] = mode->redBits;
            _desktopMode[3] = mode->greenBits;
            _desktopMode[4] = mode->blueBits;
            _desktopMode[5] = mode->refreshRate;
        }
    }
}

void BBGlfwGame::SetUpdateRate(int hertz) {
    BBGame::SetUpdateRate(hertz);
    if (hertz != 0) _updatePeriod = 1.0 / hertz;
    _nextUpdate = 0;
}

int BBGlfwGame::Millisecs() { return (int)(GetTime() * 1000.0); }
double BBGlfwGame::GetTime() { return glfwGetTime(); }
void BBGlfwGame::Sleep(double seconds) { plat_SleepMs((int)(seconds * 1000.0)); }

void BBGlfwGame::SetMouseVisible(bool visible) {
    if (_window) glfwSetInputMode(_window, GLFW_CURSOR, visible ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
}

int BBGlfwGame::GetDeviceWidth() { return _width; }
int BBGlfwGame::GetDeviceHeight() { return _height; }

void BBGlfwGame::SetSwapInterval(int interval) {
    _swapInterval = interval;
    if (interval >= 0 && _window) glfwSwapInterval(interval);
}

// ---- Window and display modes ----

void BBGlfwGame::SetDeviceWindow(int width, int height, int flags) {
    // The new window has not had focus yet, so its first unfocused state must
    // not count as a focus loss.
    _focus = false;

    if (_window) {
        // Release held keys first: the new window will never see their release.
        for (int key = 0; key <= GLFW_KEY_LAST; ++key) {
            int code = TransKey(key);
            if (code && glfwGetKey(_window, key) == GLFW_PRESS) KeyEvent(c_BBGameEvent::KeyUp, code);
        }
        glfwDestroyWindow(_window);
        _window = nullptr;
    }

    bool fullscreen = (flags & 1) != 0;
    glfwWindowHint(GLFW_VISIBLE, fullscreen ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_RESIZABLE, (flags & 2) ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_DECORATED, (flags & 4) ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_FLOATING, (flags & 8) ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_DEPTH_BITS, (flags & 16) ? 32 : 0);
    glfwWindowHint(GLFW_DOUBLEBUFFER, (flags & 32) ? GLFW_FALSE : GLFW_TRUE);
    glfwWindowHint(GLFW_RED_BITS, 8);
    glfwWindowHint(GLFW_GREEN_BITS, 8);
    glfwWindowHint(GLFW_BLUE_BITS, 8);
    glfwWindowHint(GLFW_ALPHA_BITS, 0);
    glfwWindowHint(GLFW_STENCIL_BITS, 0);
    glfwWindowHint(GLFW_SAMPLES, 0);
    glfwWindowHint(GLFW_REFRESH_RATE, 60);

    if (fullscreen) {
        int count = 0;
        GLFWmonitor** monitors = glfwGetMonitors(&count);
        int index = (flags & 64) ? 1 : 0;
        if (index >= count) index = count - 1;
        // With no monitor at all GLFW can only make an ordinary window.
        GLFWmonitor* monitor = index >= 0 ? monitors[index] : nullptr;
        _window = glfwCreateWindow(width, height, "Bramblewick Run", monitor, nullptr);
    } else {
        _window = glfwCreateWindow(width, height, "Bramblewick Run", nullptr, nullptr);
        if (_window) {
            glfwSetWindowPos(_window, (_desktopMode[0] - width) / 2, (_desktopMode[1] - height) / 2);
            glfwShowWindow(_window);
        }
    }
    if (!_window) {
        std::printf("glfwCreateWindow FAILED!\n");
        std::fflush(stdout);
        std::abort();
    }

    ++_glfwGraphicsSeq;
    _width = width;
    _height = height;

    glfwMakeContextCurrent(_window);
    if (_swapInterval >= 0) glfwSwapInterval(_swapInterval);

    glfwSetKeyCallback(_window, OnKey);
    glfwSetCharCallback(_window, OnChar);
    glfwSetMouseButtonCallback(_window, OnMouseButton);
    glfwSetCursorPosCallback(_window, OnCursorPos);
    glfwSetWindowCloseCallback(_window, OnWindowClose);
    glfwSetWindowSizeCallback(_window, OnWindowSize);
}

Array<BBDisplayMode> BBGlfwGame::GetDisplayModes() {
    Array<BBDisplayMode> modes;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (!monitor) return modes;
    int count = 0;
    const GLFWvidmode* list = glfwGetVideoModes(monitor, &count);
    for (int i = 0; i < count; ++i) {
        if (list[i].refreshRate != 60 && list[i].refreshRate != 0) continue;
        BBDisplayMode mode;
        mode.width = list[i].width;
        mode.height = list[i].height;
        modes.push_back(mode);
    }
    return modes;
}

BBDisplayMode* BBGlfwGame::GetDesktopMode() {
    // A host that never saw a monitor has no desktop mode; the application
    // then falls back to the window size.
    if (_desktopMode[0] <= 0 || _desktopMode[1] <= 0) return nullptr;
    BBDisplayMode* mode = new BBDisplayMode();
    mode->width = _desktopMode[0];
    mode->height = _desktopMode[1];
    return mode;
}

void BBGlfwGame::OnWindowClose(GLFWwindow* window) {
    // The window never closes by itself: the close reaches the application as
    // the close key.
    glfwSetWindowShouldClose(window, GLFW_FALSE);
    Callback([](BBGlfwGame* game) {
        game->KeyEvent(c_BBGameEvent::KeyDown, KEY_CLOSE);
        game->KeyEvent(c_BBGameEvent::KeyUp, KEY_CLOSE);
    });
}

void BBGlfwGame::OnWindowSize(GLFWwindow*, int width, int height) {
    Callback([=](BBGlfwGame* game) {
        game->_width = width;
        game->_height = height;
    });
}

// ---- Frame loop ----

void BBGlfwGame::SwapBuffers() { glfwSwapBuffers(_window); }

void BBGlfwGame::PumpEvents(bool wait) {
    if (wait) {
        glfwWaitEvents();
    } else {
        glfwPollEvents();
    }
}

bool BBGlfwGame::WindowFocused() { return glfwGetWindowAttrib(_window, GLFW_FOCUSED) != 0; }

void BBGlfwGame::CursorPos(double* x, double* y) { glfwGetCursorPos(_window, x, y); }

void BBGlfwGame::Run() {
    SetDeviceWindow(640, 480, 6);
    StartGame();
    while (!glfwWindowShouldClose(_window)) RunFrame();
}

void BBGlfwGame::RunFrame() {
    RenderGame();
    SwapBuffers();

    if (_nextUpdate != 0) {
        double delay = _nextUpdate - GetTime();
        if (delay > 0) Sleep(delay);
    }

    UpdateEvents();
    if (_suspended) return;

    if (_updateRate == 0) {
        UpdateGame();
        return;
    }

    if (_nextUpdate == 0) _nextUpdate = GetTime();
    for (int i = 0; i < 4; ++i) {
        UpdateGame();
        // The update changed the rate: the new schedule starts next frame.
        if (_nextUpdate == 0) return;
        _nextUpdate += _updatePeriod;
        if (_nextUpdate > GetTime()) return;
    }
    // Four updates did not catch up: drop the backlog rather than race through it.
    _nextUpdate = 0;
}

void BBGlfwGame::UpdateEvents() {
    PumpEvents(_suspended);
    if (_errorPending) {
        _errorPending = false;
        throw _pendingError;
    }
    if (WindowFocused()) {
        _focus = true;
        if (_suspended) {
            ResumeGame();
            _nextUpdate = 0;
        }
    } else if (_focus && !_suspended) {
        SuspendGame();
        _nextUpdate = 0;
    }
}

// ---- Start-up ----

static void OnGlfwError(int error, const char* description) {
    std::printf("GLFW Error: err=%i, msg=%s\n", error, description ? description : "");
    std::fflush(stdout);
}

void bbStartRuntime(int, const char**) {
    bbInstallSignalHandlers();
    plat_SetCharLocale();
    bbInit();
}

int BBTarvikGame::Main(int argc, const char** argv, void (*stdMain)(int argc, const char** argv)) {
    glfwSetErrorCallback(OnGlfwError);
    if (!glfwInit()) {
        bbPrint(u"glfwInit failed");
        std::exit(-1);
    }
    BBTarvikGame* game = new BBTarvikGame();
    try {
        stdMain(argc, argv);
        if (game->Delegate()) game->Run();
        glfwTerminate();
    } catch (const bbThrowable& error) {
        glfwTerminate();
        game->Die(error);
    } catch (const bbRuntimeError& error) {
        // Terminating GLFW first puts a full-screen monitor back in its mode.
        glfwTerminate();
        bbExitOnRuntimeError(error);
    }
    return 0;
}
