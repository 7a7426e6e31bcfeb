// The picture of a hole in play as draw records: tile set by course, the
// background, depth order of the scan, aim dots, meter, ball finder and the
// head-up display.
#include "play_fixture.h"

#include <vector>

namespace {

class RenderTest : public PlayTest {
protected:
    std::vector<const float*> Images(int slot) const {
        std::vector<const float*> out;
        for (int n = 0; n < bb_zump_Bufferup; ++n)
            if (Committed(n)[9] == 1 && Committed(n)[10] == slot) out.push_back(Committed(n));
        return out;
    }
    int IndexOf(const float* record) const { return (int)((record - bb_zump_ZUMP_Buffer) / ZUMP_RECORD); }
    // Records of one command code.
    std::vector<const float*> Codes(float code) const {
        std::vector<const float*> out;
        for (int n = 0; n < bb_zump_Bufferup; ++n)
            if (Committed(n)[9] == code) out.push_back(Committed(n));
        return out;
    }
};

struct LookCase {
    int course;
    int tiles;
    int background;
};

TEST_F(RenderTest, CourseLookChoosesTileSetAndBackground) {
    const LookCase cases[] = {{1, 1, 0}, {2, 1, 0}, {3, 4, 3}, {4, 3, 2}, {5, 1, 0},
                              {6, 1, 0}, {7, 4, 3}, {8, 3, 2}, {9, 1, 0}};
    for (const LookCase& c : cases) {
        SCOPED_TRACE(c.course);
        bbInit();
        SetUp();
        StartCourse(c.course);
        Update();
        // Nine background copies first, then the world from the course's tile set.
        for (int n = 0; n < 9; ++n) {
            EXPECT_EQ(Committed(n)[10], PLAY_IMG_BACKGROUND);
            EXPECT_EQ(Committed(n)[13], c.background);
        }
        EXPECT_FALSE(Images(c.tiles).empty());
        for (int other : {1, 3, 4})
            if (other != c.tiles) {
                EXPECT_TRUE(Images(other).empty()) << other;
            }
    }
}

TEST_F(RenderTest, BackgroundCopiesStayWithinHalfAPeriodAndCoverTheScreen) {
    StartCourse(1);
    for (float scroll : {0.0f, 1000.0f, 1535.0f, 1537.0f, 5000.0f, -2000.0f, 9999.5f}) {
        bb_zump_aimx = bb_zump_scrx = scroll;
        bb_zump_aimy = bb_zump_scry = scroll * 0.5f;
        Update();
        bool covered = false;
        for (int n = 0; n < 9; ++n) {
            float x = Committed(n)[11], y = Committed(n)[12];
            EXPECT_LE(std::fabs(x), 1536) << scroll;
            EXPECT_LE(std::fabs(y), 1536) << scroll;
            // Copies are centred 1024-pixel squares: one holds the screen's middle.
            if (std::fabs(x - 400) <= 512 && std::fabs(y - 300) <= 512) covered = true;
        }
        EXPECT_TRUE(covered) << scroll;
    }
}

TEST_F(RenderTest, ScanDrawsRowByRowWithBallAndGolferAtTheEndOfTheirRows) {
    StartCourse(1);
    Update();
    std::vector<const float*> balls, shadows;
    for (const float* r : Images(1)) {
        if (r[13] == 3) balls.push_back(r);
        if (r[13] == 4) shadows.push_back(r);
    }
    ASSERT_FALSE(balls.empty());
    ASSERT_EQ(balls.size(), shadows.size());
    const float* ball = balls[0];
    EXPECT_FLOAT_EQ(ball[4], 1.25f);
    EXPECT_FLOAT_EQ(ball[0], 1);
    EXPECT_FLOAT_EQ(shadows[0][0], 0.25f);
    EXPECT_LT(IndexOf(shadows[0]), IndexOf(ball));

    // Everything before the ball lies in rows above or on its own; the next
    // ground tile is in a lower row.
    float ballRowY = std::floor(plr[2]) * PLAY_CELL - bb_zump_scry;
    for (int n = 9; n < IndexOf(ball); ++n) {
        const float* r = Committed(n);
        if (r[10] == 1 && r[13] <= 2) {
            EXPECT_LE(r[12], ballRowY + 1 + PLAY_CELL) << n;
        }
    }

    // The golfer twice, solid then half transparent.
    std::vector<const float*> golfer = Images(PLAY_IMG_GOLFER);
    ASSERT_GE(golfer.size(), 2u);
    EXPECT_FLOAT_EQ(golfer[0][0], 1);
    EXPECT_FLOAT_EQ(golfer[1][0], 0.5f);
    EXPECT_FLOAT_EQ(golfer[0][4], 1.25f);
    EXPECT_EQ(golfer[0][11], golfer[1][11]);

    // Cup then flag after the whole scan, one cell higher.
    std::vector<const float*> cups, flags;
    for (const float* r : Images(1)) {
        if (r[13] == 5) cups.push_back(r);
        if (r[13] == 6) flags.push_back(r);
    }
    ASSERT_EQ(cups.size(), 1u);
    ASSERT_EQ(flags.size(), 1u);
    EXPECT_GT(IndexOf(cups[0]), IndexOf(golfer.back()));
    EXPECT_FLOAT_EQ(flags[0][12], cups[0][12] - PLAY_CELL);
    EXPECT_FLOAT_EQ(cups[0][11], PLAY_CELL * plr[11] - bb_zump_scrx);
}

TEST_F(RenderTest, ScenerySitsHigherAndCoversTheRowsAbove) {
    StartCourse(1);
    int x = (int)plr[1], y = (int)plr[2] + 1;
    bb_zump_grid[bb_world_Cell(x, y)] = 30;
    Update();
    const float* ball = nullptr;
    const float* tree = nullptr;
    for (const float* r : Images(1)) {
        if (!ball && r[13] == 3) ball = r;
        if (r[13] == 29 && std::fabs(r[11] - (PLAY_CELL * (float)x - bb_zump_scrx)) < 1e-3f &&
            std::fabs(r[12] - (PLAY_CELL * (float)y - bb_zump_scry - 39.8f)) < 1e-3f)
            tree = r;
    }
    ASSERT_NE(ball, nullptr);
    ASSERT_NE(tree, nullptr);
    EXPECT_FLOAT_EQ(tree[4], 2.5f);
    EXPECT_GT(IndexOf(tree), IndexOf(ball)) << "drawn over the ball of the row above";
}

TEST_F(RenderTest, ScanSkipsCellsOffTheGrid) {
    StartCourse(1);
    bb_zump_grid[bb_world_Cell(0, 0)] = 1;
    bb_zump_aimx = bb_zump_scrx = -300;
    bb_zump_aimy = bb_zump_scry = -300;
    Update();
    // Only cells with x, y >= 0 are drawn: none left of or above the grid's corner.
    int tiles = 0;
    for (const float* r : Images(1)) {
        if (r[13] > 2) continue;
        ++tiles;
        EXPECT_GE(r[11], 300 - 1e-3f);
        EXPECT_GE(r[12], 300 - 1e-3f);
    }
    EXPECT_GE(tiles, 1);
}

struct AimCase {
    int terrain;
    size_t dots;
};

TEST_F(RenderTest, AimDotsAndMeterNearTheBall) {
    const AimCase cases[] = {{TERRAIN_GREEN, 9}, {TERRAIN_FAIRWAY, 23}, {TERRAIN_ROUGH, 23}, {TERRAIN_EMPTY, 23}};
    for (const AimCase& c : cases) {
        SCOPED_TRACE(c.terrain);
        bbInit();
        SetUp();
        StartCourse(1);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) bb_zump_grid[bb_world_Cell((int)plr[1] + dx, (int)plr[2] + dy)] = (float)c.terrain;
        ASSERT_TRUE(WalkTo(plr[1] - 1.5f, plr[2] - 0.25f));  // left of the ball: the shot goes right
        plr[35] = 1;
        plr[36] = 30;
        bb_zump_kdis[10] = 1;
        Update();

        std::vector<const float*> ovals = Codes(3);
        ASSERT_EQ(ovals.size(), 2 * c.dots);
        EXPECT_EQ(ovals[0][13], 7);
        EXPECT_FLOAT_EQ(ovals[0][0], 0.5f);
        EXPECT_EQ(ovals[1][1], 100);
        EXPECT_EQ(ovals[1][3], 250);
        EXPECT_GT(ovals.back()[11], ovals[0][11]) << "the dots run along the shot";

        // Meter: white frame, black inside, the bar from the bottom; left of
        // the golfer, who stands left of the ball.
        std::vector<const float*> rects = Codes(2);
        ASSERT_GE(rects.size(), 3u);
        float mx = plr[28] - bb_zump_scrx - 40;
        EXPECT_NEAR(rects[0][11], mx, 0.05f);
        EXPECT_EQ(rects[0][13], 8);
        EXPECT_EQ(rects[1][1], 0);
        const float* bar = rects[2];
        EXPECT_FLOAT_EQ(bar[14], 31.5f);
        EXPECT_EQ(bar[3], c.terrain == TERRAIN_FAIRWAY ? 255 : 100);
    }
}

