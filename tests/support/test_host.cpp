#include "support/test_host.h"

#include <algorithm>

bool TestHost::PollJoystick(int port, float joyx[2], float joyy[2], float joyz[2], bool buttons[32]) {
    if (port < 0 || port >= 4) return false;
    ++joyPolls[port];
    if (port >= joyPorts) return false;
    joyx[0] = joyAxis[port];
    joyy[0] = -joyAxis[port];
    joyz[0] = 0;
    std::copy(joyButtons[port], joyButtons[port] + 32, buttons);
    return true;
}

BBDisplayMode* TestHost::GetDesktopMode() {
    if (!desktopWidth) return nullptr;
    BBDisplayMode* mode = new BBDisplayMode();
    mode->width = desktopWidth;
    mode->height = desktopHeight;
    return mode;
}

void TestHost::PumpEvents(bool wait) {
    pumps.push_back(wait);
    std::vector<std::function<void()>> batch;
    batch.swap(events);
    for (auto& event : batch) event();
}

void RecordingDelegate::KeyEvent(int event, int data) {
    log.push_back("key " + std::to_string(event) + " " + std::to_string(data));
    if (onKey) onKey();
}

void RecordingDelegate::MouseEvent(int event, int data, float x, float y) {
    log.push_back("mouse " + std::to_string(event) + " " + std::to_string(data) + " " + std::to_string((int)x) + " " +
                  std::to_string((int)y));
}

int RecordingDelegate::Count(const std::string& line) const {
    return (int)std::count(log.begin(), log.end(), line);
}
