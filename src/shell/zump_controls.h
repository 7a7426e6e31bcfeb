// Unified controls: the mouse and touches in virtual units, one control block
// per input source (keyboard, four joysticks) with eased axes, and the lock
// flags screens use so that a held press acts once.
#pragma once

// Pointer table: 10t down, 10t+1 and 10t+2 position of touch t (0-9);
// 100 primary pointer down, 101-102 its position.
extern float bb_zump_ZUMP_Touch[128];

extern int bb_zump_mdAll;
extern int bb_zump_mx, bb_zump_my;
extern int bb_zump_mwx, bb_zump_mwy;
extern int bb_zump_msx, bb_zump_msy;
extern int bb_zump_mPadcx, bb_zump_mPadcy;
extern float bb_zump_mPadx, bb_zump_mPady;

// Five blocks of 100: block 0 the keyboard, blocks 1-4 joysticks 0-3.
// Offsets: 0 up, 3 left, 5 right, 8 down, 10-15 buttons 0-5, 20 back,
// 21-22 eased main axis, 31-32 second stick.
extern float bb_zump_ZUMP_Control[500];

extern int bb_zump_KeyPadMouse;  // 0 keyboard, 1 pad, 2 pointer
extern int bb_zump_kdis[50];
extern int bb_zump_mdis[50];
extern int bb_zump_Joy_Disable[10];

void bb_zump_controls_Init();

// Folds the mouse and the touches into the pointer table and drives the drag
// stick; runs just before DoControls in the frame update.
void bb_zump_MergePointers();
void bb_zump_DoControls();

float bb_zump_PlayKey(int offset, int who);
float bb_zump_ControlX(int who, int stick);
float bb_zump_ControlY(int who, int stick);
int bb_zump_MouseIn(float x, float y, float w, float h);
int bb_zump_MouseIn_Centered(float x, float y, float w, float h);
int bb_zump_MouseIn_Radius(float x, float y, float r);
int bb_zump_Button(int slot, float x, float y, int frame);
void bb_zump_GuessControlMethod();
void bb_zump_LockKeys();

void bb_zump_MixControls(int on);
void bb_zump_AllowMouseAnalogue(int on);
void bb_zump_ShowQuitButton(int on);
