// Source stealing: OpenAL Soft's null device limited to four sources, so the
// driver runs out after the music channel and three sound channels.
#include <chrono>
#include <cstdlib>
#include <thread>

#include "audio_test_util.h"

using namespace audiotest;

namespace {

class AudioStealTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string conf = TempPath("steal-alsoft.conf");
        FILE* f = std::fopen(conf.c_str(), "w");
        std::fputs("[general]\ndrivers=null\nsources=4\n", f);
        std::fclose(f);
        setenv("ALSOFT_CONF", conf.c_str(), 1);
        setenv("ALSOFT_DRIVERS", "null", 1);
        static FileHost host;
    }

    void SetUp() override {
        bbInit();
        driver = new gxtkAudio();
        sample = driver->LoadSample(Text(WriteFile("loop.wav", Wav(1, 16, 22050, 22050))));
        ASSERT_NE(sample, nullptr);
    }

    void TearDown() override {
        delete sample;
        CloseDriver(driver);
    }

    gxtkAudio* driver = nullptr;
    gxtkSample* sample = nullptr;
};

TEST_F(AudioStealTest, PlayTakesTheSourceOfTheLowestIdleChannel) {
    for (int ch : {4, 9, 2}) ASSERT_EQ(driver->PlaySample(sample, ch, 1), 0) << ch;
    ALuint sources[3] = {driver->channels[4].source, driver->channels[9].source, driver->channels[2].source};

    // All busy: the play fails and the channel is left as it was.
    EXPECT_EQ(driver->PlaySample(sample, 20, 1), -1);
    EXPECT_EQ(driver->channels[20].source, 0u);
    EXPECT_EQ(driver->channels[20].state, 0);
    EXPECT_EQ(driver->channels[20].sample, nullptr);

    // Of the idle channels 4 and 9, the lower-numbered one gives its source.
    driver->StopChannel(9);
    driver->StopChannel(4);
    ASSERT_EQ(driver->PlaySample(sample, 20, 0), 0);
    EXPECT_EQ(driver->channels[20].source, sources[0]);
    EXPECT_EQ(driver->channels[4].source, 0u);
    EXPECT_EQ(driver->channels[9].source, sources[1]);
    EXPECT_EQ(driver->channels[2].source, sources[2]);

    // A channel whose sound ended by itself counts as idle too.
    for (int ch = 0; ch < 32; ++ch) driver->StopChannel(ch);
    driver->PlaySample(sample, 20, 1);
    driver->PlaySample(sample, 2, 1);
    gxtkSample* blip = driver->LoadSample(Text(WriteFile("blip.wav", Wav(1, 16, 22050, 100))));
    driver->PlaySample(blip, 9, 0);
    for (int i = 0; i < 400 && SourceInt(driver->channels[9].source, AL_SOURCE_STATE) != AL_STOPPED; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(driver->channels[9].state, 1);
    EXPECT_EQ(driver->PlaySample(sample, 30, 1), 0);
    EXPECT_EQ(driver->channels[30].source, sources[1]);
    EXPECT_EQ(driver->channels[9].state, 0);
    delete blip;
}

TEST_F(AudioStealTest, MusicChannelNeverLendsItsSource) {
    ALuint music = driver->channels[32].source;
    ASSERT_NE(music, 0u);
    for (int ch : {0, 1, 2}) ASSERT_EQ(driver->PlaySample(sample, ch, 1), 0);
    driver->StopMusic();
    EXPECT_EQ(driver->PlaySample(sample, 3, 1), -1);
    EXPECT_EQ(driver->channels[32].source, music);

    // Volume on a channel without a source is lost, not fatal.
    driver->SetVolume(3, 0.5f);
    EXPECT_EQ(driver->channels[3].source, 0u);
}

}  // namespace
