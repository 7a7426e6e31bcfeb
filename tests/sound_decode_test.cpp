#include <algorithm>
#include <cstdlib>

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

#include "audio_test_util.h"

using namespace audiotest;

namespace {

struct Decoded {
    unsigned char* data = nullptr;
    int length = -7, channels = -7, format = -7, hertz = -7;
    ~Decoded() { free(data); }
};

void DecodeWav(const Bytes& bytes, Decoded& out) {
    FILE* f = Stream(bytes);
    out.data = LoadWAV(f, &out.length, &out.channels, &out.format, &out.hertz);
    std::fclose(f);
}

TEST(ReadInt, LittleEndianSignedOrMinusOneWhenShort) {
    Bytes b = {0x44, 0x33, 0x22, 0x11, 0xFE, 0xFF, 0xFF, 0xFF, 0x01, 0x02};
    FILE* f = Stream(b);
    EXPECT_EQ(readInt(f), 0x11223344);
    EXPECT_EQ(readInt(f), -2);
    EXPECT_EQ(readInt(f), -1);  // only two bytes left
    std::fclose(f);
}

TEST(ReadTag, FourCharactersOrEmptyWhenShort) {
    Bytes b = {'f', 'm', 't', ' ', 0xE9, 'a', 'b', 'c', 'x', 'y', 'z'};
    FILE* f = Stream(b);
    EXPECT_EQ(readTag(f), u"fmt ");
    EXPECT_EQ(readTag(f), String(u"\u00e9abc"));  // bytes become 8-bit characters
    EXPECT_EQ(readTag(f), String());
    std::fclose(f);
}

struct WavCase {
    const char* name;
    Bytes file;
    Bytes pcm;
    int length, channels, format, hertz;
};

std::vector<WavCase> GoodWavs() {
    Bytes stereo16 = Tone(2, 16, 44100, 4410);
    Bytes mono8 = Tone(1, 8, 22050, 1000);
    Bytes mono16 = Tone(1, 16, 11025, 300);
    Bytes odd = Tone(1, 8, 8000, 7);
    Bytes ragged = Tone(2, 16, 44100, 10);
    ragged.push_back(0x55);  // half a frame at the end
    return {
        {"stereo16_17640_bytes", Riff({Chunk("fmt ", FmtBody(1, 2, 44100, 16)), Chunk("data", stereo16)}),
         stereo16, 4410, 2, 2, 44100},
        {"mono8", Riff({Chunk("fmt ", FmtBody(1, 1, 22050, 8)), Chunk("data", mono8)}), mono8, 1000, 1, 1, 22050},
        {"list_chunk_between_fmt_and_data",
         Riff({Chunk("fmt ", FmtBody(1, 1, 11025, 16)), Chunk("LIST", Bytes(26, 'i')), Chunk("fact", Bytes(4, 0)),
               Chunk("data", mono16)}),
         mono16, 300, 1, 2, 11025},
        {"fmt_chunk_of_18_bytes", Riff({Chunk("fmt ", FmtBody(1, 1, 11025, 16, Bytes{0, 0})), Chunk("data", mono16)}),
         mono16, 300, 1, 2, 11025},
        // Sizes are taken as stored: no pad byte follows an odd-sized chunk.
        {"odd_chunk_without_pad", Riff({Chunk("fmt ", FmtBody(1, 1, 8000, 8)), Chunk("junk", Bytes(3, 9)),
                                        Chunk("data", odd)}),
         odd, 7, 1, 1, 8000},
        {"partial_frame_rounds_down", Riff({Chunk("fmt ", FmtBody(1, 2, 44100, 16)), Chunk("data", ragged)}), ragged,
         10, 2, 2, 44100},
        {"empty_data", Riff({Chunk("fmt ", FmtBody(1, 1, 8000, 8)), Chunk("data", Bytes())}), Bytes(), 0, 1, 1,
         8000},
    };
}

TEST(LoadWAV, ReadsPcmAndFormat) {
    for (const WavCase& c : GoodWavs()) {
        SCOPED_TRACE(c.name);
        Decoded d;
        DecodeWav(c.file, d);
        ASSERT_NE(d.data, nullptr);
        EXPECT_EQ(d.length, c.length);
        EXPECT_EQ(d.channels, c.channels);
        EXPECT_EQ(d.format, c.format);
        EXPECT_EQ(d.hertz, c.hertz);
        EXPECT_EQ(0, std::memcmp(d.data, c.pcm.data(), c.pcm.size()));
    }
}

TEST(LoadWAV, StartsAtTheStreamPosition) {
    Bytes file = {'j', 'u', 'n', 'k'};
    Bytes wav = Wav(1, 8, 8000, 50);
    file.insert(file.end(), wav.begin(), wav.end());
    FILE* f = Stream(file);
    std::fseek(f, 4, SEEK_SET);
    Decoded d;
    d.data = LoadWAV(f, &d.length, &d.channels, &d.format, &d.hertz);
    std::fclose(f);
    ASSERT_NE(d.data, nullptr);
    EXPECT_EQ(d.length, 50);
}

TEST(LoadWAV, RefusesDamagedOrUnsupportedFiles) {
    Bytes tone = Tone(1, 16, 8000, 100);
    Bytes fmt = Chunk("fmt ", FmtBody(1, 1, 8000, 16));
    Bytes full = Wav(1, 16, 8000, 100);
    struct Case {
        const char* name;
        Bytes file;
    } cases[] = {
        {"empty file", Bytes()},
        {"RIFX instead of RIFF", Riff({fmt, Chunk("data", tone)}, "RIFX")},
        {"lower-case riff", Riff({fmt, Chunk("data", tone)}, "riff")},
        {"not WAVE", Riff({fmt, Chunk("data", tone)}, "RIFF", "AVI ")},
        {"chunk before fmt", Riff({Chunk("LIST", Bytes(4, 1)), fmt, Chunk("data", tone)})},
        {"upper-case FMT", Riff({Chunk("FMT ", FmtBody(1, 1, 8000, 16)), Chunk("data", tone)})},
        {"float format", Riff({Chunk("fmt ", FmtBody(3, 1, 8000, 32)), Chunk("data", tone)})},
        {"extensible format", Riff({Chunk("fmt ", FmtBody(0xFFFE, 1, 8000, 16, Bytes(24, 0))), Chunk("data", tone)})},
        {"zero channels", Riff({Chunk("fmt ", FmtBody(1, 0, 8000, 16)), Chunk("data", tone)})},
        {"four bits", Riff({Chunk("fmt ", FmtBody(1, 1, 8000, 4)), Chunk("data", tone)})},
        {"no data chunk", Riff({fmt, Chunk("LIST", Bytes(8, 1))})},
        {"data cut short", Bytes(full.begin(), full.end() - 1)},
        {"ends inside fmt", Bytes(full.begin(), full.begin() + 24)},
        {"ends after a tag", Riff({fmt, Bytes{'d', 'a', 't', 'a'}})},
        {"data size near 2 GiB", Riff({fmt, Chunk("data", tone, 0x7FFFFFF0)})},
        {"data size 0xFFFFFFFF", Riff({fmt, Chunk("data", tone, 0xFFFFFFFF)})},
        // Read as a signed -8 this would seek back onto its own header forever.
        {"chunk size 0xFFFFFFF8", Riff({fmt, Chunk("junk", Bytes(), 0xFFFFFFF8), Chunk("data", tone)})},
        {"fmt size beyond the file", Riff({Chunk("fmt ", FmtBody(1, 1, 8000, 16), 0x40000000), Chunk("data", tone)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Decoded d;
        DecodeWav(c.file, d);
        EXPECT_EQ(d.data, nullptr);
        EXPECT_EQ(d.length, -7);  // results untouched on failure
    }
}

struct OggCase {
    const char* file;
    int channels, hertz;
};

TEST(LoadOGG, DecodesWholeStreamLikeTheReferenceDecoder) {
    for (OggCase c : {OggCase{"tone_mono_22050.ogg", 1, 22050}, OggCase{"tone_stereo_44100.ogg", 2, 44100},
                      OggCase{"tone_six_48000.ogg", 6, 48000}}) {
        SCOPED_TRACE(c.file);
        std::string path = FixturePath(c.file);
        int refChannels = 0, refRate = 0;
        short* ref = nullptr;
        int refFrames = stb_vorbis_decode_filename(path.c_str(), &refChannels, &refRate, &ref);
        ASSERT_GT(refFrames, 8192);  // long enough that the buffer has to grow

        FILE* f = std::fopen(path.c_str(), "rb");
        ASSERT_NE(f, nullptr);
        Decoded d;
        d.data = LoadOGG(f, &d.length, &d.channels, &d.format, &d.hertz);
        EXPECT_NE(std::ftell(f), -1L);  // the stream is left open
        std::fclose(f);
        ASSERT_NE(d.data, nullptr);
        EXPECT_EQ(d.channels, c.channels);
        EXPECT_EQ(d.format, 2);
        EXPECT_EQ(d.hertz, c.hertz);
        EXPECT_EQ(d.length, refFrames);
        EXPECT_EQ(0, std::memcmp(d.data, ref, (size_t)refFrames * refChannels * sizeof(short)));
        free(ref);
    }
}

TEST(LoadOGG, RefusesWhatIsNotVorbis) {
    Bytes ogg = ReadFile(FixturePath("tone_mono_22050.ogg"));
    ASSERT_GT(ogg.size(), 200u);
    for (const Bytes& bytes : {Bytes(), Wav(1, 16, 8000, 100), Bytes(ogg.begin(), ogg.begin() + 100)}) {
        FILE* f = Stream(bytes);
        Decoded d;
        d.data = LoadOGG(f, &d.length, &d.channels, &d.format, &d.hertz);
        std::fclose(f);
        EXPECT_EQ(d.data, nullptr);
    }
}

// The decoder would allocate and fill whatever the comment header's lengths
// say; lengths past the end of the packet are refused before it sees them.
TEST(LoadOGG, RefusesCommentLengthsBeyondThePacket) {
    Bytes ogg = ReadFile(FixturePath("tone_mono_22050.ogg"));
    const unsigned char mark[] = {3, 'v', 'o', 'r', 'b', 'i', 's'};
    auto at = std::search(ogg.begin(), ogg.end(), mark, mark + 7) - ogg.begin() + 7;
    ASSERT_LT((size_t)at, ogg.size());
    uint32_t vendor = ogg[at] | ogg[at + 1] << 8;
    struct Case {
        const char* name;
        size_t offset;
        uint32_t value;
    } cases[] = {
        {"vendor length near 2 GiB", (size_t)at, 0x7FFFFFF0},
        {"vendor length -1", (size_t)at, 0xFFFFFFFF},
        {"comment count near 2 GiB", (size_t)at + 4 + vendor, 0x7FFFFFF0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bad = ogg;
        for (int i = 0; i < 4; ++i) bad[c.offset + i] = (unsigned char)(c.value >> (8 * i));
        FILE* f = Stream(bad);
        Decoded d;
        d.data = LoadOGG(f, &d.length, &d.channels, &d.format, &d.hertz);
        std::fclose(f);
        EXPECT_EQ(d.data, nullptr);
    }
}

TEST(LoadAudioFile, ChoosesTheDecoderByExtensionIgnoringCase) {
    Bytes wav = Wav(2, 16, 44100, 4410);
    Bytes ogg = ReadFile(FixturePath("tone_mono_22050.ogg"));
    struct Case {
        const char* name;
        const Bytes* content;
        bool loads;
        int channels;
    } cases[] = {
        {"SOUND.WAV", &wav, true, 2},  {"Tune.Ogg", &ogg, true, 1},    {"clip.wav", &wav, true, 2},
        {"clip.mp3", &wav, false, 0},  {"wav", &wav, false, 0},        {"tune.wav", &ogg, false, 0},
        {"sound.ogg", &wav, false, 0}, {"sound.wav.bak", &wav, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = WriteFile(c.name, *c.content);
        Decoded d;
        d.data = LoadAudioFile(std::fopen(path.c_str(), "rb"), Text(path), &d.length, &d.channels, &d.format, &d.hertz);
        EXPECT_EQ(d.data != nullptr, c.loads);
        if (c.loads) {
            EXPECT_EQ(d.channels, c.channels);
        }
    }
    Decoded d;
    EXPECT_EQ(LoadAudioFile(nullptr, u"missing.wav", &d.length, &d.channels, &d.format, &d.hertz), nullptr);
}

}  // namespace
