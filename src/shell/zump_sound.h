// Sound effects and tunes: 100 numbered effect slots played round-robin over
// the 32 effect channels, and one tune at a time on the music channel.
#pragma once

#include "host/bb_runtime.h"

class c_Sound;

// Effect slots, empty when the file could not be loaded.
extern c_Sound* bb_zump_ZUMP_SFX[100];
// Channel of the last effect; the next effect takes the one after it.
extern int bb_zump_ZUMP_LChan;
// Name of the last tune started, replayed by PlayTune("-1").
extern String bb_zump_ZUMP_LastTune;

void bb_zump_sound_Init();

// Loads effect `number` (the slot's own number when -1) into `slot`:
// 0-9 and 10-69 from the game's sfx folder, 70-99 from the common folder,
// 100 and above nothing.
void bb_zump_LoadSFX(int slot, int number = -1);
// Plays the effect in `slot`. A rate of -1 picks the pitch at random (always
// 1 for slots above 90); the random number is drawn either way.
void bb_zump_PlaySFX(int slot, float rate = -1, float volume = 0.99f, float pan = 0);
// Starts the tune `name` ("-1" replays the last one); loop 1 repeats it.
void bb_zump_PlayTune(const String& name, int loop);
void bb_zump_StopTune();
void bb_zump_PauseTune();
void bb_zump_ResumeTune();

// Clamps volume setting `slot` (0 music, 1 effects) into 0..10, stores it
// back and returns it.
int bb_zump_VolumeSetting(int slot);
// Sets the music channel's volume from the music setting; the frame update
// calls this every update so a changed setting is heard at once.
void bb_zump_ApplyMusicVolume();
