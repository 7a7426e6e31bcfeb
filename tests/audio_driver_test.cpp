// Channel rules of the audio driver on OpenAL Soft's null device, which mixes
// in real time without a sound card.
#include <chrono>
#include <cstdlib>
#include <thread>

#include "audio_test_util.h"

using namespace audiotest;

namespace {

class AudioDriverTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("ALSOFT_DRIVERS", "null", 1);
        static FileHost host;
        shortWav = WriteFile("short.wav", Wav(1, 16, 22050, 441));     // 20 ms
        longWav = WriteFile("long.wav", Wav(2, 16, 44100, 44100 * 5));  // 5 s
        otherWav = WriteFile("other.wav", Wav(1, 8, 11025, 11025 * 5, 660.0));
    }

    void SetUp() override {
        bbInit();
        driver = new gxtkAudio();
        bb_audio_SetAudioDevice(driver);
        ASSERT_NE(driver->alcContext, nullptr);
    }

    void TearDown() override {
        for (gxtkSample* s : samples) delete s;
        CloseDriver(driver);
    }

    gxtkSample* Load(const std::string& path) {
        gxtkSample* s = driver->LoadSample(Text(path));
        if (s) samples.push_back(s);
        return s;
    }

    ALuint Source(int channel) { return driver->channels[channel].source; }

    // Polls until the condition holds or two seconds have passed.
    template <typename F>
    static bool Eventually(F condition) {
        for (int i = 0; i < 400; ++i) {
            if (condition()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return condition();
    }

    static std::string shortWav, longWav, otherWav;
    gxtkAudio* driver = nullptr;
    std::vector<gxtkSample*> samples;
};

std::string AudioDriverTest::shortWav, AudioDriverTest::longWav, AudioDriverTest::otherWav;

TEST_F(AudioDriverTest, StartsWithMusicSourceOnlyAndNoDistanceFading) {
    EXPECT_EQ(gxtkAudio::audio, driver);
    EXPECT_NE(Source(32), 0u);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(Source(i), 0u) << i;
    for (const gxtkChannel& chan : driver->channels) EXPECT_EQ(chan.state, 0);
    EXPECT_EQ(alGetInteger(AL_DISTANCE_MODEL), AL_NONE);
}

TEST_F(AudioDriverTest, LoadsEveryPlayableFormatIntoOneBuffer) {
    struct Case {
        int channels, bits, hertz;
    } cases[] = {{1, 8, 8000}, {2, 8, 11025}, {1, 16, 22050}, {2, 16, 44100}};
    for (Case c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << "ch " << c.bits << "bit");
        gxtkSample* s = Load(WriteFile("fmt.wav", Wav(c.channels, c.bits, c.hertz, 100)));
        ASSERT_NE(s, nullptr);
        ASSERT_TRUE(alIsBuffer(s->al_buffer));
        EXPECT_EQ(BufferInt(s->al_buffer, AL_CHANNELS), c.channels);
        EXPECT_EQ(BufferInt(s->al_buffer, AL_BITS), c.bits);
        EXPECT_EQ(BufferInt(s->al_buffer, AL_FREQUENCY), c.hertz);
        EXPECT_EQ(BufferInt(s->al_buffer, AL_SIZE), 100 * c.channels * c.bits / 8);
    }
    // Three channels decode but no buffer format fits: loaded, and silent.
    gxtkSample* odd = Load(WriteFile("three.wav", Wav(3, 16, 8000, 100)));
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(BufferInt(odd->al_buffer, AL_SIZE), 0);

    EXPECT_EQ(Load(TempPath("missing.wav")), nullptr);
    EXPECT_EQ(Load(WriteFile("noise.mp3", Wav(1, 8, 8000, 100))), nullptr);
}

TEST_F(AudioDriverTest, NonLoopingSoundEndsAndItsChannelReportsStopped) {
    gxtkSample* s = Load(shortWav);
    ASSERT_EQ(driver->PlaySample(s, 3, 0), 0);
    EXPECT_EQ(driver->channels[3].sample, s);
    EXPECT_EQ(driver->ChannelState(3), 1);
    EXPECT_EQ(SourceInt(Source(3), AL_BUFFER), (ALint)s->al_buffer);
    EXPECT_EQ(SourceInt(Source(3), AL_LOOPING), AL_FALSE);
    EXPECT_TRUE(Eventually([&] { return driver->ChannelState(3) == 0; }));
}

