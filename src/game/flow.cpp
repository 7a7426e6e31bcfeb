// The game's top-level flow: creation, the update dispatch over the game
// modes and overlays, the loading screen, starting and recording a game, the
// pause key and the end-of-game curtain.
#include <algorithm>

#include "app/app.h"
#include "game/flow_globals.h"
#include "game/mygame.h"
#include "game/world.h"
#include "net/asyncevent.h"
#include "shell/zump_controls.h"
#include "shell/zump_name.h"
#include "shell/zump_profile.h"
#include "shell/zump_scoreboard.h"
#include "shell/zump_screen.h"
#include "shell/zump_screens.h"
#include "shell/zump_sound.h"
#include "shell/zump_text.h"

namespace {

enum { MODE_MENU = 0, MODE_RECORD = 1, MODE_PLAY = 10, MODE_START = 11 };

// One loading step: an image to load (slot 0 for none) and a sound (0 for none).
struct LoadStep {
    int step;
    int image;
    const char16_t* name;
    int frameW, frameH, frames;
    int sound;
};

const LoadStep kLoadSteps[] = {
    {2, 95, u"ZUMPLogo", 32, 32, 1024, 96},
    {30, 96, u"ZUMPLogo", 1024, 1024, 1, 98},
    {31, 70, u"part-shapefull", 32, 32, 16, 99},
    {32, 71, u"parts_shape", 32, 32, 16, 95},
    {33, 72, u"parts_smoke", 32, 32, 16, 0},
    {34, 73, u"parts_cluster", 32, 32, 16, 0},
    {35, 74, u"parts_stars", 32, 32, 16, 0},
    {36, 80, u"Buttons", 64, 64, 16, 0},
    {37, 90, u"icons", 128, 128, 16, 0},
    {38, 91, u"circle", 256, 256, 4, 0},
    {39, 69, u"logo", 1024, 512, 1, 0},
    {40, 68, u"menu", 1024, 1024, 4, 0},
    {41, 81, u"options", 68, 68, 49, 0},
    {42, 82, u"scoreboard", 256, 256, 1, 0},
    {43, 1, u"gfx", 36, 36, 49, 0},
    {44, 2, u"chr", 36, 36, 49, 0},
    {45, 3, u"gfx2", 36, 36, 49, 0},
    {46, 4, u"gfx3", 36, 36, 49, 0},
    {47, 11, u"score", 256, 64, 4, 0},
    {48, 12, u"aball", 64, 64, 1, 0},
    {49, 0, nullptr, 0, 0, 0, 1},
    {50, 0, nullptr, 0, 0, 0, 2},
    {51, 0, nullptr, 0, 0, 0, 3},
    {52, 0, nullptr, 0, 0, 0, 4},
    {53, 0, nullptr, 0, 0, 0, 5},
    {54, 0, nullptr, 0, 0, 0, 10},
    {55, 0, nullptr, 0, 0, 0, 11},
    {56, 0, nullptr, 0, 0, 0, 12},
    {57, 0, nullptr, 0, 0, 0, 13},
    {58, 0, nullptr, 0, 0, 0, 6},
};

const int kLastLoadStep = 61;

void RunOverlays() {
    if (bb_zump_ZUMP_OptCred == 1) bb_zump_Options();
    if (bb_zump_ZUMP_OptCred == 2) bb_zump_Credits();
    if (bb_zump_ZUMP_OptCred == 3) bb_zump_EnterName();
}

void DrawLoadingScreen(int L) {
    bb_zump_ResetDraw();
    bb_zump_SetCol(180, 160, 120);
    bb_zump_Rect(-128, -128, (float)(bb_zump_jscrw + 256), (float)(bb_zump_jscrh + 256));

    if (L > 2) {
        // The logo drops into place tile by tile, lower rows and left columns first.
        bb_zump_ResetDraw();
        bb_zump_SetSize(0.5f);
        float ox = (float)(bb_zump_jscrw / 2) - 239.85f, oy = (float)(bb_zump_jscrh / 2) - 239.85f;
        for (int m = 0; m < 32; ++m) {
            for (int i = 0; i < 32; ++i) {
                float t = 30 - ((float)i - 0.3f * (float)m) * 0.25f - (float)L;
                float lift = t > 0 ? 5 * t * t : 0;
                bb_zump_DrawImg(95, (float)m * 15.99f + ox, (float)i * 15.99f + oy - lift, m + 32 * i);
            }
        }
    }

    if (bb_zump_ZUMP_Font != 0) {
        bb_zump_ResetDraw();
        String dots((size_t)(L % 4 + 1), u'.');
        bb_zump_Text((float)(bb_zump_jscrw / 2), (float)(bb_zump_jscrh - 64), dots + u"Loading" + dots, 1, 1);
    }
}

}  // namespace

