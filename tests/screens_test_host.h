// A fixture for the shell's overlay screens: an 800 x 600 virtual screen,
// a stand-in font and the interface sheets, and one update that folds the
// input into the controls and runs a screen, as the game's update does.
#pragma once

#include <string>

#include "shell_test_host.h"

#include "game/flow_globals.h"
#include "shell/zump_controls.h"
#include "shell/zump_profile.h"
#include "shell/zump_screens.h"
#include "shell/zump_text.h"

class ScreenTest : public ShellTest {
protected:
    static constexpr float kScale = 0.8f;  // device pixels per virtual unit at 640 x 480

    void SetUp() override {
        ShellTest::SetUp();
        bb_zump_FitScreen(640, 480);
        PutImage(99, 128, 64);
        bb_zump_ZUMP_Font = 99;
        PutImage(81, 49, 68);
        PutImage(90, 16, 128);
        PutImage(91, 4, 256);
    }

    void Step(void (*screen)()) {
        input->p_BeginUpdate();
        bb_zump_Sprtup = 0;
        bb_zump_ResetDraw();
        bb_zump_MergePointers();
        bb_zump_DoControls();
        screen();
        input->p_EndUpdate();
    }
    void Steps(void (*screen)(), int n) {
        for (int i = 0; i < n; ++i) Step(screen);
    }
    // A key pressed for one update and let go for the next.
    void Tap(void (*screen)(), int key) {
        Press(key);
        Step(screen);
        Release(key);
        Step(screen);
    }

    // The pointer at a position in virtual units.
    void PointerDown(float x, float y) { MouseDown(x * kScale, y * kScale); }
    void PointerMove(float x, float y) { MouseMove(x * kScale, y * kScale); }

    // Glyphs queued in this update at the given glyph-centre y and scale, in order.
    static std::u16string TextAt(float y, float scale) {
        std::u16string out;
        for (int n = 0; n < bb_zump_Sprtup; ++n) {
            const float* r = Record(n);
            if (r[9] == 1 && r[10] == 99 && r[4] == scale && std::abs(r[12] - y) < 0.01f)
                out += (char16_t)(r[13] + 32);
        }
        return out;
    }
};
