// Damaged, foreign and hand-edited state files: loading never fails, leaves a
// usable profile, and the next save writes a well-formed text that loads back
// to the same profile.
#include <cstring>
#include <string>

#include "profile_test_host.h"

namespace {

class ProfileDamage : public ProfileTest {
protected:
    String good;  // a complete, valid profile text with something in every table

    void SetUp() override {
        ProfileTest::SetUp();
        for (int i = 0; i < 201; ++i) bb_zump_ZUMP_Set[i] = i % 11;
        bb_zump_ZUMP_Set[21] = 0;
        bb_zump_ZUMP_Set[23] = 0;
        for (int i = 0; i < 16; ++i) bb_zump_ZUMP_Username[i] = 33 + i;
        bb_zump_ZUMP_UserIDA = 20250704;
        bb_zump_ZUMP_UserIDB = 120000123;
        for (int m = 0; m < 10000; ++m) bb_zump_ZUMP_Score[m] = m % 97 - 40;
        good = bb_zump_ProfileText();
    }

    // Loads the text as the stored state, then checks that the profile saves
    // to a well-formed text and that loading that text changes nothing.
    void LoadAndCheck(const String& text, const std::string& what) {
        SCOPED_TRACE(what);
        Restart();
        host.state = text;
        bb_zump_Load();
        EXPECT_NE(bb_zump_ZUMP_UserIDA, 0);
        EXPECT_LE(bb_zump_ZUMP_Set[21], 0);
        EXPECT_EQ(bb_zump_ZUMP_Set[23], 0);

        bb_zump_Save();
        String saved = host.state;
        std::vector<String> fields = Fields(saved);
        ASSERT_EQ(fields.size(), (size_t)ZUMP_PROFILE_FIELDS);
        ASSERT_EQ(fields[0], u"ZUMP_v2.0");
        ASSERT_EQ(fields.back(), u"");
        for (size_t i = 1; i + 1 < fields.size(); ++i)
            ASSERT_EQ(fields[i], Num(bbStringToInt(fields[i]))) << "field " << i;

        int set[256], name[16], score[10000];
        std::memcpy(set, bb_zump_ZUMP_Set, sizeof set);
        std::memcpy(name, bb_zump_ZUMP_Username, sizeof name);
        std::memcpy(score, bb_zump_ZUMP_Score, sizeof score);
        int idA = bb_zump_ZUMP_UserIDA, idB = bb_zump_ZUMP_UserIDB;

        Restart();
        host.state = saved;
        bb_zump_Load();
        EXPECT_EQ(std::memcmp(set, bb_zump_ZUMP_Set, 201 * sizeof(int)), 0);
        EXPECT_EQ(std::memcmp(name, bb_zump_ZUMP_Username, sizeof name), 0);
        EXPECT_EQ(std::memcmp(score, bb_zump_ZUMP_Score, sizeof score), 0);
        EXPECT_EQ(bb_zump_ZUMP_UserIDA, idA);
        EXPECT_EQ(bb_zump_ZUMP_UserIDB, idB);
    }

