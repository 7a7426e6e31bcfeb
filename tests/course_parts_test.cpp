// The pieces of the course generator on hand-made grids: cell access, the
// island painter and the creature search.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "game/world.h"
#include "host/bb_runtime.h"
#include "shell/zump_random.h"

namespace {

class CourseParts : public ::testing::Test {
protected:
    void SetUp() override { bbInit(); }

    static float Layer(int x, int y, int layer) { return bb_zump_grid[bb_world_Cell(x, y) + layer]; }

    static void Fairway(int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) bb_zump_grid[bb_world_Cell(x, y)] = TERRAIN_FAIRWAY;
    }

    static int CreatureCells() {
        int count = 0;
        for (int y = 0; y < 512; ++y)
            for (int x = 0; x < 512; ++x) count += Layer(x, y, 5) != 0;
        return count;
    }
};

TEST_F(CourseParts, PutAndIsTouchOnlyTheInnerCells) {
    const struct {
        int x, y;
        bool inside;
    } cells[] = {{2, 2, true}, {509, 509, true}, {2, 509, true}, {1, 100, false}, {100, 1, false},
                 {510, 100, false}, {100, 510, false}, {-1, 5, false}, {600, 600, false}};
    for (const auto& c : cells) {
        bb_world_Put(c.x, c.y, 7, 5);
        EXPECT_EQ(bb_world_Is(c.x, c.y, 5), c.inside ? 7 : 0) << c.x << "," << c.y;
        if (!c.inside && c.x >= 0 && c.x < 512 && c.y >= 0 && c.y < 512) {
            EXPECT_EQ(Layer(c.x, c.y, 5), 0.0f);
        }
    }
    // Reading truncates toward zero.
    bb_zump_grid[bb_world_Cell(50, 50) + 3] = 2.9f;
    bb_zump_grid[bb_world_Cell(51, 50) + 3] = -2.9f;
    EXPECT_EQ(bb_world_Is(50, 50, 3), 2);
    EXPECT_EQ(bb_world_Is(51, 50, 3), -2);
}

TEST_F(CourseParts, DiscLeavesCellsAtExactlyItsReachUnpainted) {
    // Centre (100, 100), reach rx + ry = 5.
    bb_world_PaintDisc(100, 100, 2, 3, TERRAIN_GREEN);
    const struct {
        int x, y;
        bool painted;
    } cells[] = {{100, 100, true}, {104, 100, true}, {105, 100, false}, {100, 95, false},
                 {103, 103, true}, {103, 104, false}, {96, 97, false}, {97, 96, false}};
    for (const auto& c : cells) EXPECT_EQ(Layer(c.x, c.y, 0), c.painted ? 3.0f : 0.0f) << c.x << "," << c.y;
}

TEST_F(CourseParts, DiscComparesTheDistanceRoundedToSingle) {
    // Cell (107, 100) lies a hair closer than the reach of 7 in double
    // precision, but its distance rounds to exactly 7 in single precision.
    const float cx = 100.00000762939453125f, cy = 100.01025390625f;
    double dx = 107 - (double)cx, dy = 100 - (double)cy, d = std::sqrt(dx * dx + dy * dy);
    ASSERT_LT(d, 7.0);
    ASSERT_EQ((float)d, 7.0f);
    bb_world_PaintDisc(cx, cy, 3, 4, TERRAIN_FAIRWAY);
    EXPECT_EQ(Layer(107, 100, 0), 0.0f);
    EXPECT_EQ(Layer(106, 100, 0), 1.0f);
}

TEST_F(CourseParts, DiscIsClippedToTheInnerCells) {
    bb_world_PaintDisc(3.5f, 508.5f, 6, 6, TERRAIN_FAIRWAY);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(Layer(0, 500 + i % 12, 0), 0.0f);
        EXPECT_EQ(Layer(1, 500 + i % 12, 0), 0.0f);
        EXPECT_EQ(Layer(i, 510, 0), 0.0f);
        EXPECT_EQ(Layer(i, 511, 0), 0.0f);
    }
    EXPECT_EQ(Layer(2, 509, 0), 1.0f);
    EXPECT_EQ(Layer(10, 500, 0), 1.0f);
}

TEST_F(CourseParts, CreatureZonesNarrowAfterManyTries) {
    // The ball at (250, 250); the only fairway lies in one ring round it.
    const struct {
        int near, far;     // fairway at dx = near..far, dy = -5..5
        int minTries;      // the zone that had to be dropped first
    } rings[] = {
        {30, 40, 1},       // outside every zone
        {16, 26, 1001},    // inside the 30-cell zone only
        {6, 14, 2501},     // inside the 15-cell zone
    };
    for (const auto& ring : rings) {
        bbInit();
        bb_zump_plr[1] = bb_zump_plr[2] = 250;
        Fairway(250 + ring.near, 245, 250 + ring.far, 255);
        bb_zump_SeedRnd(17);
        int tries = bb_world_PlaceCreature(2);
        ASSERT_GE(tries, ring.minTries) << ring.near;
        ASSERT_EQ(bb_world_CreatureCount, 1);
        int x = bb_world_CreatureX[0], y = bb_world_CreatureY[0];
        EXPECT_GE(x, 250 + ring.near);
        EXPECT_LE(x, 250 + ring.far);
        EXPECT_EQ(Layer(x, y, 5), 1.0f);
        EXPECT_EQ(CreatureCells(), 1);
    }
}

TEST_F(CourseParts, CreatureSearchGivesUpWhenOnlyTheBallsCellsAreFairway) {
    bb_zump_plr[1] = bb_zump_plr[2] = 250;
    Fairway(246, 246, 254, 254);
    bb_zump_SeedRnd(3);
    EXPECT_EQ(bb_world_PlaceCreature(2), 0);
    EXPECT_EQ(bb_world_CreatureCount, 0);
    EXPECT_EQ(CreatureCells(), 0);
}

TEST_F(CourseParts, CreaturesAreKindOneThenTwoAndNeverShareACell) {
    bb_zump_plr[1] = bb_zump_plr[2] = 250;
    Fairway(100, 100, 102, 101);  // six cells for three creatures
    bb_zump_SeedRnd(8);
    for (int k = 2; k <= 4; ++k) ASSERT_GT(bb_world_PlaceCreature(k), 0);
    ASSERT_EQ(bb_world_CreatureCount, 3);
    const float kinds[] = {1, 2, 2};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(Layer(bb_world_CreatureX[c], bb_world_CreatureY[c], 5), kinds[c]);
        EXPECT_EQ(Layer(bb_world_CreatureX[c], bb_world_CreatureY[c], 7), 0.0f);
    }
    EXPECT_EQ(CreatureCells(), 3);
}

TEST_F(CourseParts, ClearingsCoverTheirStatedRanges) {
    for (float& v : bb_zump_grid) v = 1;
    for (float& v : bb_zump_plr) v = 1;
    for (float& v : bb_zump_obj) v = 1;
    bb_zump_ResetGrid();
    bb_zump_ResetPlrs();
    bb_zump_ResetObjs();
    EXPECT_EQ(bb_zump_grid[4999999], 0.0f);
    EXPECT_EQ(bb_zump_grid[5000000], 1.0f);
    EXPECT_EQ(bb_zump_plr[1023], 0.0f);
    EXPECT_EQ(bb_zump_obj[5099], 0.0f);
    EXPECT_EQ(bb_zump_obj[5100], 1.0f);
}

}  // namespace
