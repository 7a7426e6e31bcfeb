#include "shell/zump_sound.h"

#include "shell/zump_random.h"

void bb_zump_LoadSFX(int, int) {}

// An effect at its default rate draws one random number for its pitch even
// when there is nothing to play, so the generator's sequence never depends on
// which sounds loaded.
void bb_zump_PlaySFX(int, float rate, float, float) {
    if (rate == -1) bb_random_Rnd();
}

void bb_zump_PlayTune(const String&, int) {}
void bb_zump_StopTune() {}
void bb_zump_PauseTune() {}
void bb_zump_ResumeTune() {}
