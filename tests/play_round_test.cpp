// Scripted rounds through the real update path: a player walks round the
// ball, thwacks with the meter, holes out, and plays a whole course to the
// curtain and back to the menu.
#include "play_fixture.h"

#include "shell/zump_profile.h"

namespace {

TEST_F(PlayTest, FirstHoleIsPlayedCountedAndFollowedBySecond) {
    StartCourse(1);
    ASSERT_EQ(bb_zump_ZUMP_GameMode, 10);
    ASSERT_EQ(game->m_hole, 1);
    EXPECT_EQ(plr[51], 9);
    EXPECT_EQ(plr[21], plr[1] - 2) << "the golfer starts up and left of the ball";

    int thwacks = PlayHole();
    ASSERT_GE(thwacks, 1);
    ASSERT_EQ(plr[67], 1) << "the scripted player holes out on the first hole";
    EXPECT_EQ(plr[66], 1);
    EXPECT_EQ(plr[54], thwacks);
    EXPECT_EQ(plr[51], 9 - thwacks);
    // No creatures on the first hole: the thwacks left, plus 17 for a hole in one.
    int expected = 9 - thwacks + (thwacks == 1 ? 17 : 0);
    EXPECT_EQ(game->m_holeScore[1], expected);
    EXPECT_EQ(plr[50], expected);
    EXPECT_NE(CommittedGlyphs().find(u"Total:" + bbStringFromInt(expected)), std::u16string::npos);

    // The ball stays in the hole while the banner shows.
    float bx = plr[1], by = plr[2];
    int hold = WaitForNextHole();
    EXPECT_EQ(hold, 180) << "the next hole comes 180 updates after the drop";
    EXPECT_EQ(game->m_hole, 2);
    EXPECT_NE(plr[1], bx);
    (void)by;

    // Hole 2 is the generator's hole 2 of course 1, with its creatures.
    EXPECT_EQ(plr[51], 9);
    EXPECT_EQ(plr[54], 0);
    EXPECT_EQ(plr[67], 0);
    ASSERT_EQ(bb_world_CreatureCount, 3);
    for (int k = 0; k < 3; ++k) {
        float kind = bb_zump_grid[bb_world_Cell(bb_world_CreatureX[k], bb_world_CreatureY[k]) + 5];
        EXPECT_TRUE(kind == 1 || kind == 2) << "creature " << k;
    }
    EXPECT_EQ(game->m_holeScore[1], expected) << "the first hole's score is kept";
    EXPECT_EQ(plr[50], expected);
}

class WholeCourseTest : public PlayTest, public ::testing::WithParamInterface<int> {};

TEST_P(WholeCourseTest, EndsInTheCurtainAndIsRecorded) {
    const int course = GetParam();
    StartCourse(course);
    int games = bb_zump_ZUMP_Set[5];
    for (int hole = 1; hole <= 9; ++hole) {
        ASSERT_EQ(game->m_hole, hole);
        int thwacks = PlayHole();
        ASSERT_GT(plr[67], 0) << "hole " << hole;
        if (plr[54] > 90) {
            EXPECT_EQ(game->m_holeScore[hole], -5);
        } else {
            EXPECT_EQ(plr[54], thwacks);
            EXPECT_GE(game->m_holeScore[hole], 9 - thwacks) << "hole " << hole;
        }
        int sum = 0;
        for (int i = 1; i <= hole; ++i) sum += game->m_holeScore[i];
        EXPECT_EQ(plr[50], sum) << "hole " << hole;
        if (hole < 9) {
            // A miss is counted on the update it is declared.
            EXPECT_EQ(WaitForNextHole(), plr[54] > 90 ? 179 : 180);
        }
    }

    // After the ninth hole the curtain starts; play goes on underneath with
    // the ball frozen and the total fixed.
    int total = (int)plr[50];
    WaitForNextHole();
    ASSERT_GT(bb_zump_ZUMP_EndofGame, 0);
    EXPECT_EQ(bb_zump_ZUMP_EndReason, 0);
    EXPECT_EQ(game->m_hole, 9);
    float bx = plr[1], by = plr[2];
    while (bb_zump_ZUMP_GameMode == 10) {
        Update();
        if (bb_zump_ZUMP_GameMode == 10) {
            EXPECT_EQ(plr[1], bx);
            EXPECT_EQ(plr[2], by);
            EXPECT_EQ(plr[50], total);
        }
        ASSERT_LT(bb_zump_ZUMP_EndofGame, 100);
    }
    Update();  // mode 1 records the game
    EXPECT_EQ(bb_zump_ZUMP_GameMode, 0);
    while (bb_zump_ZUMP_EndofGame > 0) Update();

    const int* row = bb_zump_ZUMP_Score + 20 * course;
    EXPECT_EQ(row[5], total) << "the total heads the recent list";
    EXPECT_EQ(bb_zump_ZUMP_LastPlay, course);
    if (total > 0) {
        EXPECT_EQ(row[0], total);
        EXPECT_EQ(bb_zump_ZUMP_LastRank, 0);
    }
    EXPECT_EQ(bb_zump_ZUMP_Set[5], games + 1);
    EXPECT_GT(total, 9 * 4) << "the scripted player holes every hole in a few thwacks";
}

INSTANTIATE_TEST_SUITE_P(EveryCourse, WholeCourseTest, ::testing::Range(1, 10));

TEST_F(PlayTest, KeyboardWalksTheGolferAndSpaceStartsThenStrikes) {
    StartCourse(1);
    float gx = plr[21], gy = plr[22];
    // Away from the ball the golfer steps 0.15 cells per unit of stick.
    Press(KEY_RIGHT);
    Update();
    EXPECT_FLOAT_EQ(plr[21], gx + 0.4f * 0.15f);
    EXPECT_FLOAT_EQ(plr[22], gy);
    EXPECT_FLOAT_EQ(plr[25], 90) << "facing where they walk";
    Release(KEY_RIGHT);
    for (int n = 0; n < 10; ++n) Update();

    // Near the ball the same stick moves the golfer a sixth as far.
    ASSERT_TRUE(WalkTo(plr[1], plr[2] + 1.5f));
    gx = plr[21];
    Press(KEY_RIGHT);
    Update();
    EXPECT_FLOAT_EQ(plr[21], gx + 0.4f * 0.025f);
    Release(KEY_RIGHT);
    for (int n = 0; n < 10; ++n) Update();

    // Holding the thwack control only starts the meter.
    Press(KEY_SPACE);
    for (int n = 0; n < 20; ++n) Update();
    EXPECT_EQ(plr[35], 1);
    EXPECT_EQ(plr[54], 0);
    Release(KEY_SPACE);
    Update();
    Press(KEY_SPACE);
    Update();
    EXPECT_EQ(plr[54], 1);
    EXPECT_EQ(plr[35], 0);
    EXPECT_GT(plr[4], 0);
    Release(KEY_SPACE);
}

TEST_F(PlayTest, PointerOnTheThwackButtonStrikesAndWalkingAwayCancelsTheMeter) {
    StartCourse(1);
    ASSERT_TRUE(WalkTo(plr[1], plr[2] + 1.5f));
    float corner = (float)bb_zump_jscrw - 30;
    MouseDown(corner, 30);
    Update();
    EXPECT_EQ(plr[35], 1) << "the button starts the meter";
    MouseUp();
    Update();

    // Walking away cancels the meter and frees the control.
    ASSERT_TRUE(WalkTo(plr[1], plr[2] + 4));
    EXPECT_EQ(plr[35], 0);
    EXPECT_EQ(bb_zump_kdis[10], 0);

    ASSERT_TRUE(WalkTo(plr[1], plr[2] + 1.5f));
    MouseDown(corner, 30);
    Update();
    MouseUp();
    Update();
    MouseDown(corner, 30);
    Update();
    MouseUp();
    EXPECT_EQ(plr[54], 1);
    EXPECT_EQ(plr[51], 8);
}

}  // namespace
