// The abstract host: delegate, started/suspended flags, update rate, guarded
// event entry points, and neutral bodies for every platform operation.
#pragma once

#include <cstdio>

#include "host/bb_runtime.h"

// Host event numbers.
struct c_BBGameEvent {
    enum {
        KeyDown = 1,
        KeyUp = 2,
        KeyChar = 3,
        MouseDown = 4,
        MouseUp = 5,
        MouseMove = 6,
        TouchDown = 7,
        TouchUp = 8,
        TouchMove = 9,
        MotionAccel = 10
    };
};

// Host key codes with a fixed role.
enum { KEY_BACK = 416, KEY_CLOSE = 432 };

struct BBDisplayMode {
    int width = 0;
    int height = 0;
    int format = 0;
    int hertz = 0;
    int flags = 0;
};

class BBGameDelegate {
public:
    virtual ~BBGameDelegate() {}
    virtual void StartGame() {}
    virtual void SuspendGame() {}
    virtual void ResumeGame() {}
    virtual void UpdateGame() {}
    virtual void RenderGame() {}
    virtual void KeyEvent(int event, int data) { (void)event, (void)data; }
    virtual void MouseEvent(int event, int data, float x, float y) { (void)event, (void)data, (void)x, (void)y; }
    virtual void TouchEvent(int event, int data, float x, float y) { (void)event, (void)data, (void)x, (void)y; }
    virtual void MotionEvent(int event, int data, float x, float y, float z) {
        (void)event, (void)data, (void)x, (void)y, (void)z;
    }
    virtual void DiscardGraphics() {}
};

class BBGame {
public:
    BBGame();
    virtual ~BBGame();

    static BBGame* _game;

    virtual void SetDelegate(BBGameDelegate* delegate);
    virtual BBGameDelegate* Delegate();
    virtual void SetKeyboardEnabled(bool enabled);
    virtual bool KeyboardEnabled();
    virtual void SetUpdateRate(int hertz);
    virtual int UpdateRate();
    virtual bool Started();
    virtual bool Suspended();
    virtual int Millisecs();
    virtual void GetDate(Array<int>& date);
    virtual int SaveState(const String& state);
    virtual String LoadState();
    virtual String LoadString(const String& path);
    virtual int CountJoysticks(bool update);
    virtual bool PollJoystick(int port, float joyx[2], float joyy[2], float joyz[2], bool buttons[32]);
    virtual void OpenUrl(const String& url);
    virtual void SetMouseVisible(bool visible);
    virtual int GetDeviceWidth();
    virtual int GetDeviceHeight();
    virtual void SetDeviceWindow(int width, int height, int flags);
    virtual Array<BBDisplayMode> GetDisplayModes();
    // Null when the host knows no desktop mode; the caller owns the record.
    virtual BBDisplayMode* GetDesktopMode();
    virtual void SetSwapInterval(int interval);
    virtual String PathToFilePath(const String& path);
    // A C stream the caller closes, or null.
    virtual FILE* OpenFile(const String& path, const String& mode);
    // The whole file in a block from malloc that the caller frees, or null.
    virtual unsigned char* LoadData(const String& path, int* length);
    // 8-bit pixels at the file's own channel count (1 to 4), from malloc, or null.
    virtual unsigned char* LoadImageData(const String& path, int* width, int* height, int* depth);
    // Interleaved PCM from malloc, or null; length in sample frames, format in bytes per sample.
    virtual unsigned char* LoadAudioData(const String& path, int* length, int* channels, int* format, int* hertz);
    [[noreturn]] virtual void Die(const bbThrowable& error);
    virtual void gc_collect();
    virtual void StartGame();
    virtual void SuspendGame();
    virtual void ResumeGame();
    virtual void UpdateGame();
    virtual void RenderGame();
    virtual void KeyEvent(int event, int data);
    virtual void MouseEvent(int event, int data, float x, float y);
    virtual void TouchEvent(int event, int data, float x, float y);
    virtual void MotionEvent(int event, int data, float x, float y, float z);
    virtual void DiscardGraphics();

protected:
    template <typename Call>
    void Forward(Call call);

    BBGameDelegate* _delegate = nullptr;
    bool _keyboardEnabled = false;
    int _updateRate = 0;
    bool _started = false;
    bool _suspended = false;
};

// Ends the process for a runtime error that reached the host: an empty message
// is the normal quit (exit code 0); any other message prints
// "Tarvik Runtime Error : " + message and the stack line (empty, no stack is
// recorded) on standard output and ends with exit code -1.
[[noreturn]] void bbExitOnRuntimeError(const bbRuntimeError& error);
// Turns access violations, illegal instructions and floating-point exceptions
// into runtime-error lines and exit code -1.
void bbInstallSignalHandlers();
