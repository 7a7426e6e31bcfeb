// One update of a hole in play: the golfer walks round the ball, the meter
// runs, the ball flies and rolls, creatures knock it aside, and the hole ends
// with its score. Several checks run inside the drawing scan, so the state
// changes and the drawing calls are interleaved in a fixed order.
#include <cmath>

#include "game/flow_globals.h"
#include "game/mygame.h"
#include "game/play.h"
#include "game/world.h"
#include "shell/zump_controls.h"
#include "shell/zump_random.h"
#include "shell/zump_screen.h"
#include "shell/zump_sound.h"

namespace {

enum { SFX_THWACK = 4, SFX_LAND = 5, SFX_PUTT = 6 };

// Degrees of an atan2 result.
float Atan2Deg(float y, float x) { return (float)std::atan2((double)y, (double)x) * PLAY_RAD; }

// The golfer's frame for this update: walk cycle, address pose, swing,
// the holed spin and hop, the missed-hole slump. Advances the pose timers.
int GolferFrame() {
    float* plr = bb_zump_plr;
    int q = (int)std::fmod(plr[25] / 90, 4.0f);
    if (q < 0) q += 4;
    int a = (int)std::fmod(plr[27], 4.0f);
    if (a < 0) a += 4;

    if (plr[31] > 30 || plr[31] < 0) {
        plr[31] = 0;
    } else if (plr[31] > 0) {
        a = 4;
        plr[31] = plr[31] - 1;
    }

    if (plr[37] > 0) {
        float w = plr[37] - 1;
        a = w >= 8 ? 6 : 5;
        plr[37] = w < 1 ? 0 : w;
    }

    if (plr[67] > 0 && plr[54] < 90) {
        q = (int)std::fmod(plr[67] * 0.125f, 4.0f);
        plr[29] = plr[29] - std::fabs(bb_play_Sin(5 * plr[67])) * 8;
        a = 6;
    }
    if (plr[54] > 90) {
        a = 4;
        q = 2;
    }
    return a + 7 * q;
}

// The ball hits a waiting creature within its box unless it flies above it.
void HitTest(int x, int y, float* cell) {
    float* plr = bb_zump_plr;
    float cx = PLAY_CELL * (float)x, cy = PLAY_CELL * (float)y - PLAY_CELL;
    if (!(std::fabs(plr[8] - cx) < 16.915f && std::fabs(plr[9] - cy) < 29.85f && plr[7] < 16)) return;
    plr[3] = Atan2Deg(cx - plr[8], cy - plr[9]);
    if (cell[5] == 2) {
        cell[5] = 12;
        plr[76] = 1;
        plr[58] = plr[58] + 3;
    } else {
        cell[5] = 11;
        plr[76] = 2;
        plr[58] = plr[58] + 5;
    }
    plr[77] = 1;
    cell[6] = 0;
    bb_zump_PlaySFX(bb_zump_Rand(1, 3));
}

// The terrain under the ball: the first cell in scan order within a cell of
// the ball, and only while the ball's speed is exactly 0 or 0.2.
void SampleTerrain(float sx, float sy, const float* cell) {
    float* plr = bb_zump_plr;
    if (!(std::fabs(sx - (plr[8] - bb_zump_scrx)) < PLAY_CELL && std::fabs(sy - (plr[9] - bb_zump_scry)) < PLAY_CELL))
        return;
    if (!(plr[4] == 0 || plr[4] == 0.2f) || plr[43] != 0) return;
    static const float kFriction[4] = {0.3f, 0.045f, 0.065f, 0.025f};
    int code = (int)cell[0];
    if (code < 0 || code > 3) return;  // scenery decides nothing
    plr[41] = (float)code;
    plr[43] = kFriction[code];
}

// The visible cells, row by row from the top: creatures, the terrain sample
// and the ground; the ball and the golfer at the end of their rows.
void ScanWorld(int golferFrame) {
    float* plr = bb_zump_plr;
    plr[101] = ((float)(bb_zump_jscrw / 2 - 32) + bb_zump_scrx) / PLAY_CELL;
    plr[102] = ((float)(bb_zump_jscrh / 2) + bb_zump_scry) / PLAY_CELL;
    bb_zump_SetSize(0.625f);
    for (int y = (int)(plr[102] - 25); (float)y <= plr[102] + 25; ++y) {
        for (int x = (int)(plr[101] - 25); (float)x <= plr[101] + 25; ++x) {
            if (x < 0 || x > 511 || y < 0 || y > 511) continue;
            float* cell = bb_zump_grid + bb_world_Cell(x, y);
            float sx = PLAY_CELL * (float)x - bb_zump_scrx, sy = PLAY_CELL * (float)y - bb_zump_scry;
            float c = cell[5];
            if (c > 10) {
                cell[6] = cell[6] + 1;
                bb_play_DrawFlyingCreature(sx, sy, cell);
                float rise = cell[6] > 30 ? (cell[6] - 30) * 4 : 0;
                if (sy - rise < -256) cell[5] = 0;
            } else if (c == 2 || c == 1) {
                bb_play_DrawWaitingCreature(sx, sy, cell);
                HitTest(x, y, cell);
            }
            SampleTerrain(sx, sy, cell);
            bb_play_DrawGround(sx, sy, cell);
        }
        if (std::fabs((float)y - plr[2]) < 1 && (plr[67] == 0 || plr[54] > 90)) bb_play_DrawBall();
        if (std::fabs((float)y - plr[22]) < 1) bb_play_DrawGolfer(golferFrame);
    }
}

// The ball is in the air while its speed is above the shot's flight scale;
// the height follows a sine over the first part of the shot.
void FlightAndRoll() {
    float* plr = bb_zump_plr;
    float p0 = plr[47];
    if (p0 < 1) plr[47] = p0 = 1;
    float p = plr[4];
    float h = 32 * bb_play_Sin((p0 - p) * 60 / p0);
    if (h > 0 || plr[42] == 1) {
        plr[4] = p - plr[43];
        plr[7] = 0;
    } else {
        plr[7] = -h;
    }
}

// Walking, aiming, the meter and the thwack. Returns the squared golfer-ball
// distance from before the golfer moved.
float GolferStep() {
    float* plr = bb_zump_plr;
    float dx, dy;
    if (bb_zump_mdAll >= 1) {
        dx = bb_zump_mPadx;
        dy = bb_zump_mPady;
    } else {
        dx = bb_zump_ZUMP_Control[100 + 21];
        dy = bb_zump_ZUMP_Control[100 + 22];
    }
    float d = (plr[22] - plr[2]) * (plr[22] - plr[2]) + (plr[21] - plr[1]) * (plr[21] - plr[1]);

    // During the hole end the golfer stands still whatever the input.
    if (plr[67] <= 0) {
        plr[27] = plr[27] + (std::fabs(dx) + std::fabs(dy)) * 0.25f;
    } else {
        dx = dy = 0;
    }
    if (std::fabs(dx) + std::fabs(dy) < 0.25f) plr[27] = 0;

    float halfW = (float)(bb_zump_jscrw / 2 - 32), halfH = (float)(bb_zump_jscrh / 2);
    if (d < PLAY_NEAR) {
        plr[21] = plr[21] + dx * 0.025f;
        plr[22] = plr[22] + dy * 0.025f;
        plr[25] = Atan2Deg(plr[1] - plr[21], plr[22] - (plr[2] - 0.25f)) + 45;
        plr[5] = plr[25] - 90;
        bb_zump_aimx = bb_play_Sin(plr[25] + 45) * 64 + plr[8] - halfW;
        bb_zump_aimy = plr[9] - halfH - bb_play_Cos(plr[25] + 45) * 64;

        bb_zump_ResetDraw();
        bb_play_DrawAimDots();

        bool pressed = bb_zump_PlayKey(10, -2) != 0 ||
                       (bb_zump_mdAll >= 1 && bb_zump_mx >= bb_zump_jscrw - 63 && bb_zump_my <= 63);
        if (!pressed) {
            bb_zump_kdis[10] = 0;
        } else if (plr[35] == 0 && bb_zump_kdis[10] == 0) {
            plr[35] = 1;
            bb_zump_kdis[10] = 1;
            plr[36] = 0;
        }
        plr[36] = std::fmod(plr[36] + 1.5f, 60.0f);
        bb_play_DrawMeter();

        // The second press, after a release, strikes with the meter's value.
        if (pressed && plr[35] == 1 && bb_zump_kdis[10] == 0 && plr[67] == 0) {
            plr[35] = 0;
            bb_zump_kdis[10] = 1;
            plr[37] = 30;
            plr[3] = plr[5] + 45;
            float v = plr[36] * 0.25f + 4;
            plr[4] = v;
            plr[47] = v * 0.5f;
            plr[42] = 0;
            plr[54] = plr[54] + 1;
            plr[51] = plr[51] - 1;
            int terrain = (int)plr[41];
            if (terrain == TERRAIN_EMPTY) {
                plr[4] = v / 1.75f;
            } else if (terrain == TERRAIN_ROUGH) {
                plr[4] = v / 1.2f;
            } else if (terrain == TERRAIN_GREEN) {
                plr[4] = v / 2.5f;
                plr[47] = 1;
                plr[42] = 1;
            }
            bb_zump_PlaySFX(terrain == TERRAIN_GREEN ? SFX_PUTT : SFX_THWACK);
        }
    } else {
        plr[21] = plr[21] + dx * 0.15f;
        plr[22] = plr[22] + dy * 0.15f;
        plr[23] = dx;
        plr[24] = dy;
        plr[26] = Atan2Deg(-dx, dy);
        if (std::fabs(plr[23]) > 0.25f || std::fabs(plr[24]) > 0.25f) plr[25] = plr[26] + 180;
        bb_zump_aimx = plr[28] - halfW;
        bb_zump_aimy = plr[29] - halfH;
    }
    return d;
}

void BallMotion(float d) {
    float* plr = bb_zump_plr;
    if (plr[4] > 0 && plr[67] == 0) {
        float s = plr[4] * 0.05f;
        plr[1] = plr[1] + bb_play_Sin(plr[3]) * s;
        plr[2] = plr[2] - bb_play_Cos(plr[3]) * s;
        plr[4] = plr[4] - 0.1f;
        plr[38] = 30;
    }
    // Terrain friction may push a resting ball's speed below zero.
    if (plr[4] < 0) plr[4] = 0;
    if (d >= PLAY_NEAR) {
        bb_zump_kdis[10] = 0;
        plr[35] = 0;
    }
}

void FollowBall() {
    float* plr = bb_zump_plr;
    if (plr[38] <= 0) return;
    plr[38] = plr[38] - 1;
    if (plr[38] < 1) plr[38] = 0;
    bb_zump_aimx = plr[8] - (float)(bb_zump_jscrw / 2 - 32);
    bb_zump_aimy = plr[9] - (float)(bb_zump_jscrh / 2);
}

}  // namespace