int c_MyGame::p_OnCreate() {
    bb_zump_ZUMP_GameNum = 525;
    bb_zump_Rescramble();
    bb_zump_ZUMP_Keyword =
        u"Our PUP saw a BIG red fox RUN by the OLD oak and HID in a box of hay SO we all had a JOY day by the bay ha.";
    bb_zump_Rescramble();

    bb_zump_ZUMP_AllowName = 1;
    bb_zump_ZUMP_Levels = 9;
    bb_zump_isOuya = 0;
    bb_zump_ZUMP_AllowMouseControl = 1;
    bb_zump_ZUMP_MixControls = 1;
    bb_zump_HasQuit = 1;
    bb_app_SetUpdateRate(60);

    bb_zump_ZUMP_DrawStyle[14] = 1;
    bb_zump_ZUMP_DrawStyle[15] = bb_zump_ZUMP_DrawStyle[16] = bb_zump_ZUMP_DrawStyle[17] = 0;
    bb_zump_ResetDraw();

    bb_zump_ZUMP_Loader = 1;
    bb_zump_ZUMP_GameMode = MODE_MENU;
    bb_zump_Load();
    bb_zump_LockKeys();

    bb_zump_ZUMP_OptCred = 0;
    bb_zump_ZUMP_MenuPos[0] = 1;
    bb_zump_ZUMP_MenuPos[2] = 0;
    bb_zump_ZUMP_MenuPos[5] = bb_zump_jscrw - 32;

    // Tables cleared, stars laid out again (moving the generator to a
    // clock-dependent state), no curtain.
    bb_zump_FlushGame(1, 1, 1);
    bb_zump_DefaultCredits();
    bb_zump_AddCredit(u"", u"", u"", u"", u"");
    for (int& flag : bb_zump_Joy_Disable) flag = 0;
    p_SendScores(0);
    bb_zump_ZUMP_ForceSend = 0;
    return 0;
}

int c_MyGame::p_OnResume() {
    bb_zump_ZUMP_CanSend = 1;
    return 0;
}

int c_MyGame::p_OnUpdate() {
    bb_zump_Sprtup = 0;
    bb_zump_ResetDraw();
    bb_zump_UpdateWorld();

    if (bb_zump_ZUMP_Loader > 0) p_LoadScreen();

    if (bb_zump_ZUMP_Loader == 0) {
        int mode = bb_zump_ZUMP_GameMode;
        if (mode != MODE_MENU) bb_zump_ZUMP_MenuPos[10] = -64;
        bool known = mode == MODE_MENU || mode == MODE_RECORD || mode == MODE_PLAY || mode == MODE_START;
        if (bb_zump_ZUMP_OptCred != 0) {
            // An open overlay suspends the mode's work and the curtain.
            RunOverlays();
        } else if (known) {
            if (mode == MODE_MENU) {
                p_MainMenu();
            } else if (mode == MODE_RECORD) {
                p_GotoMenu();
            } else if (mode == MODE_START) {
                p_GotoGame();
            } else if (mode == MODE_PLAY) {
                if (bb_zump_ZUMP_EndofGame > 0) bb_zump_ZUMP_Paused = 0;
                if (bb_zump_ZUMP_Paused == 0) p_Game();
                bb_zump_InGame();
            }
            if (bb_zump_ZUMP_EndofGame > 0) bb_zump_GameOver();
            RunOverlays();
        } else if (bb_zump_ZUMP_EndofGame > 0) {
            bb_zump_GameOver();
            RunOverlays();
        }
    }

    bb_zump_Buffer();

    if (bb_zump_ZUMP_ForceSend == 1) {
        bb_zump_ZUMP_CanSend = 1;
        p_SendScores(0);
        bb_zump_ZUMP_ForceSend = 0;
    }
    // Score answers are delivered here, never from inside another delivery.
    if (!bb_asyncevent__current) bb_asyncevent_UpdateAsyncEvents();
    return 0;
}

