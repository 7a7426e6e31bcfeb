// The shell's options, pause and credits screens, run by the flow while open.
// Their state lives in the shared menu slots: options 46 drag velocity, 47
// scroll target, 48 scroll offset, 49 selected row; pause 40 selected button,
// 41 x of the button column, 42 idle counter, 43 cog angle.
#pragma once

#include "host/bb_runtime.h"

// The pause screen's toy: 0 ring angle, 1-2 ball position, 3-4 ball velocity,
// 5 ball speed, 6 bounce cool-down, 7 ring spin, 8 hits this round, 9 best
// round; hit n (1-899) keeps its ring angle, speed factor and hue at 5n + 10,
// 5n + 11 and 5n + 12.
extern float bb_zump_paused[5200];

// Credit strings, five per entry (a heading and four lines), and how many are used.
enum { ZUMP_CREDIT_STRINGS = 1024 };
extern String bb_zump_ZUMP_Cred[ZUMP_CREDIT_STRINGS];
extern int bb_zump_ZUMP_Creds;
// Phase of the entry in the middle, in degrees, and the index of its first string.
extern int bb_zump_ZUMP_CredTickA;
extern int bb_zump_ZUMP_CredTickB;

void bb_zump_screens_Init();

// One options row: draws it and runs its input. setting is a settings slot
// (99 for rows without one); max 0 makes a button, 1 a switch, 10 a slider;
// a switch's style 0 reads Off/On, 2 Inverted/Standard. Returns 1 when the
// row is activated.
int bb_zump_Option(int y, int setting, int row, int icon, const String& label, int min, int max, int style);
void bb_zump_Options();
void bb_zump_Options_wrap();
void bb_zump_Pause_Menu();
void bb_zump_Credits();
void bb_zump_DefaultCredits();
// Appends one entry; a full table drops it.
void bb_zump_AddCredit(const String& heading, const String& line1, const String& line2, const String& line3,
                       const String& line4);
// Sets the game mode and, when type is 0 or more, the game type.
void bb_zump_Goto(int mode, int type);

// The moving tiled backdrop shared by the options, credits and name screens.
void bb_zump_ScreenBackground();
