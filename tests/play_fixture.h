// A game in play through the real update path, with stand-in images and a
// scripted player that walks with the drag stick and thwacks with Space.
#pragma once

#include <cmath>
#include <string>

#include "game/flow_globals.h"
#include "game/mygame.h"
#include "game/play.h"
#include "game/world.h"
#include "shell/zump_controls.h"
#include "shell/zump_text.h"
#include "shell_test_host.h"

enum { KEY_SPACE = 32, KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40 };

class PlayTest : public ShellTest {
protected:
    c_MyGame* game = nullptr;
    float* plr = bb_zump_plr;
    int updates = 0;
    bool dragging = false;

    void SetUp() override {
        ShellTest::SetUp();
        game = (new c_MyGame())->m_new();
        game->p_OnCreate();
        // As after loading: every sheet the hole and its display draw from.
        PutImage(1, 49, 36);
        PutImage(2, 49, 36);
        PutImage(3, 49, 36);
        PutImage(4, 49, 36);
        PutImage(11, 4, 256);
        PutImage(12, 1, 64);
        PutImage(68, 4, 1024);
        PutImage(90, 16, 128);
        PutImage(99, 128, 64);
        bb_zump_ZUMP_Font = 99;
        bb_zump_ZUMP_Loader = 0;
        bb_zump_FitScreen(800, 600);  // one virtual unit per pixel
    }

    void Update() {
        input->p_BeginUpdate();
        game->p_OnUpdate();
        input->p_EndUpdate();
        ++updates;
    }

    // Choosing a course in the menu sets the course and mode 11.
    void StartCourse(int course) {
        bb_zump_ZUMP_GameType = course;
        bb_zump_ZUMP_GameMode = 11;
        Update();
    }

    float BallDistance2(float x, float y) const { return (plr[1] - x) * (plr[1] - x) + (plr[2] - y) * (plr[2] - y); }
    float GolferDistance2() const {
        return (plr[22] - plr[2]) * (plr[22] - plr[2]) + (plr[21] - plr[1]) * (plr[21] - plr[1]);
    }

    // Walks the golfer to (tx, ty) with the drag stick: the stick is set so
    // that one update covers the remaining distance, or as much as it can.
    // Returns false if it did not get there within the update limit.
    bool WalkTo(float tx, float ty, int limit = 3000) {
        const float ax = 400, ay = 300;
        if (!dragging) {
            // The stick's anchor is where the pointer goes down.
            MouseDown(ax, ay);
            Update();
            dragging = true;
        }
        for (int n = 0; n < limit; ++n) {
            float ex = tx - plr[21], ey = ty - plr[22];
            if (std::fabs(ex) < 0.002f && std::fabs(ey) < 0.002f) break;
            float step = GolferDistance2() < PLAY_NEAR ? 0.025f : 0.15f;
            float gx = std::round(std::fmax(-1.0f, std::fmin(1.0f, ex / step)) * 64);
            float gy = std::round(std::fmax(-1.0f, std::fmin(1.0f, ey / step)) * 64);
            MouseMove(ax + gx, ay + gy);
            Update();
        }
        MouseMove(ax, ay);
        MouseUp();
        dragging = false;
        Update();
        return std::fabs(tx - plr[21]) < 0.01f && std::fabs(ty - plr[22]) < 0.01f;
    }

    // Stands behind the ball so that the shot goes towards (hx, hy).
    bool AimAt(float hx, float hy, float reach = 1.6f) {
        float dx = hx - plr[1], dy = hy - plr[2];
        float len = std::sqrt(dx * dx + dy * dy);
        if (len <= 0) return true;
        return WalkTo(plr[1] - dx / len * reach, plr[2] - 0.25f - dy / len * reach);
    }

    // The first press starts the meter, a release, then the second press on
    // the update whose meter step reaches `meter`.
    void Thwack(float meter) {
        Press(KEY_SPACE);
        Update();
        Release(KEY_SPACE);
        Update();
        for (int n = 0; n < 60 && std::fmod(plr[36] + 1.5f, 60.0f) != meter; ++n) Update();
        Press(KEY_SPACE);
        Update();
        Release(KEY_SPACE);
    }

    // How far a ball started at this speed rolls, as the update steps it.
    static float Carry(float speed) {
        float d = 0;
        while (speed > 0) {
            d += speed * 0.05f;
            speed -= 0.1f;
        }
        return d;
    }

    // The meter value whose shot from the ball's terrain stops closest to
    // `distance` cells away.
    float MeterFor(float distance) const {
        static const float kDivisor[4] = {1.75f, 1, 1.2f, 2.5f};
        int terrain = (int)plr[41];
        float best = 0, bestError = 1e9f;
        for (float m = 0; m < 60; m += 1.5f) {
            float error = std::fabs(Carry((m * 0.25f + 4) / kDivisor[terrain]) - distance);
            if (error < bestError) bestError = error, best = m;
        }
        return best;
    }

    void WaitForRest(int limit = 2000) {
        for (int n = 0; n < limit && plr[4] != 0 && plr[67] == 0; ++n) Update();
    }

    // Plays the current hole until it ends (holed or out of thwacks):
    // aims at the hole, chooses the power to stop just past it, thwacks.
    // Returns the number of thwacks made.
    int PlayHole() {
        int thwacks = 0;
        int hole = game->m_hole;
        while (plr[67] == 0 && game->m_hole == hole && thwacks < 20) {
            WaitForRest();
            if (plr[67] != 0) break;
            float hx = plr[11], hy = plr[12];
            AimAt(hx, hy);
            Update();  // the terrain under the ball is sampled with the golfer near
            float d = std::sqrt(BallDistance2(hx, hy));
            Thwack(MeterFor(d + 0.25f));
            ++thwacks;
            WaitForRest();
        }
        return thwacks;
    }

    // Runs updates until the hole number changes or the curtain starts.
    int WaitForNextHole(int limit = 400) {
        int hole = game->m_hole, n = 0;
        while (n < limit && game->m_hole == hole && bb_zump_ZUMP_EndofGame == 0) {
            Update();
            ++n;
        }
        return n;
    }

    static const float* Committed(int n) { return bb_zump_ZUMP_Buffer + n * ZUMP_RECORD; }

    // The text the font records of the committed list spell, from record `from`.
    static std::u16string CommittedGlyphs(int from = 0, int to = -1) {
        std::u16string out;
        if (to < 0) to = bb_zump_Bufferup;
        for (int n = from; n < to; ++n)
            if (Committed(n)[9] == 1 && Committed(n)[10] == 99) out += (char16_t)(Committed(n)[13] + 32);
        return out;
    }
};
