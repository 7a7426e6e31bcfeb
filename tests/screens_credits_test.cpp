// The credits roll: entry timing, which entries reach the middle, the index
// list, leaving, and the credit texts themselves.
#include "screens_test_host.h"

#include <set>

namespace {

enum { KEY_ENTER = 13, KEY_ESCAPE = 27, KEY_UP = 38 };

class CreditsTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        // As the game builds them at start-up: the defaults and one empty entry.
        bb_zump_DefaultCredits();
        bb_zump_AddCredit(u"", u"", u"", u"", u"");
        bb_zump_ZUMP_OptCred = 2;
        bb_zump_LockKeys();
    }
    void Run(int n) { Steps(bb_zump_Credits, n); }
    // Updates until the entry changes, at most limit.
    int UpdatesToNextEntry(int limit) {
        int from = bb_zump_ZUMP_CredTickB;
        for (int n = 1; n <= limit; ++n) {
            Run(1);
            if (bb_zump_ZUMP_CredTickB != from) return n;
        }
        return -1;
    }
};

TEST_F(CreditsTest, AnEntryLastsSixSecondsOrOneAndAFifthWhenHurried) {
    ASSERT_EQ(bb_zump_ZUMP_Creds, 70);
    EXPECT_EQ(UpdatesToNextEntry(1000), 271) << "the first entry starts a quarter turn in";
    EXPECT_EQ(UpdatesToNextEntry(1000), 360);
    Press(KEY_UP);
    UpdatesToNextEntry(1000);
    EXPECT_EQ(UpdatesToNextEntry(1000), 72);
    EXPECT_EQ(bb_zump_ZUMP_OptCred, 2) << "directions do not leave";
}

TEST_F(CreditsTest, TheMiddleShowsEveryEntryButTheLast) {
    Press(KEY_UP);
    std::set<int> shown;
    for (int n = 0; n < 3000; ++n) {
        Run(1);
        shown.insert(bb_zump_ZUMP_CredTickB);
    }
    std::set<int> expected;
    for (int k = 0; k < 13; ++k) expected.insert(5 * k);
    EXPECT_EQ(shown, expected);
}

TEST_F(CreditsTest, DrawsTheEntryTheIndexAndTheCorners) {
    bb_zump_ZUMP_Set[5] = 4;
    Run(1);
    const float cy = (float)bb_zump_jscrh / 2, h = (float)bb_zump_jscrh;
    EXPECT_EQ(TextAt(cy - 64, 0.75f), u"BramblewickRun");
    EXPECT_EQ(TextAt(cy - 32, 0.75f), u"Agameby");
    EXPECT_EQ(TextAt(h - 192 + 5.5f, 0.25f), u"BramblewickRun");
    EXPECT_EQ(TextAt(h - 192 + 12 + 5.5f, 0.25f), u"MadeWith");
    EXPECT_EQ(TextAt(4 + 11, 0.5f), u"Plays:4");
    EXPECT_EQ(TextAt(26 + 11, 0.5f), u"640:480");

    // On the last shown entry the index runs through the empty entry and wraps.
    bb_zump_ZUMP_CredTickB = 60;
    bb_zump_ZUMP_CredTickA = 0;
    Run(1);
    EXPECT_EQ(TextAt(h - 192 + 5.5f, 0.25f), u"ThankYou");
    EXPECT_EQ(TextAt(h - 192 + 12 + 5.5f, 0.25f), u"");
    EXPECT_EQ(TextAt(h - 192 + 24 + 5.5f, 0.25f), u"BramblewickRun");
}

TEST_F(CreditsTest, EntryShrinksAwayAsThePhaseFalls) {
    bb_zump_ZUMP_CredTickA = 209;  // sin(210) = -0.5: still full size
    Run(1);
    EXPECT_EQ(TextAt((float)bb_zump_jscrh / 2 - 64, 0.75f), u"BramblewickRun");
    bb_zump_ZUMP_CredTickA = 239;  // sin(240) < -0.6: gone
    Run(1);
    EXPECT_EQ(TextAt((float)bb_zump_jscrh / 2 - 64, 0.75f), u"");
}

TEST_F(CreditsTest, ConfirmBackOrPointerLeavesOnceTheOpeningPressIsLetGo) {
    struct Case {
        const char* how;
        int key;  // 0: the pointer
    };
    const Case cases[] = {{"confirm", KEY_ENTER}, {"back", KEY_ESCAPE}, {"pointer", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        bb_zump_ZUMP_OptCred = 2;
        bb_zump_LockKeys();
        auto press = [&] { c.key ? Press(c.key) : PointerDown(400, 300); };
        auto release = [&] { c.key ? Release(c.key) : MouseUp(); };
        press();
        Run(5);
        EXPECT_EQ(bb_zump_ZUMP_OptCred, 2) << "still held from opening";
        release();
        Run(1);
        press();
        Run(1);
        EXPECT_EQ(bb_zump_ZUMP_OptCred, 0);
        EXPECT_EQ(bb_zump_kdis[38], 1);
        release();
        Run(1);
    }
}

TEST_F(CreditsTest, WithoutCreditsTheScreenStillRuns) {
    bb_zump_screens_Init();
    bb_zump_ZUMP_OptCred = 2;
    Press(KEY_UP);
    Run(400);
    EXPECT_EQ(bb_zump_ZUMP_CredTickB, 0);
    EXPECT_EQ(TextAt((float)bb_zump_jscrh / 2, 0.75f), u"");
}

TEST_F(CreditsTest, AFullTableDropsFurtherEntries) {
    while (bb_zump_ZUMP_Creds + 5 <= ZUMP_CREDIT_STRINGS) bb_zump_AddCredit(u"h", u"", u"", u"", u"");
    const int full = bb_zump_ZUMP_Creds;
    bb_zump_AddCredit(u"one too many", u"", u"", u"", u"");
    EXPECT_EQ(bb_zump_ZUMP_Creds, full);
    EXPECT_EQ(bb_zump_ZUMP_Cred[ZUMP_CREDIT_STRINGS - 1], u"");
}

TEST_F(CreditsTest, DefaultCreditsNameTheGameItsTeamAndWhatItUses) {
    EXPECT_EQ(bb_zump_ZUMP_Creds, 13 * 5 + 5);
    std::u16string all;
    for (int i = 0; i < bb_zump_ZUMP_Creds; ++i) all += bb_zump_ZUMP_Cred[i] + u"\n";
    for (const char16_t* name : {u"Bramblewick Run", u"The Bramblewick Run team", u"GLFW", u"OpenGL", u"Mesa",
                                 u"OpenAL Soft", u"stb_image", u"stb_vorbis", u"Sean Barrett", u"DejaVu Sans Bold",
                                 u"Bitstream Vera"})
        EXPECT_NE(all.find(name), std::u16string::npos) << bbStringToUtf8(name);
}

}  // namespace
