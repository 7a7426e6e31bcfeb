#include "shell/zump_sound.h"

#include "audio/audio.h"
#include "game/flow_globals.h"
#include "shell/zump_profile.h"
#include "shell/zump_random.h"

c_Sound* bb_zump_ZUMP_SFX[100];
int bb_zump_ZUMP_LChan;
String bb_zump_ZUMP_LastTune;

namespace {

const int SFX_SLOTS = 100;
const int EFFECT_CHANNELS = 32;

// Also turns NaN into lo, so a bad argument never reaches OpenAL.
float Clamp(float v, float lo, float hi) {
    if (!(v >= lo)) return lo;
    return v > hi ? hi : v;
}

void EmptySlot(int slot) {
    c_Sound* sound = bb_zump_ZUMP_SFX[slot];
    if (!sound) return;
    // The sample's buffer waits in the driver's discard list until no
    // channel plays it any more.
    delete sound->m_sample;
    delete sound;
    bb_zump_ZUMP_SFX[slot] = nullptr;
}

String EffectPath(int number) {
    String n = bbStringFromInt(number);
    if (number >= 70) return u"common/0" + n + u".wav";
    String game = bbStringFromInt(bb_zump_ZUMP_GameNum);
    return game + (number < 10 ? u"/sfx/00" : u"/sfx/0") + n + u".wav";
}

}  // namespace

void bb_zump_sound_Init() {
    for (int slot = 0; slot < SFX_SLOTS; ++slot) EmptySlot(slot);
    bb_zump_ZUMP_LChan = 0;
    bb_zump_ZUMP_LastTune.clear();
}

int bb_zump_VolumeSetting(int slot) {
    int& v = bb_zump_ZUMP_Set[slot];
    v = v < 0 ? 0 : (v > 10 ? 10 : v);
    return v;
}

void bb_zump_ApplyMusicVolume() {
    float volume = (float)bb_zump_VolumeSetting(0) * 0.0999f;
    if (bb_audio_device) bb_audio_SetMusicVolume(volume);
}

void bb_zump_LoadSFX(int slot, int number) {
    if (slot < 0 || slot >= SFX_SLOTS) return;
    if (number == -1) number = slot;
    EmptySlot(slot);
    if (number >= 100 || !bb_audio_device) return;
    bb_zump_ZUMP_SFX[slot] = bb_audio_LoadSound(EffectPath(number));
}

void bb_zump_PlaySFX(int slot, float rate, float volume, float pan) {
    // The pitch's random number is drawn even when nothing plays, so the
    // generator's sequence never depends on which sounds loaded.
    if (rate == -1) {
        float r = bb_random_Rnd();
        rate = slot > 90 ? 1.0f : 0.7f + r * (1.3f - 0.7f);
    }
    rate = Clamp(rate, 0.4f, 3.0f);
    volume = Clamp(volume, 0.0f, 0.99f);
    pan = Clamp(pan, -1.0f, 1.0f);
    int effects = bb_zump_VolumeSetting(1);

    if (slot < 0 || slot >= SFX_SLOTS || !bb_zump_ZUMP_SFX[slot] || !bb_audio_device) return;
    int channel = bb_zump_ZUMP_LChan = (bb_zump_ZUMP_LChan + 1) % EFFECT_CHANNELS;
    // An effect still sounding on this channel is cut off. Rate, volume and
    // pan go to the source before it starts (a play keeps them): set after the
    // start, the mixer could sound the first moments at the previous volume,
    // even with the effects volume at 0.
    bb_audio_StopChannel(channel);
    bb_audio_SetChannelRate(channel, rate);
    bb_audio_SetChannelVolume(channel, volume * (float)effects * 0.1f);
    bb_audio_SetChannelPan(channel, pan);
    bb_audio_PlaySound(bb_zump_ZUMP_SFX[slot], channel, 0);
}

void bb_zump_PlayTune(const String& name, int loop) {
    String tune = name == u"-1" && !bb_zump_ZUMP_LastTune.empty() ? bb_zump_ZUMP_LastTune : name;
    if (tune.empty()) return;
    bb_zump_ZUMP_LastTune = tune;
    String path = bbStringFromInt(bb_zump_ZUMP_GameNum) + u"/sfx/" + tune + u".ogg";
    if (bb_zump_ZUMP_MusicPlaying != 0) {
        if (bb_audio_device) bb_audio_StopMusic();
        bb_zump_ZUMP_MusicPlaying = 0;
    }
    // A tune that fails to load is silence; the flag still says playing so
    // pause and resume keep their pairing.
    if (bb_audio_device) bb_audio_PlayMusic(path, loop);
    bb_zump_ZUMP_MusicPlaying = 1;
    bb_zump_ApplyMusicVolume();
}

void bb_zump_StopTune() {
    if (bb_audio_device) bb_audio_StopMusic();
    bb_zump_ZUMP_MusicPlaying = 0;
}

void bb_zump_PauseTune() {
    if (bb_zump_ZUMP_MusicPlaying != 1) return;
    bb_zump_ZUMP_MusicPlaying = 2;
    if (bb_audio_device) bb_audio_PauseMusic();
}

void bb_zump_ResumeTune() {
    if (bb_zump_ZUMP_MusicPlaying != 2) return;
    bb_zump_ZUMP_MusicPlaying = 1;
    if (bb_audio_device) bb_audio_ResumeMusic();
}
