#include "shell/zump_text.h"

#include <cmath>

#include "app/app.h"
#include "graphics/graphics.h"
#include "shell/zump_controls.h"
#include "shell/zump_screen.h"

int bb_zump_ZUMP_Font;
int bb_zump_ZUMP_FontKern[112];

namespace {

const float kDegToRad = 0.017453292f;
const char16_t kEscape = 172;  // "¬" introduces a button icon

float SinDeg(float degrees) { return (float)std::sin((double)(degrees * kDegToRad)); }
float CosDeg(float degrees) { return (float)std::cos((double)(degrees * kDegToRad)); }

int Advance(int c) { return c >= 32 && c <= 141 ? bb_zump_ZUMP_FontKern[c - 32] : 0; }

// Frame of the button icon named by the letter after "¬", for the input
// method in use; pads blink a highlight frame for 200 ms every half second.
int EscapeFrame(int e) {
    static const char kLetters[] = "JKLIUOQEFWSAD";
    static const int kBlink[] = {109, 109, 109, 109, 110, 110, 0, 0, 0, 104, 104, 104, 104};
    for (int n = 0; kLetters[n]; ++n) {
        if (e != kLetters[n]) continue;
        if (bb_zump_KeyPadMouse == 1 && kBlink[n] && bb_app_Millisecs() % 500 <= 199) return kBlink[n];
        return bb_zump_KeyPadMouse == 0 ? 112 + n : 96 + n;
    }
    return bb_zump_KeyPadMouse == 0 ? e + 16 : e;
}

}  // namespace

void bb_zump_text_Init() {
    bb_zump_ZUMP_Font = 0;
    for (int c = 32; c < 144; ++c) {
        int a = 0;
        if (c == ' ') {
            a = 24;
        } else if (c == '!' || c == '\'' || c == ',' || c == '.' || c == ':' || c == ';' || c == '`' || c == 'l' ||
                   c == '|') {
            a = 9;
        } else if (c == 'i') {
            a = 11;
        } else if (c == '(' || c == ')' || c == '[' || c == ']') {
            a = 15;
        } else if (c == '"') {
            a = 17;
        } else if (c == 'j' || c == '{' || c == '}') {
            a = 18;
        } else if (c == '*') {
            a = 23;
        } else if (c >= 35 && c <= 126) {
            a = 22;
        }
        bb_zump_ZUMP_FontKern[c - 32] = a;
    }
}

void bb_zump_LoadFont(int slot, const String& name) {
    if (slot < 0 || slot >= ZUMP_IMAGE_SLOTS) return;
    bb_zump_ZUMP_Img[slot] = bb_graphics_LoadImage2(bb_zump_ImagePath(slot, name), 64, 64, 128, c_Image::CenterHandle);
    bb_zump_ZUMP_ImgD[slot] = 128;
    bb_zump_ZUMP_Font = slot;
}

int bb_zump_Text(float x, float y, const String& text, float alignX, float alignY, float wavePhase, float waveAmp) {
    if (bb_zump_ZUMP_Font == 0) return 0;
    const float sx = bb_zump_ZUMP_DrawStyle[4], sy = bb_zump_ZUMP_DrawStyle[5];
    const float r = (float)(int)bb_zump_ZUMP_DrawStyle[6];
    const int n = (int)text.size() + 1;
    // The text is laid out with one space in front of it.
    auto at = [&text](int i) -> int { return i == 0 ? ' ' : (i <= (int)text.size() ? text[i - 1] : 0); };

    // Measured width: every character but the last, truncated after each one.
    int l = 0;
    for (int i = 0; i < n - 1; ++i) {
        int c = at(i), a;
        if (c == kEscape) {
            a = 30;
            ++i;
        } else {
            a = Advance(c);
        }
        l = (int)((float)l + (float)a * sx);
    }

    const float C = (alignY - 1) * 0.5f;
    const float D = x + SinDeg(-90 - r) * (float)l * alignX * 0.5f + C * 44 * sx * SinDeg(-r);
    const float F = y - CosDeg(-90 - r) * (float)l * alignX * 0.5f - C * 44 * sy * CosDeg(-r);

    float px = D, py = F;
    int lines = 0;
    const float left = -128, right = (float)(bb_zump_jscrw + 128);
    const float top = -128, bottom = (float)(bb_zump_jscrh + 128);
    for (int i = 0; i < n;) {
        int c = at(i);
        int k = c >= 32 && c <= 141 ? bb_zump_ZUMP_FontKern[c - 32] - 28 : 0;
        int frame = c - 32;
        if (c == kEscape) {
            ++i;
            k = 28;
            frame = EscapeFrame(at(i));
        }
        if (at(i) == '\\' && at(i + 1) == 'n') {
            ++lines;
            i += 2;
            px = D + SinDeg(180 - r) * (float)(k + 28) * sy * (float)lines + (float)(k + 44) * sx * SinDeg(90 - r);
            py = F - CosDeg(180 - r) * (float)(k + 44) * sy * (float)lines;
            continue;
        }
        ++i;
        if (frame >= 1 && frame <= 127 && px > left && px < right && py > top && py < bottom) {
            float gy = waveAmp > 0 ? py + waveAmp * SinDeg(px * 0.5f + wavePhase) : py;
            if (bb_zump_ZUMP_Font >= 1 && bb_zump_ZUMP_Font <= 99) bb_zump_DrawImg(bb_zump_ZUMP_Font, px, gy, frame);
        }
        if (c != 0) {
            px += (float)(k + 28) * sx * SinDeg(90 - r);
            py -= (float)(k + 21) * sx * CosDeg(90 - r);
        }
    }
    return (int)px;
}

String bb_zump_Left(const String& s, int n) {
    int len = (int)s.size();
    if (n >= len) return s;
    if (n < 0) n = len + n;
    return n <= 0 ? String() : s.substr(0, (size_t)n);
}

String bb_zump_Right(const String& s, int n) {
    int len = (int)s.size();
    if (n >= len) return s;
    if (n < 0) n = len + n;
    return n <= 0 ? String() : s.substr((size_t)(len - n));
}

String bb_zump_rstr(const String& s, int n, const String& pad) {
    String field;
    for (int i = 0; i < 24; ++i) field += pad;
    return bb_zump_Right(field + s, n);
}
