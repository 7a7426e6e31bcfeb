// Name entry: the character cycles, auto-repeat timing, the cursor, delete
// and advance, the arrows, and finishing with a forced score send and a save.
#include "screens_test_host.h"

#include <vector>

#include "shell/zump_name.h"
#include "shell/zump_scoreboard.h"

namespace {

enum { KEY_ENTER = 13, KEY_ESCAPE = 27, KEY_SPACE = 32, KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40 };

int Code(char16_t c) { return c == u' ' ? 0 : (int)c - 32; }

TEST(NameCodes, CyclesTurnWhereTheyShould) {
    struct Case {
        char16_t from, up, down;
    };
    const Case cases[] = {
        {u' ', u'A', u'9'}, {u'A', u'B', u'@'}, {u'Z', u'[', u'Y'}, {u'`', u'a', u'_'}, {u'z', u'{', u'y'},
        {u'~', u'A', u'}'}, {u'>', u' ', u'='}, {u'!', u'"', u'~'}, {u'@', u'A', u' '}, {u'0', u'1', u'/'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bb_zump_NameCodeUp(Code(c.from)), Code(c.up)) << (char)c.from;
        EXPECT_EQ(bb_zump_NameCodeDown(Code(c.from)), Code(c.down)) << (char)c.from;
    }
}

TEST(NameCodes, UpFromASpaceRunsThroughLettersAndSymbolsButNoDigits) {
    int code = bb_zump_NameCodeUp(0);
    std::u16string seen;
    do {
        seen += (char16_t)(code + 32);
        code = bb_zump_NameCodeUp(code);
    } while (code != Code(u'A') && seen.size() < 200);
    EXPECT_EQ(seen, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~");
}

TEST(NameCodes, DownFromASpaceRunsBackToTheSpace) {
    int code = bb_zump_NameCodeDown(0);
    std::u16string seen;
    while (code != 0 && seen.size() < 200) {
        seen += (char16_t)(code + 32);
        code = bb_zump_NameCodeDown(code);
    }
    EXPECT_EQ(seen, u"9876543210/.-,+*)('&%$#\"!~}|{zyxwvutsrqponmlkjihgfedcba`_^]\\[ZYXWVUTSRQPONMLKJIHGFEDCBA@");
}

TEST(NameCodes, CodesFromAnEditedProfileCountAsASpace) {
    for (int code : {-1, 95, 129, 100000, -2147483647 - 1, 2147483647}) {
        EXPECT_EQ(bb_zump_NameCodeUp(code), Code(u'A')) << code;
        EXPECT_EQ(bb_zump_NameCodeDown(code), Code(u'9')) << code;
    }
}

class NameEntryTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        bb_zump_Load();  // a fresh profile: "Name" and spaces
        // Opened as the main menu opens it, then settled with nothing held.
        bb_zump_ZUMP_OptCred = 3;
        bb_zump_ZUMP_MenuPos[47] = 0;
        bb_zump_LockKeys();
        Run(1);
    }
    void Run(int n) { Steps(bb_zump_EnterName, n); }
    void Tap(int key) { ScreenTest::Tap(bb_zump_EnterName, key); }
    static int Cursor() { return bb_zump_ZUMP_MenuPos[47]; }
    static int& Box(int i) { return bb_zump_ZUMP_Username[i]; }
    static float BoxX(int i) { return (float)(bb_zump_jscrw / 2 - 192 + 32 * i); }
    static float Cy() { return (float)(bb_zump_jscrh / 2); }
};

TEST_F(NameEntryTest, HoldingUpOrDownRepeatsAtOneThirtyOneFortySixThenEveryTwo) {
    struct Case {
        const char* how;
        int key;          // 0: the pointer on an arrow
        float arrowDy;    // the arrow's offset from the cursor box
        int firstStep;    // the code after one step from a space
    };
    const Case cases[] = {{"down key", KEY_DOWN, 0, Code(u'9')},
                          {"up key", KEY_UP, 0, Code(u'A')},
                          {"lower arrow", 0, 60, Code(u'9')},
                          {"upper arrow", 0, -60, Code(u'A')}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        bb_zump_ZUMP_MenuPos[47] = 5;
        Box(5) = 0;
        Run(1);
        if (c.key)
            Press(c.key);
        else
            PointerDown(BoxX(5) - 8, Cy() - 8 + c.arrowDy);
        std::vector<int> steps;
        int last = Box(5);
        for (int n = 1; n <= 60; ++n) {
            Run(1);
            if (Box(5) != last) steps.push_back(n);
            if (n == 1) {
                EXPECT_EQ(Box(5), c.firstStep);
            }
            last = Box(5);
        }
        if (c.key)
            Release(c.key);
        else
            MouseUp();
        EXPECT_EQ(steps, std::vector<int>({1, 31, 46, 48, 50, 52, 54, 56, 58, 60}));
        EXPECT_EQ(Cursor(), 5);
    }
}

TEST_F(NameEntryTest, DownWinsWhenBothAreHeld) {
    Box(0) = 0;
    Press(KEY_UP);
    Press(KEY_DOWN);
    Run(1);
    EXPECT_EQ(Box(0), Code(u'9'));
}

TEST_F(NameEntryTest, CursorMovesOncePerPressAndWraps) {
    struct Case {
        int from, key, to;
    };
    const Case cases[] = {
        {3, KEY_RIGHT, 4}, {3, KEY_LEFT, 2}, {12, KEY_RIGHT, 0}, {0, KEY_LEFT, 12}, {12, KEY_SPACE, 12},
    };
    for (const Case& c : cases) {
        bb_zump_ZUMP_MenuPos[47] = c.from;
        Press(c.key);
        Run(10);
        Release(c.key);
        Run(1);
        EXPECT_EQ(Cursor(), c.to) << c.from << " key " << c.key;
    }
}

