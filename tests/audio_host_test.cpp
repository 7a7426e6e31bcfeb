// Sounds named as the game names them: bare names go to the data folder next
// to the executable, through the desktop host's file opening.
#include <cstdlib>
#include <filesystem>

#include "audio_test_util.h"
#include "host/glfwgame.h"
#include "platform/platform.h"

using namespace audiotest;

namespace {

TEST(AudioThroughHost, BareNamesLoadFromTheDataFolder) {
    setenv("ALSOFT_DRIVERS", "null", 1);
    BBGlfwGame host;
    bbInit();
    gxtkAudio* driver = new gxtkAudio();
    bb_audio_SetAudioDevice(driver);

    std::string folder = plat_ExecutableDir() + "/data/audio-host-test";
    std::filesystem::create_directories(folder);
    auto put = [&](const char* name, const Bytes& bytes) {
        FILE* f = std::fopen((folder + "/" + name).c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    };
    put("HIT.WAV", Wav(1, 8, 22050, 500));
    put("tune.ogg", ReadFile(FixturePath("tone_mono_22050.ogg")));
    put("tune.mp3", Wav(1, 8, 22050, 500));

    c_Sound* hit = bb_audio_LoadSound(u"audio-host-test/HIT.WAV");
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(BufferInt(hit->m_sample->al_buffer, AL_FREQUENCY), 22050);
    EXPECT_EQ(bb_audio_LoadSound(u"audio-host-test/tune.mp3"), nullptr);
    EXPECT_EQ(bb_audio_LoadSound(u"tarvik://data/audio-host-test/missing.wav"), nullptr);
    EXPECT_EQ(bb_audio_PlayMusic(u"audio-host-test/tune.ogg", 1), 0);
    EXPECT_EQ(driver->MusicState(), 1);

    std::filesystem::remove_all(folder);
    delete hit->m_sample;
    delete hit;
    CloseDriver(driver);
}

}  // namespace
