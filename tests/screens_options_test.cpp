// The options screen: rows by keys and pointer, scrolling and flicking,
// the full-screen row and closing with a save.
#include "screens_test_host.h"

namespace {

enum { KEY_ENTER = 13, KEY_ESCAPE = 27, KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40 };

class OptionsTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        bb_zump_Load();  // a fresh profile with its defaults
        // Opened as the main menu opens it, then settled with nothing held.
        bb_zump_ZUMP_OptCred = 1;
        bb_zump_ZUMP_MenuPos[47] = 128;
        bb_zump_LockKeys();
        Run(60);
    }

    void Run(int n) { Steps(bb_zump_Options, n); }
    void Tap(int key) { ScreenTest::Tap(bb_zump_Options, key); }
    void Select(int row) {
        while (Selected() < row) Tap(KEY_DOWN);
        while (Selected() > row) Tap(KEY_UP);
        Run(60);  // long enough to scroll the row into view
    }
    static int RowY(int row) { return bb_zump_ZUMP_MenuPos[48] + 116 * row; }
    static int Selected() { return bb_zump_ZUMP_MenuPos[49]; }
};

TEST_F(OptionsTest, OpensWithTheListSettledBelowTheTop) {
    // The easing truncates, so the list comes to rest within 8 units of its target.
    EXPECT_LE(RowY(0), 128);
    EXPECT_GT(RowY(0), 120);
    EXPECT_EQ(bb_zump_ZUMP_OptCred, 1);
}

TEST_F(OptionsTest, RowsChangeTheirSettingsByKeys) {
    struct Case {
        int row, setting, start, key, expected;
    };
    const Case cases[] = {
        {2, 1, 0, KEY_ENTER, 10},   // confirm on a slider at its minimum goes to the maximum
        {2, 1, 7, KEY_ENTER, 0},    // and anywhere else to the minimum
        {3, 0, 7, KEY_RIGHT, 8},    // music up one
        {3, 0, 10, KEY_RIGHT, 10},  // clamped at the top
        {3, 0, 0, KEY_LEFT, 0},     // and at the bottom
        {4, 11, 1, KEY_LEFT, 0},    // a switch goes down to 0
        {4, 11, 0, KEY_LEFT, 0},    // and stays there
        {5, 12, 0, KEY_ENTER, 1},   // confirm flips a switch
        {7, 22, 0, KEY_RIGHT, 1},   // the last row, scrolled into view
        {0, 99, 0, KEY_LEFT, 0},    // Back has no setting: the scratch slot stays 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(c.row) + " from " + std::to_string(c.start));
        bb_zump_ZUMP_OptCred = 1;
        bb_zump_ZUMP_Set[c.setting] = c.start;
        Select(c.row);
        Tap(c.key);
        EXPECT_EQ(bb_zump_ZUMP_Set[c.setting], c.expected);
    }
}

TEST_F(OptionsTest, AHeldKeyActsOnce) {
    Select(3);
    bb_zump_ZUMP_Set[0] = 2;
    Press(KEY_RIGHT);
    Run(30);
    EXPECT_EQ(bb_zump_ZUMP_Set[0], 3);
    Release(KEY_RIGHT);
    Run(1);
    Tap(KEY_RIGHT);
    EXPECT_EQ(bb_zump_ZUMP_Set[0], 4);
}

TEST_F(OptionsTest, UpAndDownMoveTheSelectionWithinTheEightRows) {
    Tap(KEY_UP);
    EXPECT_EQ(Selected(), 0);
    for (int row = 1; row <= 7; ++row) {
        Tap(KEY_DOWN);
        EXPECT_EQ(Selected(), row);
    }
    Tap(KEY_DOWN);
    EXPECT_EQ(Selected(), 7);

    // The list scrolls to keep the selection on screen.
    Run(120);
    EXPECT_GE(RowY(7), 64);
    EXPECT_LT(RowY(7), bb_zump_jscrh - 63);

    Press(KEY_UP);
    Run(20);
    Release(KEY_UP);
    EXPECT_EQ(Selected(), 6) << "a held key moves once";
}

TEST_F(OptionsTest, ScreenshotAndFramerateRowsDriveTheirModes) {
    Select(6);
    Tap(KEY_ENTER);
    EXPECT_EQ(bb_zump_ZUMP_Set[23], 1);
    EXPECT_EQ(bb_zump_ZUMP_ScreenshotMode, 1);
    Select(7);
    Tap(KEY_ENTER);
    EXPECT_EQ(bb_zump_ZUMP_Set[22], 1);
    EXPECT_EQ(bb_zump_ZUMP_DebugMode, 1);
}

TEST_F(OptionsTest, FullscreenRowSwitchesTheWindowBothWays) {
    Select(1);
    Tap(KEY_ENTER);
    EXPECT_EQ(bb_zump_ZUMP_Fullscreen, 1);
    Tap(KEY_ENTER);
    EXPECT_EQ(bb_zump_ZUMP_Fullscreen, 0);
    EXPECT_EQ(host.windowRequests, std::vector<std::string>({"1280x720/1", "640x480/6"}));
    EXPECT_EQ(bb_zump_ZUMP_OptCred, 1) << "the full-screen row does not close the screen";
}

