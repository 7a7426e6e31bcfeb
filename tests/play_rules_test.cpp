// The rules of one update, on a laid-out patch of course: shot strength by
// terrain, holing and scoring, the thwack limit, creature hits, the golfer's pose.
#include "play_fixture.h"

namespace {

class RulesTest : public PlayTest {
protected:
    const float bx = 250.5f, by = 250.5f;

    // Hole 1 of course 1 with a 61 x 61 patch round the ball painted with one
    // terrain and no creatures; the hole far away; the camera on the ball.
    void Lab(int terrain) {
        StartCourse(1);
        for (int y = 220; y <= 280; ++y)
            for (int x = 220; x <= 280; ++x) {
                float* cell = bb_zump_grid + bb_world_Cell(x, y);
                for (int l = 0; l < 10; ++l) cell[l] = 0;
                cell[0] = (float)terrain;
            }
        PlaceBall(bx, by);
        plr[11] = plr[12] = 100;
        GolferAt(bx, by + 1.5f);
        bb_zump_aimx = bb_zump_scrx = bx * PLAY_CELL - 368;
        bb_zump_aimy = bb_zump_scry = by * PLAY_CELL - 300;
        bb_zump_kdis[10] = 0;
    }
    void PlaceBall(float x, float y) {
        plr[1] = x;
        plr[2] = y;
        plr[8] = x * PLAY_CELL;
        plr[9] = y * PLAY_CELL;
    }
    void GolferAt(float x, float y) {
        plr[21] = x;
        plr[22] = y;
        plr[28] = x * PLAY_CELL;
        plr[29] = y * PLAY_CELL;
    }
    // A ball rolling on the ground in a direction.
    void Roll(float speed, float direction) {
        plr[4] = speed;
        plr[3] = direction;
        plr[47] = 1;
        plr[42] = 1;
    }
    const float* GolferRecord() const {
        for (int n = 0; n < bb_zump_Bufferup; ++n)
            if (Committed(n)[9] == 1 && Committed(n)[10] == PLAY_IMG_GOLFER) return Committed(n);
        return nullptr;
    }
};

struct ShotCase {
    const char* name;
    int terrain;
    bool moving;
    float meterBefore;
    float divisor;
    bool putt;
};

TEST_F(RulesTest, ShotStrengthFollowsTheTerrainUnderTheBall) {
    const ShotCase cases[] = {
        {"fairway", TERRAIN_FAIRWAY, false, 28.5f, 1, false},
        {"strongest from the fairway", TERRAIN_FAIRWAY, false, 57, 1, false},
        {"rough", TERRAIN_ROUGH, false, 28.5f, 1.2f, false},
        {"empty ground", TERRAIN_EMPTY, false, 28.5f, 1.75f, false},
        {"green putts", TERRAIN_GREEN, false, 28.5f, 2.5f, true},
        {"weakest putt", TERRAIN_GREEN, false, 58.5f, 2.5f, true},  // wraps to 0
        {"moving ball counts as empty ground", TERRAIN_FAIRWAY, true, 28.5f, 1.75f, false},
    };
    for (const ShotCase& c : cases) {
        SCOPED_TRACE(c.name);
        bbInit();
        SetUp();
        Lab(c.terrain);
        if (c.moving) Roll(0.5f, 90);
        plr[35] = 1;
        plr[36] = c.meterBefore;
        Press(KEY_SPACE);
        Update();
        Release(KEY_SPACE);

        float meter = std::fmod(c.meterBefore + 1.5f, 60.0f);
        float v = meter * 0.25f + 4;
        float start = v / c.divisor;
        EXPECT_EQ(plr[54], 1);
        EXPECT_EQ(plr[51], 8);
        EXPECT_EQ(plr[35], 0);
        EXPECT_EQ(plr[37], 30) << "the swing starts";
        EXPECT_NEAR(plr[3], 0, 1e-4) << "straight up, from the golfer through the ball";
        EXPECT_FLOAT_EQ(plr[4], start - 0.1f) << "the ball moves on the update of the thwack";
        EXPECT_FLOAT_EQ(plr[2], by - start * 0.05f);
        EXPECT_FLOAT_EQ(plr[47], c.putt ? 1 : v * 0.5f);
        EXPECT_EQ(plr[42], c.putt ? 1 : 0);

        Update();
        if (c.putt)
            EXPECT_EQ(plr[7], 0) << "a putt rolls from the start";
        else
            EXPECT_GT(plr[7], 0) << "the ball is in the air";
        if (c.terrain == TERRAIN_FAIRWAY && !c.moving) {
            EXPECT_NEAR(plr[7], 27.7f, 0.6f) << "from the fairway the ball starts at the top of its flight";
        }
    }
}

struct HoleCase {
    const char* name;
    float offset;  // cells right of the hole, rolling left
    float speed;
    bool inAir;
    int left, used, bonus;
    int ended;  // 1 holed or missed, 0 still playing
    int score;
};

TEST_F(RulesTest, HolingScoringAndTheThwackLimit) {
    const HoleCase cases[] = {
        {"hole in one", 0.3f, 0, false, 8, 1, 0, 1, 25},
        {"hole in one after a creature", 0.3f, 0, false, 8, 1, 5, 1, 25},
        {"hole in one, 19 bonus is replaced", 0.3f, 0, false, 8, 1, 19, 1, 25},
        {"hole in one, 20 bonus stays", 0.3f, 0, false, 8, 1, 20, 1, 28},
        {"third thwack with a bonus", 0.3f, 0, false, 6, 3, 3, 1, 9},
        {"putt holed at speed", 0.3f, 10, false, 7, 2, 0, 1, 7},
        {"last thwack rolls in: bonus alone", 0.504f, 0.3f, false, 0, 9, 8, 1, 8},
        {"last thwack stops as it reaches the hole: missed", 0.504f, 0.1f, false, 0, 9, 8, 1, -5},
        {"out of thwacks outside the hole: missed despite the bonus", 3, 0, false, 0, 9, 8, 1, -5},
        {"a thwack left, ball at rest outside", 3, 0, false, 1, 8, 0, 0, 0},
        {"over the hole in the air", 0.3f, 6, true, 8, 1, 0, 0, 0},
    };
    for (const HoleCase& c : cases) {
        SCOPED_TRACE(c.name);
        bbInit();
        SetUp();
        Lab(TERRAIN_GREEN);
        plr[11] = bx;
        plr[12] = by;
        PlaceBall(bx + c.offset, by);
        GolferAt(bx + 8, by + 8);
        Roll(c.speed, 270);
        if (c.inAir) {
            plr[42] = 0;
            plr[47] = 5;
        }
        plr[51] = (float)c.left;
        plr[54] = (float)c.used;
        plr[58] = (float)c.bonus;
        Update();

        EXPECT_EQ(plr[67] > 0, c.ended == 1);
        EXPECT_EQ(game->m_holeScore[1], c.score);
        EXPECT_EQ(plr[50], c.score);
        if (!c.ended) continue;
        bool missed = c.score == -5;
        EXPECT_EQ(plr[54], missed ? 99 : c.used);
        // The miss is declared and counted in the same update, so its end
        // comes one update sooner than a drop's.
        EXPECT_EQ(plr[67], missed ? 2 : 1);

        // The hole end freezes the ball and keeps the score; the texts have
        // slid in after 30 updates.
        float x = plr[1];
        for (int n = 0; n < 30; ++n) Update();
        EXPECT_EQ(plr[1], x);
        EXPECT_EQ(game->m_holeScore[1], c.score);
        std::u16string text = CommittedGlyphs();
        if (missed) {
            EXPECT_NE(text.find(u"MissedHole"), std::u16string::npos) << bbStringToUtf8(text);
        } else {
            EXPECT_NE(text.find(u"ThwacksRemaining:" + bbStringFromInt(c.left)), std::u16string::npos);
            EXPECT_EQ(text.find(u"Bonus:") != std::u16string::npos, c.bonus > 0 || c.used == 1);
            EXPECT_NE(text.find(u"Total:" + bbStringFromInt(c.score)), std::u16string::npos);
        }
    }
}

struct CreatureCase {
    const char* name;
    int kind;
    float height;
    bool hit;
    int bonus;
    int flying;
    int banner;
};

TEST_F(RulesTest, CreaturesDeflectTheBallAndGiveTheirBonus) {
    const CreatureCase cases[] = {
        {"kind 2", 2, 0, true, 3, 12, 1},
        {"kind 1", 1, 0, true, 5, 11, 2},
        {"kind 1 under a low ball", 1, 15.9f, true, 5, 11, 2},
        {"a ball at 16 pixels flies over", 1, 16, false, 0, 1, 0},
    };
    const int cx = 255, cy = 255;
    for (const CreatureCase& c : cases) {
        SCOPED_TRACE(c.name);
        bbInit();
        SetUp();
        Lab(TERRAIN_FAIRWAY);
        float* cell = bb_zump_grid + bb_world_Cell(cx, cy);
        cell[5] = (float)c.kind;
        // Half a cell left of and below the creature's box centre.
        PlaceBall(((float)cx * PLAY_CELL - 9.95f) / PLAY_CELL, ((float)cy * PLAY_CELL - PLAY_CELL + 9.95f) / PLAY_CELL);
        GolferAt(bx - 8, by - 8);
        Roll(2, 90);
        plr[7] = c.height;
        Update();

        EXPECT_EQ(plr[58], c.bonus);
        EXPECT_EQ(cell[5], c.flying);
        EXPECT_EQ(plr[76], c.banner);
        if (!c.hit) {
            EXPECT_EQ(plr[3], 90);
            continue;
        }
        EXPECT_NEAR(plr[3], 135, 1e-3) << "turned by the creature, speed unchanged";
        EXPECT_EQ(plr[77], 2);
        EXPECT_EQ(cell[6], 0);

        // The banner goes after 120 updates, the creature once it has flown
        // 256 pixels past the top of the screen; it is never hit twice.
        PlaceBall(plr[1] - 0.01f, plr[2]);
        for (int n = 0; n < 118; ++n) Update();
        EXPECT_EQ(plr[76], c.banner);
        Update();
        EXPECT_EQ(plr[76], 0);
        EXPECT_EQ(plr[77], 0);
        EXPECT_EQ(plr[58], c.bonus);
        int n = 0;
        while (cell[5] != 0 && n < 400) Update(), ++n;
        EXPECT_EQ(cell[5], 0);
        float top = (float)cy * PLAY_CELL - bb_zump_scry - (cell[6] - 30) * 4;
        EXPECT_LT(top, -256);
        EXPECT_GE(top, -260);
    }
}

TEST_F(RulesTest, CreaturesOutOfViewAreNeitherMovedNorHit) {
    Lab(TERRAIN_FAIRWAY);
    float* cell = bb_zump_grid + bb_world_Cell(255, 255);
    cell[5] = 1;
    PlaceBall(255, 254);
    GolferAt(bx - 8, by - 8);
    bb_zump_aimx = bb_zump_scrx = 200 * PLAY_CELL;  // 40 cells off to the left
    Update();
    EXPECT_EQ(cell[5], 1);
    EXPECT_EQ(plr[58], 0);
}

struct PoseCase {
    const char* name;
    int slot;
    float value;
    float facing;
    int frame;
};

TEST_F(RulesTest, GolferPoseFollowsWalkAddressSwingAndHoleEnd) {
    // Frame = pose + 7 x direction; the pose timers are set before the update.
    const PoseCase cases[] = {
        {"standing, facing up", 0, 0, 0, 0},
        {"facing right", 0, 0, 90, 7},
        {"facing left, negative angle", 0, 0, -90, 21},
        {"address pose", 31, 10, 180, 4 + 14},
        {"address timer out of range is cleared", 31, 40, 0, 0},
        {"swing, follow-through", 37, 30, 0, 6},
        {"swing, backswing", 37, 5, 0, 5},
        {"holed: spins and hops", 67, 8, 0, 6 + 7},
        {"missed: slumps facing down", 54, 99, 90, 4 + 14},
    };
    for (const PoseCase& c : cases) {
        SCOPED_TRACE(c.name);
        bbInit();
        SetUp();
        Lab(TERRAIN_FAIRWAY);
        GolferAt(bx - 8, by - 8);
        plr[25] = c.facing;
        if (c.slot) plr[c.slot] = c.value;
        if (c.slot == 67) plr[54] = 3;
        Update();
        const float* golfer = GolferRecord();
        ASSERT_NE(golfer, nullptr);
        EXPECT_EQ(golfer[13], c.frame);
        if (c.slot == 67) {
            float hop = std::fabs(bb_play_Sin(40)) * 8;
            EXPECT_NEAR(golfer[12], (by - 8) * PLAY_CELL - hop - bb_zump_scry - 8, 1e-3);
        }
    }
}

}  // namespace
