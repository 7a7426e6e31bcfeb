// The cost of the shell's effects on OpenAL Soft's null device, which mixes
// in real time: the PlaySFX call itself, and the time from the call until the
// mixer has taken the effect's first samples.
#include <AL/al.h>
#include <AL/alc.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "audio/audio.h"
#include "bench_support.h"
#include "shell/zump_profile.h"
#include "shell/zump_sound.h"

namespace {

// The driver and a 0.1 s effect in slot 5, made once.
void SetUpOnce() {
    static bool done = false;
    if (done) return;
    done = true;
    setenv("ALSOFT_DRIVERS", "null", 0);
    bb_audio_SetAudioDevice(new gxtkAudio());
    std::vector<int16_t> pcm(4410);
    for (size_t i = 0; i < pcm.size(); ++i) pcm[i] = (int16_t)(12000 * std::sin(i * 0.06));
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, AL_FORMAT_MONO16, pcm.data(), (ALsizei)(pcm.size() * 2), 44100);
    bb_zump_ZUMP_SFX[5] = (new c_Sound())->m_new(new gxtkSample(buffer));
    bb_zump_ZUMP_Set[1] = 7;
}

ALuint LastSource() { return bb_audio_device->channels[bb_zump_ZUMP_LChan].source; }

// PlaySFX with its random pitch, round-robin over the effect channels; the
// source reports playing as soon as the call returns.
void BM_PlaySFX(benchmark::State& state) {
    SetUpOnce();
    int notPlaying = 0;
    for (auto _ : state) {
        bb_zump_PlaySFX(5);
        ALint st = 0;
        alGetSourcei(LastSource(), AL_SOURCE_STATE, &st);
        notPlaying += st != AL_PLAYING;
    }
    state.counters["not_playing_on_return"] = notPlaying;
}
BENCHMARK(BM_PlaySFX)->Unit(benchmark::kMicrosecond);

// From the call until the mixer has consumed the first samples: bounded by
// the device's update period, not by the shell.
void BM_PlaySFXUntilMixed(benchmark::State& state) {
    SetUpOnce();
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        bb_zump_PlaySFX(5);
        state.SetIterationTime(SecondsUntilMixed(LastSource(), start));
    }
}
BENCHMARK(BM_PlaySFXUntilMixed)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
