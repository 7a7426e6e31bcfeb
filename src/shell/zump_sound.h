// Sound effects and tunes. Only the parts the flow relies on are here so far:
// effects draw their one random number; loading and playing come later.
#pragma once

#include "host/bb_runtime.h"

void bb_zump_LoadSFX(int slot, int number = -1);
void bb_zump_PlaySFX(int slot, float rate = -1, float volume = 0.99f, float pan = 0);
void bb_zump_PlayTune(const String& name, int loop);
void bb_zump_StopTune();
void bb_zump_PauseTune();
void bb_zump_ResumeTune();
