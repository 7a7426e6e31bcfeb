// The game's flow: creation, the 61 loading steps, the update dispatch,
// starting and recording a game, the pause key and the curtain.
#include "shell_test_host.h"

#include "game/flow_globals.h"
#include "game/mygame.h"
#include "game/world.h"
#include "shell/zump_controls.h"
#include "shell/zump_profile.h"
#include "shell/zump_random.h"
#include "shell/zump_scoreboard.h"
#include "shell/zump_text.h"

namespace {

class FlowTest : public ShellTest {
protected:
    c_MyGame* game = nullptr;

    void SetUp() override {
        ShellTest::SetUp();
        game = (new c_MyGame())->m_new();
        game->p_OnCreate();
    }

    void Update() {
        input->p_BeginUpdate();
        game->p_OnUpdate();
        input->p_EndUpdate();
    }

    // Skips the loading screen with a font in place, as after step 61.
    void Loaded(int mode) {
        PutImage(99, 128, 64);
        PutImage(90, 16, 128);
        bb_zump_ZUMP_Font = 99;
        bb_zump_ZUMP_Loader = 0;
        bb_zump_ZUMP_GameMode = mode;
    }

    // A game in play on a course, as choosing it from the menu starts one.
    void Playing(int course) {
        Loaded(11);
        bb_zump_ZUMP_GameType = course;
        Update();
    }

    // Records committed by the last update; the hole in play draws first.
    static const float* Committed(int n) { return bb_zump_ZUMP_Buffer + n * ZUMP_RECORD; }
    static int FirstCommitted(float code) {
        for (int n = 0; n < bb_zump_Bufferup; ++n)
            if (Committed(n)[9] == code) return n;
        return -1;
    }

    static std::u16string Glyphs() {
        std::u16string out;
        for (int n = 0; n < bb_zump_Sprtup; ++n)
            if (Record(n)[9] == 1 && Record(n)[10] == 99) out += (char16_t)(Record(n)[13] + 32);
        return out;
    }
};

TEST_F(FlowTest, CreationConfiguresTheShellForThisGame) {
    EXPECT_EQ(bb_zump_ZUMP_GameNum, 525);
    EXPECT_EQ(bb_zump_ZUMP_Keyword.size(), 107u);
    EXPECT_EQ(bb_zump_ZUMP_Levels, 9);
    EXPECT_EQ(bb_zump_ZUMP_AllowName, 1);
    EXPECT_EQ(bb_zump_ZUMP_MixControls, 1);
    EXPECT_EQ(bb_zump_ZUMP_AllowMouseControl, 1);
    EXPECT_EQ(bb_zump_HasQuit, 1);
    EXPECT_EQ(host.UpdateRate(), 60);
    EXPECT_EQ(bb_app__updateRate, 60);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_DrawStyle[14], 1);
    EXPECT_FLOAT_EQ(bb_zump_ZUMP_DrawStyle[15] + bb_zump_ZUMP_DrawStyle[16] + bb_zump_ZUMP_DrawStyle[17], 0);
    EXPECT_EQ(bb_zump_ZUMP_Loader, 1);
    EXPECT_EQ(bb_zump_ZUMP_GameMode, 0);
    EXPECT_EQ(bb_zump_kdis[20], 1);
    EXPECT_EQ(bb_zump_mdis[0], 1);
    EXPECT_EQ(bb_zump_ZUMP_MenuPos[0], 1);
    EXPECT_EQ(bb_zump_ZUMP_MenuPos[5], bb_zump_jscrw - 32);
    EXPECT_EQ(bb_zump_ZUMP_ForceSend, 0);
    EXPECT_EQ(bb_zump_ZUMP_Set[0], 7) << "a fresh profile has its defaults";
}

