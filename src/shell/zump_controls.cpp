#include "shell/zump_controls.h"

#include <cmath>
#include <cstring>

#include "app/input_device.h"
#include "game/flow_globals.h"
#include "shell/zump_profile.h"
#include "shell/zump_screen.h"

float bb_zump_ZUMP_Touch[128];
int bb_zump_mdAll;
int bb_zump_mx, bb_zump_my;
int bb_zump_mwx, bb_zump_mwy;
int bb_zump_msx, bb_zump_msy;
int bb_zump_mPadcx, bb_zump_mPadcy;
float bb_zump_mPadx, bb_zump_mPady;
float bb_zump_ZUMP_Control[500];
int bb_zump_KeyPadMouse;
int bb_zump_kdis[50];
int bb_zump_mdis[50];
int bb_zump_Joy_Disable[10];

namespace {

enum { UP = 0, LEFT = 3, RIGHT = 5, DOWN = 8, BUTTON0 = 10, BACK = 20, AXIS_X = 21, AXIS_Y = 22, STICK2_X = 31,
       STICK2_Y = 32 };

const float kDeadZone = 0.3f;

// Host key codes of the keyboard block, up to four keys per control; 0 ends a list.
struct KeyRow {
    int offset;
    int keys[4];
};
const KeyRow kKeyboard[] = {
    {UP, {38, 'W', 104, 0}},           // Up arrow, W, keypad 8
    {DOWN, {40, 'S', 98, 101}},        // Down arrow, S, keypad 2 and 5
    {LEFT, {37, 'A', 100, 0}},         // Left arrow, A, keypad 4
    {RIGHT, {39, 'D', 102, 0}},        // Right arrow, D, keypad 6
    {BUTTON0, {'Z', 'J', 32, 13}},     // Space, Enter
    {BUTTON0 + 1, {'X', 'K', 17, 0}},  // Control
    {BUTTON0 + 2, {'C', 'L', 16, 0}},  // Shift
    {BUTTON0 + 3, {'V', 'I', 0, 0}},
    {BUTTON0 + 4, {'B', 'U', 0, 0}},
    {BUTTON0 + 5, {'N', 'O', 0, 0}},
    {BACK, {27, 192, 46, 8}},  // Escape, grave, Delete, Backspace
};

// Offsets rebuilt from scratch every update; the eased axes are not among them.
const int kCleared[] = {UP, LEFT, RIGHT, DOWN, 10, 11, 12, 13, 14, 15, BACK, STICK2_X, STICK2_Y};

float Clamp1(float v) { return v < -1 ? -1 : (v > 1 ? 1 : v); }

// Moves v by step towards 0 without crossing it.
float EaseToZero(float v, float step) {
    if (v > 0) return v - step < 0 ? 0 : v - step;
    if (v < 0) return v + step > 0 ? 0 : v + step;
    return v;
}

float Scale() { return bb_zump_ZUMP_Scale > 0 ? bb_zump_ZUMP_Scale : 1; }

// Easing, digital steps, analogue override and direction flags of one block,
// whose held flags are already set; (f, g) is the block's first stick.
void BuildBlock(float* b, float f, float g) {
    bool up = b[UP] != 0, down = b[DOWN] != 0, left = b[LEFT] != 0, right = b[RIGHT] != 0;
    if (!left && !right && f == 0) b[AXIS_X] = EaseToZero(b[AXIS_X], 0.25f);
    if (!up && !down && g == 0) b[AXIS_Y] = EaseToZero(b[AXIS_Y], 0.25f);
    if (left) b[AXIS_X] -= 0.4f;
    if (right) b[AXIS_X] += 0.4f;
    if (up) b[AXIS_Y] -= 0.4f;
    if (down) b[AXIS_Y] += 0.4f;
    b[AXIS_X] = Clamp1(b[AXIS_X]);
    b[AXIS_Y] = Clamp1(b[AXIS_Y]);
    if (std::fabs(f) >= kDeadZone || std::fabs(g) >= kDeadZone) {
        b[AXIS_X] = f;
        b[AXIS_Y] = g;
    }
    b[UP] = (up || g < -kDeadZone) ? 1 : 0;
    b[LEFT] = (left || f < -kDeadZone) ? 1 : 0;
    b[RIGHT] = (right || f > kDeadZone) ? 1 : 0;
    b[DOWN] = (down || g > kDeadZone) ? 1 : 0;
}

void BuildJoystick(int j) {
    float* b = bb_zump_ZUMP_Control + 100 * (j + 1);
    for (int n = 0; n < 6; ++n)
        if (bb_input_JoyDown(n, j)) b[BUTTON0 + n] = 1;
    if (bb_input_JoyDown(6, j) || bb_input_JoyDown(7, j) || bb_input_JoyDown(14, j)) b[BACK] = 1;
    if (bb_input_JoyDown(8, j)) b[LEFT] = 1;
    if (bb_input_JoyDown(9, j)) b[UP] = 1;
    if (bb_input_JoyDown(10, j)) b[RIGHT] = 1;
    if (bb_input_JoyDown(11, j)) b[DOWN] = 1;

    float x2 = bb_input_JoyX(1, j), y2 = bb_input_JoyY(1, j);
    if (bb_zump_ZUMP_Set[12] == 1) y2 = -y2;
    if (std::fabs(x2) > kDeadZone || std::fabs(y2) > kDeadZone) {
        b[STICK2_X] = x2;
        b[STICK2_Y] = y2;
    }

    float f = bb_input_JoyX(0, j), g = bb_input_JoyY(0, j);
    if (bb_zump_ZUMP_Set[11] == 1) g = -g;
    if (std::fabs(f) < kDeadZone && std::fabs(g) < kDeadZone) f = g = 0;
    BuildBlock(b, f, g);
}

// The block PlayKey and the axis readers use for a player number, or null.
const float* BlockFor(int who) {
    if (who == -1 && bb_zump_ZUMP_MixControls == 1) return bb_zump_ZUMP_Control + 100;
    if (who >= -1 && who <= 3) return bb_zump_ZUMP_Control + 100 * (who + 1);
    return nullptr;
}

float Axis(int who, int stick, int mainOffset, int secondOffset, float pad) {
    if (bb_zump_mdAll >= 1 && who <= 0) return pad;
    const float* b = BlockFor(who);
    if (!b) return 0;
    return b[stick == 0 ? mainOffset : secondOffset];
}

}  // namespace