TEST_F(NameEntryTest, AdvanceCarriesTheLetterOntoAnEmptyBoxOnly) {
    for (int i = 0; i < 13; ++i) Box(i) = 0;
    Box(0) = Code(u'C');
    Box(2) = Code(u'x');
    Tap(KEY_SPACE);
    EXPECT_EQ(Cursor(), 1);
    EXPECT_EQ(Box(1), Code(u'C'));
    Tap(KEY_SPACE);
    EXPECT_EQ(Cursor(), 2);
    EXPECT_EQ(Box(2), Code(u'x'));
}

TEST_F(NameEntryTest, DeleteClearsTheBoxAndStepsBack) {
    bb_zump_ZUMP_MenuPos[47] = 2;
    Tap('X');
    EXPECT_EQ(Box(2), 0);
    EXPECT_EQ(Cursor(), 1);
    bb_zump_ZUMP_MenuPos[47] = 0;
    Tap('X');
    EXPECT_EQ(Box(0), 0);
    EXPECT_EQ(Cursor(), 0);
}

TEST_F(NameEntryTest, PointerOnABoxMovesTheCursor) {
    PointerDown(BoxX(9), Cy());
    Run(1);
    EXPECT_EQ(Cursor(), 9);
}

TEST_F(NameEntryTest, FinishingSendsTheNameAndSaves) {
    struct Case {
        const char* how;
        int key;  // 0: the pointer on the finish button
    };
    const Case cases[] = {{"Enter", KEY_ENTER}, {"button 3", 'V'}, {"back", KEY_ESCAPE}, {"finish button", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        bb_zump_ZUMP_OptCred = 3;
        bb_zump_ZUMP_ForceSend = 0;
        bb_zump_ZUMP_MenuPos[47] = 4;
        host.state.clear();
        Box(0) = Code(u'Z');
        Run(1);
        if (c.key)
            Press(c.key);
        else
            PointerDown(48, 38);
        Run(1);
        EXPECT_EQ(bb_zump_ZUMP_OptCred, 0);
        EXPECT_EQ(bb_zump_ZUMP_ForceSend, 1);
        EXPECT_EQ(Cursor(), 4) << "finishing does not advance";
        EXPECT_EQ(bb_zump_kdis[0], 1);
        EXPECT_EQ(bb_zump_MyName().substr(0, 4), u"Zame");
        ASSERT_FALSE(host.state.empty());
        // The first name code follows the 201 settings and check A.
        String saved = host.state;
        size_t field = 0;
        for (int bars = 0; bars < 203; ++bars) field = saved.find(u'|', field) + 1;
        EXPECT_EQ(saved.substr(field, 3), u"58|");
        if (c.key)
            Release(c.key);
        else
            MouseUp();
        Run(1);
    }
}

TEST_F(NameEntryTest, APressHeldFromOpeningDoesNotFinish) {
    struct Case {
        const char* how;
        int key;
    };
    for (const Case& c : {Case{"Enter", KEY_ENTER}, Case{"finish button", 0}}) {
        SCOPED_TRACE(c.how);
        bb_zump_ZUMP_OptCred = 3;
        if (c.key)
            Press(c.key);
        else
            PointerDown(48, 38);
        bb_zump_LockKeys();  // the menu opened the screen on this press
        Run(5);
        EXPECT_EQ(bb_zump_ZUMP_OptCred, 3);
        if (c.key)
            Release(c.key);
        else
            MouseUp();
        Run(1);
    }
}

TEST_F(NameEntryTest, ShowsTheNameInItsBoxesAndTheArrowsOnTheCursor) {
    bb_zump_ZUMP_MenuPos[47] = 2;
    Run(1);
    std::u16string boxes;
    for (int i = 0; i < 13; ++i) {
        float y = i == 2 ? Cy() - 8 : Cy();
        for (int n = 0; n < bb_zump_Sprtup; ++n) {
            const float* r = Record(n);
            if (r[9] == 1 && r[10] == 99 && r[11] == BoxX(i) + 8 && r[12] == y - 8) boxes += (char16_t)(r[13] + 32);
        }
    }
    EXPECT_EQ(boxes, u"Name         ");

    // Arrows turned a quarter, above and below the cursor box.
    int arrows = 0;
    for (int n = 0; n < bb_zump_Sprtup; ++n) {
        const float* r = Record(n);
        if (r[9] == 1 && r[10] == 99 && r[6] == 90 && (r[13] == '>' - 32 || r[13] == '<' - 32)) ++arrows;
    }
    EXPECT_EQ(arrows, 2);
}

TEST_F(NameEntryTest, FinishIconAlternatesAndTheInputMethodIsKept) {
    bb_zump_KeyPadMouse = 2;
    std::vector<float> icons;
    for (int clock : {700, 1700}) {
        host.clock = clock;
        Run(1);
        for (int n = 0; n < bb_zump_Sprtup; ++n) {
            const float* r = Record(n);
            if (r[9] == 1 && r[10] == 99 && r[13] >= 96) icons.push_back(r[13]);
        }
        EXPECT_EQ(bb_zump_KeyPadMouse, 2);
    }
    EXPECT_EQ(icons, std::vector<float>({99, 115})) << "pad style, then keyboard style";
}

TEST_F(NameEntryTest, ACursorLeftOutOfRangeStartsAtTheFirstBox) {
    bb_zump_ZUMP_MenuPos[47] = 128;  // the options screen's scroll target shares the slot
    Press(KEY_UP);
    Run(1);
    EXPECT_EQ(Cursor(), 0);
    EXPECT_EQ(Box(0), Code(u'O'));
}

}  // namespace
