// Without any sound device the driver says so once and the game runs on silently.
#include <cstdlib>

#include "audio_test_util.h"

using namespace audiotest;

namespace {

TEST(AudioWithoutDevice, ReportsOnceAndEveryOperationIsHarmless) {
    setenv("ALSOFT_DRIVERS", "no-such-backend", 1);
    FileHost host;
    bbInit();
    testing::internal::CaptureStdout();
    gxtkAudio* driver = new gxtkAudio();
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "OpenAl error: alcOpenDevice failed\n");
    EXPECT_EQ(driver->alcDevice, nullptr);
    EXPECT_EQ(driver->alcContext, nullptr);
    bb_audio_SetAudioDevice(driver);

    // Files still decode; there is just nothing to play them on.
    std::string wav = WriteFile("quiet.wav", Wav(1, 16, 22050, 100));
    c_Sound* sound = bb_audio_LoadSound(Text(wav));
    ASSERT_NE(sound, nullptr);
    for (int ch = 0; ch < 32; ++ch) {
        EXPECT_EQ(driver->PlaySample(sound->m_sample, ch, 0), -1);
        EXPECT_EQ(driver->ChannelState(ch), 0);
    }
    bb_audio_SetChannelVolume(1, 0.5f);
    bb_audio_SetChannelPan(1, 0.5f);
    bb_audio_SetChannelRate(1, 2.0f);
    bb_audio_PlaySound(sound, 1, 1);
    bb_audio_StopChannel(1);
    EXPECT_EQ(bb_audio_PlayMusic(Text(FixturePath("tone_mono_22050.ogg")), 1), 0);
    EXPECT_EQ(driver->MusicState(), 0);
    bb_audio_SetMusicVolume(1.0f);
    bb_audio_PauseMusic();
    bb_audio_ResumeMusic();
    bb_audio_StopMusic();
    driver->Suspend();
    driver->Resume();
    sound->m_sample->Discard();
    EXPECT_EQ(bb_audio_PlayMusic(Text(TempPath("gone.ogg")), 1), -1);
}

}  // namespace
