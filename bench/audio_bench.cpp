// Sound decoding and playing costs.
//   Tune decoding reads the file named by BRAMBLEWICK_TUNE, else the game's
//   data/525/sfx/syrup.ogg from the working folder (tests/fixtures/make_ogg.sh
//   tune OUT writes a one-minute stand-in).
//   Playing runs on OpenAL Soft's null device, which mixes in real time.
#include <AL/al.h>
#include <AL/alc.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "audio/audio.h"
#include "bench_support.h"
#include "audio/sound_decode.h"

namespace {

void BM_DecodeTune(benchmark::State& state) {
    const char* path = std::getenv("BRAMBLEWICK_TUNE");
    if (!path) path = "data/525/sfx/syrup.ogg";
    FILE* probe = std::fopen(path, "rb");
    if (!probe) {
        state.SkipWithError("no tune to decode");
        return;
    }
    std::fclose(probe);
    double seconds = 0;
    for (auto _ : state) {
        FILE* f = std::fopen(path, "rb");
        int length = 0, channels = 0, format = 0, hertz = 0;
        unsigned char* pcm = LoadOGG(f, &length, &channels, &format, &hertz);
        std::fclose(f);
        if (!pcm) {
            state.SkipWithError("tune did not decode");
            return;
        }
        seconds = (double)length / hertz;
        std::free(pcm);
    }
    state.counters["audio_seconds"] = seconds;
    state.counters["audio_seconds_per_second"] =
        benchmark::Counter(seconds * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeTune)->Unit(benchmark::kMillisecond);

// One second of 16-bit stereo at 44100 Hz, the size of a long effect.
void BM_DecodeWav(benchmark::State& state) {
    const uint32_t frames = 44100, bytes = frames * 4;
    std::vector<unsigned char> file;
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) file.push_back((unsigned char)(v >> (8 * i)));
    };
    auto put16 = [&](uint32_t v) {
        file.push_back((unsigned char)v);
        file.push_back((unsigned char)(v >> 8));
    };
    auto tag = [&](const char* t) { file.insert(file.end(), t, t + 4); };
    tag("RIFF");
    put32(36 + bytes);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);
    put16(2);
    put32(44100);
    put32(44100 * 4);
    put16(4);
    put16(16);
    tag("data");
    put32(bytes);
    file.resize(file.size() + bytes, 0);
    FILE* f = std::tmpfile();
    std::fwrite(file.data(), 1, file.size(), f);
    for (auto _ : state) {
        std::rewind(f);
        int length = 0, channels = 0, format = 0, hertz = 0;
        unsigned char* pcm = LoadWAV(f, &length, &channels, &format, &hertz);
        benchmark::DoNotOptimize(pcm);
        std::free(pcm);
    }
    std::fclose(f);
    state.SetBytesProcessed((int64_t)state.iterations() * bytes);
}
BENCHMARK(BM_DecodeWav)->Unit(benchmark::kMicrosecond);

// The driver and a 0.1 s effect, made once for the playing benchmarks.
struct Player {
    gxtkAudio* driver;
    gxtkSample* sample;
    Player() {
        setenv("ALSOFT_DRIVERS", "null", 0);
        driver = new gxtkAudio();
        std::vector<int16_t> pcm(4410);
        for (size_t i = 0; i < pcm.size(); ++i) pcm[i] = (int16_t)(12000 * std::sin(i * 0.06));
        ALuint buffer = 0;
        alGenBuffers(1, &buffer);
        alBufferData(buffer, AL_FORMAT_MONO16, pcm.data(), (ALsizei)(pcm.size() * 2), 44100);
        sample = new gxtkSample(buffer);
    }
};

Player& GetPlayer() {
    static Player player;
    return player;
}

// The call itself, round-robin over the sound channels as the game does;
// OpenAL Soft reports the source playing as soon as the call returns.
void BM_PlaySample(benchmark::State& state) {
    Player& p = GetPlayer();
    int channel = 0;
    int notPlaying = 0;
    for (auto _ : state) {
        p.driver->PlaySample(p.sample, channel, 0);
        ALint st = 0;
        alGetSourcei(p.driver->channels[channel].source, AL_SOURCE_STATE, &st);
        notPlaying += st != AL_PLAYING;
        channel = (channel + 1) & 31;
    }
    state.counters["not_playing_on_return"] = notPlaying;
}
BENCHMARK(BM_PlaySample)->Unit(benchmark::kMicrosecond);

// From the call until the mixer has taken the first samples of the sound:
// the device's period, not the driver's cost.
void BM_PlayUntilMixed(benchmark::State& state) {
    Player& p = GetPlayer();
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        p.driver->PlaySample(p.sample, 0, 0);
        state.SetIterationTime(SecondsUntilMixed(p.driver->channels[0].source, start));
    }
}
BENCHMARK(BM_PlayUntilMixed)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
