// Text rendering with DejaVu Sans Bold, the game's bitmap font (with the pad and
// key-cap button icons) and the small default font strip.
#include <stb/stb_truetype.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "gen.h"

namespace ag {

static stbtt_fontinfo gFont;
static std::vector<unsigned char> gTtf;
static float gCapUnits = 1;  // height of a capital H in font units

bool FontInit(const std::string& ttfPath) {
    std::ifstream f(ttfPath, std::ios::binary);
    if (!f) return false;
    gTtf.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    if (gTtf.empty() || !stbtt_InitFont(&gFont, gTtf.data(), stbtt_GetFontOffsetForIndex(gTtf.data(), 0)))
        return false;
    int x0, y0, x1, y1;
    stbtt_GetCodepointBox(&gFont, 'H', &x0, &y0, &x1, &y1);
    gCapUnits = (float)y1;
    return true;
}

// Renders one codepoint's coverage into `mask` (w x h) with its origin (pen,
// baseline) at (ox, oy), scaled by sx, sy pixels per font unit.
static void GlyphInto(std::vector<float>& mask, int w, int h, int cp, float ox, float oy, float sx, float sy) {
    int ix0, iy0, ix1, iy1;
    float fx = ox - std::floor(ox), fy = oy - std::floor(oy);
    stbtt_GetCodepointBitmapBoxSubpixel(&gFont, cp, sx, sy, fx, fy, &ix0, &iy0, &ix1, &iy1);
    int gw = ix1 - ix0, gh = iy1 - iy0;
    if (gw <= 0 || gh <= 0) return;
    std::vector<unsigned char> bm((size_t)gw * gh);
    stbtt_MakeCodepointBitmapSubpixel(&gFont, bm.data(), gw, gh, gw, sx, sy, fx, fy, cp);
    int bx = (int)std::floor(ox) + ix0, by = (int)std::floor(oy) + iy0;
    for (int y = 0; y < gh; y++)
        for (int x = 0; x < gw; x++) {
            int tx = bx + x, ty = by + y;
            if (tx < 0 || ty < 0 || tx >= w || ty >= h) continue;
            float& m = mask[(size_t)ty * w + tx];
            m = std::min(1.0f, m + bm[(size_t)y * gw + x] / 255.0f);
        }
}

TextMask RenderText(const std::string& text, float capHeight, float squeeze, float track) {
    const int over = 4;
    float s = capHeight / gCapUnits * over;
    int asc, desc, gap;
    stbtt_GetFontVMetrics(&gFont, &asc, &desc, &gap);
    float width = 0;
    for (size_t i = 0; i < text.size(); i++) {
        int adv, lsb;
        stbtt_GetCodepointHMetrics(&gFont, (unsigned char)text[i], &adv, &lsb);
        width += adv * s * squeeze + track * over;
        if (i + 1 < text.size())
            width += stbtt_GetCodepointKernAdvance(&gFont, (unsigned char)text[i], (unsigned char)text[i + 1]) * s *
                     squeeze;
    }
    TextMask tm;
    int pad = 2 * over;
    tm.w = (int)std::ceil(width) + 2 * pad;
    tm.h = (int)std::ceil((asc - desc) * s) + 2 * pad;
    tm.m.assign((size_t)tm.w * tm.h, 0.0f);
    float pen = (float)pad, base = pad + asc * s;
    for (size_t i = 0; i < text.size(); i++) {
        int cp = (unsigned char)text[i];
        GlyphInto(tm.m, tm.w, tm.h, cp, pen, base, s * squeeze, s);
        int adv, lsb;
        stbtt_GetCodepointHMetrics(&gFont, cp, &adv, &lsb);
        pen += adv * s * squeeze + track * over;
        if (i + 1 < text.size())
            pen += stbtt_GetCodepointKernAdvance(&gFont, cp, (unsigned char)text[i + 1]) * s * squeeze;
    }
    tm.baseline = base / over;
    return tm;
}

void DrawLabel(Canvas& cv, int x, int y, const std::string& text, Col c, int scale) {
    TextMask tm = RenderText(text, 7.0f * scale);
    Shape sh = MaskShape(tm.m, tm.w, tm.h, (float)x, (float)y, 0.25f);
    Draw(cv, Offset(sh, 1.2f * scale), Fill(kInk, 0));
    Draw(cv, sh, Fill(c, 0));
}

// ---- The game's font: 128 cells of 64 x 64 ----

// Advance of each character in font pixels, as the text renderer lays them out.
static int Advance(int c) {
    if (c == 32) return 24;
    if (std::string("!',.:;`l|").find((char)c) != std::string::npos) return 9;
    if (c == 'i') return 11;
    if (std::string("()[]").find((char)c) != std::string::npos) return 15;
    if (c == '"') return 17;
    if (c == 'j' || c == '{' || c == '}') return 18;
    if (c == '*') return 23;
    return 22;
}

// The renderer draws each glyph centred on its pen position and moves the pen
// by the glyph's advance; it starts a text one space (24) before the first
// glyph. A glyph whose ink starts 23 pixels left of the cell centre therefore
// lines up exactly with the x a text was aligned to (left, centred or right),
// so the ink of character c occupies about cell columns 8 .. 8 + advance.
static const float kPenX = 8.0f;
static const float kBaseline = 44.0f;
static const float kCap = 24.0f;
static const float kOutline = 2.0f;

static Canvas GlyphCell(int c) {
    Canvas cell(64, 64);
    int adv = Advance(c);
    float s = kCap / gCapUnits;
    int x0, y0, x1, y1;
    if (!stbtt_GetCodepointBox(&gFont, c, &x0, &y0, &x1, &y1)) return cell;
    float inkW = (x1 - x0) * s;
    // Outlines of neighbouring full-width glyphs may touch by a pixel.
    float maxW = adv - 2 * kOutline + 1.0f;
    float sq = std::min(1.0f, maxW / std::max(inkW, 1.0f));
    const int over = 4;
    std::vector<float> m(64 * over * 64 * over, 0.0f);
    float centre = kPenX + adv * 0.5f;
    // Put the middle of the squeezed ink box on the advance box's middle.
    float originX = centre - ((x0 + x1) * 0.5f) * s * sq;
    GlyphInto(m, 64 * over, 64 * over, c, originX * over, kBaseline * over, s * sq * over, s * over);
    Shape sh = MaskShape(m, 64 * over, 64 * over, 0, 0, 1.0f / over);
    Draw(cell, Offset(sh, kOutline), Fill(Rgb(24, 16, 34), 0));
    Draw(cell, sh, Fill(Col{1, 1, 1, 1}, 0));
    return cell;
}

// A glyph of DejaVu Sans Bold inside an icon, as a shape centred on (cx, cy).
static Shape IconLetter(char ch, float cx, float cy, float cap) {
    std::string t(1, ch);
    TextMask tm = RenderText(t, cap);
    // Find the ink's bounding box to centre it.
    int bx0 = tm.w, by0 = tm.h, bx1 = 0, by1 = 0;
    for (int y = 0; y < tm.h; y++)
        for (int x = 0; x < tm.w; x++)
            if (tm.m[(size_t)y * tm.w + x] > 0.5f) {
                bx0 = std::min(bx0, x); bx1 = std::max(bx1, x);
                by0 = std::min(by0, y); by1 = std::max(by1, y);
            }
    float ox = cx - (bx0 + bx1 + 1) * 0.5f / 4, oy = cy - (by0 + by1 + 1) * 0.5f / 4;
    return MaskShape(tm.m, tm.w, tm.h, ox, oy, 0.25f);
}

// Pad-style icons: face buttons as a diamond with one lit, shoulder buttons,
// sticks and a d-pad with one lit arm. White-dominant so tinting still reads.
static const float kIconX = 35.0f, kIconY = 32.0f;

static void FaceDiamond(Canvas& cv, int lit) {  // lit: 0 bottom, 1 right, 2 left, 3 top, -1 none
    const Col cols[4] = {Rgb(90, 200, 80), Rgb(235, 80, 70), Rgb(70, 140, 240), Rgb(250, 200, 50)};
    const float off[4][2] = {{0, 12}, {12, 0}, {-12, 0}, {0, -12}};
    Draw(cv, Circle(kIconX, kIconY, 23), Fill(Rgb(60, 60, 80), 2));
    for (int i = 0; i < 4; i++) {
        bool on = i == lit;
        Col c = on ? cols[i] : Rgb(150, 150, 165);
        float r = on ? 9.5f : 6.5f;
        Draw(cv, Circle(kIconX + off[i][0], kIconY + off[i][1], r), Fill(c, 1.5f, on ? 3 : 0));
    }
}

static void Shoulder(Canvas& cv, bool right, bool pressed) {
    float dy = pressed ? 3 : 0;
    Shape body = RoundRect(kIconX, kIconY + 4 + dy, 21, 11, 9);
    Shape cut = Circle(right ? kIconX - 26 : kIconX + 26, kIconY - 14 + dy, 20);
    Draw(cv, Subtract(body, cut), Fill(pressed ? Rgb(200, 200, 215) : Rgb(245, 245, 250), 2, 3));
    Draw(cv, IconLetter(right ? 'R' : 'L', kIconX + (right ? 4 : -4), kIconY + 5 + dy, 12), Fill(Rgb(40, 40, 60), 0));
}

static void Stick(Canvas& cv, char letter) {
    Draw(cv, Circle(kIconX, kIconY, 22), Fill(Rgb(70, 70, 90), 2));
    Draw(cv, Circle(kIconX, kIconY - 2, 15), Fill(Rgb(235, 235, 245), 2, 3));
    Draw(cv, IconLetter(letter, kIconX, kIconY - 2, 12), Fill(Rgb(40, 40, 60), 0));
}

static void DPad(Canvas& cv, int lit) {  // lit: 0 up, 1 down, 2 left, 3 right, -1 none
    Shape v = RoundRect(kIconX, kIconY, 8, 22, 3), h = RoundRect(kIconX, kIconY, 22, 8, 3);
    Draw(cv, Union(v, h), Fill(Rgb(235, 235, 245), 2, 2.5f));
    const float dir[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    for (int i = 0; i < 4; i++) {
        float ax = kIconX + dir[i][0] * 14, ay = kIconY + dir[i][1] * 14;
        // A small triangle pointing outwards.
        float px = -dir[i][1], py = dir[i][0];
        Shape tri = Poly({ax + dir[i][0] * 5, ay + dir[i][1] * 5, ax + px * 5 - dir[i][0] * 2,
                          ay + py * 5 - dir[i][1] * 2, ax - px * 5 - dir[i][0] * 2, ay - py * 5 - dir[i][1] * 2});
        Draw(cv, tri, Fill(i == lit ? Rgb(250, 120, 40) : Rgb(110, 110, 130), i == lit ? 1.0f : 0));
    }
    if (lit >= 0) {  // the pressed arm lights up
        float ax = kIconX + dir[lit][0] * 14, ay = kIconY + dir[lit][1] * 14;
        Shape arm = RoundRect(ax, ay, dir[lit][0] != 0 ? 8 : 7, dir[lit][1] != 0 ? 8 : 7, 2.5f);
        Draw(cv, arm, Fill(Rgb(255, 150, 40), 1.5f, 2));
        float px = -dir[lit][1], py = dir[lit][0];
        Draw(cv, Poly({ax + dir[lit][0] * 5, ay + dir[lit][1] * 5, ax + px * 5 - dir[lit][0] * 2,
                       ay + py * 5 - dir[lit][1] * 2, ax - px * 5 - dir[lit][0] * 2, ay - py * 5 - dir[lit][1] * 2}),
             Fill(Rgb(255, 255, 255), 0));
    }
}

static void KeyCap(Canvas& cv, char letter) {
    Draw(cv, RoundRect(kIconX, kIconY + 3, 21, 20, 6), Fill(Rgb(120, 120, 140), 2));
    Draw(cv, RoundRect(kIconX, kIconY - 1, 17, 16, 5), Fill(Rgb(248, 248, 252), 1.5f, 2));
    Draw(cv, IconLetter(letter, kIconX, kIconY - 1, 17), Fill(Rgb(40, 36, 60), 0));
}

static Canvas IconCell(int frame) {
    Canvas cv(64, 64);
    const char* letters = "JKLIUOQEFWSAD";
    if (frame >= 96 && frame <= 108) {
        char l = letters[frame - 96];
        switch (l) {
            case 'J': FaceDiamond(cv, 0); break;
            case 'K': FaceDiamond(cv, 1); break;
            case 'L': FaceDiamond(cv, 2); break;
            case 'I': FaceDiamond(cv, 3); break;
            case 'U': Shoulder(cv, false, false); break;
            case 'O': Shoulder(cv, true, false); break;
            case 'Q': Stick(cv, 'L'); break;
            case 'E': Stick(cv, 'R'); break;
            case 'F': DPad(cv, -1); break;
            case 'W': DPad(cv, 0); break;
            case 'S': DPad(cv, 1); break;
            case 'A': DPad(cv, 2); break;
            case 'D': DPad(cv, 3); break;
        }
    } else if (frame == 109) {
        FaceDiamond(cv, -1);
    } else if (frame == 110) {
        Shoulder(cv, false, true);
    } else if (frame >= 112 && frame <= 124) {
        KeyCap(cv, letters[frame - 112]);
    } else {
        return cv;
    }
    OutlineAlpha(cv, 1.0f, Rgb(24, 16, 34));
    return cv;
}

// A hollow box for characters the font has no glyph for (DEL).
static Canvas MissingCell() {
    Canvas cv(64, 64);
    Draw(cv, Subtract(RoundRect(kPenX + 11, 32, 8, 11, 1), RoundRect(kPenX + 11, 32, 4, 7, 0)),
         Fill(Col{1, 1, 1, 1}, 2));
    return cv;
}

static void MakeBandwidth(const Out& o) {
    std::vector<Canvas> cells(128, Canvas(64, 64));
    for (int f = 1; f <= 94; f++) cells[f] = GlyphCell(f + 32);
    cells[95] = MissingCell();
    for (int f = 96; f < 128; f++) cells[f] = IconCell(f);
    SaveSheet(o, "common/bandwidth.png", PackSheet(cells, 64, 64, 16, 8), 64, 64, 128);
}

// The default font: a strip of 96 cells, 12 x 16, each with a clear column on
// the left and right that the loader skips.
static void MakePexa(const Out& o) {
    const int fw = 12, fh = 16;
    std::vector<Canvas> cells;
    float s = 9.0f / gCapUnits;
    for (int c = 32; c < 128; c++) {
        Canvas cell(fw, fh);
        int x0, y0, x1, y1;
        if (c > 32 && c < 127 && stbtt_GetCodepointBox(&gFont, c, &x0, &y0, &x1, &y1)) {
            const int over = 4;
            float inkW = (x1 - x0) * s;
            float sq = std::min(1.0f, 6.5f / std::max(inkW, 1.0f));
            std::vector<float> m((size_t)fw * fh * over * over, 0.0f);
            float originX = fw * 0.5f - (x0 + x1) * 0.5f * s * sq;
            GlyphInto(m, fw * over, fh * over, c, originX * over, 12.0f * over, s * sq * over, s * over);
            Shape sh = MaskShape(m, fw * over, fh * over, 0, 0, 1.0f / over);
            Draw(cell, Offset(sh, 1.0f), Fill(Rgb(24, 16, 34), 0));
            Draw(cell, sh, Fill(Col{1, 1, 1, 1}, 0));
            cell.ClearOutside(1, 0, fw - 1, fh);
        }
        cells.push_back(cell);
    }
    SaveSheet(o, "pexa_font.png", PackSheet(cells, fw, fh, 96, 1), fw, fh, 96);
}

void MakeFonts(const Out& o) {
    MakeBandwidth(o);
    MakePexa(o);
}

}  // namespace ag