    // Simple deterministic byte source for the random cases.
    unsigned state_ = 12345;
    unsigned NextRandom() {
        state_ = state_ * 1103515245u + 12345u;
        return state_ >> 8;
    }
};

TEST_F(ProfileDamage, TruncatedAnywhere) {
    // Every cut through the settings, name, identity and first groups, then a
    // stride through the scores.
    size_t header = 0;
    for (int bars = 0; header < good.size() && bars < 300; ++header)
        if (good[header] == u'|') ++bars;
    for (size_t cut = 0; cut < good.size(); cut += cut < header ? 1 : 89) {
        LoadAndCheck(good.substr(0, cut), "cut at " + std::to_string(cut));
        if (HasFatalFailure()) return;
    }
}

TEST_F(ProfileDamage, TruncationKeepsWhatWasRead) {
    // Cut inside group 3: groups 0-2 load checked, group 3 loads unchecked up to
    // the cut, and scores past the cut keep their values.
    std::vector<String> fields = Fields(good);
    fields.resize(222 + 33 * 3 + 10);
    Restart();
    bb_zump_ZUMP_Score[9000] = 55;
    host.state = Join(fields);
    bb_zump_Load();
    EXPECT_EQ(bb_zump_ZUMP_Score[95], 95 % 97 - 40);
    EXPECT_EQ(bb_zump_ZUMP_Score[105], 105 % 97 - 40);
    EXPECT_EQ(bb_zump_ZUMP_Score[106], 0);
    EXPECT_EQ(bb_zump_ZUMP_Score[9000], 55);
    EXPECT_EQ(bb_zump_ZUMP_UserIDA, 20250704);
}

TEST_F(ProfileDamage, RandomBytesAndRandomFields) {
    for (int round = 0; round < 40; ++round) {
        std::string bytes(NextRandom() % 4000, '\0');
        for (char& b : bytes) b = (char)NextRandom();
        LoadAndCheck(bbStringFromUtf8(bytes), "random bytes " + std::to_string(round));

        // The right tag followed by field-like noise reaches every step.
        static const char16_t kAlphabet[] = u"0123456789||||--+ \tx9";
        String text = u"ZUMP_v2.0|";
        size_t length = NextRandom() % 60000;
        for (size_t i = 0; i < length; ++i) text += kAlphabet[NextRandom() % 21];
        LoadAndCheck(text, "random fields " + std::to_string(round));
        if (HasFatalFailure()) return;
    }
}

TEST_F(ProfileDamage, ForeignEncodings) {
    std::string utf8 = bbStringToUtf8(good);
    std::string utf16;
    for (char c : utf8) utf16 += std::string{c, '\0'};
    // A UTF-16 file without a byte-order mark reads as 8-bit text: wrong tag.
    LoadAndCheck(bbStringFromUtf8(utf16), "UTF-16 read as bytes");
    EXPECT_EQ(bb_zump_MyName(), u"Enter Name   ");

    // Latin-1 and other wide characters inside fields end the number there.
    std::vector<String> fields = Fields(good);
    fields[203] = String(u"3\u00e9");
    fields[1 + 40] = String(u"\u00e94");
    fields[300] = String(u"\u20ac\u20ac\u20ac");
    fields[301] = String(1, (char16_t)0xD800) + u"7";
    LoadAndCheck(bbStringFromUtf8(bbStringToUtf8(Join(fields))), "wide characters");
    fields[0] = String(u"\ufeffZUMP_v2.0");
    LoadAndCheck(Join(fields), "byte-order mark left in the text");
}

TEST_F(ProfileDamage, HandEditedNumbers) {
    struct Edit {
        int field;
        const char16_t* value;
    } edits[] = {
        {1 + 0, u"99999999999999999999"},  // music volume, wraps as a 32-bit read
        {1 + 6, u"-525"},
        {1 + 21, u"2147483647"},
        {202, u"-2147483648"},
        {203, u"-99999"},
        {219, u"0"},
        {220, u"+2147483647"},
        {221, u""},
        {222, u"   -12abc"},
        {254, u"0x10"},
        {255, u"1e9"},
        {10533, u"-2147483648"},
    };
    for (const Edit& e : edits) {
        std::vector<String> fields = Fields(good);
        fields[e.field] = String(e.value);
        LoadAndCheck(Join(fields), "field " + std::to_string(e.field));
    }
    std::vector<String> fields = Fields(good);
    for (size_t i = 1; i + 1 < fields.size(); ++i) fields[i] = String(i % 2 ? u"2147483647" : u"-2147483648");
    LoadAndCheck(Join(fields), "every field at an extreme");
}

TEST_F(ProfileDamage, OversizedTexts) {
    // Far more fields than a profile holds, and one enormous field.
    String many = good;
    for (int i = 0; i < 50000; ++i) many += u"1|";
    LoadAndCheck(many, "extra fields");

    std::vector<String> fields = Fields(good);
    fields[1 + 40] = String(200000, u'9');
    LoadAndCheck(Join(fields), "huge field");

    LoadAndCheck(String(100000, u'|'), "bars only");
    LoadAndCheck(u"ZUMP_v2.0", "tag alone");
    LoadAndCheck(u"ZUMP_v2.0|||||", "empty fields");
}

}  // namespace