TEST_F(FlowTest, LoadingTakes61StepsAndLoadsEachSheetOnItsStep) {
    // Step at which each sheet is asked for, in order.
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "common/bandwidth.png"},  {2, "common/ZUMPLogo.png"},      {30, "common/ZUMPLogo.png"},
        {31, "common/part-shapefull.png"}, {32, "common/parts_shape.png"}, {33, "common/parts_smoke.png"},
        {34, "common/parts_cluster.png"},  {35, "common/parts_stars.png"}, {36, "common/Buttons.png"},
        {37, "common/icons.png"},     {38, "common/circle.png"},       {39, "525/logo.png"},
        {40, "525/menu.png"},         {41, "common/options.png"},      {42, "common/scoreboard.png"},
        {43, "525/gfx.png"},          {44, "525/chr.png"},             {45, "525/gfx2.png"},
        {46, "525/gfx3.png"},         {47, "525/score.png"},           {48, "525/aball.png"},
    };
    std::vector<std::pair<int, std::string>> seen;
    for (int step = 1; step <= 61; ++step) {
        ASSERT_EQ(bb_zump_ZUMP_Loader, step);
        size_t before = graphics.loads.size();
        uint32_t seed = bb_random_Seed;
        Update();
        for (size_t i = before; i < graphics.loads.size(); ++i) {
            const std::string& path = graphics.loads[i];
            size_t at = path.rfind("data/");
            seen.push_back({step, at == std::string::npos ? path : path.substr(at + 5)});
        }
        // The jingle of step 5 draws its pitch even with no sound loaded;
        // no other step touches the generator.
        EXPECT_EQ(bb_random_Seed != seed, step == 5) << "step " << step;
        if (step < 61) {
            EXPECT_EQ(bb_zump_ZUMP_MenuPos[10], -64);
        }
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(bb_zump_ZUMP_Loader, 0);
    EXPECT_EQ(bb_zump_ZUMP_Set[100], 1);
    EXPECT_EQ(bb_zump_ZUMP_Font, 99);
    EXPECT_EQ(bb_zump_ZUMP_ImgD[95], 1024);
    EXPECT_EQ(bb_zump_ZUMP_ImgD[1], 49);
    EXPECT_EQ(bb_zump_ZUMP_GameMode, 0);
}

TEST_F(FlowTest, LoadingScreenDrawsSandThenTheLogoAndTheDots) {
    Update();  // step 1: L = 2, no logo yet
    EXPECT_EQ(bb_zump_ZUMP_Loader, 2);
    ASSERT_GE(bb_zump_Sprtup, 1) << "the picture is too small to commit, so it stays queued";
    EXPECT_FLOAT_EQ(Record(0)[9], 2);
    EXPECT_FLOAT_EQ(Record(0)[1], 180);
    EXPECT_FLOAT_EQ(Record(0)[2], 160);
    EXPECT_FLOAT_EQ(Record(0)[3], 120);
    EXPECT_EQ(Glyphs(), u"...Loading...");

    Update();  // step 2: L = 3, tiles start falling
    ASSERT_EQ(bb_zump_Bufferup, 1 + 1024 + 15);
    const float* tile = bb_zump_ZUMP_Buffer + ZUMP_RECORD;  // m = 0, i = 0
    EXPECT_FLOAT_EQ(tile[10], 95);
    EXPECT_FLOAT_EQ(tile[4], 0.5f);
    EXPECT_FLOAT_EQ(tile[11], 400 - 239.85f);
    EXPECT_FLOAT_EQ(tile[12], 300 - 239.85f - 5 * 27 * 27);
    // Column 1, row 31: t = 30 - (31 - 0.3) * 0.25 - 3 < 20.4.
    const float* late = bb_zump_ZUMP_Buffer + ZUMP_RECORD * (1 + 32 + 31);
    EXPECT_FLOAT_EQ(late[13], 1 + 32 * 31);
    float t = 30 - (31 - 0.3f) * 0.25f - 3;
    EXPECT_NEAR(late[12], 31 * 15.99f + 300 - 239.85f - 5 * t * t, 1e-2);
    // Every tile is in place once the counter passes 40.
    for (int i = 0; i < 40; ++i) Update();
    for (int n = 1; n <= 1024; ++n) {
        int frame = (int)bb_zump_ZUMP_Buffer[ZUMP_RECORD * n + 13];
        EXPECT_NEAR(bb_zump_ZUMP_Buffer[ZUMP_RECORD * n + 12], (frame / 32) * 15.99f + 300 - 239.85f, 1e-3);
    }
}

struct PlaceCase {
    int best[5];
    int total;
    int rank;
    int bestAfter[5];
};

