// Sound test helpers: WAVE files built byte by byte, fixture paths, a host
// that opens plain paths, and a driver that can be shut down between tests.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "audio/audio.h"
#include "audio/sound_decode.h"
#include "host/bbgame.h"

namespace audiotest {

typedef std::vector<unsigned char> Bytes;

inline void Put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back((unsigned char)(v >> (8 * i)));
}
inline void Put16(Bytes& b, uint32_t v) {
    b.push_back((unsigned char)v);
    b.push_back((unsigned char)(v >> 8));
}
inline void PutTag(Bytes& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

// One chunk; the stored size is the body's unless told otherwise.
inline Bytes Chunk(const char* tag, const Bytes& body, int64_t storedSize = -1) {
    Bytes b;
    PutTag(b, tag);
    Put32(b, storedSize < 0 ? (uint32_t)body.size() : (uint32_t)storedSize);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

// A format chunk body; extra bytes follow the 16 standard ones.
inline Bytes FmtBody(int code, int channels, int hertz, int bits, const Bytes& extra = Bytes()) {
    Bytes b;
    int block = channels * (bits / 8);
    Put16(b, code);
    Put16(b, channels);
    Put32(b, hertz);
    Put32(b, hertz * block);
    Put16(b, block);
    Put16(b, bits);
    b.insert(b.end(), extra.begin(), extra.end());
    return b;
}

inline Bytes Riff(const std::vector<Bytes>& chunks, const char* riff = "RIFF", const char* wave = "WAVE") {
    Bytes body;
    PutTag(body, wave);
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes b;
    PutTag(b, riff);
    Put32(b, (uint32_t)body.size());
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

// Interleaved PCM of a sine at the given loudness (0 to 1): 8-bit unsigned
// or 16-bit signed, the same tone on every channel.
inline Bytes Tone(int channels, int bits, int hertz, int frames, double freq = 440.0, double level = 0.5) {
    Bytes b;
    for (int i = 0; i < frames; ++i) {
        double v = level * std::sin(2 * M_PI * freq * i / hertz);
        for (int c = 0; c < channels; ++c) {
            if (bits == 8) {
                b.push_back((unsigned char)(128 + (int)std::lround(v * 127)));
            } else {
                Put16(b, (uint32_t)(uint16_t)(int16_t)std::lround(v * 32767));
            }
        }
    }
    return b;
}

// A plain playable WAVE file.
inline Bytes Wav(int channels, int bits, int hertz, int frames, double freq = 440.0) {
    return Riff({Chunk("fmt ", FmtBody(1, channels, hertz, bits)),
                 Chunk("data", Tone(channels, bits, hertz, frames, freq))});
}

// A seekable stream holding the bytes, positioned at the start.
inline FILE* Stream(const Bytes& bytes) {
    FILE* f = std::tmpfile();
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    return f;
}

// Each test runs in its own process, often beside another test of the same
// file, so scratch files carry the process id.
inline std::string TempPath(const std::string& name) {
    return testing::TempDir() + "bramblewick-" + std::to_string(getpid()) + "-" + name;
}

inline std::string WriteFile(const std::string& name, const Bytes& bytes) {
    std::string path = TempPath(name);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

inline Bytes ReadFile(const std::string& path) {
    Bytes b;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return b;
    unsigned char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) b.insert(b.end(), chunk, chunk + n);
    std::fclose(f);
    return b;
}

// The committed Ogg Vorbis fixtures beside this file.
inline std::string FixturePath(const char* name) {
    std::string here = __FILE__;
    return here.substr(0, here.rfind('/')) + "/fixtures/" + name;
}

inline String Text(const std::string& s) { return bbStringFromUtf8(s); }

// A host that opens paths as they are, so the driver can be tested on
// absolute paths without the resource folder.
class FileHost : public BBGame {
public:
    FILE* OpenFile(const String& path, const String& mode) override {
        return std::fopen(bbStringToUtf8(path).c_str(), bbStringToUtf8(mode).c_str());
    }
    unsigned char* LoadAudioData(const String& path, int* length, int* channels, int* format, int* hertz) override {
        return LoadAudioFile(OpenFile(path, u"rb"), path, length, channels, format, hertz);
    }
};

// Releases everything a driver opened, so the next test starts on a fresh
// device; the game itself never does this.
// Points OpenAL Soft at its wave device, which writes the mix to a file
// instead of a sound card; returns that file's path.
inline std::string CaptureMixToFile(const char* name) {
    std::string mixPath = TempPath(std::string(name) + ".wav");
    std::string conf = TempPath(std::string(name) + "-alsoft.conf");
    FILE* f = std::fopen(conf.c_str(), "w");
    std::fprintf(f, "[general]\ndrivers=wave\nsample-type=int16\nchannels=stereo\n[wave]\nfile=%s\n",
                 mixPath.c_str());
    std::fclose(f);
    unsetenv("ALSOFT_DRIVERS");
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    return mixPath;
}

inline long FileSize(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return 0;
    std::fseek(f, 0, SEEK_END);
    long size = std::ftell(f);
    std::fclose(f);
    return size;
}

// The wave device writes in real time from its own thread, which a busy
// machine may hold back: waits (a few seconds at most) until the given
// stretch of 44.1 kHz stereo 16-bit mix more than was there at the call has
// reached the disk.
inline void WaitForMixFile(const std::string& mixPath, double seconds) {
    const long target = FileSize(mixPath) + (long)(seconds * 44100) * 4;
    for (int i = 0; i < 1000 && FileSize(mixPath) < target; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

inline void CloseDriver(gxtkAudio* driver) {
    for (gxtkChannel& chan : driver->channels) {
        if (chan.source) {
            alSourceStop(chan.source);
            alDeleteSources(1, &chan.source);
        }
    }
    if (driver->alcContext) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext((ALCcontext*)driver->alcContext);
    }
    if (driver->alcDevice) alcCloseDevice((ALCdevice*)driver->alcDevice);
    delete driver->channels[32].sample;
    delete driver;
}

inline ALint SourceInt(ALuint source, ALenum what) {
    ALint v = -12345;
    alGetSourcei(source, what, &v);
    return v;
}

inline ALint BufferInt(ALuint buffer, ALenum what) {
    ALint v = -12345;
    alGetBufferi(buffer, what, &v);
    return v;
}

}  // namespace audiotest
