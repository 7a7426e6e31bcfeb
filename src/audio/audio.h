// The audio driver: 32 sound channels and one music channel on OpenAL, and
// the game-facing sound functions.
#pragma once

#include "host/bb_runtime.h"

class gxtkSample {
public:
    unsigned int al_buffer = 0;
    gxtkSample() {}
    explicit gxtkSample(unsigned int buffer) : al_buffer(buffer) {}
    virtual ~gxtkSample();
    void SetBuffer(unsigned int buffer) { al_buffer = buffer; }
    virtual int Discard();
};

struct gxtkChannel {
    unsigned int source = 0;
    gxtkSample* sample = nullptr;
    int flags = 0;
    int state = 0;
    unsigned int AL_Source();
};

class gxtkAudio {
public:
    static gxtkAudio* audio;

    void* alcDevice = nullptr;
    void* alcContext = nullptr;
    gxtkChannel channels[33];

    gxtkAudio();
    virtual ~gxtkAudio() {}
    virtual int Suspend();
    virtual int Resume();
    virtual gxtkSample* LoadSample(const String& path);
    virtual bool LoadSample__UNSAFE__(gxtkSample* sample, const String& path);
    virtual int PlaySample(gxtkSample* sample, int channel, int flags);
    virtual int StopChannel(int channel);
    virtual int PauseChannel(int channel);
    virtual int ResumeChannel(int channel);
    virtual int ChannelState(int channel);
    virtual int SetVolume(int channel, float volume);
    virtual int SetPan(int channel, float pan);
    virtual int SetRate(int channel, float rate);
    virtual int PlayMusic(const String& path, int flags);
    virtual int StopMusic();
    virtual int PauseMusic();
    virtual int ResumeMusic();
    virtual int MusicState();
    virtual int SetMusicVolume(float volume);
};

class c_Sound {
public:
    gxtkSample* m_sample = nullptr;
    c_Sound* m_new(gxtkSample* sample) {
        m_sample = sample;
        return this;
    }
    c_Sound* m_new2() { return this; }
};

extern gxtkAudio* bb_audio_device;

void bb_audio_Init();
int bb_audio_SetAudioDevice(gxtkAudio* device);
c_Sound* bb_audio_LoadSound(const String& path);
int bb_audio_PlaySound(c_Sound* sound, int channel, int flags);
int bb_audio_StopChannel(int channel);
int bb_audio_SetChannelVolume(int channel, float volume);
int bb_audio_SetChannelPan(int channel, float pan);
int bb_audio_SetChannelRate(int channel, float rate);
int bb_audio_PlayMusic(const String& path, int flags);
int bb_audio_StopMusic();
int bb_audio_PauseMusic();
int bb_audio_ResumeMusic();
int bb_audio_SetMusicVolume(float volume);