int c_MyGame::p_OnRender() {
    bb_zump_RenderWorld();
    return 0;
}

int c_MyGame::p_LoadScreen() {
    int step = bb_zump_ZUMP_Loader;
    if (step == 1) {
        bb_zump_ZUMP_Set[100] = 1;
        bb_zump_LoadFont(99, u"bandwidth");
        bb_zump_LoadSFX(96);
    } else if (step == 5) {
        bb_zump_PlaySFX(96);
    } else if (step == kLastLoadStep) {
        bb_zump_ZUMP_Loader = 0;
    }
    for (const LoadStep& s : kLoadSteps) {
        if (s.step != step) continue;
        if (s.image) bb_zump_LoadImg(s.image, s.name, s.frameW, s.frameH, s.frames);
        if (s.sound) bb_zump_LoadSFX(s.sound);
    }

    if (bb_zump_ZUMP_Loader > 0) {
        ++bb_zump_ZUMP_Loader;
        bb_zump_ZUMP_MenuPos[10] = -64;
    }
    DrawLoadingScreen(bb_zump_ZUMP_Loader);
    return 0;
}

int c_MyGame::p_GotoGame() {
    bb_zump_FlushGame(1, 1, 1);
    for (int& score : m_holeScore) score = 0;
    m_hole = 0;
    p_NewLevel();
    bb_zump_PlayTune(u"syrup", 1);
    bb_zump_ZUMP_GameMode = MODE_PLAY;
    return 0;
}

int c_MyGame::p_GotoMenu() {
    bb_zump_ZUMP_GameMode = MODE_MENU;
    bb_zump_StopTune();
    bb_zump_ZUMP_MusicPlaying = 0;
    bb_zump_LockKeys();

    int g = bb_zump_ZUMP_GameType;
    bb_zump_ZUMP_LastPlay = g;
    float total = bb_zump_plr[50], companion = bb_zump_plr[52];
    int place = -1;
    // Rows of courses the table has no room for are not recorded.
    if (g >= 0 && g < 500) {
        int* row = bb_zump_ZUMP_Score + 20 * g;
        int* best = row;
        int* recent = row + 5;
        int* companions = row + 10;
        // Strictly greater: a tie goes below the score it equals.
        for (int r = 0; r < 5 && place < 0; ++r)
            if (total > (float)best[r]) place = r;
        if (place >= 0) {
            for (int r = 4; r > place; --r) {
                best[r] = best[r - 1];
                companions[r] = companions[r - 1];
            }
            best[place] = (int)total;
            companions[place] = (int)companion;
        }
        bb_zump_ZUMP_LastRank = place;
        for (int r = 4; r > 0; --r) recent[r] = recent[r - 1];
        recent[0] = (int)total;
    }
    // The games counter comes from the profile file, which may hold any int:
    // count on in 32-bit wrap-around rather than overflow.
    bb_zump_ZUMP_Set[5] = (int)((unsigned)bb_zump_ZUMP_Set[5] + 1u);
    if (bb_zump_ZUMP_Set[5] % 5 == 1 || place == 0) p_SendScores(0);
    bb_zump_Save();
    return 0;
}

void bb_zump_EndGame(int reason) {
    if (bb_zump_ZUMP_EndofGame != 0) return;
    bb_zump_ZUMP_EndofGame = 1;
    bb_zump_ZUMP_EndReason = reason;
}