float bb_play_Sin(float degrees) { return (float)std::sin((double)(degrees * PLAY_DEG)); }
float bb_play_Cos(float degrees) { return (float)std::cos((double)(degrees * PLAY_DEG)); }

int c_MyGame::p_Game() {
    float* plr = bb_zump_plr;

    bb_play_DrawBackground();
    bb_zump_ZUMP_ScrollSpeedX = bb_zump_ZUMP_ScrollSpeedY = 32;

    int golferFrame = GolferFrame();
    plr[41] = 0;
    plr[43] = 0;
    ScanWorld(golferFrame);
    FlightAndRoll();

    plr[8] = plr[1] * PLAY_CELL;
    plr[9] = plr[2] * PLAY_CELL;
    plr[28] = plr[21] * PLAY_CELL;
    plr[29] = plr[22] * PLAY_CELL;

    float d = GolferStep();
    BallMotion(d);
    FollowBall();
    bb_play_DrawHole();

    // Holing: within half a cell of the hole and on the ground.
    plr[66] = 0;
    float hx = plr[1] - plr[11], hy = plr[2] - plr[12];
    if (hx * hx + hy * hy < 0.25f && plr[7] < 0.25f) {
        plr[66] = 1;
        if (plr[67] == 0) {
            for (int i = 0; i < 3; ++i) bb_zump_PlaySFX(bb_zump_Rand(10, 13));
        }
    }
    // Out of thwacks with the ball at rest: missed, whether or not it lies in the hole.
    if (plr[51] < 1 && plr[4] <= 0 && plr[67] == 0) {
        plr[67] = 1;
        plr[54] = PLAY_MISSED;
    }
    if (plr[66] == 1 || plr[67] > 0) {
        plr[67] = plr[67] + 1;
        if (plr[54] == 1 && plr[58] < 20) plr[58] = 17;
        if (plr[54] > 90) {
            m_holeScore[m_hole] = -5;
        } else {
            m_holeScore[m_hole] = (int)(plr[58] + plr[51]);
        }
        bb_play_DrawHoleEnd(m_holeScore[m_hole]);
    }
    if (plr[67] > PLAY_HOLE_END_UPDATES) {
        if (m_hole <= 8) {
            p_NewLevel();
        } else if (m_hole == 9) {
            bb_zump_EndGame(0);
        }
    }
    if (plr[76] > 0 || plr[77] > 0) {
        plr[77] = plr[77] + 1;
        if (plr[77] > 120) plr[76] = plr[77] = 0;
    }
    bb_play_DrawCreatureBanner();

    if (plr[97] > 0 && plr[7] == 0) bb_zump_PlaySFX(SFX_LAND);
    plr[97] = plr[7];
    if (d < PLAY_NEAR) {
        plr[31] = 30;
    } else if (plr[4] == 0) {
        bb_play_DrawBallFinder();
    }

    int total = 0;
    for (int i = 1; i <= 9; ++i) total += m_holeScore[i];
    plr[50] = (float)total;
    bb_play_DrawHud(m_holeScore, m_hole);
    return 0;
}
