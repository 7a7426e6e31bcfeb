// Playing a sound allocates nothing of the driver's own. This executable
// replaces the C allocator's entry points with counting ones (OpenAL's own
// allocations go through them too) and counts only on the thread that plays,
// since the mixer thread runs on its own.
#include <chrono>
#include <cstdlib>
#include <thread>

#include "audio_test_util.h"

#include "support/counting_allocator.h"

using namespace audiotest;

namespace {

TEST(AudioAllocations, PlayingAndSteeringSoundsAllocatesNothing) {
    setenv("ALSOFT_DRIVERS", "null", 1);
    FileHost host;
    bbInit();
    gxtkAudio* driver = new gxtkAudio();
    ASSERT_NE(driver->alcContext, nullptr);
    gxtkSample* blip = driver->LoadSample(Text(WriteFile("blip.wav", Wav(1, 16, 22050, 2205))));
    gxtkSample* loop = driver->LoadSample(Text(WriteFile("loop.wav", Wav(2, 16, 44100, 4410))));
    ASSERT_NE(blip, nullptr);
    ASSERT_NE(loop, nullptr);
    driver->PlayMusic(Text(FixturePath("tone_mono_22050.ogg")), 1);

    // Sanity: the counter sees OpenAL's allocations too.
    counting = true;
    ALCcontext* spare = alcCreateContext((ALCdevice*)driver->alcDevice, nullptr);
    counting = false;
    ASSERT_NE(spare, nullptr);
    alcDestroyContext(spare);
    EXPECT_GT(allocations, 0);

    // Every channel gets its source on first use, before counting starts.
    for (int ch = 0; ch < 32; ++ch) driver->PlaySample(blip, ch, 0);

    // OpenAL Soft makes one small buffer-list node whenever a source is given
    // a buffer, and hands out property updates from a free list refilled by
    // its mixer. With updates held back the count is exact: at most that one
    // node per play, nothing for everything else the driver does.
    ALCcontext* context = (ALCcontext*)driver->alcContext;
    alcSuspendContext(context);
    long plays = 0;
    auto rounds = [&](int count) {
        for (int round = 0; round < count; ++round) {
            for (int ch = 0; ch < 32; ++ch) {
                driver->SetVolume(ch, 0.8f);
                driver->SetPan(ch, 0.3f);
                driver->SetRate(ch, 1.2f);
                driver->PlaySample(round % 2 ? blip : loop, ch, round % 3 == 0);
                ++plays;
                driver->ChannelState(ch);
            }
            driver->PauseChannel(3);
            driver->ResumeChannel(3);
            driver->StopChannel(4);
            driver->SetMusicVolume(0.5f);
            driver->MusicState();
            driver->Suspend();
            driver->Resume();
        }
    };
    rounds(1);  // first steering of each source
    plays = 0;
    allocations = 0;
    counting = true;
    rounds(20);
    counting = false;
    alcProcessContext(context);
    EXPECT_LE(allocations, plays);

    for (int ch = 0; ch < 32; ++ch) driver->StopChannel(ch);
    delete blip;
    delete loop;
    CloseDriver(driver);
}

}  // namespace