TEST_F(FlowTest, RecordingPlacesTheTotalAndKeepsTheRecentList) {
    const PlaceCase cases[] = {
        {{50, 40, 30, 20, 10}, 60, 0, {60, 50, 40, 30, 20}},
        {{50, 40, 30, 20, 10}, 40, 2, {50, 40, 40, 30, 20}},  // a tie goes below
        {{50, 40, 30, 20, 10}, 10, -1, {50, 40, 30, 20, 10}},
        {{7, 7, 7, 7, 7}, 7, -1, {7, 7, 7, 7, 7}},
        {{0, 0, 0, 0, 0}, -5, -1, {0, 0, 0, 0, 0}},
        {{50, 40, 30, 20, 10}, 11, 4, {50, 40, 30, 20, 11}},
    };
    int games = bb_zump_ZUMP_Set[5];
    for (const PlaceCase& c : cases) {
        int* row = bb_zump_ZUMP_Score + 20 * 4;
        for (int r = 0; r < 20; ++r) row[r] = r >= 10 ? r : 0;
        for (int r = 0; r < 5; ++r) row[r] = c.best[r];
        for (int r = 0; r < 5; ++r) row[5 + r] = 100 + r;
        bb_zump_ZUMP_GameType = 4;
        bb_zump_ZUMP_GameMode = 1;
        bb_zump_plr[50] = (float)c.total;
        bb_zump_plr[52] = 3;
        game->p_GotoMenu();

        EXPECT_EQ(bb_zump_ZUMP_LastRank, c.rank) << "total " << c.total;
        EXPECT_EQ(bb_zump_ZUMP_LastPlay, 4);
        for (int r = 0; r < 5; ++r) EXPECT_EQ(row[r], c.bestAfter[r]) << "total " << c.total << " place " << r;
        const int recent[5] = {c.total, 100, 101, 102, 103};
        for (int r = 0; r < 5; ++r) EXPECT_EQ(row[5 + r], recent[r]);
        if (c.rank >= 0) {
            EXPECT_EQ(row[10 + c.rank], 3);
            for (int r = c.rank + 1; r < 5; ++r) EXPECT_EQ(row[10 + r], 10 + r - 1) << "companions move with scores";
        }
        EXPECT_EQ(bb_zump_ZUMP_Set[5], ++games);
        EXPECT_EQ(bb_zump_ZUMP_GameMode, 0);
        EXPECT_EQ(bb_zump_kdis[0], 1);
    }
    // The profile was saved with the new table.
    EXPECT_EQ(host.state.substr(0, 10), u"ZUMP_v2.0|");
}

TEST_F(FlowTest, StartingAGameGeneratesTheFirstHole) {
    Loaded(11);
    bb_zump_ZUMP_GameType = 1;
    bb_zump_ZUMP_EndofGame = 120;
    game->m_holeScore[3] = 9;
    Update();
    EXPECT_EQ(bb_zump_ZUMP_GameMode, 10);
    EXPECT_EQ(game->m_hole, 1);
    EXPECT_EQ(game->m_holeScore[3], 0);
    EXPECT_EQ(bb_zump_ZUMP_EndofGame, 0) << "a new game clears a running curtain";
    EXPECT_EQ(bb_zump_ZUMP_MenuPos[10], -64);
}

TEST_F(FlowTest, PauseKeyTogglesOncePerPress) {
    Loaded(10);
    Update();  // creation locked every key until it is seen released
    Press(27);
    Update();
    EXPECT_EQ(bb_zump_ZUMP_Paused, 1);
    Update();
    EXPECT_EQ(bb_zump_ZUMP_Paused, 1) << "holding the key does not toggle back";
    Release(27);
    Update();
    EXPECT_EQ(bb_zump_kdis[20], 0);
    Press(27);
    Update();
    EXPECT_EQ(bb_zump_ZUMP_Paused, 0);

    // While the curtain runs a pause is cancelled in the same update.
    Release(27);
    Update();
    bb_zump_EndGame(0);
    Press(27);
    Update();
    EXPECT_EQ(bb_zump_ZUMP_Paused, 0);
    EXPECT_EQ(bb_zump_ZUMP_EndofGame, 2);
}

TEST_F(FlowTest, PauseIconAndTouchPause) {
    Playing(1);
    bb_zump_FitScreen(640, 480);
    Update();  // no pointer down: the first mouse latch frees
    EXPECT_EQ(bb_zump_mdis[0], 0);
    // The icon is drawn over the hole in play, as the update's last record.
    const float* icon = Committed(bb_zump_Bufferup - 1);
    EXPECT_FLOAT_EQ(icon[10], 90);
    EXPECT_FLOAT_EQ(icon[11], 24);
    EXPECT_FLOAT_EQ(icon[4], 0.4f);
    EXPECT_FLOAT_EQ(icon[0], 0.1f);

    bb_zump_KeyPadMouse = 2;
    MouseDown(20, 20);  // 35.4 units from the corner
    Update();
    EXPECT_EQ(bb_zump_ZUMP_Paused, 1);
    EXPECT_EQ(bb_zump_mdis[0], 1);
    EXPECT_FLOAT_EQ(Committed(bb_zump_Bufferup - 1)[0], 0.5f) << "pointer users see the icon brighter";

    bb_zump_ZUMP_Paused = 0;
    bb_zump_ZUMP_ScreenshotMode = 1;
    MouseUp();
    Update();
    EXPECT_NE(Committed(bb_zump_Bufferup - 1)[10], 90) << "no icon in screenshot mode";
    MouseDown(50, 10);  // 63.7 units away
    Update();
    EXPECT_EQ(bb_zump_ZUMP_Paused, 0);
}

