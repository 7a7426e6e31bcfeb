// Checks every file of the data folder the game loads: it is there, it decodes,
// images hold their whole frame grid and the frames the game draws are not
// empty, sounds are integer PCM with "fmt " first and never clip, and the tune
// is long enough and loops without a jump.
#include <gtest/gtest.h>
#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_image.h>
#include <stb/stb_vorbis.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kData = "data/";

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

struct Image {
    int w = 0, h = 0, channels = 0;
    std::unique_ptr<unsigned char, void (*)(void*)> px{nullptr, stbi_image_free};
    // Alpha of a pixel (255 for images without alpha).
    int Alpha(int x, int y) const {
        if (channels == 2 || channels == 4) return px.get()[((size_t)y * w + x) * channels + channels - 1];
        return 255;
    }
    const unsigned char* At(int x, int y) const { return px.get() + ((size_t)y * w + x) * channels; }
};

Image Load(const std::string& rel) {
    Image img;
    std::vector<uint8_t> bytes = ReadAll(kData + rel);
    if (bytes.empty()) return img;
    img.px.reset(stbi_load_from_memory(bytes.data(), (int)bytes.size(), &img.w, &img.h, &img.channels, 0));
    return img;
}

struct Rect {
    int x, y, w, h;
};

// Cuts frames the way the image loader does: left to right, then down a row
// when the next frame would pass the right edge. Returns false when a frame
// would fall outside the picture ("Image frame outside surface").
bool CutFrames(int sw, int sh, int fw, int fh, int count, std::vector<Rect>& out) {
    int x = 0, y = 0;
    for (int i = 0; i < count; i++) {
        if (x + fw > sw) {
            if (fw > sw) return false;
            x = 0;
            y += fh;
        }
        if (y + fh > sh) return false;
        out.push_back({x, y, fw, fh});
        x += fw;
    }
    return true;
}

// Pixels of a frame that can be seen: alpha above a faint haze, or for opaque
// pictures anything that differs from the frame's first pixel.
int Visible(const Image& img, const Rect& r) {
    int n = 0;
    bool opaque = img.channels == 1 || img.channels == 3;
    for (int y = r.y; y < r.y + r.h; y++)
        for (int x = r.x; x < r.x + r.w; x++) {
            if (opaque) n += std::memcmp(img.At(x, y), img.At(r.x, r.y), img.channels) != 0;
            else n += img.Alpha(x, y) > 24;
        }
    return n;
}

struct Sheet {
    const char* file;
    int fw, fh, count;
    std::vector<int> drawn;  // frames the game draws; -1 means every frame
};

std::vector<int> Range(int a, int b) {
    std::vector<int> v;
    for (int i = a; i <= b; i++) v.push_back(i);
    return v;
}

