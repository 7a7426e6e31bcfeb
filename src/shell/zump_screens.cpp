#include "shell/zump_screens.h"

#include <cstring>

float bb_zump_paused[5200];

void bb_zump_screens_Init() { std::memset(bb_zump_paused, 0, sizeof bb_zump_paused); }

// The screens themselves are still to be written; until then opening one
// shows nothing and it never closes by itself.
void bb_zump_Options() {}
void bb_zump_Credits() {}
void bb_zump_Pause_Menu() {}
void bb_zump_DefaultCredits() {}
void bb_zump_AddCredit(const String&, const String&, const String&, const String&, const String&) {}