void bb_zump_InGame() {
    // The pause key must be released between two toggles.
    if (bb_zump_PlayKey(20, -2) == 0) {
        bb_zump_kdis[20] = 0;
    } else if (bb_zump_kdis[20] == 0) {
        bb_zump_kdis[20] = 1;
        bb_zump_ZUMP_Paused = 1 - bb_zump_ZUMP_Paused;
        if (bb_zump_ZUMP_Paused == 1 && bb_zump_ZUMP_MusicPlaying == 1) bb_zump_PauseTune();
        if (bb_zump_ZUMP_Paused == 0 && bb_zump_ZUMP_MusicPlaying == 2) bb_zump_ResumeTune();
        bb_zump_LockKeys();
    }

    if (bb_zump_ZUMP_EndofGame > 0) {
        bb_zump_ZUMP_Paused = 0;
    } else if (bb_zump_ZUMP_Paused == 1) {
        bb_zump_Pause_Menu();
        if (bb_zump_ZUMP_Paused == 1) return;
    }

    bb_zump_ZUMP_MenuPos[41] = -64;
    bb_zump_ZUMP_MenuPos[42] = 0;
    for (int slot : {0, 1, 2, 8, 9}) bb_zump_paused[slot] = 0;

    if (bb_zump_ZUMP_ScreenshotMode == 0) {
        bb_zump_ResetDraw();
        bb_zump_SetSize(0.4f);
        bb_zump_Alpha(bb_zump_KeyPadMouse <= 1 ? 0.1f : 0.5f);
        bb_zump_DrawImg(90, 24, 24, 0);
        bb_zump_ResetDraw();
    }

    if (bb_zump_MouseIn_Radius(0, 0, 48) && bb_zump_mdis[0] == 0) {
        bb_zump_ZUMP_Paused = 1;
        bb_zump_LockKeys();
        if (bb_zump_ZUMP_MusicPlaying == 1) bb_zump_PauseTune();
    }
}

void bb_zump_GameOver() {
    int E = ++bb_zump_ZUMP_EndofGame;
    int t = E <= 90 ? E - 1 : 160 - E;
    int h = (t - 40) * 32;
    int a = 0;
    if (h > 0)
        h = 0;
    else
        a = std::min(0, 2 * h + 320);

    // Two halves slide in from opposite corners during the first 35 frames
    // and out again after frame 125.
    float w = (float)bb_zump_jscrw, sh = (float)bb_zump_jscrh, fa = (float)a;
    bb_zump_SetRot(45);
    bb_zump_SetCol(50, 50, 0, 0.75f);
    bb_zump_Triangle(fa - 124, -128, w + 132 + fa, sh + 128, fa - 124, sh + 128);
    bb_zump_SetCol(50, 25, 0);
    bb_zump_Triangle(-128 - fa, -128, w + 132 - fa, -128, w + 132 - fa, sh + 128);

    bb_zump_ResetDraw();
    bb_zump_SetSize(2);
    if (bb_zump_ZUMP_Font != 0) {
        static const char16_t* const kCaptions[6][2] = {
            {u"Game", u"Over"},    {u"Level", u"Complete"}, {u"Quit", u"Game"},
            {u"You Got", u"Cuddled"}, {u"Out Of", u"Time"}, {u"!Well", u"Done!"},
        };
        int reason = bb_zump_ZUMP_EndReason >= 1 && bb_zump_ZUMP_EndReason <= 5 ? bb_zump_ZUMP_EndReason : 0;
        float mid = (float)(bb_zump_jscrh / 2);
        bb_zump_Text(w * 0.35f, mid - (float)h - 36, kCaptions[reason][0], 1, 1);
        bb_zump_Text(w * 0.65f, mid + (float)h + 36, kCaptions[reason][1], 1, 1);
    }

    if (E == 60) {
        bb_zump_StopTune();
        bb_zump_ZUMP_MusicPlaying = 0;
    } else if (E == 70) {
        bb_zump_PlaySFX(96, 1, 1, 0);
    } else if (E == 90) {
        bb_zump_ZUMP_GameMode = MODE_RECORD;
    } else if (E > 160) {
        bb_zump_ZUMP_EndofGame = 0;
        bb_zump_ZUMP_EndReason = 0;
    }
}
