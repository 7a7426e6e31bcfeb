// The picture of a hole in play, recorded into the shell's draw list during
// the update. There is no depth buffer: the scan draws row by row from the
// top, so lower rows cover higher ones.
#include <cmath>

#include "app/app.h"
#include "game/flow_globals.h"
#include "game/play.h"
#include "game/world.h"
#include "shell/zump_random.h"
#include "shell/zump_screen.h"
#include "shell/zump_text.h"

namespace {

// Tile set frames.
enum { FRAME_BALL = 3, FRAME_SHADOW = 4, FRAME_CUP = 5, FRAME_FLAG = 6 };
// Banner frames of the score image.
enum { BANNER_HOLE_IN_ONE = 0, BANNER_HOLE_COMPLETE = 3 };

const float BACKGROUND_PERIOD = 3069;

// Texts are built in buffers that keep their capacity, so the per-update
// labels allocate nothing after the first time.
String g_label;

const String& Label(const char16_t* prefix, int value) {
    g_label.assign(prefix);
    char digits[12];
    int n = 0;
    unsigned magnitude = value < 0 ? 0u - (unsigned)value : (unsigned)value;
    do {
        digits[n++] = (char)('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0) g_label.push_back(u'-');
    while (n > 0) g_label.push_back((char16_t)digits[--n]);
    return g_label;
}

// The hole's score in the column: two digits with a leading zero (the last
// two when longer), as rstr(score, 2, "0") gives, without building the pad.
const String& TwoDigits(int score) {
    Label(u"", score);
    if (g_label.size() < 2) g_label.insert(g_label.begin(), u'0');
    if (g_label.size() > 2) g_label.erase(0, g_label.size() - 2);
    return g_label;
}

const String kMissedScore = u"-5";

// Slides in from the right over the first 30 updates.
float SlideIn(float t) { return t < 30 ? (30 - t) * 20 : 0; }

}  // namespace

int bb_play_TileSet() {
    switch (bb_zump_ZUMP_GameType % 4) {
        case 3: return 4;
        case 0: return 3;
        default: return 1;
    }
}

int bb_play_BackgroundFrame() {
    switch (bb_zump_ZUMP_GameType % 4) {
        case 3: return 3;
        case 0: return 2;
        default: return 0;
    }
}

void bb_play_DrawBackground() {
    bb_zump_ZUMP_DrawStyle[14] = 1;
    bb_zump_ZUMP_DrawStyle[15] = bb_zump_ZUMP_DrawStyle[16] = bb_zump_ZUMP_DrawStyle[17] = 0;
    bb_zump_ResetDraw();
    int frame = bb_play_BackgroundFrame();
    // Nine copies repeating every 3069 pixels, each placed within half a
    // period of the screen origin.
    for (int ox = 0; ox <= 2046; ox += 1023) {
        for (int oy = 0; oy <= 2046; oy += 1023) {
            float x = std::fmod((float)ox - bb_zump_scrx, BACKGROUND_PERIOD);
            float y = std::fmod((float)oy - bb_zump_scry, BACKGROUND_PERIOD);
            if (x < -1536) x += BACKGROUND_PERIOD;
            if (y < -1536) y += BACKGROUND_PERIOD;
            if (x > 1536) x -= BACKGROUND_PERIOD;
            if (y > 1536) y -= BACKGROUND_PERIOD;
            bb_zump_DrawImg(PLAY_IMG_BACKGROUND, x, y, frame);
        }
    }
}

void bb_play_DrawFlyingCreature(float sx, float sy, const float* cell) {
    int base = cell[5] == 11 ? 17 : 13;
    int frame = base;
    float lift = 0;
    if (cell[6] > 30) {
        // Flaps every 15 updates while it rises.
        frame = base + 1 + (int)std::fmod(cell[6] / 15, 2.0f);
        lift = (cell[6] - 30) * 4;
    }
    bb_zump_SetSize(1.25f);
    bb_zump_DrawImg(bb_play_TileSet(), sx, sy - lift - 29.85f, frame);
    bb_zump_SetSize(0.625f);
}

void bb_play_DrawWaitingCreature(float sx, float sy, float* cell) {
    bb_zump_Alpha(1);
    bb_zump_SetSize(1.25f);
    if (40 * bb_random_Rnd() < 1) cell[7] = (float)bb_zump_Rand(0, 1);
    int base = cell[5] == 2 ? 12 : 16;
    bb_zump_DrawImg(bb_play_TileSet(), sx, sy - 29.85f, (int)cell[7] + base);
    bb_zump_SetSize(0.625f);
}

void bb_play_DrawGround(float sx, float sy, const float* cell) {
    if (!(cell[0] > 0)) return;
    int code = (int)cell[0];
    // The alpha stays for the following draws of the scan.
    bb_zump_Alpha(code == TERRAIN_ROUGH ? 0.4f : 0.8f);
    if (code > 20) {
        bb_zump_SetSize(2.5f);
        bb_zump_DrawImg(bb_play_TileSet(), sx, sy - 39.8f, code - 1);
        bb_zump_SetSize(0.625f);
    } else {
        bb_zump_DrawImg(bb_play_TileSet(), sx, sy, code - 1);
    }
}

void bb_play_DrawBall() {
    const float* plr = bb_zump_plr;
    int tiles = bb_play_TileSet();
    bb_zump_SetSize(1.25f);
    // The shadow moves down and right as the ball rises.
    bb_zump_Alpha(0.25f);
    bb_zump_DrawImg(tiles, plr[8] + plr[7] - bb_zump_scrx, plr[9] + plr[7] - bb_zump_scry - 8, FRAME_SHADOW);
    bb_zump_Alpha(1);
    bb_zump_DrawImg(tiles, plr[8] - bb_zump_scrx, plr[9] - bb_zump_scry - 8, FRAME_BALL);
    bb_zump_SetSize(0.625f);
}

void bb_play_DrawGolfer(int frame) {
    const float* plr = bb_zump_plr;
    float x = plr[28] - bb_zump_scrx, y = plr[29] - bb_zump_scry - 8;
    bb_zump_Alpha(1);
    bb_zump_SetSize(1.25f);
    bb_zump_DrawImg(PLAY_IMG_GOLFER, x, y, frame);
    bb_zump_Alpha(0.5f);
    bb_zump_DrawImg(PLAY_IMG_GOLFER, x, y, frame);
    bb_zump_SetSize(0.625f);
}

void bb_play_DrawAimDots() {
    const float* plr = bb_zump_plr;
    int terrain = (int)plr[41];
    int steps = terrain == TERRAIN_GREEN ? 8 : 22;
    // Rise per step along the shot: the dots show how far the ball carries.
    static const float kRise[4] = {4, 8, 6, 8};
    float rise = terrain >= 0 && terrain <= 3 ? kRise[terrain] : 4;
    float x = plr[8] - bb_zump_scrx, y = plr[9] - bb_zump_scry - 6;
    for (int i = 0; i <= steps; ++i) {
        float a = plr[5] + 45;
        x = x + 8 * bb_play_Sin(a);
        y = y - rise * bb_play_Cos(a);
        if (terrain != TERRAIN_GREEN) y = y - 2.5f * bb_play_Cos((float)(8 * i));
        bb_zump_SetCol(0, 0, 0, 0.5f);
        bb_zump_Oval(x, y, 7, 7, 1, 1);
        bb_zump_SetCol(100, 180, 250, 0.75f);
        bb_zump_Oval(x, y, 5, 5, 1, 1);
    }
}

void bb_play_DrawMeter() {
    const float* plr = bb_zump_plr;
    float mx = plr[28] > plr[8] ? plr[28] - bb_zump_scrx + 32 : plr[28] - bb_zump_scrx - 40;
    float my = plr[29] - bb_zump_scry - 32;
    bb_zump_SetCol(255, 255, 255, 1);
    bb_zump_Rect(mx, my, 8, 64);
    bb_zump_SetCol(0, 0, 0);
    bb_zump_Rect(mx + 1, my + 1, 6, 62);
    if (plr[35] == 1) {
        if (plr[41] == TERRAIN_FAIRWAY)
            bb_zump_SetCol(50, 150, 255);
        else
            bb_zump_SetCol(100, 255, 100);
        bb_zump_Rect(mx + 1.5f, my + 62 - plr[36], 7, plr[36]);
    }
}

void bb_play_DrawHole() {
    const float* plr = bb_zump_plr;
    int tiles = bb_play_TileSet();
    float x = PLAY_CELL * plr[11] - bb_zump_scrx, y = PLAY_CELL * plr[12] - 8 - bb_zump_scry;
    bb_zump_ResetDraw();
    bb_zump_SetSize(0.625f);
    bb_zump_DrawImg(tiles, x, y, FRAME_CUP);
    bb_zump_SetSize(1.25f);
    bb_zump_DrawImg(tiles, x, y - PLAY_CELL, FRAME_FLAG);
}

void bb_play_DrawHoleEnd(int score) {
    const float* plr = bb_zump_plr;
    float o = SlideIn(plr[67]);
    float cx = (float)(bb_zump_jscrw / 2) + o, cy = (float)bb_zump_jscrh * 0.25f;
    bb_zump_SetSize(2);
    if (plr[54] > 90) {
        bb_zump_Text(cx, cy, u"Missed Hole", 1, 1);
        return;
    }
    bb_zump_DrawImg(PLAY_IMG_BANNER, cx, cy, plr[54] == 1 ? BANNER_HOLE_IN_ONE : BANNER_HOLE_COMPLETE);
    bb_zump_SetSize(0.75f);
    float right = (float)bb_zump_jscrw * 0.75f - o, h = (float)bb_zump_jscrh;
    bb_zump_Text(right, h - 128, Label(u"Thwacks Remaining : ", (int)plr[51]), 2, 1);
    if (plr[58] > 0) bb_zump_Text(right, h - 80, Label(u"Bonus : ", (int)plr[58]), 2, 1);
    bb_zump_Text(right, h - 32, Label(u"Total : ", score), 2, 1);
}

void bb_play_DrawCreatureBanner() {
    const float* plr = bb_zump_plr;
    if (!(plr[76] > 0 || plr[77] > 0)) return;
    float t = plr[77];
    // In from the right, held, then out to the right over the last 30 updates.
    float o = t <= 90 ? SlideIn(t) : (t - 90) * 20;
    bb_zump_SetSize(2);
    bb_zump_DrawImg(PLAY_IMG_BANNER, (float)(bb_zump_jscrw / 2) + o, (float)bb_zump_jscrh * 0.25f, (int)plr[76]);
}

void bb_play_DrawBallFinder() {
    float* plr = bb_zump_plr;
    float r = plr[199] = bb_zump_Dist(plr[8], plr[9], plr[28], plr[29]) - 72;
    if (!(r > 72)) return;
    bb_zump_ResetDraw();
    bb_zump_Alpha(0.5f);
    int tiles = bb_play_TileSet();
    for (int a = 0; a < 360; a += 5) {
        float sa = (float)bb_app_Millisecs() / 80 + (float)a;
        float ca = (float)bb_app_Millisecs() / 80 + (float)a;
        bb_zump_DrawImg(tiles, plr[8] + bb_play_Sin(sa) * r - bb_zump_scrx, plr[9] - 8 - bb_play_Cos(ca) * r - bb_zump_scry,
                        FRAME_BALL);
    }
}

void bb_play_DrawHud(const int holeScore[10], int hole) {
    if (bb_zump_ZUMP_ScreenshotMode) return;
    const float w = (float)bb_zump_jscrw;
    bb_zump_ResetDraw();
    bb_zump_DrawImg(PLAY_IMG_BUTTON, w - 45, 48, 0);
    bb_zump_Text(w - 48, 48, Label(u"", (int)bb_zump_plr[51]), 1, 1);

    bb_zump_ResetDraw();
    for (int i = 1; i <= 9; ++i) {
        float y = (float)(80 + 32 * (i - 1));
        bb_zump_Alpha(bb_zump_ZUMP_DrawStyle[0]);
        bb_zump_SetCol(255, 255, 255);
        bb_zump_Rect(w - 34, y, 32, 32);
        if (i < hole)
            bb_zump_SetCol(0, 0, 128);
        else if (i == hole)
            bb_zump_SetCol(0, 128, 0);
        else
            bb_zump_SetCol(0, 0, 255);
        bb_zump_Alpha(bb_zump_ZUMP_DrawStyle[0]);
        bb_zump_Rect(w - 33, y + 1, 30, 30);
        bb_zump_SetCol(255, 255, 255);
        bb_zump_SetSize(0.5f);
        if (i <= hole) {
            int score = holeScore[i];
            bb_zump_Text(w - 19, y + 16, score >= 0 ? TwoDigits(score) : kMissedScore, 1, 1);
        }
    }
}
