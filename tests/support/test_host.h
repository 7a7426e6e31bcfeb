// A desktop host whose clock, window-system steps and joysticks are under the
// test's control, and a delegate that records what the host asks of it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/input_device.h"
#include "host/glfwgame.h"

class TestHost : public BBGlfwGame {
public:
    double now = 100.0;                   // seconds on the host clock
    std::vector<int> sleepsMs;            // every sleep, in whole milliseconds
    std::vector<bool> pumps;              // every event pump: true when it waited
    int swaps = 0;
    bool focused = true;
    double cursorX = 0, cursorY = 0;
    // Run inside the next event pump, as GLFW would run callbacks, then cleared.
    std::vector<std::function<void()>> events;

    // Joystick ports: a port answers while it is below joyPorts.
    int joyPorts = 0;
    int joyPolls[4] = {};
    float joyAxis[4] = {};
    bool joyButtons[4][32] = {};

    Array<BBDisplayMode> displayModes;
    int desktopWidth = 0, desktopHeight = 0;

    double GetTime() override { return now; }
    // Like the real sleep: whole milliseconds, truncated.
    void Sleep(double seconds) override {
        int ms = (int)(seconds * 1000.0);
        sleepsMs.push_back(ms);
        now += ms / 1000.0;
    }
    bool PollJoystick(int port, float joyx[2], float joyy[2], float joyz[2], bool buttons[32]) override;
    Array<BBDisplayMode> GetDisplayModes() override { return displayModes; }
    BBDisplayMode* GetDesktopMode() override;

    // The window-system side: a live size change, a freshly created window.
    void Resize(int width, int height) {
        _width = width;
        _height = height;
    }
    void NewWindowWithoutFocus() { _focus = false; }
    double NextUpdate() const { return _nextUpdate; }
    bool PendingError() const { return _errorPending; }

protected:
    void SwapBuffers() override { ++swaps; }
    void PumpEvents(bool wait) override;
    bool WindowFocused() override { return focused; }
    void CursorPos(double* x, double* y) override {
        *x = cursorX;
        *y = cursorY;
    }
};

// Records every delegate call as a line ("start", "render", "update",
// "key 1 65", "mouse 4 0 10 20", ...); hooks let a test act inside a call.
class RecordingDelegate : public BBGameDelegate {
public:
    std::vector<std::string> log;
    std::function<void()> onUpdate, onRender, onKey;

    void StartGame() override { log.push_back("start"); }
    void SuspendGame() override { log.push_back("suspend"); }
    void ResumeGame() override { log.push_back("resume"); }
    void UpdateGame() override {
        log.push_back("update");
        if (onUpdate) onUpdate();
    }
    void RenderGame() override {
        log.push_back("render");
        if (onRender) onRender();
    }
    void KeyEvent(int event, int data) override;
    void MouseEvent(int event, int data, float x, float y) override;
    int Count(const std::string& line) const;
};

// Feeds host events into a c_InputDevice and brackets updates as the
// application delegate does.
class InputDelegate : public BBGameDelegate {
public:
    c_InputDevice* input = (new c_InputDevice())->m_new();
    std::function<void()> onUpdate;

    void UpdateGame() override {
        input->p_BeginUpdate();
        if (onUpdate) onUpdate();
        input->p_EndUpdate();
    }
    void KeyEvent(int event, int data) override { input->p_KeyEvent(event, data); }
    void MouseEvent(int event, int data, float x, float y) override { input->p_MouseEvent(event, data, x, y); }
    void TouchEvent(int event, int data, float x, float y) override { input->p_TouchEvent(event, data, x, y); }
};
