// The game's sounds reach the driver where they belong: the loading screen's
// effects and jingle, the tune during play, its pause with the game, and the
// end-of-game jingle after the tune stops.
#include <cstdlib>

#include "sound_test_host.h"

#include "game/flow_globals.h"
#include "game/mygame.h"
#include "shell/zump_profile.h"
#include "shell/zump_text.h"

using audiotest::CloseDriver;
using audiotest::SourceInt;

namespace {

class SoundGameTest : public testing::Test {
protected:
    SoundDataHost host;
    RecordingGraphics graphics;
    c_InputDevice* input = nullptr;
    LoggingAudio* driver = nullptr;
    c_MyGame* game = nullptr;

    void Press(int key) { input->p_KeyEvent(c_BBGameEvent::KeyDown, key); }
    void Release(int key) { input->p_KeyEvent(c_BBGameEvent::KeyUp, key); }

    static void SetUpTestSuite() { setenv("ALSOFT_DRIVERS", "null", 1); }

    void SetUp() override {
        bbInit();
        bb_graphics_SetGraphicsDevice(&graphics);
        input = (new c_InputDevice())->m_new();
        bb_input_SetInputDevice(input);
        driver = new LoggingAudio();
        bb_audio_SetAudioDevice(driver);
        ASSERT_NE(driver->alcContext, nullptr);
        bb_app_ValidateDeviceWindow(false);
        bb_app_EnumDisplayModes();
        game = (new c_MyGame())->m_new();
        game->p_OnCreate();
    }
    void TearDown() override {
        bb_zump_sound_Init();
        CloseDriver(driver);
    }

    void Update() {
        input->p_BeginUpdate();
        game->p_OnUpdate();
        input->p_EndUpdate();
    }

    // The effect last started: its channel holds the slot's buffer.
    void ExpectLastEffect(int slot, float pitch, float gain) {
        ASSERT_NE(bb_zump_ZUMP_SFX[slot], nullptr);
        unsigned int src = driver->channels[bb_zump_ZUMP_LChan].source;
        EXPECT_EQ(driver->channels[bb_zump_ZUMP_LChan].state, 1);
        EXPECT_EQ(SourceInt(src, AL_BUFFER), (int)bb_zump_ZUMP_SFX[slot]->m_sample->al_buffer);
        EXPECT_FLOAT_EQ(SourceFloat(src, AL_PITCH), pitch);
        EXPECT_NEAR(SourceFloat(src, AL_GAIN), gain, 1e-6);
    }
};

TEST_F(SoundGameTest, LoadingScreenLoadsEachEffectOnItsStepAndPlaysTheJingle) {
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "common/096.wav"},  {2, "common/096.wav"},  {30, "common/098.wav"}, {31, "common/099.wav"},
        {32, "common/095.wav"}, {49, "525/sfx/001.wav"}, {50, "525/sfx/002.wav"}, {51, "525/sfx/003.wav"},
        {52, "525/sfx/004.wav"}, {53, "525/sfx/005.wav"}, {54, "525/sfx/010.wav"}, {55, "525/sfx/011.wav"},
        {56, "525/sfx/012.wav"}, {57, "525/sfx/013.wav"}, {58, "525/sfx/006.wav"},
    };
    std::vector<std::pair<int, std::string>> seen;
    for (int step = 1; step <= 61; ++step) {
        ASSERT_EQ(bb_zump_ZUMP_Loader, step);
        size_t before = driver->loads.size();
        Update();
        for (size_t i = before; i < driver->loads.size(); ++i) seen.push_back({step, driver->loads[i]});
        if (step == 5) {
            EXPECT_EQ(bb_zump_ZUMP_LChan, 1) << "the jingle is the first effect";
            ExpectLastEffect(96, 1, 0.99f * 0.7f);
        }
    }
    EXPECT_EQ(seen, expected);
    for (int slot : {1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 95, 96, 98, 99})
        EXPECT_NE(bb_zump_ZUMP_SFX[slot], nullptr) << "slot " << slot;
    EXPECT_EQ(bb_zump_ZUMP_LChan, 1) << "loading plays nothing else";
}

TEST_F(SoundGameTest, TheTunePlaysPausesWithTheGameAndGivesWayToTheJingle) {
    bb_zump_LoadSFX(96);
    driver->loads.clear();
    bb_zump_ZUMP_Font = 0;
    bb_zump_ZUMP_Loader = 0;
    bb_zump_ZUMP_GameMode = 11;
    bb_zump_ZUMP_GameType = 1;
    Update();
    ASSERT_EQ(bb_zump_ZUMP_GameMode, 10);
    EXPECT_EQ(driver->loads, std::vector<std::string>{"525/sfx/syrup.ogg"});
    EXPECT_EQ(bb_zump_ZUMP_MusicPlaying, 1);
    EXPECT_EQ(driver->MusicState(), 1);
    unsigned int music = driver->channels[32].source;
    EXPECT_EQ(SourceInt(music, AL_LOOPING), 1);

    // The frame update re-applies the music setting at once.
    bb_zump_ZUMP_Set[0] = 3;
    Update();
    EXPECT_NEAR(SourceFloat(music, AL_GAIN), 3 * 0.0999f, 1e-6);

    Press(27);
    Update();
    ASSERT_EQ(bb_zump_ZUMP_Paused, 1);
    EXPECT_EQ(bb_zump_ZUMP_MusicPlaying, 2);
    EXPECT_EQ(driver->MusicState(), 2);
    Release(27);
    Update();
    Press(27);
    Update();
    ASSERT_EQ(bb_zump_ZUMP_Paused, 0);
    EXPECT_EQ(bb_zump_ZUMP_MusicPlaying, 1);
    EXPECT_EQ(driver->MusicState(), 1);
    Release(27);
    Update();

    bb_zump_ZUMP_Set[1] = 5;
    bb_zump_EndGame(0);
    while (bb_zump_ZUMP_EndofGame < 60) {
        EXPECT_EQ(driver->MusicState(), 1);
        Update();
    }
    EXPECT_EQ(bb_zump_ZUMP_MusicPlaying, 0);
    EXPECT_EQ(driver->MusicState(), 0);
    while (bb_zump_ZUMP_EndofGame < 70) Update();
    ExpectLastEffect(96, 1, 0.99f * 0.5f);
}

}  // namespace
