// The pause screen: its three buttons by keys and pointer, the sliding
// column, the ring-and-ball toy, and the pause toggle during play.
#include "screens_test_host.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "shell/zump_random.h"

namespace {

enum { KEY_ENTER = 13, KEY_ESCAPE = 27, KEY_UP = 38, KEY_DOWN = 40 };

class PauseTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        bb_zump_ZUMP_GameMode = 10;
        bb_zump_ZUMP_MenuPos[40] = 1;  // resume, as the frame update leaves it outside play
        bb_zump_ZUMP_MenuPos[41] = -64;
        Pause();
    }

    // Paused as the pause key pauses: every flag locked.
    void Pause() {
        bb_zump_ZUMP_Paused = 1;
        bb_zump_LockKeys();
    }
    void Run(int n) { Steps(bb_zump_Pause_Menu, n); }
    void Tap(int key) { ScreenTest::Tap(bb_zump_Pause_Menu, key); }
    static int Selected() { return bb_zump_ZUMP_MenuPos[40]; }
    static int ColumnX() { return bb_zump_ZUMP_MenuPos[41]; }
    static float Cy() { return (float)bb_zump_jscrh / 2; }
    static float* Toy() { return bb_zump_paused; }
};

TEST_F(PauseTest, SelectionMovesOncePerPressAndStaysOnTheThreeButtons) {
    Run(1);
    Tap(KEY_UP);
    EXPECT_EQ(Selected(), 0);
    Tap(KEY_UP);
    EXPECT_EQ(Selected(), 0) << "nothing above the end-game button";
    Press(KEY_DOWN);
    Run(10);
    Release(KEY_DOWN);
    Run(1);
    EXPECT_EQ(Selected(), 1) << "a held key moves once";
    Tap(KEY_DOWN);
    Tap(KEY_DOWN);
    EXPECT_EQ(Selected(), 2) << "nothing below the cog";
    EXPECT_EQ(bb_zump_ZUMP_Paused, 1);
}

TEST_F(PauseTest, ConfirmActivatesTheSelectedButton) {
    struct Case {
        int selected;
        int paused, endofGame, endReason, optCred;
    };
    const Case cases[] = {
        {0, 0, 1, 2, 0},  // end the game: the curtain starts with "Quit Game"
        {1, 0, 0, 0, 0},  // resume
        {2, 1, 0, 0, 1},  // options open over the paused game
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        bb_zump_ZUMP_EndofGame = bb_zump_ZUMP_EndReason = bb_zump_ZUMP_OptCred = 0;
        Pause();
        bb_zump_ZUMP_MenuPos[40] = c.selected;
        Press(KEY_ENTER);
        Run(1);
        EXPECT_EQ(bb_zump_kdis[1], 1) << "the pause key's flags stay locked until let go";
        EXPECT_EQ(bb_zump_ZUMP_Paused, 1);
        Release(KEY_ENTER);
        Run(1);
        Press(KEY_ENTER);
        Run(1);
        Release(KEY_ENTER);
        EXPECT_EQ(bb_zump_ZUMP_Paused, c.paused);
        EXPECT_EQ(bb_zump_ZUMP_EndofGame, c.endofGame);
        EXPECT_EQ(bb_zump_ZUMP_EndReason, c.endReason);
        EXPECT_EQ(bb_zump_ZUMP_OptCred, c.optCred);
        EXPECT_EQ(bb_zump_kdis[0], 1) << "every action locks all flags";
    }
    EXPECT_EQ(bb_zump_ZUMP_MenuPos[47], 128) << "the options list opens where the menu opens it";
}

TEST_F(PauseTest, EndingAGameThatIsAlreadyEndingOnlyUnpauses) {
    bb_zump_ZUMP_EndofGame = 50;
    bb_zump_ZUMP_MenuPos[40] = 0;
    Run(1);
    Tap(KEY_ENTER);
    EXPECT_EQ(bb_zump_ZUMP_Paused, 0);
    EXPECT_EQ(bb_zump_ZUMP_EndofGame, 50);
    EXPECT_EQ(bb_zump_ZUMP_EndReason, 0);
}