TEST_F(AudioDriverTest, LoopingSoundPlaysUntilStopped) {
    gxtkSample* s = Load(shortWav);
    ASSERT_EQ(driver->PlaySample(s, 0, 1), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));  // several lengths of the sound
    EXPECT_EQ(driver->ChannelState(0), 1);
    EXPECT_EQ(SourceInt(Source(0), AL_SOURCE_STATE), AL_PLAYING);
    driver->StopChannel(0);
    EXPECT_EQ(driver->ChannelState(0), 0);
    EXPECT_EQ(SourceInt(Source(0), AL_SOURCE_STATE), AL_STOPPED);
}

TEST_F(AudioDriverTest, PlayRestartsChannelWithNewSampleKeepingGainPitchAndPan) {
    gxtkSample* first = Load(longWav);
    gxtkSample* second = Load(otherWav);
    driver->SetVolume(5, 0.25f);
    driver->SetRate(5, 1.5f);
    driver->SetPan(5, (float)(M_PI / 2));
    ALuint src = Source(5);
    ASSERT_NE(src, 0u);

    ASSERT_EQ(driver->PlaySample(first, 5, 1), 0);
    EXPECT_TRUE(Eventually([&] { return SourceInt(src, AL_SAMPLE_OFFSET) > 4410; }));
    ASSERT_EQ(driver->PlaySample(second, 5, 0), 0);

    EXPECT_EQ(Source(5), src);  // a channel keeps its source
    EXPECT_EQ(SourceInt(src, AL_BUFFER), (ALint)second->al_buffer);
    EXPECT_EQ(SourceInt(src, AL_LOOPING), AL_FALSE);
    EXPECT_LT(SourceInt(src, AL_SAMPLE_OFFSET), 4410);  // from the beginning again
    EXPECT_EQ(driver->channels[5].flags, 0);
    ALfloat gain = 0, pitch = 0, pos[3] = {0, 0, 0};
    alGetSourcef(src, AL_GAIN, &gain);
    alGetSourcef(src, AL_PITCH, &pitch);
    alGetSourcefv(src, AL_POSITION, pos);
    EXPECT_FLOAT_EQ(gain, 0.25f);
    EXPECT_FLOAT_EQ(pitch, 1.5f);
    EXPECT_NEAR(pos[0], 1.0f, 1e-6);
    EXPECT_NEAR(pos[2], 0.0f, 1e-6);
}

TEST_F(AudioDriverTest, PanTurnsTheSoundAroundTheListener) {
    struct Case {
        float pan, x, z;
    } cases[] = {{0.0f, 0.0f, -1.0f}, {(float)(M_PI / 2), 1.0f, 0.0f}, {-1.0f, -0.841471f, -0.540302f}};
    for (Case c : cases) {
        driver->SetPan(7, c.pan);
        ALfloat pos[3] = {9, 9, 9};
        alGetSourcefv(Source(7), AL_POSITION, pos);
        EXPECT_NEAR(pos[0], c.x, 1e-5) << c.pan;
        EXPECT_EQ(pos[1], 0.0f);
        EXPECT_NEAR(pos[2], c.z, 1e-5) << c.pan;
    }
}

TEST_F(AudioDriverTest, PauseAndResumeFollowTheChannelStates) {
    gxtkSample* s = Load(longWav);
    driver->PlaySample(s, 2, 0);
    driver->PauseChannel(2);
    EXPECT_EQ(driver->ChannelState(2), 2);
    EXPECT_EQ(SourceInt(Source(2), AL_SOURCE_STATE), AL_PAUSED);
    driver->ResumeChannel(2);
    EXPECT_EQ(driver->ChannelState(2), 1);
    EXPECT_EQ(SourceInt(Source(2), AL_SOURCE_STATE), AL_PLAYING);

    // A sound that has just ended is stopped, not paused, and stays so.
    gxtkSample* blip = Load(shortWav);
    driver->PlaySample(blip, 4, 0);
    ASSERT_TRUE(Eventually([&] { return SourceInt(Source(4), AL_SOURCE_STATE) == AL_STOPPED; }));
    EXPECT_EQ(driver->channels[4].state, 1);  // not noticed yet
    driver->PauseChannel(4);
    EXPECT_EQ(driver->channels[4].state, 0);
    driver->ResumeChannel(4);
    EXPECT_EQ(driver->ChannelState(4), 0);
    EXPECT_EQ(SourceInt(Source(4), AL_SOURCE_STATE), AL_STOPPED);
}