void bb_zump_controls_Init() {
    std::memset(bb_zump_ZUMP_Touch, 0, sizeof bb_zump_ZUMP_Touch);
    bb_zump_mdAll = bb_zump_mx = bb_zump_my = 0;
    bb_zump_mwx = bb_zump_mwy = bb_zump_msx = bb_zump_msy = 0;
    bb_zump_mPadcx = bb_zump_mPadcy = 0;
    bb_zump_mPadx = bb_zump_mPady = 0;
    std::memset(bb_zump_ZUMP_Control, 0, sizeof bb_zump_ZUMP_Control);
    bb_zump_KeyPadMouse = 0;
    std::memset(bb_zump_kdis, 0, sizeof bb_zump_kdis);
    std::memset(bb_zump_mdis, 0, sizeof bb_zump_mdis);
    std::memset(bb_zump_Joy_Disable, 0, sizeof bb_zump_Joy_Disable);
}

void bb_zump_MergePointers() {
    float* t = bb_zump_ZUMP_Touch;
    float scale = Scale();
    t[100] = bb_input_MouseDown(0) ? 1 : 0;
    t[101] = bb_input_MouseX() / scale;
    t[102] = bb_input_MouseY() / scale;
    t[0] = 0;
    bool primary = false;
    for (int n = 0; n < 10; ++n) {
        t[10 * n] = 0;
        if (!bb_input_TouchDown(n)) continue;
        float x = bb_input_TouchX(n) / scale, y = bb_input_TouchY(n) / scale;
        t[10 * n] = 1;
        t[10 * n + 1] = x;
        t[10 * n + 2] = y;
        if (!primary) {
            primary = true;
            t[100] = 1;
            t[101] = x;
            t[102] = y;
        }
    }
    bb_zump_mdAll = (int)t[100];
    bb_zump_mx = (int)t[101];
    bb_zump_my = (int)t[102];

    if (bb_zump_mdAll > 0) {
        if (bb_zump_mPadcx == -100) {
            bb_zump_mPadcx = bb_zump_mx;
            bb_zump_mPadcy = bb_zump_my;
        }
        if (bb_zump_mPadcx >= -99 && bb_zump_ZUMP_AllowMouseControl == 1) {
            // Farther than 64 units saturates the stick and drags the anchor
            // 8 units per update after the finger.
            float gx = (float)(bb_zump_mx - bb_zump_mPadcx) / 64;
            if (gx < -1) {
                bb_zump_mPadx = -1;
                bb_zump_mPadcx -= 8;
            } else if (gx > 1) {
                bb_zump_mPadx = 1;
                bb_zump_mPadcx += 8;
            } else {
                bb_zump_mPadx = gx;
            }
            float gy = (float)(bb_zump_my - bb_zump_mPadcy) / 64;
            if (gy < -1) {
                bb_zump_mPady = -1;
                bb_zump_mPadcy -= 8;
            } else if (gy > 1) {
                bb_zump_mPady = 1;
                bb_zump_mPadcy += 8;
            } else {
                bb_zump_mPady = gy;
            }
        }
        if (bb_zump_mwx >= -99) {
            bb_zump_msx = bb_zump_mx - bb_zump_mwx;
            bb_zump_msy = bb_zump_my - bb_zump_mwy;
        }
        bb_zump_mwx = bb_zump_mx;
        bb_zump_mwy = bb_zump_my;
    } else {
        bb_zump_mwx = bb_zump_mwy = -100;
        bb_zump_mPadcx = -100;
        bb_zump_mdis[0] = 0;
    }
}