TEST_F(FlowTest, CurtainRunsIntoTheMenuAndEndsItself) {
    Playing(2);
    game->m_holeScore[1] = 21;  // the hole in play keeps the total
    bb_zump_EndGame(2);
    bb_zump_EndGame(3);
    EXPECT_EQ(bb_zump_ZUMP_EndReason, 2) << "the first reason wins";

    int games = bb_zump_ZUMP_Set[5];
    for (int e = 1; e <= 160; ++e) {
        Update();
        ASSERT_EQ(bb_zump_ZUMP_EndofGame, e < 160 ? e + 1 : 0) << "update " << e;
        if (e == 1) {
            // Update 1 draws frame 2: both halves far out of view.
            int first = FirstCommitted(4);
            ASSERT_GE(first, 0);
            int a = -2560 + 320 + 64;  // t = 1: h = -1248
            EXPECT_FLOAT_EQ(Committed(first)[11], (float)(a - 124));
            EXPECT_FLOAT_EQ(Committed(first + 1)[11], (float)(-128 - a));
        }
        if (e == 49) {
            // Frame 50 is fully in, captions on their lines, after the hole's own texts.
            int first = FirstCommitted(4);
            ASSERT_GE(first, 0);
            EXPECT_FLOAT_EQ(Committed(first)[11], -124);
            std::u16string captions;
            for (int n = first; n < bb_zump_Bufferup; ++n)
                if (Committed(n)[9] == 1 && Committed(n)[10] == 99) captions += (char16_t)(Committed(n)[13] + 32);
            EXPECT_EQ(captions, u"QuitGame");
        }
        if (e == 89) {
            EXPECT_EQ(bb_zump_ZUMP_GameMode, 1) << "frame 90 hands over to recording";
        }
        if (e == 90) {
            EXPECT_EQ(bb_zump_ZUMP_GameMode, 0);
            EXPECT_EQ(bb_zump_ZUMP_Set[5], games + 1);
            EXPECT_EQ(bb_zump_ZUMP_Score[40 + 5], 21);
        }
    }
    EXPECT_EQ(bb_zump_ZUMP_EndReason, 0);
}

TEST_F(FlowTest, AnOverlayFreezesTheCurtain) {
    Loaded(0);
    bb_zump_EndGame(0);
    Update();
    EXPECT_EQ(bb_zump_ZUMP_EndofGame, 2);
    bb_zump_ZUMP_OptCred = 1;
    Update();
    Update();
    EXPECT_EQ(bb_zump_ZUMP_EndofGame, 2);
    bb_zump_ZUMP_OptCred = 0;
    Update();
    EXPECT_EQ(bb_zump_ZUMP_EndofGame, 3);
}

TEST_F(FlowTest, CurtainCaptionsFollowTheReason) {
    const std::pair<int, std::u16string> cases[] = {
        {0, u"GameOver"}, {1, u"LevelComplete"}, {3, u"YouGotCuddled"}, {4, u"OutOfTime"}, {5, u"!WellDone!"},
        {9, u"GameOver"},
    };
    Loaded(0);
    for (const auto& c : cases) {
        bb_zump_ZUMP_EndofGame = 49;
        bb_zump_ZUMP_EndReason = c.first;
        bb_zump_Sprtup = 0;
        bb_zump_GameOver();
        std::u16string glyphs = Glyphs();
        EXPECT_EQ(glyphs, c.second) << "reason " << c.first;
    }
}

TEST_F(FlowTest, ForcedSendAndResumeAllowSendingAgain) {
    Loaded(0);
    bb_zump_ZUMP_CanSend = 0;
    bb_zump_ZUMP_ForceSend = 1;
    Update();
    EXPECT_EQ(bb_zump_ZUMP_ForceSend, 0);
    EXPECT_EQ(bb_zump_ZUMP_CanSend, 1);
    bb_zump_ZUMP_CanSend = 0;
    game->p_OnResume();
    EXPECT_EQ(bb_zump_ZUMP_CanSend, 1);
}

}  // namespace
