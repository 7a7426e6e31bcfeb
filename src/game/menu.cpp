// The title screen: the backdrop and title dropping in, the main page with its
// five entries, the course page with the nine courses, and the curtains that
// part to show the scoreboards beside the course list.
//
// Menu state lives in the shared slots of bb_zump_ZUMP_MenuPos: [0] page
// (1 main, 2 courses), [1] main-page entry, [2] course, [3] course page
// opened, [5] curtain opening, [10] title slide-in, [12] entries on the last
// list page, [47] first line of the options overlay.
#include <algorithm>

#include "game/flow_globals.h"
#include "game/mygame.h"
#include "shell/zump_controls.h"
#include "shell/zump_profile.h"
#include "shell/zump_scoreboard.h"
#include "shell/zump_screen.h"
#include "shell/zump_sound.h"
#include "shell/zump_text.h"

namespace {

enum { PAGE_MAIN = 1, PAGE_COURSES = 2 };
enum { MODE_START = 11 };
// Control offsets of the unified controls.
enum { CTL_UP = 0, CTL_DOWN = 8, CTL_SELECT = 10, CTL_BUTTON1 = 11, CTL_BUTTON2 = 12, CTL_BACK = 20 };
enum { SFX_MOVE = 98, SFX_CONFIRM = 99 };
enum { IMG_BACKDROP = 68, IMG_TITLE = 69, IMG_ICONS = 90 };

// What activating a main-page entry does.
enum MainAction { ACT_START, ACT_NAME, ACT_OPTIONS, ACT_CREDITS, ACT_QUIT };

const Array<String>& CourseNames() {
    static const Array<String> names = {
        u"1. Eagle Pastures", u"2. Pelican Fairway", u"3. Autumn Rough", u"4. Winter Green",  u"5. The Greenway",
        u"6. Hazy Fields",    u"7. Fairway Browns",  u"8. Snowy Peaks",  u"9. Birdie Hazard",
    };
    return names;
}

float Held(int offset) { return bb_zump_PlayKey(offset, -2); }

// The menus act only while their latch is clear; every move or activation
// locks every latch until all input has been released.
bool LatchClear() { return bb_zump_kdis[0] == 0; }

void Act(int sound) {
    bb_zump_PlaySFX(sound);
    bb_zump_LockKeys();
}

void Activate(MainAction action) {
    int* menu = bb_zump_ZUMP_MenuPos;
    Act(SFX_CONFIRM);
    switch (action) {
    case ACT_START:
        menu[0] = PAGE_COURSES;
        menu[3] = 1;
        break;
    case ACT_NAME:
        bb_zump_ZUMP_OptCred = 3;
        menu[47] = 0;
        break;
    case ACT_OPTIONS:
        bb_zump_ZUMP_OptCred = 1;
        menu[47] = 128;
        break;
    case ACT_CREDITS:
        bb_zump_ZUMP_OptCred = 2;
        break;
    case ACT_QUIT:
        // An empty runtime error is the program's normal way out (exit code 0).
        bbError(String());
    }
}

// The main page shared by games with and without name entry: entries from y0
// down, `spacing` apart, each a text button of height 40.
void MainPage(c_MyGame* game, const MainAction* actions, int count, float scale, float y0, float spacing) {
    int* menu = bb_zump_ZUMP_MenuPos;
    bb_zump_ResetDraw();
    bb_zump_SetSize(scale);
    float x = (float)bb_zump_jscrw * 0.25f;
    for (int i = 0; i < count; ++i) {
        String text;
        switch (actions[i]) {
        case ACT_START: text = u"Start Game"; break;
        case ACT_NAME: text = u"Name - " + bb_zump_MyName(); break;
        case ACT_OPTIONS: text = u"Options"; break;
        case ACT_CREDITS: text = u"Credits"; break;
        case ACT_QUIT: text = u"Quit"; break;
        }
        int touched = game->p_TBut(x, y0 + spacing * (float)i, text, menu[1] == i ? 1 : 0, 40);
        if (touched && LatchClear()) {
            // The first touch selects, a touch on the selected entry activates.
            if (menu[1] != i) {
                menu[1] = i;
                Act(SFX_MOVE);
            } else {
                Activate(actions[i]);
            }
        }
    }

    if (LatchClear() && Held(CTL_UP) != 0 && menu[1] > 0) {
        --menu[1];
        Act(SFX_MOVE);
    }
    if (LatchClear() && Held(CTL_DOWN) != 0 && menu[1] < count - 1) {
        ++menu[1];
        Act(SFX_MOVE);
    }
    // A selection left out of range (a page with fewer entries) activates nothing.
    if (LatchClear() && Held(CTL_SELECT) != 0 && menu[1] >= 0 && menu[1] < count) Activate(actions[menu[1]]);

    if (bb_zump_mdAll == 0 && Held(CTL_UP) == 0 && Held(CTL_DOWN) == 0 && Held(CTL_SELECT) == 0 &&
        Held(CTL_BUTTON1) == 0)
        bb_zump_kdis[0] = 0;
}

}  // namespace