TEST_F(PauseTest, TheColumnSlidesInAndOutAfterTenIdleSeconds) {
    Run(1);
    EXPECT_EQ(ColumnX(), -56);
    Run(15);
    EXPECT_EQ(ColumnX(), 64);
    Run(560);  // idle counter now at 576
    EXPECT_EQ(ColumnX(), 64);
    Run(10);
    EXPECT_LT(ColumnX(), 64);
    Run(40);
    EXPECT_EQ(ColumnX(), -64);

    // A key move resets the idle counter and brings the column back.
    Tap(KEY_UP);
    Run(20);
    EXPECT_EQ(ColumnX(), 64);
}

TEST_F(PauseTest, PointerActsOnlyAfterTheOpeningPressIsLetGo) {
    Run(20);  // column in at x = 64
    ASSERT_EQ(ColumnX(), 64);
    // Paused by a press that is still held: the resume button ignores it.
    PointerDown(64, Cy());
    Pause();
    Run(3);
    EXPECT_EQ(bb_zump_ZUMP_Paused, 1);
    MouseUp();
    Run(1);
    PointerDown(64 + 40, Cy() + 40);  // inside the 96-unit box of the resume button
    Run(1);
    EXPECT_EQ(bb_zump_ZUMP_Paused, 0);

    // The cog opens the options; the end button ends the game.
    MouseUp();
    Pause();
    Run(1);
    PointerDown(64, Cy() + 128);
    Run(1);
    EXPECT_EQ(bb_zump_ZUMP_OptCred, 1);
    EXPECT_EQ(bb_zump_ZUMP_Paused, 1);
    MouseUp();
    Run(1);
    PointerDown(64, Cy() - 128);
    Run(1);
    EXPECT_EQ(bb_zump_ZUMP_EndofGame, 1);
    EXPECT_EQ(bb_zump_ZUMP_EndReason, 2);
}

TEST_F(PauseTest, BallIsServedFromTheRingsCentre) {
    bb_zump_SeedRnd(7);
    Run(1);
    const float cx = (float)(bb_zump_jscrw - 256);
    EXPECT_FLOAT_EQ(Toy()[5], 3);
    float speed = std::hypot(Toy()[3], Toy()[4]);
    EXPECT_GE(speed, 1);
    EXPECT_LE(speed, 2.5f);
    EXPECT_NEAR(Toy()[1], cx + Toy()[3], 1e-3);
    EXPECT_NEAR(Toy()[2], Cy() + Toy()[4], 1e-3);

    // A ball that leaves the screen is served again and the round's hits
    // become the best if they beat it.
    Toy()[8] = 5;
    Toy()[9] = 3;
    Toy()[1] = -40;
    Run(1);
    EXPECT_FLOAT_EQ(Toy()[9], 5);
    EXPECT_FLOAT_EQ(Toy()[8], 0);
    EXPECT_NEAR(Toy()[1], cx + Toy()[3], 1e-3);
    Toy()[8] = 2;
    Toy()[2] = 700;
    Run(1);
    EXPECT_FLOAT_EQ(Toy()[9], 5);
}

TEST_F(PauseTest, BallBouncesOffThePaddleOnceAndRecordsTheHit) {
    const float cx = (float)(bb_zump_jscrw - 256);
    // Paddle at the top of the ring, ball just inside it and rising.
    Toy()[0] = 0;
    Toy()[1] = cx + 3;
    Toy()[2] = Cy() - 190;
    Toy()[3] = 0;
    Toy()[4] = -1;
    Toy()[5] = 3;
    Toy()[6] = -1;
    Run(1);
    EXPECT_FLOAT_EQ(Toy()[8], 1);
    EXPECT_GT(Toy()[4], 0) << "sent back towards the middle";
    EXPECT_NEAR(Toy()[3], 0, 1e-4);
    float speed = Toy()[4];
    EXPECT_GE(speed, 1.5f - 1e-4);
    EXPECT_LE(speed, 3 + 1e-4);
    EXPECT_FLOAT_EQ(Toy()[5], 3.1f);
    EXPECT_FLOAT_EQ(Toy()[6], 19) << "cool-down set to 20, then one update spent";
    EXPECT_NEAR(Toy()[15], std::atan2(3.0, 190.0) * 57.29578, 1e-3) << "angle of the hit on the ring";
    EXPECT_GE(Toy()[16], 0.5f);
    EXPECT_LT(Toy()[16], 1.5f);
    EXPECT_FLOAT_EQ(Toy()[17], 20);

    // Still touching on the next update: no second bounce.
    Toy()[4] = -0.5f;
    Run(1);
    EXPECT_FLOAT_EQ(Toy()[8], 1);
}

