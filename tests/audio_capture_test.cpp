// What the driver plays really reaches the mix: OpenAL Soft's wave device
// writes its output to a file, which is read back and searched for sound.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "audio_test_util.h"

using namespace audiotest;

namespace {

class AudioCaptureTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        mixPath = CaptureMixToFile("captured-mix");
        static FileHost host;
    }

    void SetUp() override {
        bbInit();
        driver = new gxtkAudio();
        bb_audio_SetAudioDevice(driver);
        ASSERT_NE(driver->alcContext, nullptr);
    }

    // Closing the device finishes the file; the mix is every 16-bit sample
    // after the data chunk's header.
    std::vector<int16_t> CloseAndReadMix() {
        CloseDriver(driver);
        driver = nullptr;
        Bytes file = ReadFile(mixPath);
        const unsigned char tag[] = {'d', 'a', 't', 'a'};
        auto at = std::search(file.begin(), file.end(), tag, tag + 4);
        std::vector<int16_t> mix;
        if (at == file.end()) return mix;
        for (auto p = at + 8; p + 1 < file.end(); p += 2) mix.push_back((int16_t)(p[0] | p[1] << 8));
        return mix;
    }

    static int Peak(const std::vector<int16_t>& mix) {
        int peak = 0;
        for (int16_t v : mix) peak = std::max(peak, std::abs((int)v));
        return peak;
    }

    void TearDown() override {
        if (driver) CloseDriver(driver);
    }

    static std::string mixPath;
    gxtkAudio* driver = nullptr;
};

std::string AudioCaptureTest::mixPath;

TEST_F(AudioCaptureTest, PlayedEffectIsHeardUntilItEnds) {
    c_Sound* sound = bb_audio_LoadSound(Text(WriteFile("beep.wav", Wav(1, 16, 44100, 4410))));
    ASSERT_NE(sound, nullptr);
    bb_audio_PlaySound(sound, 0, 0);
    for (int i = 0; i < 400 && driver->ChannelState(0) != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(driver->ChannelState(0), 0);
    delete sound->m_sample;
    delete sound;
    std::vector<int16_t> mix = CloseAndReadMix();
    ASSERT_FALSE(mix.empty());
    // A half-scale sine, panned centre: well above any noise floor.
    EXPECT_GT(Peak(mix), 4000);
}

TEST_F(AudioCaptureTest, TuneIsNotSilentAndAPausedTuneIs) {
    ASSERT_EQ(bb_audio_PlayMusic(Text(FixturePath("tone_stereo_44100.ogg")), 1), 0);
    WaitForMixFile(mixPath, 0.3);
    std::vector<int16_t> mix = CloseAndReadMix();
    ASSERT_FALSE(mix.empty());
    EXPECT_GT(Peak(mix), 4000);

    driver = new gxtkAudio();
    bb_audio_SetAudioDevice(driver);
    ASSERT_EQ(bb_audio_PlayMusic(Text(FixturePath("tone_stereo_44100.ogg")), 1), 0);
    bb_audio_PauseMusic();
    WaitForMixFile(mixPath, 0.2);
    mix = CloseAndReadMix();
    ASSERT_FALSE(mix.empty());
    EXPECT_LT(Peak(mix), 100);
}

}  // namespace
