#include <gtest/gtest.h>

#include "host/bb_runtime.h"

TEST(Runtime, TextToIntReadsSignAndDigitsOnly) {
    struct Case {
        const char16_t* text;
        int value;
    } cases[] = {
        {u"42", 42},      {u"  -17x", -17}, {u"+8", 8},    {u"", 0},
        {u"abc", 0},      {u"\t\n 9", 9},   {u"-", 0},     {u"2147483647", 2147483647},
    };
    for (const Case& c : cases) EXPECT_EQ(bbStringToInt(c.text), c.value) << bbStringToUtf8(c.text);
}

TEST(Runtime, TextToIntLooksAtTheFirst63UnitsOnly) {
    String text(62, u'0');
    text += u"12";
    EXPECT_EQ(bbStringToInt(text), 1);
}

TEST(Runtime, Utf8RoundTripsUnitByUnit) {
    String text = u"\u00e9\u20ac";
    EXPECT_EQ(bbStringToUtf8(text), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(bbStringFromUtf8(bbStringToUtf8(text)), text);
    String lone = u"a";
    lone.push_back((char16_t)0xD800);
    EXPECT_EQ(bbStringFromUtf8(bbStringToUtf8(lone)), lone);
}

TEST(Runtime, MalformedUtf8FallsBackToBytes) {
    String text = bbStringFromUtf8(std::string("caf\xE9!"));
    EXPECT_EQ(text, String(u"caf\u00e9!"));
}

TEST(Runtime, IntToTextIsPlainDecimal) {
    EXPECT_EQ(bbStringFromInt(-12), String(u"-12"));
    EXPECT_EQ(bbStringFromInt(0), String(u"0"));
}
