// The input state: keys down, hits since the update began, characters, mouse,
// touch, joystick and accelerometer readings.
#include "app/input_device.h"

#include "host/bbgame.h"

c_InputDevice* bb_input_device;

void bb_input_Init() { bb_input_device = nullptr; }

int bb_input_SetInputDevice(c_InputDevice* device) {
    bb_input_device = device;
    return 0;
}

enum { KEY_LMB = 1, KEY_TOUCH0 = 384, KEY_JOY0 = 256 };

c_InputDevice* c_InputDevice::m_new() {
    for (c_JoyState*& state : m_joyStates) state = new c_JoyState();
    return this;
}

void c_InputDevice::p_PutKeyHit(int key) {
    // Only the keys in the queue get cleared, so a hit that finds it full is not counted.
    if (m_keyHitPut == 33) return;
    m_keyHit[key] += 1;
    m_keyHitQueue[m_keyHitPut++] = key;
}

void c_InputDevice::p_KeyEvent(int event, int data) {
    switch (event) {
    case c_BBGameEvent::KeyDown:
        if (data <= 0 || data >= 512 || m_keyDown[data]) return;
        m_keyDown[data] = true;
        p_PutKeyHit(data);
        // The left mouse button and the first finger are one key.
        if (data == KEY_LMB) {
            m_keyDown[KEY_TOUCH0] = true;
            p_PutKeyHit(KEY_TOUCH0);
        } else if (data == KEY_TOUCH0) {
            m_keyDown[KEY_LMB] = true;
            p_PutKeyHit(KEY_LMB);
        }
        break;
    case c_BBGameEvent::KeyUp:
        if (data <= 0 || data >= 512 || !m_keyDown[data]) return;
        m_keyDown[data] = false;
        if (data == KEY_LMB) {
            m_keyDown[KEY_TOUCH0] = false;
        } else if (data == KEY_TOUCH0) {
            m_keyDown[KEY_LMB] = false;
        }
        break;
    case c_BBGameEvent::KeyChar:
        if (m_charPut < 32) m_charQueue[m_charPut++] = data;
        break;
    }
}

void c_InputDevice::p_MouseEvent(int event, int data, float x, float y) {
    switch (event) {
    case c_BBGameEvent::MouseDown:
        p_KeyEvent(c_BBGameEvent::KeyDown, KEY_LMB + data);
        break;
    case c_BBGameEvent::MouseUp:
        p_KeyEvent(c_BBGameEvent::KeyUp, KEY_LMB + data);
        return;
    case c_BBGameEvent::MouseMove:
        break;
    default:
        return;
    }
    m_mouseX = x;
    m_mouseY = y;
    m_touchX[0] = x;
    m_touchY[0] = y;
}

void c_InputDevice::p_TouchEvent(int event, int data, float x, float y) {
    if (data < 0 || data >= 32) return;
    switch (event) {
    case c_BBGameEvent::TouchDown:
        p_KeyEvent(c_BBGameEvent::KeyDown, KEY_TOUCH0 + data);
        break;
    case c_BBGameEvent::TouchUp:
        p_KeyEvent(c_BBGameEvent::KeyUp, KEY_TOUCH0 + data);
        return;
    case c_BBGameEvent::TouchMove:
        break;
    default:
        return;
    }
    m_touchX[data] = x;
    m_touchY[data] = y;
    if (data == 0) {
        m_mouseX = x;
        m_mouseY = y;
    }
}

void c_InputDevice::p_MotionEvent(int event, int, float x, float y, float z) {
    if (event != c_BBGameEvent::MotionAccel) return;
    m_accelX = x;
    m_accelY = y;
    m_accelZ = z;
}

void c_InputDevice::p_BeginUpdate() {
    for (int port = 0; port < 4; ++port) {
        c_JoyState* joy = m_joyStates[port];
        if (!BBGame::_game->PollJoystick(port, joy->m_joyx, joy->m_joyy, joy->m_joyz, joy->m_buttons)) break;
        for (int b = 0; b < 32; ++b) {
            int key = KEY_JOY0 + 32 * port + b;
            if (joy->m_buttons[b]) {
                if (!m_keyDown[key]) {
                    m_keyDown[key] = true;
                    p_PutKeyHit(key);
                }
            } else {
                m_keyDown[key] = false;
            }
        }
    }
}

void c_InputDevice::p_EndUpdate() {
    for (int i = 0; i < m_keyHitPut; ++i) m_keyHit[m_keyHitQueue[i]] = 0;
    m_keyHitPut = 0;
    m_charGet = 0;
    m_charPut = 0;
}

bool c_InputDevice::p_KeyDown(int key) const { return key > 0 && key < 512 && m_keyDown[key]; }
int c_InputDevice::p_KeyHit(int key) const { return key > 0 && key < 512 ? m_keyHit[key] : 0; }
float c_InputDevice::p_TouchX(int finger) const { return finger >= 0 && finger < 32 ? m_touchX[finger] : 0; }
float c_InputDevice::p_TouchY(int finger) const { return finger >= 0 && finger < 32 ? m_touchY[finger] : 0; }

// Out-of-range sticks and units read as centred.
float c_InputDevice::p_JoyX(int index, int unit) const {
    return index >= 0 && index < 2 && unit >= 0 && unit < 4 ? m_joyStates[unit]->m_joyx[index] : 0;
}
float c_InputDevice::p_JoyY(int index, int unit) const {
    return index >= 0 && index < 2 && unit >= 0 && unit < 4 ? m_joyStates[unit]->m_joyy[index] : 0;
}

// With no input state yet, nothing is pressed and everything reads 0.
bool bb_input_KeyDown(int key) { return bb_input_device && bb_input_device->p_KeyDown(key); }
int bb_input_KeyHit(int key) { return bb_input_device ? bb_input_device->p_KeyHit(key) : 0; }
bool bb_input_MouseDown(int button) {
    return button >= 0 && button <= 510 && bb_input_KeyDown(KEY_LMB + button);
}
bool bb_input_TouchDown(int finger) {
    int key = KEY_TOUCH0 + finger;
    return key >= 1 && key <= 511 && bb_input_KeyDown(key);
}
bool bb_input_JoyDown(int button, int unit) {
    int key = KEY_JOY0 | unit * 32 | button;
    return key <= 511 && bb_input_KeyDown(key);
}
float bb_input_MouseX() { return bb_input_device ? bb_input_device->p_MouseX() : 0; }
float bb_input_MouseY() { return bb_input_device ? bb_input_device->p_MouseY() : 0; }
float bb_input_TouchX(int finger) { return bb_input_device ? bb_input_device->p_TouchX(finger) : 0; }
float bb_input_TouchY(int finger) { return bb_input_device ? bb_input_device->p_TouchY(finger) : 0; }
float bb_input_JoyX(int index, int unit) { return bb_input_device ? bb_input_device->p_JoyX(index, unit) : 0; }
float bb_input_JoyY(int index, int unit) { return bb_input_device ? bb_input_device->p_JoyY(index, unit) : 0; }