TEST_F(AudioDriverTest, SuspendPausesBelowTheChannelStatesAndResumeContinues) {
    gxtkSample* s = Load(longWav);
    driver->PlaySample(s, 0, 1);
    driver->PlaySample(s, 1, 1);
    driver->PauseChannel(1);  // paused by the game
    ASSERT_TRUE(driver->PlayMusic(Text(FixturePath("tone_stereo_44100.ogg")), 1) == 0);
    ASSERT_TRUE(Eventually([&] { return SourceInt(Source(0), AL_SAMPLE_OFFSET) > 2000; }));

    driver->Suspend();
    ALint offset = SourceInt(Source(0), AL_SAMPLE_OFFSET);
    EXPECT_EQ(SourceInt(Source(0), AL_SOURCE_STATE), AL_PAUSED);
    EXPECT_EQ(SourceInt(Source(32), AL_SOURCE_STATE), AL_PAUSED);
    EXPECT_EQ(driver->ChannelState(0), 1);
    EXPECT_EQ(driver->MusicState(), 1);
    EXPECT_EQ(driver->ChannelState(1), 2);

    driver->Resume();
    EXPECT_EQ(SourceInt(Source(0), AL_SOURCE_STATE), AL_PLAYING);
    EXPECT_GE(SourceInt(Source(0), AL_SAMPLE_OFFSET), offset);  // continues, not restarted
    EXPECT_EQ(SourceInt(Source(32), AL_SOURCE_STATE), AL_PLAYING);
    EXPECT_EQ(SourceInt(Source(1), AL_SOURCE_STATE), AL_PAUSED);
    EXPECT_EQ(driver->ChannelState(1), 2);
}

TEST_F(AudioDriverTest, MusicPlaysOnItsOwnChannelAndAMissingTuneStopsIt) {
    ALuint musicSource = Source(32);
    ASSERT_EQ(driver->PlayMusic(Text(FixturePath("tone_mono_22050.ogg")), 1), 0);
    EXPECT_EQ(driver->MusicState(), 1);
    EXPECT_EQ(Source(32), musicSource);
    EXPECT_EQ(SourceInt(musicSource, AL_LOOPING), AL_TRUE);
    gxtkSample* tune = driver->channels[32].sample;
    ASSERT_NE(tune, nullptr);
    EXPECT_EQ(BufferInt(tune->al_buffer, AL_FREQUENCY), 22050);

    driver->SetMusicVolume(0.5f);
    ALfloat gain = 0;
    alGetSourcef(musicSource, AL_GAIN, &gain);
    EXPECT_FLOAT_EQ(gain, 0.5f);
    driver->PauseMusic();
    EXPECT_EQ(driver->MusicState(), 2);
    driver->ResumeMusic();
    EXPECT_EQ(driver->MusicState(), 1);

    EXPECT_EQ(driver->PlayMusic(Text(TempPath("nothing.ogg")), 1), -1);
    EXPECT_EQ(driver->MusicState(), 0);
    EXPECT_EQ(SourceInt(musicSource, AL_SOURCE_STATE), AL_STOPPED);
}

TEST_F(AudioDriverTest, ReplacedTuneBufferIsDeletedOnceTheSourceLetsGo) {
    std::string tunePath = FixturePath("tone_mono_22050.ogg");
    driver->PlayMusic(Text(tunePath), 1);
    ALuint old = driver->channels[32].sample->al_buffer;
    driver->PlayMusic(Text(tunePath), 1);
    ALuint now = driver->channels[32].sample->al_buffer;
    EXPECT_NE(now, old);
    // Still attached to the stopped source during the new load, so it waits
    // for the next flush.
    EXPECT_TRUE(alIsBuffer(old));
    driver->PlaySample(nullptr, 0, 0);  // (a load would reuse the freed name)
    EXPECT_FALSE(alIsBuffer(old));
    EXPECT_TRUE(alIsBuffer(now));
}

