// Bitmap text layout: measured width, alignment, line breaks, button icons,
// culling and the small text utilities.
#include "shell_test_host.h"

#include <cmath>

#include "shell/zump_controls.h"
#include "shell/zump_text.h"

namespace {

class TextTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        PutImage(99, 128, 64);
        bb_zump_ZUMP_Font = 99;
    }

    struct Glyph {
        float x, y;
        int frame;
    };
    static std::vector<Glyph> Glyphs() {
        std::vector<Glyph> out;
        for (int n = 0; n < bb_zump_Sprtup; ++n) {
            const float* r = Record(n);
            EXPECT_FLOAT_EQ(r[9], 1);
            EXPECT_FLOAT_EQ(r[10], 99);
            out.push_back({r[11], r[12], (int)r[13]});
        }
        return out;
    }
};

TEST_F(TextTest, CentredTextPlacesGlyphsByTheAdvanceOfThePreviousOne) {
    EXPECT_EQ(bb_zump_Text(100, 200, u"AB", 1, 1), 145);
    std::vector<Glyph> g = Glyphs();
    ASSERT_EQ(g.size(), 2u);
    EXPECT_FLOAT_EQ(g[0].x, 101);
    EXPECT_FLOAT_EQ(g[0].y, 200);
    EXPECT_EQ(g[0].frame, 'A' - 32);
    EXPECT_FLOAT_EQ(g[1].x, 123);
    EXPECT_EQ(g[1].frame, 'B' - 32);
}

TEST_F(TextTest, WidthIsTruncatedAfterEveryCharacter) {
    // At half scale "iii" measures 12 + 5 + 5 = 22, not 23: right-aligned
    // it starts 22 units left of x.
    bb_zump_SetSize(0.5f);
    EXPECT_EQ(bb_zump_Text(100, 0, u"iii", 2, 1), 106);
    std::vector<Glyph> g = Glyphs();
    ASSERT_EQ(g.size(), 3u);
    EXPECT_FLOAT_EQ(g[0].x, 90);
    EXPECT_FLOAT_EQ(g[1].x, 95.5f);
    EXPECT_FLOAT_EQ(g[2].x, 101);
}

TEST_F(TextTest, VerticalAlignmentAndEmptyText) {
    struct Case {
        float alignY, glyphY;
    };
    for (Case c : {Case{0, 122}, Case{1, 100}, Case{2, 78}}) {
        bb_zump_Sprtup = 0;
        bb_zump_Text(0, 100, u"H", 0, c.alignY);
        ASSERT_EQ(bb_zump_Sprtup, 1);
        EXPECT_FLOAT_EQ(Record(0)[12], c.glyphY) << "alignY " << c.alignY;
    }

    bb_zump_Sprtup = 0;
    bb_zump_SetSize(2);
    EXPECT_EQ(bb_zump_Text(10, 10, u""), 58);
    EXPECT_EQ(bb_zump_Sprtup, 0);

    bb_zump_ZUMP_Font = 0;
    EXPECT_EQ(bb_zump_Text(10, 10, u"AB"), 0);
    EXPECT_EQ(bb_zump_Sprtup, 0);
}

TEST_F(TextTest, GlyphsFarOffScreenAreCulledButStillAdvance) {
    EXPECT_EQ(bb_zump_Text(-160, 100, u"AB", 0, 1), -92);
    std::vector<Glyph> g = Glyphs();
    ASSERT_EQ(g.size(), 1u);
    EXPECT_FLOAT_EQ(g[0].x, -114);
    EXPECT_EQ(g[0].frame, 'B' - 32);

    bb_zump_Sprtup = 0;
    bb_zump_Text(0, (float)bb_zump_jscrh + 128, u"A", 0, 1);
    EXPECT_EQ(bb_zump_Sprtup, 0);
}

TEST_F(TextTest, BackslashNStartsANewLine) {
    EXPECT_EQ(bb_zump_Text(100, 100, u"A\\nB"), 160);
    std::vector<Glyph> g = Glyphs();
    ASSERT_EQ(g.size(), 2u);
    EXPECT_FLOAT_EQ(g[0].x, 124);
    EXPECT_FLOAT_EQ(g[0].y, 122);
    EXPECT_NEAR(g[1].x, 138, 1e-4);
    EXPECT_FLOAT_EQ(g[1].y, 160);
    EXPECT_EQ(g[1].frame, 'B' - 32);
}