std::vector<int> Concat(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<Sheet>& Sheets() {
    static const std::vector<int> tileSet = Concat(Range(0, 6), Range(12, 48));
    static const std::vector<Sheet> s = {
        {"common/bandwidth.png", 64, 64, 128, Concat(Concat(Range(1, 94), Range(96, 110)), Range(112, 124))},
        {"common/ZUMPLogo.png", 32, 32, 1024, {}},
        {"common/part-shapefull.png", 32, 32, 16, {-1}},
        {"common/parts_shape.png", 32, 32, 16, {-1}},
        {"common/parts_smoke.png", 32, 32, 16, {-1}},
        {"common/parts_cluster.png", 32, 32, 16, {-1}},
        {"common/parts_stars.png", 32, 32, 16, {-1}},
        {"common/Buttons.png", 64, 64, 16, {-1}},
        {"common/icons.png", 128, 128, 16, {0, 1, 3, 6, 9, 10, 11, 12, 13, 14}},
        {"common/circle.png", 256, 256, 4, {-1}},
        {"common/options.png", 68, 68, 49, {0, 1, 2, 3, 4, 5, 47, 48}},
        {"common/scoreboard.png", 256, 256, 1, {-1}},
        {"525/logo.png", 1024, 512, 1, {-1}},
        {"525/menu.png", 1024, 1024, 4, {0, 2, 3}},
        {"525/gfx.png", 36, 36, 49, tileSet},
        {"525/gfx2.png", 36, 36, 49, tileSet},
        {"525/gfx3.png", 36, 36, 49, tileSet},
        {"525/chr.png", 36, 36, 49, Range(0, 27)},
        {"525/score.png", 256, 64, 4, {-1}},
        {"525/aball.png", 64, 64, 1, {-1}},
    };
    return s;
}

TEST(Assets, EverySheetDecodesAndHoldsItsFrameGridWithDrawnFramesVisible) {
    for (const Sheet& s : Sheets()) {
        SCOPED_TRACE(s.file);
        Image img = Load(s.file);
        ASSERT_TRUE(img.px) << "missing or undecodable";
        std::vector<Rect> frames;
        ASSERT_TRUE(CutFrames(img.w, img.h, s.fw, s.fh, s.count, frames)) << img.w << "x" << img.h;
        std::vector<int> drawn = s.drawn;
        if (drawn == std::vector<int>{-1}) drawn = Range(0, s.count - 1);
        for (int f : drawn) {
            // A glyph like the full stop is small; everything else is bigger.
            int least = std::max(4, s.fw * s.fh / 400);
            EXPECT_GE(Visible(img, frames[f]), least) << "frame " << f << " is blank";
        }
    }
}

TEST(Assets, ShellLogoIsExactly1024SquareAndNotEmpty) {
    Image img = Load("common/ZUMPLogo.png");
    ASSERT_TRUE(img.px);
    EXPECT_EQ(img.w, 1024);
    EXPECT_EQ(img.h, 1024);
    EXPECT_GT(Visible(img, {0, 0, 1024, 1024}), 1024 * 1024 / 2);
}

TEST(Assets, DefaultFontStripKeepsInkOffTheColumnsThePadFlagSkips) {
    Image img = Load("pexa_font.png");
    ASSERT_TRUE(img.px);
    ASSERT_EQ(img.w % 96, 0);
    int fw = img.w / 96;
    ASSERT_GE(fw, 5);
    for (int f = 0; f < 96; f++)
        for (int y = 0; y < img.h; y++) {
            EXPECT_EQ(img.Alpha(f * fw, y), 0) << "frame " << f;
            EXPECT_EQ(img.Alpha(f * fw + fw - 1, y), 0) << "frame " << f;
        }
    for (char c : std::string("AZaz09!?")) EXPECT_GT(Visible(img, {(c - 32) * fw, 0, fw, img.h}), 6) << c;
}

// The text renderer centres each glyph's cell on the pen and advances the pen
// by the advance table; glyph ink starts 23 pixels left of the cell centre so
// that left, centred and right alignment land on the given x.
int Advance(char c) {
    std::string narrow = "!',.:;`l|";
    if (narrow.find(c) != std::string::npos) return 9;
    if (c == 'i') return 11;
    if (std::string("()[]").find(c) != std::string::npos) return 15;
    if (c == '"') return 17;
    if (c == 'j' || c == '{' || c == '}') return 18;
    if (c == '*') return 23;
    return 22;
}

TEST(Assets, GameFontGlyphsSitInTheirAdvanceAndShareOneBaseline) {
    Image img = Load("common/bandwidth.png");
    ASSERT_TRUE(img.px);
    std::vector<Rect> frames;
    ASSERT_TRUE(CutFrames(img.w, img.h, 64, 64, 128, frames));
    auto inkBox = [&](int f, int& x0, int& x1, int& y0, int& y1) {
        x0 = y0 = 64;
        x1 = y1 = -1;
        for (int y = 0; y < 64; y++)
            for (int x = 0; x < 64; x++)
                if (img.Alpha(frames[f].x + x, frames[f].y + y) > 24) {
                    x0 = std::min(x0, x); x1 = std::max(x1, x);
                    y0 = std::min(y0, y); y1 = std::max(y1, y);
                }
    };
    for (int c = 33; c <= 126; c++) {
        int x0, x1, y0, y1;
        inkBox(c - 32, x0, x1, y0, y1);
        SCOPED_TRACE(std::string(1, (char)c));
        ASSERT_GE(x1, x0);
        EXPECT_GE(x0, 7);
        EXPECT_LE(x1, 8 + Advance((char)c));
        EXPECT_GE(x1 - x0 + 1, std::min(Advance((char)c), 12) / 2) << "too thin";
    }
    // Capitals and digits stand on one baseline, centred on the cell's middle.
    int bottom = -1;
    for (char c : std::string("HEIMTX0148")) {
        int x0, x1, y0, y1;
        inkBox(c - 32, x0, x1, y0, y1);
        if (bottom < 0) bottom = y1;
        EXPECT_NEAR(y1, bottom, 1) << c;  // round letters overshoot by a pixel
        EXPECT_NEAR((y0 + y1) / 2.0, 32.0, 3.0) << c;
    }
    // Glyphs are white with a dark outline, so the drawing colour tints them.
    int x0, x1, y0, y1;
    inkBox('H' - 32, x0, x1, y0, y1);
    const unsigned char* mid = img.At(frames['H' - 32].x + x0 + 4, frames['H' - 32].y + (y0 + y1) / 2);
    EXPECT_GT(mid[0] + mid[1] + mid[2], 700);
    const unsigned char* rim = img.At(frames['H' - 32].x + x0, frames['H' - 32].y + (y0 + y1) / 2);
    EXPECT_LT(rim[0] + rim[1] + rim[2], 200);
}

// Ground tiles are drawn 19.9 units apart at scale 0.625, so neighbours overlap
// by about four texels. The tiles fill the whole cell, show the same picture
// in the overlap from both sides, and are thinner there so the doubled (or,
// in corners, quadrupled) band blends to the alpha of the tile's middle.
TEST(Assets, GroundTilesFillTheirCellAndJoinWithoutSeams) {
    struct Tile {
        int frame;
        float drawAlpha;
    } tiles[] = {{0, 0.8f}, {1, 0.4f}, {2, 0.8f}};
    for (const char* file : {"525/gfx.png", "525/gfx2.png", "525/gfx3.png"}) {
        Image img = Load(file);
        ASSERT_TRUE(img.px) << file;
        ASSERT_EQ(img.channels, 4) << file;
        std::vector<Rect> frames;
        ASSERT_TRUE(CutFrames(img.w, img.h, 36, 36, 49, frames));
        for (const Tile& t : tiles) {
            SCOPED_TRACE(std::string(file) + " frame " + std::to_string(t.frame));
            const Rect& r = frames[t.frame];
            auto cover = [&](int x, int y) { return t.drawAlpha * img.Alpha(r.x + x, r.y + y) / 255.0f; };
            float middle = cover(18, 18);
            EXPECT_GT(middle, 0.75f * t.drawAlpha);
            for (int i = 0; i < 36; i++) {
                EXPECT_GT(img.Alpha(r.x + i, r.y), 0);
                EXPECT_GT(img.Alpha(r.x, r.y + i), 0);
            }
            for (int k = 0; k < 4; k++) {
                float edge = cover(k, 18), twice = 1 - (1 - edge) * (1 - cover(32 + k, 18));
                EXPECT_NEAR(twice, middle, 0.03f) << "column " << k;
                float corner = cover(k, k);
                float four = 1 - std::pow(1 - corner, 4.0f);
                EXPECT_NEAR(four, middle, 0.04f) << "corner " << k;
                for (int y = 4; y < 32; y++) {
                    const unsigned char* a = img.At(r.x + k, r.y + y);
                    const unsigned char* b = img.At(r.x + 32 + k, r.y + y);
                    for (int ch = 0; ch < 3; ch++) EXPECT_NEAR(a[ch], b[ch], 2) << "column " << k << " row " << y;
                }
            }
        }
    }
}

// ---- Sounds ----

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24; }
uint16_t Le16(const uint8_t* p) { return (uint16_t)(p[0] | p[1] << 8); }

