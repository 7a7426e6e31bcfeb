#include "host/bbgame.h"

#include <cstdlib>

#include "platform/platform.h"

BBGame* BBGame::_game = nullptr;

BBGame::BBGame() {
    _game = this;
}

BBGame::~BBGame() {}

void BBGame::SetDelegate(BBGameDelegate* delegate) { _delegate = delegate; }
BBGameDelegate* BBGame::Delegate() { return _delegate; }
void BBGame::SetKeyboardEnabled(bool enabled) { _keyboardEnabled = enabled; }
bool BBGame::KeyboardEnabled() { return _keyboardEnabled; }
void BBGame::SetUpdateRate(int hertz) { _updateRate = hertz; }
int BBGame::UpdateRate() { return _updateRate; }
bool BBGame::Started() { return _started; }
bool BBGame::Suspended() { return _suspended; }

// Neutral platform operations; the desktop host overrides them.
int BBGame::Millisecs() { return 0; }
int BBGame::CountJoysticks(bool) { return 0; }
bool BBGame::PollJoystick(int, float[2], float[2], float[2], bool[32]) { return false; }
void BBGame::OpenUrl(const String&) {}
void BBGame::SetMouseVisible(bool) {}
int BBGame::GetDeviceWidth() { return 0; }
int BBGame::GetDeviceHeight() { return 0; }
void BBGame::SetDeviceWindow(int, int, int) {}
Array<BBDisplayMode> BBGame::GetDisplayModes() { return Array<BBDisplayMode>(); }
BBDisplayMode* BBGame::GetDesktopMode() { return nullptr; }
void BBGame::SetSwapInterval(int) {}
String BBGame::PathToFilePath(const String& path) { return path; }
unsigned char* BBGame::LoadImageData(const String&, int*, int*, int*) { return nullptr; }
unsigned char* BBGame::LoadAudioData(const String&, int*, int*, int*, int*) { return nullptr; }

void BBGame::Die(const bbThrowable&) {
    bbPrint(u"Tarvik Runtime Error : Uncaught Tarvik Exception");
    std::exit(-1);
}

void bbExitOnRuntimeError(const bbRuntimeError& error) {
    if (error.message.empty()) std::exit(0);
    bbPrint(u"Tarvik Runtime Error : " + error.message);
    bbPrint(String());
    std::exit(-1);
}

// Runs inside the signal: only raw writes and an immediate exit are safe here.
static void OnFatalSignal(int kind) {
    static const char* const lines[] = {
        "Tarvik Runtime Error : Memory access violation\n\n",
        "Tarvik Runtime Error : Illegal instruction\n\n",
        "Tarvik Runtime Error : Floating point exception\n\n",
        "Tarvik Runtime Error : Unknown signal\n\n",
    };
    const char* line = lines[kind];
    int length = 0;
    while (line[length]) ++length;
    plat_WriteStdout(line, length);
    plat_ExitNow(-1);
}

void bbInstallSignalHandlers() {
    plat_OnFatalSignal(OnFatalSignal);
}

// Objects are owned and freed explicitly, so there is nothing to reclaim.
void BBGame::gc_collect() {}

// Each entry point applies its guard, then forwards to the delegate: an
// application error escaping from the call becomes an orderly stop.
template <typename Call>
void BBGame::Forward(Call call) {
    try {
        call();
    } catch (const bbThrowable& error) {
        Die(error);
    }
    gc_collect();
}

void BBGame::StartGame() {
    if (_started) return;
    _started = true;
    Forward([&] { _delegate->StartGame(); });
}

void BBGame::SuspendGame() {
    if (!_started || _suspended) return;
    _suspended = true;
    Forward([&] { _delegate->SuspendGame(); });
}

void BBGame::ResumeGame() {
    if (!_started || !_suspended) return;
    _suspended = false;
    Forward([&] { _delegate->ResumeGame(); });
}

void BBGame::UpdateGame() {
    if (!_started || _suspended) return;
    Forward([&] { _delegate->UpdateGame(); });
}

void BBGame::RenderGame() {
    if (!_started) return;
    Forward([&] { _delegate->RenderGame(); });
}

void BBGame::KeyEvent(int event, int data) {
    if (!_started) return;
    Forward([&] { _delegate->KeyEvent(event, data); });
}

void BBGame::MouseEvent(int event, int data, float x, float y) {
    if (!_started) return;
    Forward([&] { _delegate->MouseEvent(event, data, x, y); });
}

void BBGame::TouchEvent(int event, int data, float x, float y) {
    if (!_started) return;
    Forward([&] { _delegate->TouchEvent(event, data, x, y); });
}

void BBGame::MotionEvent(int event, int data, float x, float y, float z) {
    if (!_started) return;
    Forward([&] { _delegate->MotionEvent(event, data, x, y, z); });
}

void BBGame::DiscardGraphics() {
    if (!_started) return;
    Forward([&] { _delegate->DiscardGraphics(); });
}
