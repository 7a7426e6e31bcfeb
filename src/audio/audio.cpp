#include "audio/audio.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <cmath>
#include <cstdlib>

#include "host/bbgame.h"
#include "host/files.h"

gxtkAudio* gxtkAudio::audio = nullptr;
gxtkAudio* bb_audio_device = nullptr;

// Buffer names of released samples. A buffer cannot be deleted while a source
// still holds it, so names wait here until a flush finds them free.
static Array<unsigned int> discarded;

static const int MUSIC_CHANNEL = 32;

static bool validChannel(int channel) { return channel >= 0 && channel <= MUSIC_CHANNEL; }

static ALint sourceState(unsigned int source) {
    ALint state = AL_INITIAL;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
}

// Runs before every load and play: stopped sources let go of their buffers,
// then every waiting buffer that nothing holds any more is deleted.
static void FlushDiscarded() {
    if (discarded.empty()) return;
    gxtkAudio* driver = gxtkAudio::audio;
    if (driver) {
        for (gxtkChannel& chan : driver->channels) {
            if (chan.state != 0 && chan.source && sourceState(chan.source) == AL_STOPPED)
                alSourcei(chan.source, AL_BUFFER, 0);
        }
    }
    size_t kept = 0;
    for (unsigned int buffer : discarded) {
        alGetError();
        alDeleteBuffers(1, &buffer);
        if (alGetError() != AL_NO_ERROR) discarded[kept++] = buffer;
    }
    discarded.resize(kept);
}

gxtkSample::~gxtkSample() {
    if (al_buffer) discarded.push_back(al_buffer);
}

int gxtkSample::Discard() {
    if (al_buffer) {
        discarded.push_back(al_buffer);
        al_buffer = 0;
    }
    return 0;
}

unsigned int gxtkChannel::AL_Source() {
    if (source) return source;
    alGetError();
    ALuint made = 0;
    alGenSources(1, &made);
    if (alGetError() == AL_NO_ERROR && made) {
        source = made;
        return source;
    }
    // OpenAL will make no more sources: take the one of the first idle sound
    // channel. The music channel never gives its source away.
    source = 0;
    gxtkAudio* driver = gxtkAudio::audio;
    if (!driver) return 0;
    for (int i = 0; i < MUSIC_CHANNEL; ++i) {
        gxtkChannel& donor = driver->channels[i];
        if (!donor.source) continue;
        if (driver->ChannelState(i) == 0) {
            source = donor.source;
            donor.source = 0;
            break;
        }
    }
    return source;
}

gxtkAudio::gxtkAudio() {
    audio = this;
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) device = alcOpenDevice("Generic Hardware");
    if (!device) device = alcOpenDevice("Generic Software");
    if (!device) {
        bbPrint(u"OpenAl error: alcOpenDevice failed");
    } else {
        ALCcontext* context = alcCreateContext(device, nullptr);
        if (!context) {
            bbPrint(u"OpenAl error: alcCreateContext failed");
        } else if (!alcMakeContextCurrent(context)) {
            bbPrint(u"OpenAl error: alcMakeContextCurrent failed");
        }
        alcContext = context;
    }
    alcDevice = device;
    // Position gives a sound its direction only; nothing fades with distance.
    alDistanceModel(AL_NONE);
    for (gxtkChannel& chan : channels) chan = gxtkChannel();
    channels[MUSIC_CHANNEL].AL_Source();
}

int gxtkAudio::Suspend() {
    for (gxtkChannel& chan : channels) {
        if (chan.state == 1 && chan.source && sourceState(chan.source) == AL_PLAYING) alSourcePause(chan.source);
    }
    return 0;
}

int gxtkAudio::Resume() {
    for (gxtkChannel& chan : channels) {
        if (chan.state == 1 && chan.source && sourceState(chan.source) == AL_PAUSED) alSourcePlay(chan.source);
    }
    return 0;
}

gxtkSample* gxtkAudio::LoadSample(const String& path) {
    FlushDiscarded();
    gxtkSample* sample = new gxtkSample();
    if (LoadSample__UNSAFE__(sample, path)) return sample;
    delete sample;
    return nullptr;
}

bool gxtkAudio::LoadSample__UNSAFE__(gxtkSample* sample, const String& path) {
    BBGame* host = BBGame::_game;
    if (!host) return false;
    int length = 0, chans = 0, format = 0, hertz = 0;
    unsigned char* data = host->LoadAudioData(path, &length, &chans, &format, &hertz);
    if (!data) return false;

    // Any other combination gets format 0, which OpenAL refuses: the sample
    // loads but stays silent.
    ALenum alFormat = 0;
    if (format == 1 && chans == 1) alFormat = AL_FORMAT_MONO8;
    if (format == 1 && chans == 2) alFormat = AL_FORMAT_STEREO8;
    if (format == 2 && chans == 1) alFormat = AL_FORMAT_MONO16;
    if (format == 2 && chans == 2) alFormat = AL_FORMAT_STEREO16;

    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, alFormat, data, length * chans * format, hertz);
    free(data);
    sample->SetBuffer(buffer);
    return true;
}