TEST(Assets, EffectsAreShortUnclippedIntegerPcmWithFmtFirst) {
    const char* files[] = {"525/sfx/001.wav", "525/sfx/002.wav", "525/sfx/003.wav", "525/sfx/004.wav",
                           "525/sfx/005.wav", "525/sfx/006.wav", "525/sfx/010.wav", "525/sfx/011.wav",
                           "525/sfx/012.wav", "525/sfx/013.wav", "common/095.wav",  "common/096.wav",
                           "common/098.wav",  "common/099.wav"};
    for (const char* file : files) {
        SCOPED_TRACE(file);
        std::vector<uint8_t> b = ReadAll(kData + file);
        ASSERT_GE(b.size(), 44u);
        ASSERT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
        ASSERT_EQ(std::string(b.begin() + 8, b.begin() + 12), "WAVE");
        ASSERT_EQ(std::string(b.begin() + 12, b.begin() + 16), "fmt ");
        EXPECT_EQ(Le32(&b[4]), b.size() - 8);
        EXPECT_EQ(Le16(&b[20]), 1) << "integer PCM";
        int channels = Le16(&b[22]), rate = (int)Le32(&b[24]), bits = Le16(&b[34]);
        EXPECT_TRUE(channels == 1 || channels == 2);
        EXPECT_EQ(bits, 16);
        size_t pos = 20 + Le32(&b[16]);
        while (pos + 8 <= b.size() && std::string(b.begin() + pos, b.begin() + pos + 4) != "data") pos += 8 + Le32(&b[pos + 4]);
        ASSERT_LE(pos + 8, b.size()) << "no data chunk";
        size_t bytes = Le32(&b[pos + 4]);
        ASSERT_LE(pos + 8 + bytes, b.size());
        size_t samples = bytes / 2;
        double seconds = (double)samples / channels / rate;
        EXPECT_GT(seconds, 0.03);
        EXPECT_LT(seconds, 2.5);
        int peak = 0;
        for (size_t i = 0; i < samples; i++) peak = std::max(peak, std::abs((int)(int16_t)Le16(&b[pos + 8 + 2 * i])));
        EXPECT_LT(peak, 32767) << "clipped";
        EXPECT_GT(peak, 8000) << "too quiet";
    }
}