TEST_F(RenderTest, BallFinderRingWhenTheGolferIsFarFromTheBall) {
    StartCourse(1);
    Update();
    EXPECT_NEAR(plr[199], std::sqrt(8.0f) * PLAY_CELL - 72, 1e-3) << "close by: no ring";
    for (const float* r : Images(1)) EXPECT_NE(r[0], 0.5f);
    ASSERT_TRUE(WalkTo(plr[1] + 9, plr[2]));
    host.clock = 8000;  // 100 degrees round
    Update();
    std::vector<const float*> ring;
    for (const float* r : Images(1))
        if (r[13] == 3 && r[0] == 0.5f) ring.push_back(r);
    ASSERT_EQ(ring.size(), 72u);
    float r = plr[199];
    EXPECT_NEAR(r, 9 * PLAY_CELL - 72, 0.05f);
    EXPECT_NEAR(ring[0][11], plr[8] + bb_play_Sin(100) * r - bb_zump_scrx, 1e-2);
    EXPECT_NEAR(ring[0][12], plr[9] - 8 - bb_play_Cos(100) * r - bb_zump_scry, 1e-2);
}

TEST_F(RenderTest, HeadUpDisplayShowsThwacksAndTheHoleColumn) {
    StartCourse(1);
    game->m_hole = 4;
    game->m_holeScore[1] = 7;
    game->m_holeScore[2] = -5;
    game->m_holeScore[3] = 25;
    plr[51] = 6;
    Update();

    std::vector<const float*> button = Images(PLAY_IMG_BUTTON);
    ASSERT_EQ(button.size(), 1u);
    EXPECT_EQ(button[0][11], 800 - 45);
    // The column's inner squares: played, current, to come.
    std::vector<const float*> inner;
    for (const float* r : Codes(2))
        if (r[11] == 800 - 33) inner.push_back(r);
    ASSERT_EQ(inner.size(), 9u);
    const float colours[3][3] = {{0, 0, 128}, {0, 128, 0}, {0, 0, 255}};
    for (int i = 1; i <= 9; ++i) {
        const float* c = colours[i < 4 ? 0 : (i == 4 ? 1 : 2)];
        EXPECT_EQ(inner[i - 1][12], 80 + 32 * (i - 1) + 1);
        for (int k = 0; k < 3; ++k) EXPECT_EQ(inner[i - 1][1 + k], c[k]) << "hole " << i;
    }
    int first = IndexOf(button[0]);
    EXPECT_EQ(CommittedGlyphs(first), u"607-52500");

    bb_zump_ZUMP_ScreenshotMode = 1;
    Update();
    EXPECT_TRUE(Images(PLAY_IMG_BUTTON).empty());
    for (const float* r : Codes(2)) EXPECT_NE(r[11], 800 - 34);
}