int c_MyGame::p_TBut(float x, float y, const String& text, int selected, int height) {
    int right = bb_zump_Text(x, y, selected == 1 ? u"> " + text : text, 0, 1);
    int half = (height - 8) / 2;
    float top = y - (float)half;
    // Without a font the right end is 0, so the box is empty and nothing is touched.
    return bb_zump_MouseIn(x, top, (float)right - x, (float)(height - 8));
}

int c_MyGame::p_Menu_A() {
    static const MainAction kWithQuit[] = {ACT_START, ACT_OPTIONS, ACT_CREDITS, ACT_QUIT};
    float y0 = (float)(bb_zump_jscrh - 192) + (bb_zump_HasQuit == 0 ? 48.0f : 0.0f);
    MainPage(this, kWithQuit, bb_zump_HasQuit == 1 ? 4 : 3, 1, y0, 48);
    return 0;
}

int c_MyGame::p_Menu_A_Plus() {
    static const MainAction kWithQuit[] = {ACT_START, ACT_NAME, ACT_OPTIONS, ACT_CREDITS, ACT_QUIT};
    float y0 = (float)(bb_zump_jscrh - 200) + (bb_zump_HasQuit == 0 ? 40.0f : 0.0f);
    MainPage(this, kWithQuit, bb_zump_HasQuit == 1 ? 5 : 4, 0.75f, y0, 40);
    return 0;
}

int c_MyGame::p_Menu_Basic(const Array<String>& items) {
    int* menu = bb_zump_ZUMP_MenuPos;
    int n = (int)items.size();
    bb_zump_ZUMP_Levels = n;
    menu[5] += 32;  // the curtains part while the list shows
    bb_zump_ResetDraw();
    menu[12] = n;
    int s = menu[2];
    int result = -1;

    // Three rows with the selected item always in the middle; the list wraps.
    // An empty list has no rows to show.
    for (int i = -1; i <= 1 && n > 0; ++i) {
        int k = ((s + i) % n + n) % n;
        float y = (float)(bb_zump_jscrh - 88 + 52 * i);
        int touched = p_TBut((float)bb_zump_jscrw * 0.25f, y, items[(size_t)k], k == s ? 1 : 0, 52);
        if (k == s) {
            if ((Held(CTL_SELECT) != 0 || touched) && LatchClear()) {
                Act(SFX_CONFIRM);
                result = k + 1;
            }
        } else if (touched && LatchClear()) {
            // Touching another row only brings it to the middle.
            menu[2] = k;
            Act(SFX_MOVE);
        }
    }

    if (Held(CTL_UP) != 0 && LatchClear()) {
        --menu[2];
        Act(SFX_MOVE);
    }
    if (Held(CTL_DOWN) != 0 && LatchClear()) {
        ++menu[2];
        Act(SFX_MOVE);
    }
    if (menu[2] < 0) menu[2] = n - 1;
    if (menu[2] >= n) menu[2] = 0;

    bb_zump_ResetDraw();
    bb_zump_Alpha(0.75f);
    int backTouched = bb_zump_Button(IMG_ICONS, 64, 64, 11);
    if ((backTouched || Held(CTL_BUTTON1) != 0 || Held(CTL_BUTTON2) != 0 || Held(CTL_BACK) != 0) && LatchClear()) {
        bb_zump_LockKeys();
        menu[0] = PAGE_MAIN;
        bb_zump_PlaySFX(SFX_CONFIRM);
    }

    if (bb_zump_mdAll == 0 && Held(CTL_UP) == 0 && Held(CTL_DOWN) == 0 && Held(CTL_SELECT) == 0 &&
        Held(CTL_BUTTON1) == 0 && Held(CTL_BUTTON2) == 0 && Held(CTL_BACK) == 0)
        bb_zump_kdis[0] = 0;
    return result;
}

