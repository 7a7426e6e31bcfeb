// The input state the game reads: keys down, hits since the update began,
// mouse, touch and joystick positions.
#pragma once

class c_JoyState {
public:
    float m_joyx[2] = {0, 0};
    float m_joyy[2] = {0, 0};
    float m_joyz[2] = {0, 0};
    bool m_buttons[32] = {};
};

class c_InputDevice {
public:
    c_JoyState* m_joyStates[4] = {};
    bool m_keyDown[512] = {};
    int m_keyHit[512] = {};
    int m_keyHitQueue[33] = {};
    int m_keyHitPut = 0;
    int m_charQueue[32] = {};
    int m_charPut = 0;
    int m_charGet = 0;
    float m_mouseX = 0, m_mouseY = 0;
    float m_touchX[32] = {};
    float m_touchY[32] = {};
    float m_accelX = 0, m_accelY = 0, m_accelZ = 0;

    c_InputDevice* m_new();
    void p_PutKeyHit(int key);
    void p_KeyEvent(int event, int data);
    void p_MouseEvent(int event, int data, float x, float y);
    void p_TouchEvent(int event, int data, float x, float y);
    void p_MotionEvent(int event, int data, float x, float y, float z);
    void p_BeginUpdate();
    void p_EndUpdate();
    bool p_KeyDown(int key) const;
    int p_KeyHit(int key) const;
    float p_MouseX() const { return m_mouseX; }
    float p_MouseY() const { return m_mouseY; }
    float p_TouchX(int finger) const;
    float p_TouchY(int finger) const;
    float p_JoyX(int index, int unit) const;
    float p_JoyY(int index, int unit) const;
};

extern c_InputDevice* bb_input_device;

void bb_input_Init();
int bb_input_SetInputDevice(c_InputDevice* device);
bool bb_input_KeyDown(int key);
int bb_input_KeyHit(int key);
bool bb_input_MouseDown(int button);
bool bb_input_TouchDown(int finger);
bool bb_input_JoyDown(int button, int unit);
float bb_input_MouseX();
float bb_input_MouseY();
float bb_input_TouchX(int finger);
float bb_input_TouchY(int finger);
float bb_input_JoyX(int index, int unit);
float bb_input_JoyY(int index, int unit);
