#include "shell/zump_name.h"

#include "app/app.h"
#include "app/input_device.h"
#include "game/flow_globals.h"
#include "shell/zump_controls.h"
#include "shell/zump_profile.h"
#include "shell/zump_scoreboard.h"
#include "shell/zump_screen.h"
#include "shell/zump_screens.h"
#include "shell/zump_sound.h"
#include "shell/zump_text.h"

namespace {

enum { UP = 0, LEFT = 3, RIGHT = 5, DOWN = 8, BUTTON0 = 10, BUTTON1 = 11, BUTTON3 = 13, BACK = 99 };
enum { KEY_ENTER = 13 };
enum { SFX_MOVE = 98, SFX_CONFIRM = 99 };
enum { CURSOR = 47, BOXES = 13 };

// Codes of the characters the cycles turn at.
enum { SPACE = 0, EXCLAMATION = 1, NINE = 25, GREATER = 30, AT = 32, LETTER_A = 33, TILDE = 94 };

bool Held(int offset) { return bb_zump_PlayKey(offset, -2) != 0; }

// Any hand-edited code is read as a space so the cycles start from a known place.
int Normal(int code) { return code >= 0 && code <= TILDE ? code : SPACE; }

// The box a cursor value names; a cursor left out of range by some other
// screen sharing the slot starts again at the first box.
int& Box(int cursor) { return bb_zump_ZUMP_Username[cursor >= 0 && cursor < BOXES ? cursor : 0]; }

// Moves the countdown and interval on after a repeat step: at once, after
// 30 updates, after 15, then every 2.
void Repeat() {
    bb_zump_kdis[1] = bb_zump_kdis[2];
    bb_zump_kdis[2] = bb_zump_kdis[2] - 15 < 2 ? 2 : bb_zump_kdis[2] - 15;
    bb_zump_PlaySFX(SFX_MOVE);
}

}  // namespace

int bb_zump_NameCodeUp(int code) {
    code = Normal(code);
    if (code == SPACE || code == TILDE) return LETTER_A;
    if (code == GREATER) return SPACE;
    return code + 1;
}

int bb_zump_NameCodeDown(int code) {
    code = Normal(code);
    if (code == SPACE) return NINE;
    if (code == EXCLAMATION) return TILDE;
    if (code == AT) return SPACE;
    return code - 1;
}

void bb_zump_AllowName(int allow) { bb_zump_ZUMP_AllowName = allow; }

void bb_zump_EnterName() {
    int* kdis = bb_zump_kdis;
    int& cursor = bb_zump_ZUMP_MenuPos[CURSOR];
    if (cursor < 0 || cursor >= BOXES) cursor = 0;
    const int cx = bb_zump_jscrw / 2, cy = bb_zump_jscrh / 2;
    const int t = bb_app_Millisecs();

    bb_zump_ScreenBackground();

    if (!Held(BUTTON0) && !Held(BUTTON1) && !Held(BUTTON0 + 2) && !Held(BUTTON3) && !Held(BACK) && !Held(UP) &&
        !Held(DOWN) && !Held(LEFT) && !Held(RIGHT))
        kdis[0] = 0;

    bb_zump_SetSize(1.25f);
    bb_zump_Text((float)cx, (float)(cy - 128), u"Enter Your Name", 1, 1);
    bb_zump_ResetDraw();

    for (int i = 0; i < BOXES; ++i) {
        float x = (float)(cx - 192 + 32 * i), y = (float)cy;
        if (i == cursor) {
            bb_zump_SetCol(100, 200, 100, 0.75f);
            y -= 8;
        } else {
            bb_zump_SetCol(180, 100, 0, 0.5f);
        }
        bb_zump_Rect(x - 16, y - 16, 30, 30);
        if (bb_zump_MouseIn(x - 16, y - 16, 30, 30)) cursor = i;
        bb_zump_SetCol(255, 255, 255, 1);
        int code = bb_zump_ZUMP_Username[i];
        bb_zump_DrawImg(bb_zump_ZUMP_Font, x + 8, y - 8, code >= 0 && code < 129 ? code : 0);
    }

    // Arrows above and below the box under the cursor.
    const float ax = (float)(cx - 192 + 32 * cursor), ay = (float)(cy - 8);
    bb_zump_SetRot(90);
    bb_zump_Text(ax, ay - 60, u">", 1, 1);
    bb_zump_Text(ax, ay + 60, u"<", 1, 1);
    bb_zump_ResetDraw();
    const bool upper = kdis[0] == 0 && bb_zump_MouseIn_Centered(ax - 8, ay - 60, 64, 40);
    const bool lower = kdis[0] == 0 && bb_zump_MouseIn_Centered(ax - 8, ay + 60, 64, 40);

    kdis[1] = kdis[1] - 1 < 0 ? 0 : kdis[1] - 1;
    const bool down = Held(DOWN) || lower, up = Held(UP) || upper;
    if (!down && !up) {
        kdis[1] = 0;
        kdis[2] = 30;
    } else if (down) {
        if (kdis[1] == 0) {
            Box(cursor) = bb_zump_NameCodeDown(Box(cursor));
            Repeat();
        }
    } else if (kdis[1] == 0) {
        Box(cursor) = bb_zump_NameCodeUp(Box(cursor));
        Repeat();
    }

    const bool left = Held(LEFT), right = Held(RIGHT);
    if (left && kdis[0] == 0) {
        cursor -= 1;
        bb_zump_PlaySFX(SFX_MOVE);
        kdis[0] = 1;
    } else if (right && kdis[0] == 0) {
        cursor += 1;
        bb_zump_PlaySFX(SFX_MOVE);
        kdis[0] = 1;
    }

    if (!left && !right && Held(BUTTON1) && kdis[0] == 0) {
        Box(cursor) = 0;
        if (cursor > 0) cursor -= 1;
        bb_zump_PlaySFX(SFX_MOVE);
        kdis[0] = 1;
    }

    // Enter is button 0 on the keyboard too, but it finishes rather than advances.
    if (Held(BUTTON0) && !bb_input_KeyDown(KEY_ENTER) && kdis[0] == 0) {
        int from = cursor;
        if (cursor < BOXES - 1) cursor += 1;
        bb_zump_PlaySFX(SFX_MOVE);
        kdis[0] = 1;
        // The next letter starts from the one before it.
        if (Box(cursor) == 0) Box(cursor) = Box(from);
    }

    if (cursor < 0) cursor = BOXES - 1;
    if (cursor >= BOXES) cursor = 0;

    // The finish button, its icon alternating between pad and keyboard style
    // every second.
    bb_zump_SetSize(0.75f);
    const bool onFinish = bb_zump_Button(90, 48, 38, 11) != 0;
    const int method = bb_zump_KeyPadMouse;
    bb_zump_KeyPadMouse = (t / 1000) % 2 == 0 ? 1 : 0;
    bb_zump_SetSize(0.5f);
    bb_zump_Text(48, 84, u"Finish", 1, 1);
    bb_zump_Text(48, 66, u"\u00acI", 1, 1);
    bb_zump_KeyPadMouse = method;
    bb_zump_ResetDraw();

    if (kdis[0] != 0) return;
    // The pointer finishes only once let go since the screen opened.
    if (Held(BUTTON3) || Held(BACK) || bb_input_KeyDown(KEY_ENTER) || (onFinish && bb_zump_mdis[0] == 0)) {
        bb_zump_ZUMP_ForceSend = 1;
        bb_zump_ZUMP_OptCred = 0;
        bb_zump_PlaySFX(SFX_CONFIRM);
        bb_zump_LockKeys();
        bb_zump_Save();
    }
}