int c_MyGame::p_MainMenu() {
    int* menu = bb_zump_ZUMP_MenuPos;
    int w = bb_zump_jscrw, h = bb_zump_jscrh;
    int v = menu[10];

    bb_zump_SetCLSCol(80, 140, 80, 1);
    if (bb_zump_mdAll == 0) bb_zump_kdis[9] = 0;
    if (v < 140) menu[10] = std::min(v + 4, 140);

    // The backdrop drops in from above as the slide-in counter climbs.
    bb_zump_ResetDraw();
    bb_zump_SetSize(0.85f);
    bb_zump_DrawImg(IMG_BACKDROP, (float)(w / 2), (float)(h / 2 - std::max(0, 140 - v) * 8), 0);
    int o = std::max(0, 100 - v);

    if (menu[0] == PAGE_COURSES) {
        int course = p_Menu_Basic(CourseNames());
        if (course >= 0) {
            bb_zump_ZUMP_GameType = course;
            bb_zump_ZUMP_GameMode = MODE_START;
            // How the choice was made: the in-game pause icon follows it.
            bb_zump_GuessControlMethod();
        }
    }

    // Two curtains: closed they cover the screen, opening they part towards
    // the lower left and the upper right.
    bb_zump_ResetDraw();
    bb_zump_SetRot(45);
    int a = -2 * menu[5];
    float fa = (float)a, fw = (float)w, fh = (float)h;
    bb_zump_SetCol(100, 100, 0, 0.75f);
    bb_zump_Triangle(fa - 124, -128, fw + 132 + fa, fh + 128, fa - 124, fh + 128);
    bb_zump_SetCol(100, 50, 0);
    bb_zump_Triangle(-128 - fa, -128, fw + 132 - fa, -128, fw + 132 - fa, fh + 128);

    bb_zump_ResetDraw();
    if (menu[0] == PAGE_MAIN) {
        if (bb_zump_ZUMP_AllowName == 0) p_Menu_A();
        if (bb_zump_ZUMP_AllowName == 1) p_Menu_A_Plus();
        menu[5] -= 32;  // the curtains close over the backdrop
    }
    menu[5] = std::max(0, std::min(menu[5], w));

    bb_zump_ResetDraw();
    if (bb_zump_ZUMP_Orientation == 0) {
        bb_zump_SetSize(0.4f);
        bb_zump_DrawImg(IMG_TITLE, (float)(w / 2), (float)((16 - o) * 8), 0);
    } else if (bb_zump_ZUMP_Orientation == 1) {
        bb_zump_SetSize(0.35f);
        bb_zump_DrawImg(IMG_TITLE, (float)(w / 2), (float)((20 - o) * 8), 0);
    }
    bb_zump_SetSize(1);
    bb_zump_DrawImg(IMG_ICONS, (float)(w - 64), 48, 10);

    // The boards ride with the curtains: off screen while they are closed,
    // centred on the screen's edges once they are fully open.
    bb_zump_Draw_Scoreboard((float)(3 * w + a + 64), (float)(h - 190), 0, 0);
    return 0;
}