void bb_zump_DoControls() {
    for (int b = 0; b < 5; ++b)
        for (int offset : kCleared) bb_zump_ZUMP_Control[100 * b + offset] = 0;

    float* keyboard = bb_zump_ZUMP_Control;
    for (const KeyRow& row : kKeyboard)
        for (int key : row.keys)
            if (key && bb_input_KeyDown(key)) keyboard[row.offset] = 1;
    BuildBlock(keyboard, 0, 0);

    for (int j = 0; j < 4; ++j) BuildJoystick(j);

    if (bb_zump_ZUMP_MixControls == 1) {
        float* pad = bb_zump_ZUMP_Control + 100;
        for (int i = 0; i < 100; ++i) pad[i] += keyboard[i];
        pad[AXIS_X] = Clamp1(pad[AXIS_X]);
        pad[AXIS_Y] = Clamp1(pad[AXIS_Y]);
    }
}

float bb_zump_PlayKey(int offset, int who) {
    if (offset == 99) offset = BACK;
    if (offset < 0 || offset >= 100) return 0;
    if (who == -2) {
        float sum = 0;
        for (int b = 0; b < 5; ++b) sum += bb_zump_ZUMP_Control[100 * b + offset];
        return sum;
    }
    if (who == -3) return bb_zump_ZUMP_Control[offset];
    const float* b = BlockFor(who);
    return b ? b[offset] : 0;
}

float bb_zump_ControlX(int who, int stick) { return Axis(who, stick, AXIS_X, STICK2_X, bb_zump_mPadx); }

float bb_zump_ControlY(int who, int stick) { return Axis(who, stick, AXIS_Y, STICK2_Y, bb_zump_mPady); }

int bb_zump_MouseIn(float x, float y, float w, float h) {
    for (int n = 0; n < 10; ++n) {
        const float* t = bb_zump_ZUMP_Touch + 10 * n;
        if (t[0] == 1 && t[1] >= x && t[1] <= x + w && t[2] >= y && t[2] <= y + h) return 1;
    }
    return 0;
}

int bb_zump_MouseIn_Centered(float x, float y, float w, float h) {
    return bb_zump_MouseIn(x - w * 0.5f, y - h * 0.5f, w, h);
}

int bb_zump_MouseIn_Radius(float x, float y, float r) {
    for (int n = 0; n < 10; ++n) {
        const float* t = bb_zump_ZUMP_Touch + 10 * n;
        if (t[0] == 1 && bb_zump_Dist(t[1], t[2], x, y) <= r) return 1;
    }
    return 0;
}

int bb_zump_Button(int slot, float x, float y, int frame) {
    if (slot < 1 || slot > 99) return 0;
    bb_zump_DrawImg(slot, x, y, frame);
    float w = bb_zump_ZUMP_ImgW[slot];
    return bb_zump_MouseIn_Centered(x, y, w * bb_zump_ZUMP_DrawStyle[4], w * bb_zump_ZUMP_DrawStyle[5]);
}

void bb_zump_GuessControlMethod() {
    bb_zump_KeyPadMouse = 1;
    for (int n = 0; n < 4; ++n)
        if (bb_zump_ZUMP_Control[BUTTON0 + n] != 0) bb_zump_KeyPadMouse = 0;
    if (bb_zump_mdAll != 0) bb_zump_KeyPadMouse = 2;
}

void bb_zump_LockKeys() {
    for (int i = 0; i < 50; ++i) bb_zump_kdis[i] = bb_zump_mdis[i] = 1;
}

void bb_zump_MixControls(int on) { bb_zump_ZUMP_MixControls = on; }
void bb_zump_AllowMouseAnalogue(int on) { bb_zump_ZUMP_AllowMouseControl = on; }
void bb_zump_ShowQuitButton(int on) { bb_zump_HasQuit = on; }