int gxtkAudio::PlaySample(gxtkSample* sample, int channel, int flags) {
    if (!validChannel(channel)) return -1;
    FlushDiscarded();
    gxtkChannel& chan = channels[channel];
    unsigned int src = chan.AL_Source();
    if (!src) return -1;
    alSourceStop(src);
    alSourcei(src, AL_BUFFER, sample ? (ALint)sample->al_buffer : 0);
    alSourcei(src, AL_LOOPING, flags ? 1 : 0);
    alSourcePlay(src);
    chan.sample = sample;
    chan.flags = flags;
    chan.state = 1;
    return 0;
}

int gxtkAudio::StopChannel(int channel) {
    if (!validChannel(channel)) return 0;
    gxtkChannel& chan = channels[channel];
    if (chan.state != 0) {
        alSourceStop(chan.source);
        chan.state = 0;
    }
    return 0;
}

int gxtkAudio::PauseChannel(int channel) {
    if (!validChannel(channel)) return 0;
    gxtkChannel& chan = channels[channel];
    if (chan.state == 1) {
        if (sourceState(chan.source) == AL_STOPPED) {
            chan.state = 0;
        } else {
            alSourcePause(chan.source);
            chan.state = 2;
        }
    }
    return 0;
}

int gxtkAudio::ResumeChannel(int channel) {
    if (!validChannel(channel)) return 0;
    gxtkChannel& chan = channels[channel];
    if (chan.state == 2) {
        alSourcePlay(chan.source);
        chan.state = 1;
    }
    return 0;
}

int gxtkAudio::ChannelState(int channel) {
    if (!validChannel(channel)) return 0;
    gxtkChannel& chan = channels[channel];
    if (chan.state == 1 && sourceState(chan.source) == AL_STOPPED) chan.state = 0;
    return chan.state;
}

int gxtkAudio::SetVolume(int channel, float volume) {
    if (!validChannel(channel)) return 0;
    alSourcef(channels[channel].AL_Source(), AL_GAIN, volume);
    return 0;
}

int gxtkAudio::SetPan(int channel, float pan) {
    if (!validChannel(channel)) return 0;
    alSource3f(channels[channel].AL_Source(), AL_POSITION, std::sin(pan), 0.0f, -std::cos(pan));
    return 0;
}

int gxtkAudio::SetRate(int channel, float rate) {
    if (!validChannel(channel)) return 0;
    alSourcef(channels[channel].AL_Source(), AL_PITCH, rate);
    return 0;
}

int gxtkAudio::PlayMusic(const String& path, int flags) {
    StopMusic();
    // The driver owns the music sample: the old one is released here and its
    // buffer deleted by a later flush, once the source has let go of it.
    gxtkChannel& music = channels[MUSIC_CHANNEL];
    delete music.sample;
    music.sample = nullptr;
    gxtkSample* sample = LoadSample(path);
    if (!sample) return -1;
    PlaySample(sample, MUSIC_CHANNEL, flags);
    music.sample = sample;
    return 0;
}

int gxtkAudio::StopMusic() { return StopChannel(MUSIC_CHANNEL); }
int gxtkAudio::PauseMusic() { return PauseChannel(MUSIC_CHANNEL); }
int gxtkAudio::ResumeMusic() { return ResumeChannel(MUSIC_CHANNEL); }
int gxtkAudio::MusicState() { return ChannelState(MUSIC_CHANNEL); }
int gxtkAudio::SetMusicVolume(float volume) { return SetVolume(MUSIC_CHANNEL, volume); }

void bb_audio_Init() {
    bb_audio_device = nullptr;
    discarded.clear();
}

int bb_audio_SetAudioDevice(gxtkAudio* device) {
    bb_audio_device = device;
    return 0;
}

c_Sound* bb_audio_LoadSound(const String& path) {
    gxtkSample* sample = bb_audio_device->LoadSample(bb_data_FixDataPath(path));
    if (!sample) return nullptr;
    return (new c_Sound())->m_new(sample);
}

int bb_audio_PlaySound(c_Sound* sound, int channel, int flags) {
    if (sound && sound->m_sample) bb_audio_device->PlaySample(sound->m_sample, channel, flags);
    return 0;
}

int bb_audio_StopChannel(int channel) { return bb_audio_device->StopChannel(channel); }
int bb_audio_SetChannelVolume(int channel, float volume) { return bb_audio_device->SetVolume(channel, volume); }
int bb_audio_SetChannelPan(int channel, float pan) { return bb_audio_device->SetPan(channel, pan); }
int bb_audio_SetChannelRate(int channel, float rate) { return bb_audio_device->SetRate(channel, rate); }
int bb_audio_PlayMusic(const String& path, int flags) {
    return bb_audio_device->PlayMusic(bb_data_FixDataPath(path), flags);
}
int bb_audio_StopMusic() { return bb_audio_device->StopMusic(); }
int bb_audio_PauseMusic() { return bb_audio_device->PauseMusic(); }
int bb_audio_ResumeMusic() { return bb_audio_device->ResumeMusic(); }
int bb_audio_SetMusicVolume(float volume) { return bb_audio_device->SetMusicVolume(volume); }
