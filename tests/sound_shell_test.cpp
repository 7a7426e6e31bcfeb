// The shell's effects and tunes on the real driver over OpenAL Soft's silent
// device, loading the game's own sound files.
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "sound_test_host.h"

#include "game/flow_globals.h"
#include "shell/zump_profile.h"
#include "shell/zump_random.h"

using audiotest::CloseDriver;
using audiotest::SourceInt;

namespace {

class SoundTest : public testing::Test {
protected:
    SoundDataHost host;
    LoggingAudio* driver = nullptr;

    static void SetUpTestSuite() { setenv("ALSOFT_DRIVERS", "null", 1); }

    void SetUp() override {
        bbInit();
        bb_zump_ZUMP_GameNum = 525;
        driver = new LoggingAudio();
        bb_audio_SetAudioDevice(driver);
        ASSERT_NE(driver->alcContext, nullptr);
    }
    void TearDown() override {
        bb_zump_sound_Init();
        CloseDriver(driver);
    }

    unsigned int Source(int channel) { return driver->channels[channel].source; }
    unsigned int Buffer(int slot) { return bb_zump_ZUMP_SFX[slot]->m_sample->al_buffer; }
};

TEST_F(SoundTest, EffectFilesAreNamedBySlotOrNumber) {
    struct Case {
        int slot, number;
        const char* path;  // nullptr: nothing is asked for
        bool loads;
    };
    const Case cases[] = {
        {3, -1, "525/sfx/003.wav", true},    {12, -1, "525/sfx/012.wav", true},
        {69, -1, "525/sfx/069.wav", false},  {70, -1, "common/070.wav", false},
        {98, -1, "common/098.wav", true},    {7, 96, "common/096.wav", true},
        {8, 5, "525/sfx/005.wav", true},     {100, -1, nullptr, false},
        {-1, 3, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.slot) + "/" + std::to_string(c.number));
        driver->loads.clear();
        bb_zump_LoadSFX(c.slot, c.number);
        if (c.path) {
            ASSERT_EQ(driver->loads.size(), 1u);
            EXPECT_EQ(driver->loads[0], c.path);
            EXPECT_EQ(bb_zump_ZUMP_SFX[c.slot] != nullptr, c.loads);
        } else {
            EXPECT_TRUE(driver->loads.empty());
        }
    }
}

TEST_F(SoundTest, LoadingEmptiesTheSlotFirst) {
    bb_zump_LoadSFX(5);
    ASSERT_NE(bb_zump_ZUMP_SFX[5], nullptr);
    bb_zump_LoadSFX(5, 100);
    EXPECT_EQ(bb_zump_ZUMP_SFX[5], nullptr) << "number 100 loads nothing but still empties the slot";
    bb_zump_LoadSFX(5);
    bb_zump_LoadSFX(5, 69);
    EXPECT_EQ(bb_zump_ZUMP_SFX[5], nullptr) << "a missing file leaves the slot empty";
}

TEST_F(SoundTest, EffectsGoRoundTheChannelsFromOne) {
    bb_zump_LoadSFX(5);
    ASSERT_NE(bb_zump_ZUMP_SFX[5], nullptr);
    for (int n = 1; n <= 33; ++n) {
        bb_zump_PlaySFX(5);
        int expected = n % 32;
        ASSERT_EQ(bb_zump_ZUMP_LChan, expected) << "effect " << n;
        EXPECT_EQ(driver->channels[expected].state, 1);
        EXPECT_EQ(SourceInt(Source(expected), AL_BUFFER), (int)Buffer(5));
        EXPECT_EQ(SourceInt(Source(expected), AL_LOOPING), 0);
    }
    EXPECT_EQ(driver->channels[32].state, 0) << "effects never touch the music channel";
}

