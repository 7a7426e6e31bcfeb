// Sound tests of the shell: a host that reads the game's own data folder from
// the source tree, and a driver that notes which files it is asked to load.
#pragma once

#include <string>
#include <vector>

#include "audio_test_util.h"
#include "host/files.h"
#include "shell_test_host.h"
#include "shell/zump_sound.h"

class SoundDataHost : public ShellTestHost {
public:
    String PathToFilePath(const String& path) override {
        std::string here = __FILE__;
        String root = bbStringFromUtf8(here.substr(0, here.rfind("/tests/")));
        return bb_host_ResourceFilePath(path, root, root + u"/internal");
    }
    unsigned char* LoadAudioData(const String& path, int* length, int* channels, int* format, int* hertz) override {
        return LoadAudioFile(OpenFile(path, u"rb"), path, length, channels, format, hertz);
    }
};

class LoggingAudio : public gxtkAudio {
public:
    // Every path asked for, with the data folder's prefix taken off.
    std::vector<std::string> loads;

    gxtkSample* LoadSample(const String& path) override {
        std::string p = bbStringToUtf8(path);
        const std::string prefix = "tarvik://data/";
        loads.push_back(p.compare(0, prefix.size(), prefix) == 0 ? p.substr(prefix.size()) : p);
        return gxtkAudio::LoadSample(path);
    }
};

inline float SourceFloat(unsigned int source, int what) {
    float v = -12345;
    alGetSourcef(source, what, &v);
    return v;
}
