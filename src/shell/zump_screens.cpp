#include "shell/zump_screens.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/app.h"
#include "game/flow_globals.h"
#include "shell/zump_controls.h"
#include "shell/zump_profile.h"
#include "shell/zump_random.h"
#include "shell/zump_screen.h"
#include "shell/zump_sound.h"
#include "shell/zump_text.h"

float bb_zump_paused[5200];
String bb_zump_ZUMP_Cred[ZUMP_CREDIT_STRINGS];
int bb_zump_ZUMP_Creds;
int bb_zump_ZUMP_CredTickA;
int bb_zump_ZUMP_CredTickB;

namespace {

const float kDegToRad = 0.017453292f;

// Control offsets read on any device.
enum { UP = 0, LEFT = 3, RIGHT = 5, DOWN = 8, BUTTON0 = 10, BUTTON1 = 11, BACK = 99 };

// Menu slots of the options screen and the pause screen.
enum { OPT_VELOCITY = 46, OPT_TARGET = 47, OPT_OFFSET = 48, OPT_SELECTED = 49 };
enum { PAUSE_SELECTED = 40, PAUSE_X = 41, PAUSE_IDLE = 42, PAUSE_COG = 43 };

// Toy slots.
enum { TOY_RING = 0, TOY_X = 1, TOY_Y = 2, TOY_VX = 3, TOY_VY = 4, TOY_SPEED = 5, TOY_COOL = 6, TOY_SPIN = 7,
       TOY_HITS = 8, TOY_BEST = 9 };
const int kMaxHits = 899;
const float kRingRadius = 196;

enum { SFX_MOVE = 98, SFX_CONFIRM = 99 };

// Image slots: the options sheet, the icons, the circles.
enum { IMG_OPTIONS = 81, IMG_ICONS = 90, IMG_CIRCLE = 91 };

bool Held(int offset) { return bb_zump_PlayKey(offset, -2) != 0; }
bool Confirm() { return Held(BUTTON0) || Held(BUTTON1); }
bool AnyDirection() { return Held(UP) || Held(DOWN) || Held(LEFT) || Held(RIGHT); }

float SinDeg(float degrees) { return (float)std::sin((double)(degrees * kDegToRad)); }
float CosDeg(float degrees) { return (float)std::cos((double)(degrees * kDegToRad)); }

float Clampf(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }
int Clampi(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// A settings slot an options row may touch; anything else goes to the
// scratch slot that rows without a setting use.
int& SettingRef(int setting) { return bb_zump_ZUMP_Set[setting >= 0 && setting < 256 ? setting : 99]; }

void CloseOptions() {
    bb_zump_LockKeys();
    bb_zump_ZUMP_OptCred = 0;
    bb_zump_PlaySFX(SFX_CONFIRM);
}

// ---- credits ----

// The byline's author line is wider than the corner column at the byline's
// scale, so it is drawn smaller to stay on screen.
const char16_t kAuthor[] = u"The Bramblewick Run team";
const float kAuthorScale = 0.35f;
const char16_t kTool[] = u"C++ and GLFW";

}  // namespace

void bb_zump_screens_Init() {
    std::memset(bb_zump_paused, 0, sizeof bb_zump_paused);
    for (String& s : bb_zump_ZUMP_Cred) s.clear();
    bb_zump_ZUMP_Creds = 0;
    bb_zump_ZUMP_CredTickA = 0;
    bb_zump_ZUMP_CredTickB = 0;
}

void bb_zump_Goto(int mode, int type) {
    bb_zump_ZUMP_GameMode = mode;
    if (type >= 0) bb_zump_ZUMP_GameType = type;
}

void bb_zump_ScreenBackground() {
    float t = (float)bb_app_Millisecs() * 0.015625f;
    bb_zump_BGRot(t, 1, 0.4f);
    bb_zump_SetCol(255, 255, 255, 0.2f);
    float o = std::fmod(t, 64.0f);
    if (o < 0) o += 64;
    for (int i = -1; i <= 14; ++i)
        for (int j = 0; j <= 14; ++j) bb_zump_DrawImg(IMG_OPTIONS, (float)(i * 64) + o, (float)(j * 64) - o, 48);
    bb_zump_ResetDraw();
}

// ---- options ----

int bb_zump_Option(int y, int setting, int row, int icon, const String& label, int min, int max, int style) {
    int* sel = &bb_zump_ZUMP_MenuPos[OPT_SELECTED];
    int* kdis = bb_zump_kdis;
    int& value = SettingRef(setting);
    const float cx = (float)bb_zump_jscrw / 2, fy = (float)y;

    // Scroll to keep the selection on screen.
    if (row == *sel && kdis[47] == 0) {
        if (y < 64) bb_zump_ZUMP_MenuPos[OPT_TARGET] += 16;
        if (y >= bb_zump_jscrh - 63) bb_zump_ZUMP_MenuPos[OPT_TARGET] -= 16;
    }
    if (y < -96 || y > bb_zump_jscrh + 96) return 0;

    // A row the pointer selects in this update acts from the next one on.
    const bool selected = row == *sel;
    bb_zump_Ink(row % 9 + 1, selected ? 1.25f : 0.6f);
    bb_zump_Alpha(selected ? 0.75f : 0.5f);
    bb_zump_Rect(cx - 210, fy - 34, 420, 68);
    if (bb_zump_MouseIn(cx - 210, fy - 34, 420, 68) && kdis[34] == 0) {
        kdis[47] = 0;
        if (!selected) {
            *sel = row;
            kdis[33] = kdis[34] = 1;
            bb_zump_PlaySFX(SFX_MOVE);
        }
    }

    bb_zump_SetCol(0, 0, 0, 0.5f);
    bb_zump_Rect(cx - 209, fy - 33, 66, 66);
    bb_zump_SetCol(255, 255, 255, 1);
    bb_zump_DrawImg(IMG_OPTIONS, cx - 177, fy, icon);
    bb_zump_SetSize(0.5f);
    bb_zump_Text(cx - 206, fy - 44, label, 0, 1);
    bb_zump_SetSize(1);

    if (min == 0 && max == 1) {
        static const char16_t* const kStates[3][2] = {
            {u"Off   ", u"    On"}, {u"Off   ", u"    On"}, {u"Inverted   ", u"   Standard"}};
        const char16_t* const* states = kStates[style == 2 ? 2 : 0];
        bb_zump_Text(cx + 72, fy - 8, states[value == 1 ? 1 : 0], 1, 1);
        if (selected && bb_zump_MouseIn_Centered(cx + 72, fy, 220, 62) && kdis[33] == 0 &&
            (kdis[34] == 0 || kdis[34] == -2)) {
            value = 1 - value;
            kdis[33] = kdis[34] = 1;
            bb_zump_PlaySFX(SFX_MOVE);
        }
    } else if (min == 0 && max == 10) {
        // A rising slope of dots with a mark at the current value.
        for (int i = 0; i <= 10; ++i) {
            float x = cx + (float)(22 * i - 88);
            if (i == value)
                bb_zump_Text(x, fy + 2, u"#", 1, 1);
            else
                bb_zump_Text(x, fy - (float)(2 * i) + 2, u".", 1, 1);
            if (selected && bb_zump_MouseIn_Centered(x - 6, fy, 22, 46)) {
                kdis[34] = -2;
                if (i != value) {
                    value = i;
                    bb_zump_PlaySFX(SFX_MOVE);
                }
            }
        }
    }

    if (selected) {
        if (Held(LEFT) && kdis[31] == 0) {
            value -= 1;
            kdis[31] = 1;
            bb_zump_PlaySFX(SFX_MOVE);
        } else if (Held(RIGHT) && kdis[31] == 0) {
            value += 1;
            kdis[31] = 1;
            bb_zump_PlaySFX(SFX_MOVE);
        }
        value = Clampi(value, min, max);
        if (Confirm() && kdis[30] == 0) {
            value = value == min ? max : min;
            bb_zump_PlaySFX(SFX_CONFIRM);
            bb_zump_LockKeys();
            return 1;
        }
    }

    if (bb_zump_MouseIn(64, fy - 34, (float)(bb_zump_jscrw - 128), 68) && kdis[34] == 0)
        return row == 0 && selected ? 1 : 0;
    return 0;
}

void bb_zump_Options() {
    int* pos = bb_zump_ZUMP_MenuPos;
    int* kdis = bb_zump_kdis;

    bb_zump_ScreenBackground();

    const int g = pos[OPT_OFFSET], h = pos[OPT_TARGET];
    pos[OPT_OFFSET] = (int)((float)g - (float)(g - h) * 0.125f);
    pos[OPT_TARGET] = (h < 128 ? h : 128) + pos[OPT_VELOCITY];
    int v = Clampi(pos[OPT_VELOCITY], -8, 8);
    pos[OPT_VELOCITY] = v > 0 ? v - 1 : (v < 0 ? v + 1 : 0);

    if (bb_zump_Option(g, 99, 0, 0, u"Back", 0, 0, 0)) {
        CloseOptions();
        pos[OPT_SELECTED] = 0;
        bb_zump_Save();
    }
    if (bb_zump_Option(g + 116, 99, 1, 3, u"Fullscreen [F11]", 0, 0, 0)) bb_zump_FullscreenFlip();
    bb_zump_Option(g + 232, 1, 2, 1, u"SFX", 0, 10, 0);
    bb_zump_Option(g + 348, 0, 3, 2, u"Music", 0, 10, 0);
    bb_zump_Option(g + 464, 11, 4, 4, u"Invert Y - Left Stick", 0, 1, 2);
    bb_zump_Option(g + 580, 12, 5, 5, u"Invert Y - Right Stick", 0, 1, 2);
    bb_zump_Option(g + 696, 23, 6, 3, u"Screenshot Mode [F2]", 0, 1, 0);
    bb_zump_ZUMP_ScreenshotMode = bb_zump_ZUMP_Set[23];
    bb_zump_Option(g + 812, 22, 7, 47, u"Framerate [F1]", 0, 1, 0);
    bb_zump_ZUMP_DebugMode = bb_zump_ZUMP_Set[22];

    // Scrolled too far up: ease the list back down.
    if (g + 928 < bb_zump_jscrh / 2) pos[OPT_TARGET] += 8;

    // Dragging the list. The pointer's movement counts from the second update
    // of a drag on: in the first, msy still holds the last drag's movement.
    if (bb_zump_mdAll != 0 && (kdis[34] == 0 || kdis[34] == -1)) {
        if (kdis[34] == -1) pos[OPT_VELOCITY] += 2 * bb_zump_msy;
        kdis[34] = -1;
        // A flick turns off scroll-to-selection until the selection moves by key.
        if (std::abs(pos[OPT_VELOCITY]) > 3) kdis[47] = 1;
    }

    if (!Confirm()) kdis[30] = 0;
    if (!Held(LEFT) && !Held(RIGHT)) kdis[31] = 0;
    if (!Held(UP) && !Held(DOWN)) kdis[32] = 0;
    if (bb_zump_mdAll == 0) kdis[33] = kdis[34] = 0;

    if (kdis[32] == 0) {
        int to = pos[OPT_SELECTED];
        if (Held(UP))
            to = pos[OPT_SELECTED] - 1;
        else if (Held(DOWN))
            to = pos[OPT_SELECTED] + 1;
        if (to != pos[OPT_SELECTED] && to >= 0 && to <= 7) {
            pos[OPT_SELECTED] = to;
            kdis[32] = 1;
            kdis[47] = 0;
            bb_zump_PlaySFX(SFX_MOVE);
        }
    }

    if (!Held(BACK)) kdis[38] = 0;
    if (Held(BACK) && kdis[38] == 0) {
        CloseOptions();
        kdis[47] = 0;
        bb_zump_Save();
    }
}

void bb_zump_Options_wrap() { bb_zump_Options(); }

// ---- pause ----

void bb_zump_Pause_Menu() {
    float* toy = bb_zump_paused;
    int* pos = bb_zump_ZUMP_MenuPos;
    const int t = bb_app_Millisecs();
    const float ft = (float)t;
    const float cx = (float)(bb_zump_jscrw - 256), cy = (float)bb_zump_jscrh / 2;

    // Decoration: three turning circles and the wandering title.
    bb_zump_SetCol(255, 255, 255, 0.2f);
    bb_zump_SetRot(ft / 48);
    bb_zump_DrawImg(IMG_CIRCLE, cx, cy, 1);
    bb_zump_SetSize(1.5f);
    bb_zump_SetRot(ft / -51);
    bb_zump_DrawImg(IMG_CIRCLE, cx, cy, 2);
    bb_zump_SetSize(2);
    bb_zump_SetRot(ft / 62);
    bb_zump_DrawImg(IMG_CIRCLE, cx, cy, 1);
    bb_zump_ResetDraw();
    bb_zump_Text(cx + SinDeg((float)(t / 40)) * 64, cy - CosDeg((float)(t / 30)) * 32, u"Paused", 1, 1, ft * 0.25f,
                 16);
    bb_zump_ResetDraw();

    // Ring spin from the main control.
    const float c = bb_zump_ControlX(-1, 0);
    float spin = toy[TOY_SPIN] + c * 0.25f;
    spin = spin > 0 ? (spin - 0.02f < 0 ? 0 : spin - 0.02f) : (spin + 0.02f > 0 ? 0 : spin + 0.02f);
    toy[TOY_SPIN] = Clampf(spin, -4, 4);
    toy[TOY_RING] = std::fmod(toy[TOY_RING] + c * 4, 360.0f);

    // A ball that has left the screen, or has never been served, is served
    // again from the middle.
    const float w = (float)bb_zump_jscrw, h = (float)bb_zump_jscrh;
    if (toy[TOY_X] < -32 || toy[TOY_X] > w + 32 || toy[TOY_Y] < -32 || toy[TOY_Y] > h + 32 ||
        (toy[TOY_X] == 0 && toy[TOY_Y] == 0)) {
        toy[TOY_SPEED] = 3;
        toy[TOY_X] = cx;
        toy[TOY_Y] = cy;
        float a = bb_random_Rnd() * 360;
        float s = bb_random_Rnd() * 1.5f + 1;
        toy[TOY_VX] = SinDeg(a) * s;
        toy[TOY_VY] = -CosDeg(a) * s;
        if (toy[TOY_HITS] > toy[TOY_BEST]) toy[TOY_BEST] = toy[TOY_HITS];
        toy[TOY_HITS] = 0;
    }

    // The paddle: 33 dots a degree apart on the ring.
    bb_zump_SetCol(100, 255, 100);
    const float ring = toy[TOY_RING];
    for (int i = -16; i <= 16; ++i) {
        float x = cx + SinDeg((float)i + ring) * kRingRadius;
        float y = cy - CosDeg((float)i + ring) * kRingRadius;
        bb_zump_Rect(x - 4, y - 4, 9, 9);
        if (std::fabs(toy[TOY_X] - x) >= 10 || std::fabs(toy[TOY_Y] - y) >= 10) continue;
        // Every touching dot takes one number from the generator, bounce or not.
        bb_random_Rnd();
        if (toy[TOY_COOL] < 1) {
            float speed = bb_random_Rnd2(toy[TOY_SPEED] - 1.5f, toy[TOY_SPEED]);
            bb_zump_PlaySFX(SFX_MOVE);
            toy[TOY_VX] = SinDeg(ring + 180) * speed;
            toy[TOY_VY] = -CosDeg(ring + 180) * speed;
            toy[TOY_SPEED] += 0.1f;
            toy[TOY_HITS] += 1;
            if (toy[TOY_HITS] < 900) {
                int n = (int)toy[TOY_HITS];
                toy[5 * n + 10] =
                    (float)(std::atan2((double)(toy[TOY_X] - cx), (double)(cy - toy[TOY_Y])) * 57.295779513082323);
                toy[5 * n + 11] = bb_random_Rnd() + 0.5f;
                toy[5 * n + 12] = toy[TOY_HITS] * 20;
            }
        }
        toy[TOY_COOL] = 20;
    }

    toy[TOY_X] += toy[TOY_VX];
    toy[TOY_Y] += toy[TOY_VY];
    toy[TOY_COOL] = toy[TOY_COOL] < 1 || toy[TOY_COOL] > 20 ? -1 : toy[TOY_COOL] - 1;
    bb_zump_Rect(toy[TOY_X] - 6, toy[TOY_Y] - 6, 13, 13);

    // The trail: a line from the middle through every recorded hit, each hit
    // drifting round the ring with the spin.
    float lx = cx, ly = cy;
    int hits = (int)toy[TOY_HITS];
    if (hits > kMaxHits) hits = kMaxHits;
    for (int k = 1; k <= hits; ++k) {
        float* hit = toy + 5 * k + 10;
        bb_zump_InkRot((float)(t / 24) + hit[2], 1, 1);
        float x = cx + SinDeg(hit[0]) * kRingRadius, y = cy - CosDeg(hit[0]) * kRingRadius;
        bb_zump_Line(lx, ly, x, y);
        hit[0] += hit[1] * toy[TOY_SPIN] * 0.05f;
        lx = x;
        ly = y;
    }

    bb_zump_ResetDraw();
    bb_zump_SetSize(0.5f);
    bb_zump_Text(w - 8, h - 8, bbStringFromInt((int)toy[TOY_HITS]) + u":" + bbStringFromInt((int)toy[TOY_BEST]), 2,
                 2);
    bb_zump_ResetDraw();

    // The three buttons: end the game, resume, options (a cog of three layers).
    bb_zump_SetSize(0.75f);
    const float bx = (float)pos[PAUSE_X];
    int& sel = pos[PAUSE_SELECTED];
    sel = Clampi(sel, 0, 2);
    bool onEnd = bb_zump_Button(IMG_ICONS, bx, cy - 128, 1) != 0;
    bool onResume = bb_zump_Button(IMG_ICONS, bx, cy, 3) != 0;
    const float a = (float)pos[PAUSE_COG];
    bb_zump_SetRot(a);
    bool onCog = bb_zump_Button(IMG_ICONS, bx, cy + 128, 13) != 0;
    bb_zump_SetRot(-2 * a);
    onCog = bb_zump_Button(IMG_ICONS, bx, cy + 128, 12) != 0 || onCog;
    bb_zump_SetRot(4 * a);
    onCog = bb_zump_Button(IMG_ICONS, bx, cy + 128, 14) != 0 || onCog;
    if (sel == 2) pos[PAUSE_COG] = (pos[PAUSE_COG] + 1) % 360;
    bb_zump_SetRot(0);
    bb_zump_SetSize(1.025f);
    bb_zump_Alpha(0.5f);
    bb_zump_DrawImg(IMG_ICONS, bx, cy + (float)(128 * sel) - 128, 6);
    bb_zump_ResetDraw();

    int* kdis = bb_zump_kdis;
    if (kdis[1] == 0) {
        int to = sel;
        if (Held(UP) && sel > 0)
            to = sel - 1;
        else if (Held(DOWN) && sel < 2)
            to = sel + 1;
        if (to != sel) {
            sel = to;
            pos[PAUSE_IDLE] = 0;
            kdis[1] = 1;
            bb_zump_PlaySFX(SFX_MOVE);
        }
    }
    if (!Held(UP) && !Held(DOWN) && !Confirm()) kdis[1] = 0;
    const bool confirm = Confirm() && kdis[1] == 0;
    // The pointer acts only once it has been let go since the screen opened,
    // so the press that opened it (or closed the options over it) does nothing more.
    const bool pointer = bb_zump_mdis[0] == 0;

    if ((confirm && sel == 0) || (pointer && onEnd)) {
        bb_zump_LockKeys();
        bb_zump_ZUMP_Paused = 0;
        bb_zump_PlaySFX(SFX_CONFIRM);
        bb_zump_EndGame(2);
    } else if ((confirm && sel == 1) || (pointer && onResume)) {
        bb_zump_LockKeys();
        bb_zump_ZUMP_Paused = 0;
        bb_zump_PlaySFX(SFX_CONFIRM);
        bb_zump_ResumeTune();
    } else if ((confirm && sel == 2) || (pointer && onCog)) {
        bb_zump_LockKeys();
        bb_zump_PlaySFX(SFX_CONFIRM);
        bb_zump_ZUMP_OptCred = 1;
        // The list opens where the main menu opens it.
        pos[OPT_TARGET] = 128;
    }

    // The column slides in while used and back out after about ten seconds untouched.
    int& idle = pos[PAUSE_IDLE];
    int& x = pos[PAUSE_X];
    if (bb_zump_mdAll != 0) {
        idle = 0;
        x += 8;
    } else {
        if (idle < 30) x += 8;
        if (idle > 580) x -= 4;
    }
    x = Clampi(x, -64, 64);
    if (idle < 600) ++idle;
}

// ---- credits ----

void bb_zump_AddCredit(const String& heading, const String& line1, const String& line2, const String& line3,
                       const String& line4) {
    if (bb_zump_ZUMP_Creds < 0 || bb_zump_ZUMP_Creds + 5 > ZUMP_CREDIT_STRINGS) return;
    String* entry = bb_zump_ZUMP_Cred + bb_zump_ZUMP_Creds;
    entry[0] = heading;
    entry[1] = line1;
    entry[2] = line2;
    entry[3] = line3;
    entry[4] = line4;
    bb_zump_ZUMP_Creds += 5;
}

void bb_zump_DefaultCredits() {
    bb_zump_AddCredit(u"Bramblewick Run", u"A game by", kAuthor, u"", u"");
    bb_zump_AddCredit(u"Made With", u"C++", u"GLFW for window and input", u"OpenGL for the pictures",
                      u"(Mesa on Linux)");
    bb_zump_AddCredit(u"Thanks To", u"The authors of GLFW,", u"Mesa and OpenAL Soft", u"for their free libraries",
                      u"");
    bb_zump_AddCredit(u"Graphics", u"Pictures drawn by code", u"written by", kAuthor, u"");
    bb_zump_AddCredit(u"Font", u"DejaVu Sans Bold", u"by the DejaVu fonts team,", u"derived from Bitstream Vera",
                      u"under a free licence");
    bb_zump_AddCredit(u"Audio", u"Every sound effect", u"synthesised by code", u"written by", kAuthor);
    bb_zump_AddCredit(u"Sound", u"played through OpenAL Soft;", u"the music decoded by", u"stb_vorbis by Sean Barrett",
                      u"");
    bb_zump_AddCredit(u"Music", u"\"syrup\"", u"composed note by note", u"in code, by", kAuthor);
    bb_zump_AddCredit(u"Images", u"stb_image by Sean Barrett", u"reads every picture", u"", u"");
    bb_zump_AddCredit(u"Free Software", u"GLFW, OpenAL Soft, stb", u"and DejaVu are free", u"to use and share", u"");
    bb_zump_AddCredit(u"Hello", u"to everyone who", u"sinks a long putt", u"", u"");
    bb_zump_AddCredit(u"Hello", u"to everyone who shares", u"free software", u"", u"");
    bb_zump_AddCredit(u"Thank You", u"for playing", u"Bramblewick Run", u"", u"");
}

void bb_zump_Credits() {
    int* kdis = bb_zump_kdis;
    const int t = bb_app_Millisecs();
    const float ft = (float)t;
    const float cx = (float)bb_zump_jscrw / 2, cy = (float)bb_zump_jscrh / 2;
    const float w = (float)bb_zump_jscrw, h = (float)bb_zump_jscrh;
    const int creds = bb_zump_ZUMP_Creds;

    // One entry lasts 360 updates, 72 while a direction is held; the last
    // entry is never shown in the middle.
    bb_zump_ZUMP_CredTickA += AnyDirection() ? 5 : 1;
    if (bb_zump_ZUMP_CredTickA > 270) {
        bb_zump_ZUMP_CredTickA -= 360;
        bb_zump_ZUMP_CredTickB += 5;
    }
    if (bb_zump_ZUMP_CredTickB >= creds - 5 || bb_zump_ZUMP_CredTickB < 0) bb_zump_ZUMP_CredTickB = 0;

    bb_zump_ScreenBackground();

    const bool leave = Confirm() || Held(BACK) || bb_zump_mdAll != 0;
    if (!leave) kdis[38] = 0;
    if (leave && kdis[38] == 0) {
        bb_zump_LockKeys();
        bb_zump_ZUMP_OptCred = 0;
        bb_zump_PlaySFX(SFX_CONFIRM);
    }

    // Byline top left, tool bottom right.
    bb_zump_SetSize(0.5f);
    bb_zump_Text(96, 24, u"A Game by", 1, 1);
    bb_zump_SetSize(kAuthorScale);
    bb_zump_Text(96, 52, kAuthor, 1, 1);
    bb_zump_SetSize(0.5f);
    bb_zump_Text(96, 80, u"for", 1, 1);
    bb_zump_SetSize(1);
    bb_zump_DrawImg(IMG_ICONS, 96, 128, 10);
    bb_zump_SetSize(0.5f);
    bb_zump_Text(w - 96, h - 128, u"Created using", 1, 1);
    bb_zump_SetSize(1);
    bb_zump_DrawImg(IMG_ICONS, w - 96, h - 80, 9);
    bb_zump_SetSize(0.5f);
    bb_zump_Text(w - 96, h - 32, kTool, 1, 1);

    // The rings grow in as the phase rises and shrink away as it falls.
    const float s = SinDeg((float)bb_zump_ZUMP_CredTickA);
    auto u = [s](float k) { return Clampf(10 * s + k, 0, 1); };
    bb_zump_ResetDraw();
    bb_zump_SetCol(255, 255, 255, 0.1f);
    bb_zump_SetSize(u(9) * 1.9f);
    bb_zump_DrawImg(IMG_CIRCLE, cx, cy, 3);
    bb_zump_SetCol(255, 255, 0, 0.4f);
    bb_zump_SetSize(u(8.5f) * 1.7f);
    bb_zump_SetRot(ft / 22);
    bb_zump_DrawImg(IMG_CIRCLE, cx, cy, 1);
    bb_zump_SetCol(255, 128, 0, 0.4f);
    bb_zump_SetSize(SinDeg(ft / 27.5f) * 1.5f * u(8), 1.5f * u(8));
    bb_zump_SetRot(ft / 11.5f);
    bb_zump_DrawImg(IMG_CIRCLE, cx, cy, 0);
    bb_zump_SetCol(0, 128, 255, 0.4f);
    bb_zump_SetSize(u(7.5f) * 1.3f);
    bb_zump_SetRot(ft / -15);
    bb_zump_DrawImg(IMG_CIRCLE, cx, cy, 2);

    bb_zump_ResetDraw();
    const float a = u(6);
    bb_zump_SetSize(0.75f * a);
    const int first = bb_zump_ZUMP_CredTickB;
    for (int line = 0; line < 5; ++line) {
        int index = first + line;
        if (index < creds) bb_zump_Text(cx, cy + (float)(32 * (line - 2)) * a, bb_zump_ZUMP_Cred[index], 1, 1);
    }

    // The index: the headings of the next seventeen entries, fading out.
    bb_zump_ResetDraw();
    bb_zump_SetSize(0.25f);
    if (creds > 0) {
        for (int n = 0; n <= 16; ++n) {
            bb_zump_Alpha((float)(16 - n) * 0.05f);
            bb_zump_Text(8, h - 192 + (float)(12 * n), bb_zump_ZUMP_Cred[(first + 5 * n) % creds], 0, 0);
        }
    }

    bb_zump_ResetDraw();
    bb_zump_SetSize(0.5f);
    bb_zump_Text(w - 4, 4, u"Plays : " + bbStringFromInt(bb_zump_ZUMP_Set[5]), 2, 0);
    bb_zump_Text(w - 4, 26, bbStringFromInt(bb_zump_RealW) + u":" + bbStringFromInt(bb_zump_RealH), 2, 0);
    bb_zump_ResetDraw();
}