TEST_F(SoundTest, RateVolumeAndPanAreClampedAndScaledBySetting) {
    const float nan = std::nanf("");
    struct Case {
        const char* what;
        int slot;
        float rate, volume, pan;
        int setting;
        float pitch;  // -1: drawn from the generator
        float gain, panned;
        int stored;
        bool draws;
    };
    const Case cases[] = {
        {"game effect, random pitch", 5, -1, 0.99f, 0, 7, -1, 0.99f * 0.7f, 0, 7, true},
        {"slot 90 still varies", 90, -1, 0.99f, 0, 7, -1, 0.99f * 0.7f, 0, 7, true},
        {"menu sound keeps its pitch", 98, -1, 0.99f, 0, 7, 1, 0.99f * 0.7f, 0, 7, true},
        {"slot 91 keeps its pitch", 91, -1, 0.99f, 0, 7, 1, 0.99f * 0.7f, 0, 7, true},
        {"fast rate", 5, 5, 0.99f, 0, 7, 3, 0.99f * 0.7f, 0, 7, false},
        {"slow rate", 5, 0.1f, 0.99f, 0, 7, 0.4f, 0.99f * 0.7f, 0, 7, false},
        {"bad rate", 5, nan, 0.5f, 0, 10, 0.4f, 0.5f, 0, 10, false},
        {"loud", 5, 1, 2, 0, 10, 1, 0.99f, 0, 10, false},
        {"negative volume", 5, 1, -1, 0, 10, 1, 0, 0, 10, false},
        {"far right", 5, 1, 0.5f, 3, 10, 1, 0.5f, 1, 10, false},
        {"far left", 5, 1, 0.5f, -2, 10, 1, 0.5f, -1, 10, false},
        {"half left", 5, 1, 0.5f, -0.5f, 10, 1, 0.5f, -0.5f, 10, false},
        {"setting above 10", 5, 1, 0.99f, 0, 12, 1, 0.99f, 0, 10, false},
        {"effects off", 5, 1, 0.99f, 0, 0, 1, 0, 0, 0, false},
        {"setting below 0", 98, -1, 0.99f, 0, -4, 1, 0, 0, 0, true},
    };
    for (int slot : {5, 90, 91, 98}) bb_zump_LoadSFX(slot, 5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bb_zump_ZUMP_Set[1] = c.setting;
        uint32_t seed = bb_random_Seed;
        float r = bb_random_Rnd();
        uint32_t oneDraw = bb_random_Seed;
        bb_random_Seed = seed;

        bb_zump_PlaySFX(c.slot, c.rate, c.volume, c.pan);

        EXPECT_EQ(bb_random_Seed, c.draws ? oneDraw : seed);
        EXPECT_EQ(bb_zump_ZUMP_Set[1], c.stored);
        unsigned int src = Source(bb_zump_ZUMP_LChan);
        float pitch = c.pitch == -1 ? 0.7f + r * (1.3f - 0.7f) : c.pitch;
        EXPECT_FLOAT_EQ(SourceFloat(src, AL_PITCH), pitch);
        EXPECT_NEAR(SourceFloat(src, AL_GAIN), c.gain, 1e-6);
        float pos[3] = {9, 9, 9};
        alGetSourcefv(src, AL_POSITION, pos);
        EXPECT_NEAR(pos[0], std::sin(c.panned), 1e-6);
        EXPECT_NEAR(pos[1], 0, 1e-6);
        EXPECT_NEAR(pos[2], -std::cos(c.panned), 1e-6);
    }
}

TEST_F(SoundTest, EmptyOrUnknownSlotPlaysNothingButStillDrawsItsPitch) {
    for (int slot : {40, -3, 100, 150}) {
        SCOPED_TRACE(slot);
        uint32_t seed = bb_random_Seed;
        bb_random_Rnd();
        uint32_t oneDraw = bb_random_Seed;
        bb_random_Seed = seed;
        bb_zump_PlaySFX(slot);
        EXPECT_EQ(bb_random_Seed, oneDraw);
        EXPECT_EQ(bb_zump_ZUMP_LChan, 0) << "no channel is used";
    }
    for (const gxtkChannel& chan : driver->channels) EXPECT_EQ(chan.state, 0);
}

TEST_F(SoundTest, TuneLoopsOnTheMusicChannelAtTheMusicSetting) {
    bb_zump_ZUMP_Set[0] = 7;
    bb_zump_PlayTune(u"syrup", 1);
    ASSERT_EQ(driver->loads, std::vector<std::string>{"525/sfx/syrup.ogg"});
    EXPECT_EQ(bb_zump_ZUMP_LastTune, u"syrup");
    EXPECT_EQ(bb_zump_ZUMP_MusicPlaying, 1);
    EXPECT_EQ(driver->MusicState(), 1);
    EXPECT_EQ(SourceInt(Source(32), AL_LOOPING), 1);
    EXPECT_NEAR(SourceFloat(Source(32), AL_GAIN), 7 * 0.0999f, 1e-6);

    for (int setting : {12, -2, 10}) {
        bb_zump_ZUMP_Set[0] = setting;
        bb_zump_PlayTune(u"syrup", 0);
        int stored = setting < 0 ? 0 : 10;
        EXPECT_EQ(bb_zump_ZUMP_Set[0], stored);
        EXPECT_NEAR(SourceFloat(Source(32), AL_GAIN), stored * 0.0999f, 1e-6);
        EXPECT_EQ(SourceInt(Source(32), AL_LOOPING), 0);
    }
}