TEST(Assets, TuneIsAMinuteOrMoreUnclippedAndLoopsWithoutAJump) {
    std::vector<uint8_t> b = ReadAll(kData + "525/sfx/syrup.ogg");
    ASSERT_FALSE(b.empty());
    int channels = 0, rate = 0;
    short* out = nullptr;
    int frames = stb_vorbis_decode_memory(b.data(), (int)b.size(), &channels, &rate, &out);
    ASSERT_GT(frames, 0);
    std::unique_ptr<short, void (*)(void*)> keep(out, std::free);
    EXPECT_GE((double)frames / rate, 60.0);
    int peak = 0;
    std::vector<int> steps;
    for (int i = 0; i < frames * channels; i++) {
        peak = std::max(peak, std::abs((int)out[i]));
        if (i >= channels) steps.push_back(std::abs(out[i] - out[i - channels]));
    }
    EXPECT_LT(peak, 32767) << "clipped";
    EXPECT_GT(peak, 8000) << "too quiet";
    // The step from the last sample back to the first is no bigger than the
    // steps the music itself makes almost everywhere.
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 999 / 1000, steps.end());
    int usual = steps[steps.size() * 999 / 1000];
    for (int c = 0; c < channels; c++)
        EXPECT_LE(std::abs(out[c] - out[(frames - 1) * channels + c]), usual) << "channel " << c;
}

TEST(Assets, DataFolderStaysUnder25Megabytes) {
    uintmax_t total = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(kData))
        if (e.is_regular_file()) total += e.file_size();
    EXPECT_GT(total, 0u);
    EXPECT_LT(total, 25u * 1024 * 1024);
}

}  // namespace
