// The application object, the delegate that calls it in a fixed order, and the
// application functions.
#include "app/app.h"

#include "app/input_device.h"
#include "audio/audio.h"
#include "graphics/graphics.h"
#include "graphics/render_batch.h"

c_App* bb_app__app;
c_GameDelegate* bb_app__delegate;
BBGame* bb_app__game;
int bb_app__updateRate;
int bb_app__devWidth;
int bb_app__devHeight;
Array<c_DisplayMode*> bb_app__displayModes;
c_DisplayMode* bb_app__desktopMode;

void bb_app_Init() {
    bb_app__game = BBGame::_game;
    bb_app__app = nullptr;
    bb_app__delegate = nullptr;
    bb_app__updateRate = 0;
    bb_app__devWidth = 0;
    bb_app__devHeight = 0;
    bb_app__displayModes.clear();
    bb_app__desktopMode = nullptr;
}

// ---- Application ----

c_App* c_App::m_new() {
    if (bb_app__app) bbError(u"App has already been created");
    bb_app__app = this;
    bb_app__delegate = new c_GameDelegate();
    bb_app__game->SetDelegate(bb_app__delegate);
    return this;
}

int c_App::p_OnClose() { bb_app_EndApp(); }
int c_App::p_OnBack() { bb_app_EndApp(); }

// ---- Delegate ----

void c_GameDelegate::StartGame() {
    m_graphics = new gxtkGraphics();
    bb_graphics_SetGraphicsDevice(m_graphics);
    bb_graphics_SetFont(nullptr, 32);
    m_audio = new gxtkAudio();
    bb_audio_SetAudioDevice(m_audio);
    m_input = (new c_InputDevice())->m_new();
    bb_input_SetInputDevice(m_input);
    bb_app_ValidateDeviceWindow(false);
    bb_app_EnumDisplayModes();
    bb_app__app->p_OnCreate();
}

void c_GameDelegate::SuspendGame() {
    m_audio->Suspend();
    bb_app__app->p_OnSuspend();
}

void c_GameDelegate::ResumeGame() {
    m_audio->Resume();
    bb_app__app->p_OnResume();
}

void c_GameDelegate::UpdateGame() {
    bb_app_ValidateDeviceWindow(true);
    m_input->p_BeginUpdate();
    bb_app__app->p_OnUpdate();
    m_input->p_EndUpdate();
}

void c_GameDelegate::RenderGame() {
    bb_app_ValidateDeviceWindow(true);
    int mode = m_graphics->BeginRender();
    if (mode != 0) {
        bb_graphics_BeginRender();
        if (mode == 2) {
            bb_app__app->p_OnLoading();
        } else {
            bb_app__app->p_OnRender();
        }
        bb_graphics_EndRender();
    } else {
        bb_app__app->p_OnRender();
    }
    m_graphics->EndRender();
}

void c_GameDelegate::KeyEvent(int event, int data) {
    m_input->p_KeyEvent(event, data);
    if (event != c_BBGameEvent::KeyDown) return;
    if (data == KEY_CLOSE) {
        bb_app__app->p_OnClose();
    } else if (data == KEY_BACK) {
        bb_app__app->p_OnBack();
    }
}

void c_GameDelegate::MouseEvent(int event, int data, float x, float y) { m_input->p_MouseEvent(event, data, x, y); }
void c_GameDelegate::TouchEvent(int event, int data, float x, float y) { m_input->p_TouchEvent(event, data, x, y); }
void c_GameDelegate::MotionEvent(int event, int data, float x, float y, float z) {
    m_input->p_MotionEvent(event, data, x, y, z);
}
void c_GameDelegate::DiscardGraphics() { m_graphics->DiscardGraphics(); }

// ---- Application functions ----

int bb_app_SetUpdateRate(int hertz) {
    bb_app__updateRate = hertz;
    bb_app__game->SetUpdateRate(hertz);
    return 0;
}

int bb_app_Millisecs() { return bb_app__game->Millisecs(); }
String bb_app_LoadState() { return bb_app__game->LoadState(); }

int bb_app_SaveState(const String& state) {
    bb_app__game->SaveState(state);
    return 0;
}

int bb_app_GetDate(Array<int>& date) {
    bb_app__game->GetDate(date);
    return 0;
}

Array<int> bb_app_GetDate2() {
    Array<int> date(7);
    bb_app__game->GetDate(date);
    return date;
}

int bb_app_DeviceWidth() { return bb_app__devWidth; }
int bb_app_DeviceHeight() { return bb_app__devHeight; }

// Records the live window size; true when it differed from the last record.
static bool RecordDeviceSize() {
    int width = bb_app__game->GetDeviceWidth();
    int height = bb_app__game->GetDeviceHeight();
    if (width == bb_app__devWidth && height == bb_app__devHeight) return false;
    bb_app__devWidth = width;
    bb_app__devHeight = height;
    return true;
}

int bb_app_ValidateDeviceWindow(bool notify) {
    if (RecordDeviceSize() && notify) bb_app__app->p_OnResize();
    return 0;
}

int bb_app_SetDeviceWindow(int width, int height, int flags) {
    bb_app__game->SetDeviceWindow(width, height, flags);
    RecordDeviceSize();
    return 0;
}

c_DisplayMode* bb_app_EnumDisplayModes() {
    Array<BBDisplayMode> modes = bb_app__game->GetDisplayModes();
    Array<c_DisplayMode*> list;
    // The same size may be listed at several colour depths: the first one wins.
    for (const BBDisplayMode& mode : modes) {
        bool seen = false;
        for (const c_DisplayMode* known : list)
            seen = seen || (known->m_width == mode.width && known->m_height == mode.height);
        if (!seen) list.push_back(new c_DisplayMode(mode.width, mode.height));
    }
    bb_app__displayModes = list;

    if (BBDisplayMode* desktop = bb_app__game->GetDesktopMode()) {
        bb_app__desktopMode = new c_DisplayMode(desktop->width, desktop->height);
        delete desktop;
    } else {
        bb_app__desktopMode = new c_DisplayMode(bb_app_DeviceWidth(), bb_app_DeviceHeight());
    }
    return bb_app__desktopMode;
}

c_DisplayMode* bb_app_DesktopMode() { return bb_app__desktopMode; }

void bb_app_EndApp() { bbError(String()); }
