// Playing an effect allocates nothing in the shell or the driver layer. The
// C allocator's entry points are replaced by counting ones (OpenAL's own
// allocations go through them too); only the playing thread is counted.
#include <cstdlib>

#include "sound_test_host.h"

#include "game/flow_globals.h"
#include "shell/zump_profile.h"

#include "support/counting_allocator.h"

namespace {

// A driver whose channel operations only note that they ran, so whatever is
// counted belongs to the shell and the sound functions.
class QuietAudio : public gxtkAudio {
public:
    long calls = 0;
    int PlaySample(gxtkSample*, int, int) override { return ++calls, 0; }
    int StopChannel(int) override { return ++calls, 0; }
    int SetVolume(int, float) override { return ++calls, 0; }
    int SetPan(int, float) override { return ++calls, 0; }
    int SetRate(int, float) override { return ++calls, 0; }
};

class SoundAllocTest : public testing::Test {
protected:
    SoundDataHost host;
    static void SetUpTestSuite() { setenv("ALSOFT_DRIVERS", "null", 1); }
    void SetUp() override {
        bbInit();
        bb_zump_ZUMP_GameNum = 525;
    }

    // Effects as the game plays them: random pitch, given rates, menu sounds,
    // an empty slot, all volume settings.
    static long PlayRounds(int rounds) {
        long plays = 0;
        for (int round = 0; round < rounds; ++round) {
            for (int n = 0; n < 32; ++n) {
                bb_zump_ZUMP_Set[1] = n % 12;
                bb_zump_PlaySFX(n % 2 ? 5 : 98);
                bb_zump_PlaySFX(5, 0.5f + n * 0.1f, 0.8f, n / 16.0f - 1);
                bb_zump_PlaySFX(40);
                plays += 2;
            }
        }
        return plays;
    }
};

TEST_F(SoundAllocTest, TheShellAllocatesNothingToPlayAnEffect) {
    QuietAudio* driver = new QuietAudio();
    bb_audio_SetAudioDevice(driver);
    for (int slot : {5, 98}) bb_zump_ZUMP_SFX[slot] = (new c_Sound())->m_new(new gxtkSample());
    allocations = 0;
    counting = true;
    long plays = PlayRounds(20);
    counting = false;
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(driver->calls, plays * 5) << "stop, play, rate, volume and pan for every effect";
    bb_zump_sound_Init();
    audiotest::CloseDriver(driver);
}

TEST_F(SoundAllocTest, OnTheRealDriverOnlyOpenALsOwnNodePerPlayIsMade) {
    gxtkAudio* driver = new gxtkAudio();
    bb_audio_SetAudioDevice(driver);
    ASSERT_NE(driver->alcContext, nullptr);
    bb_zump_LoadSFX(5);
    bb_zump_LoadSFX(98);
    ASSERT_NE(bb_zump_ZUMP_SFX[5], nullptr);
    ASSERT_NE(bb_zump_ZUMP_SFX[98], nullptr);
    PlayRounds(1);  // every channel gets its source

    // OpenAL Soft makes one small buffer-list node whenever a source is given
    // a buffer, and hands out property updates from a free list its mixer
    // refills; with updates held back the count is exact.
    ALCcontext* context = (ALCcontext*)driver->alcContext;
    alcSuspendContext(context);
    allocations = 0;
    counting = true;
    long plays = PlayRounds(20);
    counting = false;
    alcProcessContext(context);
    EXPECT_LE(allocations, plays);
    bb_zump_sound_Init();
    audiotest::CloseDriver(driver);
}

}  // namespace
