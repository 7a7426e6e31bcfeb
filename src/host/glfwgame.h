// The desktop host on GLFW: window, frame loop, timing, input callbacks,
// display modes, file paths, image and sound file loading.
#pragma once

#include "host/bbgame.h"

struct GLFWwindow;

// Counts window (and so OpenGL context) creations; surfaces compare against it
// to know when their textures belong to a dead context.
extern int _glfwGraphicsSeq;

class BBGlfwGame : public BBGame {
public:
    BBGlfwGame();

    static BBGlfwGame* _glfwGame;

    void SetUpdateRate(int hertz) override;
    int Millisecs() override;
    int CountJoysticks(bool update) override;
    bool PollJoystick(int port, float joyx[2], float joyy[2], float joyz[2], bool buttons[32]) override;
    void OpenUrl(const String& url) override;
    void SetMouseVisible(bool visible) override;
    int GetDeviceWidth() override;
    int GetDeviceHeight() override;
    void SetDeviceWindow(int width, int height, int flags) override;
    Array<BBDisplayMode> GetDisplayModes() override;
    BBDisplayMode* GetDesktopMode() override;
    void SetSwapInterval(int interval) override;
    String PathToFilePath(const String& path) override;
    unsigned char* LoadImageData(const String& path, int* width, int* height, int* depth) override;
    unsigned char* LoadAudioData(const String& path, int* length, int* channels, int* format, int* hertz) override;

    virtual double GetTime();
    virtual void Sleep(double seconds);
    // Opens the start-up window, starts the game and runs frames until the
    // window's close flag is set.
    virtual void Run();
    // One iteration of the frame loop: render and swap, sleep until the next
    // update, take window events, then up to four updates.
    virtual void RunFrame();
    virtual void UpdateEvents();

    static int TransKey(int glfwKey);
    static int KeyToChar(int hostKey);
    // Maps one joystick's GLFW axes and buttons onto the host's two sticks and
    // 32 buttons, by the pad layout (5 axes, 14 buttons) or the generic one.
    // Axes and buttons beyond what the joystick reports read as 0.
    static void MapJoystick(const float* axes, int axisCount, const unsigned char* buttons, int buttonCount,
                            float joyx[2], float joyy[2], float joyz[2], bool hostButtons[32]);

    GLFWwindow* GetGLFWwindow() const { return _window; }

    // GLFW callbacks; they reach the host through _glfwGame.
    static void OnKey(GLFWwindow* window, int key, int scancode, int action, int mods);
    static void OnChar(GLFWwindow* window, unsigned int codepoint);
    static void OnMouseButton(GLFWwindow* window, int button, int action, int mods);
    static void OnCursorPos(GLFWwindow* window, double x, double y);
    static void OnWindowClose(GLFWwindow* window);
    static void OnWindowSize(GLFWwindow* window, int width, int height);

protected:
    // The window-system steps of the frame loop, apart so that a test host can
    // stand in for them.
    virtual void SwapBuffers();
    virtual void PumpEvents(bool wait);
    virtual bool WindowFocused();
    virtual void CursorPos(double* x, double* y);

    // Runs a callback body. GLFW is C code that exceptions must not cross, so a
    // runtime error (the quit included) is kept until the event pump returns;
    // later events of the same batch are dropped.
    template <typename Body>
    static void Callback(Body body);

    int _desktopMode[6] = {0, 0, 0, 0, 0, 0};
    GLFWwindow* _window = nullptr;
    int _width = 0;
    int _height = 0;
    int _swapInterval = 1;
    bool _focus = true;
    double _updatePeriod = 0;
    double _nextUpdate = 0;
    String _exeDir;
    String _internalDir;
    int _joysticks[4] = {0, 0, 0, 0};
    int _joyCount = 0;
    bool _joysProbed = false;
    bool _errorPending = false;
    bbRuntimeError _pendingError;
};

template <typename Body>
void BBGlfwGame::Callback(Body body) {
    BBGlfwGame* game = _glfwGame;
    if (!game || game->_errorPending) return;
    try {
        body(game);
    } catch (const bbRuntimeError& error) {
        game->_errorPending = true;
        game->_pendingError = error;
    }
}

// Runtime start-up and creation of the game's application; called once by Main.
void bb_std_main(int argc, const char** argv);

class BBTarvikGame : public BBGlfwGame {
public:
    // Start-up, run, shut-down. stdMain starts the runtime and creates the
    // application; the game passes bb_std_main, tests their own.
    static int Main(int argc, const char** argv, void (*stdMain)(int argc, const char** argv) = bb_std_main);
};

// The runtime part of bb_std_main: fatal-signal handlers, the character-type
// locale and every module's start-up values.
void bbStartRuntime(int argc, const char** argv);