TEST_F(SoundTest, ReplayingTheLastTuneStartsItAgainFromTheTop) {
    bb_zump_PlayTune(u"syrup", 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    float before = SourceFloat(Source(32), AL_SEC_OFFSET);
    ASSERT_GT(before, 0.1f) << "the silent device plays in real time";

    bb_zump_PlayTune(u"-1", 1);
    EXPECT_EQ(driver->loads.back(), "525/sfx/syrup.ogg");
    EXPECT_EQ(driver->loads.size(), 2u);
    EXPECT_LT(SourceFloat(Source(32), AL_SEC_OFFSET), before);
    EXPECT_EQ(bb_zump_ZUMP_MusicPlaying, 1);
}

TEST_F(SoundTest, TuneNamesWithoutAFile) {
    bb_zump_PlayTune(u"", 1);
    EXPECT_TRUE(driver->loads.empty());
    EXPECT_EQ(bb_zump_ZUMP_MusicPlaying, 0) << "an empty name does nothing";

    // With no tune played yet "-1" is taken as a name; the file is missing,
    // which is the driver's concern: the shell still counts it as playing.
    bb_zump_PlayTune(u"-1", 1);
    EXPECT_EQ(driver->loads, std::vector<std::string>{"525/sfx/-1.ogg"});
    EXPECT_EQ(bb_zump_ZUMP_MusicPlaying, 1);
    EXPECT_EQ(driver->MusicState(), 0);
    bb_zump_PauseTune();
    bb_zump_ResumeTune();
    EXPECT_EQ(bb_zump_ZUMP_MusicPlaying, 1);
}

TEST_F(SoundTest, PauseAndResumeFollowThePlayingFlag) {
    enum Op { Play, Replay, Pause, Resume, Stop };
    struct Step {
        Op op;
        int flag, channel;
    };
    const Step steps[] = {
        {Pause, 0, 0},  {Resume, 0, 0}, {Play, 1, 1},   {Pause, 2, 2},  {Pause, 2, 2},
        {Resume, 1, 1}, {Resume, 1, 1}, {Pause, 2, 2},  {Replay, 1, 1}, {Stop, 0, 0},
        {Resume, 0, 0}, {Pause, 0, 0},  {Play, 1, 1},
    };
    int n = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE("step " + std::to_string(n++));
        switch (s.op) {
            case Play: bb_zump_PlayTune(u"syrup", 1); break;
            case Replay: bb_zump_PlayTune(u"-1", 1); break;
            case Pause: bb_zump_PauseTune(); break;
            case Resume: bb_zump_ResumeTune(); break;
            case Stop: bb_zump_StopTune(); break;
        }
        EXPECT_EQ(bb_zump_ZUMP_MusicPlaying, s.flag);
        EXPECT_EQ(driver->MusicState(), s.channel);
    }
}

TEST_F(SoundTest, WithoutADriverEverythingIsQuiet) {
    bb_audio_SetAudioDevice(nullptr);
    bb_zump_LoadSFX(3);
    EXPECT_EQ(bb_zump_ZUMP_SFX[3], nullptr);
    uint32_t seed = bb_random_Seed;
    bb_zump_PlaySFX(3);
    EXPECT_NE(bb_random_Seed, seed);
    bb_zump_PlayTune(u"syrup", 1);
    EXPECT_EQ(bb_zump_ZUMP_MusicPlaying, 1);
    bb_zump_PauseTune();
    EXPECT_EQ(bb_zump_ZUMP_MusicPlaying, 2);
    bb_zump_ResumeTune();
    bb_zump_ApplyMusicVolume();
    bb_zump_StopTune();
    EXPECT_EQ(bb_zump_ZUMP_MusicPlaying, 0);
    EXPECT_TRUE(driver->loads.empty());
}

}  // namespace
