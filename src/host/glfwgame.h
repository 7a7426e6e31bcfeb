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
    virtual void Run();
    virtual void UpdateEvents();

    static int TransKey(int glfwKey);
    static int KeyToChar(int hostKey);

    GLFWwindow* GetGLFWwindow() const { return _window; }

protected:
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
};

class BBTarvikGame : public BBGlfwGame {
public:
    static int Main(int argc, const char** argv);
};

// Runtime start-up and creation of the application; called once by Main.
void bb_std_main(int argc, const char** argv);