TEST_F(RenderTest, BannersSlideInAndTheHoledBallIsHidden) {
    StartCourse(1);
    // A hole in one that also hit a creature: both banners, the creature's last.
    plr[1] = plr[11];
    plr[2] = plr[12];
    plr[54] = 1;
    plr[51] = 8;
    plr[76] = 2;
    plr[77] = 1;
    Update();
    std::vector<const float*> banners = Images(PLAY_IMG_BANNER);
    ASSERT_EQ(banners.size(), 2u);
    EXPECT_EQ(banners[0][13], 0);
    EXPECT_EQ(banners[0][11], 400 + 29 * 20) << "t = 1";
    EXPECT_EQ(banners[1][13], 2);
    EXPECT_EQ(banners[1][11], 400 + 28 * 20) << "t = 2";
    EXPECT_FLOAT_EQ(banners[0][4], 2);
    for (int n = 0; n < 30; ++n) Update();
    EXPECT_EQ(Images(PLAY_IMG_BANNER)[0][11], 400);
    // Once holed the ball is not drawn.
    for (const float* r : Images(1)) EXPECT_FALSE(r[13] == 3 && r[0] == 1);
    // The creature banner leaves to the right after 90 updates.
    for (int n = 0; n < 70; ++n) Update();
    ASSERT_EQ(Images(PLAY_IMG_BANNER).size(), 2u);
    EXPECT_EQ(Images(PLAY_IMG_BANNER)[1][11], 400 + (102 - 90) * 20);
}

}  // namespace
