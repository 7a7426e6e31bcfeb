// The shell's options, pause and credits screens, run by the flow while open.
#pragma once

#include "host/bb_runtime.h"

// The pause screen's toy: ring angle, ball, speeds, hits and recorded hits.
extern float bb_zump_paused[5200];

void bb_zump_screens_Init();

void bb_zump_Options();
void bb_zump_Credits();
void bb_zump_Pause_Menu();
void bb_zump_DefaultCredits();
void bb_zump_AddCredit(const String& heading, const String& line1, const String& line2, const String& line3,
                       const String& line4);
