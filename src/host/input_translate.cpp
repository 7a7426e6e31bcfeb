// Raw input: GLFW keys, characters, mouse buttons and joysticks turned into
// host key codes and host events.
#include "host/glfwgame.h"

#include <GLFW/glfw3.h>

// GLFW key -> host key for everything but digits and letters; 0 is no key.
struct KeyTable {
    unsigned char host[346] = {};
};

static constexpr KeyTable MakeKeyTable() {
    KeyTable t;
    const int pairs[][2] = {
        {32, 32},   {34, 222},  {39, 222},  {44, 188},  {45, 189},  {46, 190},  {47, 191},  {59, 186},
        {61, 187},  {91, 219},  {92, 220},  {93, 221},  {96, 192},  {126, 192}, {256, 27},  {257, 13},
        {258, 9},   {259, 8},   {260, 45},  {261, 46},  {262, 39},  {263, 37},  {264, 40},  {265, 38},
        {266, 33},  {267, 34},  {268, 36},  {269, 35},  {330, 110}, {331, 111}, {332, 106}, {333, 109},
        {334, 107}, {340, 16},  {344, 16},  {341, 17},  {345, 17},
    };
    for (const auto& p : pairs) t.host[p[0]] = (unsigned char)p[1];
    for (int i = 0; i < 12; ++i) t.host[290 + i] = (unsigned char)(112 + i);  // F1 to F12
    for (int i = 0; i < 10; ++i) t.host[320 + i] = (unsigned char)(96 + i);   // keypad digits
    return t;
}
static constexpr KeyTable keyTable = MakeKeyTable();

int BBGlfwGame::TransKey(int glfwKey) {
    if ((glfwKey >= '0' && glfwKey <= '9') || (glfwKey >= 'A' && glfwKey <= 'Z')) return glfwKey;
    if (glfwKey < 32 || glfwKey > 345) return 0;
    return keyTable.host[glfwKey];
}

int BBGlfwGame::KeyToChar(int hostKey) {
    switch (hostKey) {
    case 8: case 9: case 13: case 27:
        return hostKey;
    case 33: case 34: case 35: case 36: case 37: case 38: case 39: case 40: case 45:
        return hostKey | 0x10000;
    case 46:
        return 127;
    }
    return 0;
}

void BBGlfwGame::OnKey(GLFWwindow*, int key, int, int action, int) {
    int code = TransKey(key);
    if (!code) return;
    Callback([=](BBGlfwGame* game) {
        if (action == GLFW_RELEASE) {
            game->KeyEvent(c_BBGameEvent::KeyUp, code);
        } else if (action == GLFW_PRESS || action == GLFW_REPEAT) {
            game->KeyEvent(c_BBGameEvent::KeyDown, code);
            if (int chr = KeyToChar(code)) game->KeyEvent(c_BBGameEvent::KeyChar, chr);
        }
    });
}

void BBGlfwGame::OnChar(GLFWwindow*, unsigned int codepoint) {
    Callback([=](BBGlfwGame* game) { game->KeyEvent(c_BBGameEvent::KeyChar, (int)codepoint); });
}

void BBGlfwGame::OnMouseButton(GLFWwindow*, int button, int action, int) {
    if (button < 0 || button > 2) return;
    Callback([=](BBGlfwGame* game) {
        double x = 0, y = 0;
        game->CursorPos(&x, &y);
        if (action == GLFW_PRESS) {
            game->MouseEvent(c_BBGameEvent::MouseDown, button, (float)x, (float)y);
        } else if (action == GLFW_RELEASE) {
            game->MouseEvent(c_BBGameEvent::MouseUp, button, (float)x, (float)y);
        }
    });
}

void BBGlfwGame::OnCursorPos(GLFWwindow*, double x, double y) {
    Callback([=](BBGlfwGame* game) { game->MouseEvent(c_BBGameEvent::MouseMove, -1, (float)x, (float)y); });
}

// ---- Joysticks ----

int BBGlfwGame::CountJoysticks(bool update) {
    if (!update && _joysProbed) return _joyCount;
    _joysProbed = true;
    _joyCount = 0;
    for (int jid = GLFW_JOYSTICK_1; jid <= GLFW_JOYSTICK_LAST && _joyCount < 4; ++jid) {
        if (glfwJoystickPresent(jid)) _joysticks[_joyCount++] = jid;
    }
    return _joyCount;
}

bool BBGlfwGame::PollJoystick(int port, float joyx[2], float joyy[2], float joyz[2], bool buttons[32]) {
    CountJoysticks(false);
    if (port < 0 || port >= _joyCount) return false;
    int axisCount = 0, buttonCount = 0;
    const float* axes = glfwGetJoystickAxes(_joysticks[port], &axisCount);
    const unsigned char* pressed = glfwGetJoystickButtons(_joysticks[port], &buttonCount);
    if (!axes || !pressed) return false;
    MapJoystick(axes, axisCount, pressed, buttonCount, joyx, joyy, joyz, buttons);
    return true;
}

// Axis entries: the low four bits pick the source, the rest how to read it
// (see AxisValue). GLFW lists a hat as four buttons after the others, in the
// order up, right, down, left.
static const int padAxes[] = {0, 65, 2, 4, 67, 66, 999};
static const int padButtons[] = {0, 1, 2, 3, 4, 5, 6, 7, 13, 10, 11, 12, 8, 9, 999};
static const int genericAxes[] = {0, 1, 134, 2, 67, 135, 999};
static const int genericButtons[] = {1, 2, 0, 3, 4, 5, 8, 9, 15, 12, 13, 14, 10, 11, 999};

static float AxisValue(int entry, const float* axes, int axisCount, const unsigned char* buttons, int buttonCount) {
    int k = entry & 15;
    float axis = k < axisCount ? axes[k] : 0.0f;
    switch (entry & ~15) {
    case 16:
        return (axis + 1.0f) * 0.5f;
    case 32:
        return (1.0f - axis) * 0.5f;
    case 64:
        return -axis;
    case 128:
        return k < buttonCount && buttons[k] == GLFW_PRESS ? 1.0f : 0.0f;
    }
    return axis;
}

void BBGlfwGame::MapJoystick(const float* axes, int axisCount, const unsigned char* buttons, int buttonCount,
                             float joyx[2], float joyy[2], float joyz[2], bool hostButtons[32]) {
    bool pad = axisCount == 5 && buttonCount == 14;
    const int* axisEntries = pad ? padAxes : genericAxes;
    const int* buttonEntries = pad ? padButtons : genericButtons;

    float* values[6] = {&joyx[0], &joyy[0], &joyz[0], &joyx[1], &joyy[1], &joyz[1]};
    for (float* v : values) *v = 0;
    for (int i = 0; i < 6 && axisEntries[i] != 999; ++i)
        *values[i] = AxisValue(axisEntries[i], axes, axisCount, buttons, buttonCount);

    for (int m = 0; m < 32; ++m) hostButtons[m] = false;
    for (int m = 0; m < 32 && buttonEntries[m] != 999; ++m) {
        int t = buttonEntries[m];
        if (t < 0) t += buttonCount;
        hostButtons[m] = t >= 0 && t < buttonCount && buttons[t] == GLFW_PRESS;
    }
}