TEST_F(OptionsTest, LeavingLocksTheKeysAndSaves) {
    struct Case {
        const char* how;
        int row;
        int key;
    };
    const Case cases[] = {{"back key", 3, KEY_ESCAPE}, {"confirm on Back", 0, KEY_ENTER}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        host.state.clear();
        bb_zump_ZUMP_OptCred = 1;
        bb_zump_ZUMP_Set[0] = 3;
        Select(c.row);
        Press(c.key);
        Run(1);
        EXPECT_EQ(bb_zump_ZUMP_OptCred, 0);
        EXPECT_EQ(bb_zump_kdis[0], 1);
        EXPECT_EQ(bb_zump_mdis[0], 1);
        ASSERT_EQ(host.state.substr(0, 10), u"ZUMP_v2.0|");
        EXPECT_EQ(host.state.substr(10, 2), u"3|") << "the music setting is in the saved text";
        Release(c.key);
        Run(1);
    }
    EXPECT_EQ(Selected(), 0);
}

TEST_F(OptionsTest, PointerSelectsARowThenActsOnIt) {
    // A tap on an unselected row only selects it.
    bb_zump_ZUMP_Set[11] = 1;
    PointerDown(400, (float)RowY(4));
    Run(1);
    MouseUp();
    Run(1);
    EXPECT_EQ(Selected(), 4);
    EXPECT_EQ(bb_zump_ZUMP_Set[11], 1);

    // A second tap on its switch flips it, once per press.
    PointerDown(472, (float)RowY(4));
    Run(5);
    MouseUp();
    Run(1);
    EXPECT_EQ(bb_zump_ZUMP_Set[11], 0);

    // A slider follows the pointer along its dots.
    PointerDown(400, (float)RowY(2));
    Run(1);
    MouseUp();
    Run(1);
    ASSERT_EQ(Selected(), 2);
    EXPECT_EQ(bb_zump_ZUMP_Set[1], 7) << "the selecting tap, over dot 4, leaves the slider alone";
    PointerDown(400 + 22 * 3 - 88 - 6, (float)RowY(2));
    Run(1);
    EXPECT_EQ(bb_zump_ZUMP_Set[1], 3);
    PointerMove(400 + 22 * 9 - 88 - 6, (float)RowY(2));
    Run(1);
    EXPECT_EQ(bb_zump_ZUMP_Set[1], 9);
    MouseUp();
    Run(1);

    // Tapping the selected Back row closes the screen.
    PointerDown(400, (float)RowY(0));
    Run(1);
    MouseUp();
    Run(1);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(bb_zump_ZUMP_OptCred, 1);
    PointerDown(400, (float)RowY(0));
    Run(1);
    EXPECT_EQ(bb_zump_ZUMP_OptCred, 0);
}

TEST_F(OptionsTest, AFlickScrollsOnAndTurnsOffScrollToSelection) {
    // Drag upwards in the margin, 4 units per update.
    PointerDown(30, 400);
    Run(1);
    for (int i = 1; i <= 4; ++i) {
        PointerMove(30, 400 - 4.0f * (float)i);
        Run(1);
    }
    EXPECT_LT(bb_zump_ZUMP_MenuPos[46], -3);
    EXPECT_EQ(bb_zump_kdis[47], 1);
    MouseUp();
    Run(1);
    int before = bb_zump_ZUMP_MenuPos[48];
    Run(10);
    EXPECT_LT(bb_zump_ZUMP_MenuPos[48], before) << "the list keeps moving after the release";

    // A key move turns scroll-to-selection back on.
    Tap(KEY_DOWN);
    EXPECT_EQ(bb_zump_kdis[47], 0);
    Run(120);
    EXPECT_GE(RowY(1), 64);
}

TEST_F(OptionsTest, ANewPressDoesNotReuseTheLastDragsMovement) {
    PointerDown(30, 300);
    Run(1);
    PointerMove(30, 330);
    Run(1);
    MouseUp();
    Run(200);
    int offset = bb_zump_ZUMP_MenuPos[48];
    ASSERT_EQ(bb_zump_ZUMP_MenuPos[46], 0);

    // Held still in the margin: no movement, so no velocity.
    PointerDown(30, 200);
    Run(3);
    EXPECT_EQ(bb_zump_ZUMP_MenuPos[46], 0);
    EXPECT_EQ(bb_zump_ZUMP_MenuPos[48], offset);
}

TEST_F(OptionsTest, AListScrolledFarUpComesBack) {
    bb_zump_ZUMP_MenuPos[48] = bb_zump_ZUMP_MenuPos[47] = -2000;
    bb_zump_kdis[47] = 1;  // as after a flick
    Run(400);
    EXPECT_GE(bb_zump_ZUMP_MenuPos[48] + 928, bb_zump_jscrh / 2 - 16);
}

TEST_F(OptionsTest, DrawsEveryVisibleRowWithItsIconAndLabel) {
    Run(1);
    int icons = 0;
    for (int n = 0; n < bb_zump_Sprtup; ++n) {
        const float* r = Record(n);
        if (r[9] == 1 && r[10] == 81 && r[13] != 48) ++icons;
    }
    // Rows 0-4 lie within 96 units of the 600-unit screen at offset 121; row 5 at 701 does not.
    EXPECT_EQ(icons, 5);
    EXPECT_EQ(TextAt((float)RowY(0) - 44, 0.5f), u"Back");
}

}  // namespace
