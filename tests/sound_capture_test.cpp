// The game's own effects and tune reach the mix at their volume settings:
// OpenAL Soft's wave device writes what it mixes to a file, read back here.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "sound_test_host.h"

#include "game/flow_globals.h"
#include "shell/zump_profile.h"

using namespace audiotest;

namespace {

class SoundCaptureTest : public testing::Test {
protected:
    SoundDataHost host;

    static void SetUpTestSuite() {
        mixPath = CaptureMixToFile("sound-mix");
    }

    void SetUp() override { OpenDevice(); }
    void TearDown() override {
        bb_zump_sound_Init();
        if (driver) CloseDriver(driver);
    }

    // Each mix starts from the start-up state on a fresh device.
    void OpenDevice() {
        bbInit();
        bb_zump_ZUMP_GameNum = 525;
        driver = new gxtkAudio();
        bb_audio_SetAudioDevice(driver);
        ASSERT_NE(driver->alcContext, nullptr);
    }

    // Closing the device finishes the file; returns the loudest 16-bit
    // sample after the data chunk's header.
    int CloseAndPeak() {
        CloseDriver(driver);
        driver = nullptr;
        Bytes file = ReadFile(mixPath);
        const unsigned char tag[] = {'d', 'a', 't', 'a'};
        auto at = std::search(file.begin(), file.end(), tag, tag + 4);
        if (at == file.end() || file.end() - at < 1000) return -1;
        int peak = 0;
        for (auto p = at + 8; p + 1 < file.end(); p += 2) peak = std::max(peak, std::abs((int)(int16_t)(p[0] | p[1] << 8)));
        return peak;
    }

    static std::string mixPath;
    gxtkAudio* driver = nullptr;
};

std::string SoundCaptureTest::mixPath;

TEST_F(SoundCaptureTest, EffectIsHeardAtItsSettingAndNotAtAll) {
    for (int setting : {7, 0}) {
        SCOPED_TRACE(setting);
        if (!driver) OpenDevice();
        bb_zump_ZUMP_Set[1] = setting;
        bb_zump_LoadSFX(98);
        bb_zump_PlaySFX(98);
        for (int i = 0; i < 400 && driver->ChannelState(bb_zump_ZUMP_LChan) != 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_EQ(driver->ChannelState(bb_zump_ZUMP_LChan), 0) << "the effect plays once and ends";
        WaitForMixFile(mixPath, 0.1);  // the mixer's last periods reach the file
        int peak = CloseAndPeak();
        // Full scale x 0.69 gain, panned centre: far above any noise floor.
        if (setting) EXPECT_GT(peak, 4000);
        // Not even the first moment sounds at the source's previous gain.
        else EXPECT_LT(peak, 50);
    }
}

TEST_F(SoundCaptureTest, TuneIsHeardAtItsSettingAndNotAtAll) {
    for (int setting : {7, 0}) {
        SCOPED_TRACE(setting);
        if (!driver) OpenDevice();
        bb_zump_ZUMP_Set[0] = setting;
        bb_zump_PlayTune(u"syrup", 1);
        ASSERT_EQ(driver->MusicState(), 1);
        WaitForMixFile(mixPath, 0.4);
        int peak = CloseAndPeak();
        if (setting) EXPECT_GT(peak, 2000);
        else EXPECT_LT(peak, 50);
    }
}

}  // namespace