TEST_F(PauseTest, TrailDrawsOneLinePerHitFromTheMiddle) {
    Toy()[1] = 400;
    Toy()[2] = 300;  // far from the paddle at the top
    Toy()[8] = 3;
    for (int k = 1; k <= 3; ++k) {
        Toy()[5 * k + 10] = 90.0f * (float)k;
        Toy()[5 * k + 11] = 1;
    }
    Toy()[7] = 2;  // spin
    Run(1);
    std::vector<const float*> lines;
    for (int n = 0; n < bb_zump_Sprtup; ++n)
        if (Record(n)[9] == 5) lines.push_back(Record(n));
    ASSERT_EQ(lines.size(), 3u);
    const float cx = (float)(bb_zump_jscrw - 256);
    EXPECT_FLOAT_EQ(lines[0][11], cx);
    EXPECT_FLOAT_EQ(lines[0][12], Cy());
    EXPECT_NEAR(lines[0][13], cx + 196, 1e-3);
    EXPECT_NEAR(lines[0][14], Cy(), 1e-3);
    EXPECT_FLOAT_EQ(lines[1][11], lines[0][13]);
    EXPECT_FLOAT_EQ(lines[1][12], lines[0][14]);
    EXPECT_NEAR(lines[1][14], Cy() + 196, 1e-3);
    // Each hit drifts with the spin, eased 0.02 towards 0 this update.
    EXPECT_NEAR(Toy()[15], 90 + 1.98f * 0.05f, 1e-4);
}

// The pause key during play, through the game's in-game step.
class PauseToggleTest : public PauseTest {
protected:
    void SetUp() override {
        PauseTest::SetUp();
        bb_zump_ZUMP_Paused = 0;
        std::memset(bb_zump_kdis, 0, sizeof bb_zump_kdis);
        std::memset(bb_zump_mdis, 0, sizeof bb_zump_mdis);
    }
    void Play(int n) { Steps(bb_zump_InGame, n); }
};

TEST_F(PauseToggleTest, ThePauseKeyMustBeLetGoBetweenToggles) {
    Press(KEY_ESCAPE);
    Play(1);
    EXPECT_EQ(bb_zump_ZUMP_Paused, 1);
    Play(30);
    EXPECT_EQ(bb_zump_ZUMP_Paused, 1) << "held, it does not toggle again";
    Release(KEY_ESCAPE);
    Play(1);
    EXPECT_EQ(bb_zump_ZUMP_Paused, 1);
    Press(KEY_ESCAPE);
    Play(1);
    EXPECT_EQ(bb_zump_ZUMP_Paused, 0);
    Release(KEY_ESCAPE);
    Play(1);

    // Resumed by the button, a confirm still held does nothing more.
    Press(KEY_ESCAPE);
    Play(1);
    Release(KEY_ESCAPE);
    Play(1);
    bb_zump_ZUMP_MenuPos[40] = 1;
    Press(KEY_ENTER);
    Play(5);
    EXPECT_EQ(bb_zump_ZUMP_Paused, 0);
    EXPECT_EQ(bb_zump_ZUMP_MenuPos[41], -64) << "play resets the button column";
    EXPECT_FLOAT_EQ(Toy()[8], 0);
}

TEST_F(PauseToggleTest, ACurtainCancelsThePause) {
    bb_zump_ZUMP_EndofGame = 20;
    Press(KEY_ESCAPE);
    Play(1);
    EXPECT_EQ(bb_zump_ZUMP_Paused, 0);
}

}  // namespace
