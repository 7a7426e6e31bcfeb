// The application base class, the delegate that turns host events into its
// callbacks in a fixed order, and the application functions.
#pragma once

#include "host/bbgame.h"

class gxtkGraphics;
class gxtkAudio;
class c_InputDevice;

class c_App {
public:
    c_App* m_new();
    virtual ~c_App() {}
    virtual int p_OnCreate() { return 0; }
    virtual int p_OnResume() { return 0; }
    virtual int p_OnUpdate() { return 0; }
    virtual int p_OnRender() { return 0; }
    int p_OnLoading() { return 0; }
    int p_OnSuspend() { return 0; }
    int p_OnResize() { return 0; }
    int p_OnClose();
    int p_OnBack();
};

class c_GameDelegate : public BBGameDelegate {
public:
    gxtkGraphics* m_graphics = nullptr;
    gxtkAudio* m_audio = nullptr;
    c_InputDevice* m_input = nullptr;

    void StartGame() override;
    void SuspendGame() override;
    void ResumeGame() override;
    void UpdateGame() override;
    void RenderGame() override;
    void KeyEvent(int event, int data) override;
    void MouseEvent(int event, int data, float x, float y) override;
    void TouchEvent(int event, int data, float x, float y) override;
    void MotionEvent(int event, int data, float x, float y, float z) override;
    void DiscardGraphics() override;
};

class c_DisplayMode {
public:
    int m_width = 0;
    int m_height = 0;
    c_DisplayMode(int width, int height) : m_width(width), m_height(height) {}
    int p_Width() const { return m_width; }
    int p_Height() const { return m_height; }
};

extern c_App* bb_app__app;
extern c_GameDelegate* bb_app__delegate;
extern BBGame* bb_app__game;
extern int bb_app__updateRate;
extern int bb_app__devWidth;
extern int bb_app__devHeight;
extern Array<c_DisplayMode*> bb_app__displayModes;
extern c_DisplayMode* bb_app__desktopMode;

void bb_app_Init();

int bb_app_SetUpdateRate(int hertz);
int bb_app_Millisecs();
String bb_app_LoadState();
int bb_app_SaveState(const String& state);
int bb_app_GetDate(Array<int>& date);
Array<int> bb_app_GetDate2();
int bb_app_DeviceWidth();
int bb_app_DeviceHeight();
int bb_app_ValidateDeviceWindow(bool notify);
int bb_app_SetDeviceWindow(int width, int height, int flags);
c_DisplayMode* bb_app_EnumDisplayModes();
c_DisplayMode* bb_app_DesktopMode();
[[noreturn]] void bb_app_EndApp();