TEST_F(AudioDriverTest, DiscardedBufferWaitsWhilePlayedAndGoesWhenStopped) {
    gxtkSample* s = Load(shortWav);
    ALuint buffer = s->al_buffer;
    gxtkSample* loop = Load(longWav);
    ALuint loopBuffer = loop->al_buffer;
    driver->PlaySample(s, 0, 0);
    driver->PlaySample(loop, 1, 1);
    s->Discard();
    loop->Discard();
    EXPECT_EQ(s->al_buffer, 0u);
    s->Discard();  // nothing left to hand over

    driver->PlaySample(nullptr, 5, 0);  // a flush while both still sound
    EXPECT_TRUE(alIsBuffer(buffer));
    EXPECT_TRUE(alIsBuffer(loopBuffer));

    // Once the short one has ended its source lets go and the buffer is
    // deleted; the looping one is kept until its channel stops and replays.
    ASSERT_TRUE(Eventually([&] { return SourceInt(Source(0), AL_SOURCE_STATE) == AL_STOPPED; }));
    driver->PlaySample(nullptr, 5, 0);
    EXPECT_FALSE(alIsBuffer(buffer));
    EXPECT_TRUE(alIsBuffer(loopBuffer));
    EXPECT_EQ(driver->channels[0].state, 1);  // the flush does not change states
}

TEST_F(AudioDriverTest, ModuleFunctionsForwardToTheDriver) {
    c_Sound* sound = bb_audio_LoadSound(Text(shortWav));
    ASSERT_NE(sound, nullptr);
    ASSERT_NE(sound->m_sample, nullptr);
    samples.push_back(sound->m_sample);
    EXPECT_EQ(bb_audio_LoadSound(Text(TempPath("absent.wav"))), nullptr);

    c_Sound empty;
    empty.m_new2();
    bb_audio_PlaySound(nullptr, 6, 0);
    bb_audio_PlaySound(&empty, 6, 0);
    EXPECT_EQ(Source(6), 0u);  // nothing was played

    bb_audio_SetChannelVolume(6, 0.75f);
    bb_audio_SetChannelRate(6, 0.5f);
    bb_audio_SetChannelPan(6, 0.0f);
    bb_audio_PlaySound(sound, 6, 1);
    EXPECT_EQ(driver->ChannelState(6), 1);
    ALfloat gain = 0, pitch = 0;
    alGetSourcef(Source(6), AL_GAIN, &gain);
    alGetSourcef(Source(6), AL_PITCH, &pitch);
    EXPECT_FLOAT_EQ(gain, 0.75f);
    EXPECT_FLOAT_EQ(pitch, 0.5f);
    bb_audio_StopChannel(6);
    EXPECT_EQ(driver->ChannelState(6), 0);

    EXPECT_EQ(bb_audio_PlayMusic(Text(FixturePath("tone_mono_22050.ogg")), 0), 0);
    bb_audio_SetMusicVolume(0.2f);
    bb_audio_PauseMusic();
    EXPECT_EQ(driver->MusicState(), 2);
    bb_audio_ResumeMusic();
    EXPECT_EQ(driver->MusicState(), 1);
    bb_audio_StopMusic();
    EXPECT_EQ(driver->MusicState(), 0);
    delete sound;
}

TEST_F(AudioDriverTest, ChannelNumbersOutsideTheTableAreIgnored) {
    gxtkSample* s = Load(shortWav);
    for (int channel : {-1, 33, 1000}) {
        EXPECT_EQ(driver->PlaySample(s, channel, 0), -1);
        EXPECT_EQ(driver->ChannelState(channel), 0);
        driver->SetVolume(channel, 1);
        driver->SetPan(channel, 1);
        driver->SetRate(channel, 1);
        driver->PauseChannel(channel);
        driver->ResumeChannel(channel);
        driver->StopChannel(channel);
    }
}

}  // namespace