TEST_F(TextTest, WaveMovesGlyphsVertically) {
    bb_zump_Text(100, 100, u"A", 0, 1, 90, 10);
    ASSERT_EQ(bb_zump_Sprtup, 1);
    EXPECT_NEAR(Record(0)[12], 100 + 10 * std::sin(152 * 3.14159265358979 / 180), 1e-4);
}

TEST_F(TextTest, RotatedTextRunsAlongTheTurnedBaseline) {
    bb_zump_SetRot(90);
    bb_zump_Text(100, 100, u"AA", 0, 1);
    std::vector<Glyph> g = Glyphs();
    ASSERT_EQ(g.size(), 2u);
    EXPECT_NEAR(g[1].x, g[0].x, 1e-3);
    EXPECT_NEAR(g[1].y, g[0].y - 15, 1e-3);
}

TEST_F(TextTest, ButtonIconsFollowTheInputMethod) {
    struct Case {
        int method;
        int clock;
        const char16_t* text;
        int frame;
    };
    const Case cases[] = {
        {0, 0, u"\u00acJ", 112},   {2, 0, u"\u00acJ", 96},    {1, 300, u"\u00acJ", 96},
        {1, 100, u"\u00acJ", 109}, {1, 699, u"\u00acO", 110}, {1, 100, u"\u00acD", 104},
        {1, 100, u"\u00acQ", 102}, {0, 0, u"\u00acD", 124},   {2, 0, u"\u00acZ", 'Z'},
        {0, 0, u"\u00ac0", '0' + 16},
    };
    for (const Case& c : cases) {
        bb_zump_Sprtup = 0;
        bb_zump_KeyPadMouse = c.method;
        host.clock = c.clock;
        // An icon advances 56 units.
        EXPECT_EQ(bb_zump_Text(100, 100, c.text, 0, 1), 180);
        ASSERT_EQ(bb_zump_Sprtup, 1);
        EXPECT_FLOAT_EQ(Record(0)[11], 124);
        EXPECT_FLOAT_EQ(Record(0)[13], c.frame) << "method " << c.method << " clock " << c.clock;
    }

    // The icon counts 30 in the measured width: centred, " ¬J" is 54 wide.
    bb_zump_Sprtup = 0;
    bb_zump_Text(100, 100, u"\u00acJ", 1, 1);
    EXPECT_FLOAT_EQ(Record(0)[11], 100 - 27 + 24);
}

TEST_F(TextTest, CharactersWithoutGlyphsDrawNothing) {
    // Code 0 neither draws nor advances; codes past the font's cells draw nothing.
    EXPECT_EQ(bb_zump_Text(0, 100, String(u"A") + char16_t(0) + u"B", 0, 1), 68);
    EXPECT_EQ(bb_zump_Sprtup, 2);
    EXPECT_FLOAT_EQ(Record(1)[11], 46);
    bb_zump_Sprtup = 0;
    bb_zump_Text(0, 100, u"\u0400", 0, 1);
    EXPECT_EQ(bb_zump_Sprtup, 0);
}

TEST(TextUtilities, LeftRightAndRightAlignedFields) {
    EXPECT_EQ(bb_zump_Left(u"abc", 5), u"abc");
    EXPECT_EQ(bb_zump_Left(u"abcdef", 2), u"ab");
    EXPECT_EQ(bb_zump_Left(u"abcdef", -2), u"abcd");
    EXPECT_EQ(bb_zump_Left(u"abc", -5), u"");
    EXPECT_EQ(bb_zump_Right(u"abcdef", 2), u"ef");
    EXPECT_EQ(bb_zump_Right(u"abcdef", -2), u"cdef");
    EXPECT_EQ(bb_zump_Right(u"abc", 9), u"abc");
    EXPECT_EQ(bb_zump_rstr(u"42", 5, u"0"), u"00042");
    EXPECT_EQ(bb_zump_rstr(u"123456", 4, u" "), u"3456");
    // At most 24 pad copies.
    EXPECT_EQ(bb_zump_rstr(u"7", 30, u"0").size(), 25u);
}

}  // namespace
