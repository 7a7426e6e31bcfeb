// The big pictures: the four 1024 x 1024 backdrops (the main menu and the
// ground beneath each season's courses), the title logo and the shell's logo
// that assembles on the loading screen.
#include <algorithm>

#include "gen.h"

namespace ag {

// Bends a text mask along a wave, column by column.
static std::vector<float> WaveMask(const TextMask& tm, float amp, float period) {
    std::vector<float> out(tm.m.size(), 0.0f);
    for (int x = 0; x < tm.w; x++) {
        float off = std::sin(x * 2 * kPi / period) * amp;
        for (int y = 0; y < tm.h; y++) {
            float sy = y - off;
            int y0 = (int)std::floor(sy);
            float f = sy - y0;
            float a = (y0 >= 0 && y0 < tm.h) ? tm.m[(size_t)y0 * tm.w + x] : 0;
            float b = (y0 + 1 >= 0 && y0 + 1 < tm.h) ? tm.m[(size_t)(y0 + 1) * tm.w + x] : 0;
            out[(size_t)y * tm.w + x] = Lerp(a, b, f);
        }
    }
    return out;
}

// Cartoon lettering: a gradient fill, a white inner rim, a bold ink outline,
// and an outer light rim, centred on (cx, top + its height / 2).
Shape Lettering(const std::string& text, float maxW, float cap, float amp, float cx, float top, float* outH) {
    TextMask tm = RenderText(text, cap, 0.9f, 2);
    float w = tm.w / 4.0f;
    float fit = std::min(1.0f, maxW / w);
    if (fit < 1) tm = RenderText(text, cap * fit, 0.9f, 2);
    std::vector<float> m = WaveMask(tm, amp * 4, tm.w * 0.9f);
    float ox = cx - tm.w / 8.0f, oy = top;
    *outH = tm.h / 4.0f;
    return MaskShape(m, tm.w, tm.h, ox, oy, 0.25f);
}

void DrawLettering(Canvas& cv, const Shape& s, Col top, Col bottom, float y0, float y1, float ink) {
    Halo(cv, s, Rgb(255, 255, 255), ink * 1.9f);
    Halo(cv, s, kInk, ink);
    Style st;
    st.lw = 0;
    st.fillFn = [=](float, float y) { return Mix(top, bottom, Smooth(y0, y1, y)); };
    Draw(cv, s, st);
    // A glossy highlight in the upper part of every letter.
    Style gl;
    gl.lw = 0;
    gl.fillFn = [=](float, float y) { return WithA(Col{1, 1, 1, 1}, 0.0f + 0.35f * (1 - Smooth(y0, y1, y))); };
    Draw(cv, Subtract(Offset(s, -ink * 0.3f), Translate(s, 0, -ink * 0.8f)), gl);
}

namespace {

const int B = 1024;
const int P = 1023;  // the game repeats the backdrop every 1023 pixels

// Periodic noise over the backdrop: `cells` noise cells across one period.
float PNoise(float x, float y, int cells, uint32_t seed) {
    float k = (float)cells / P;
    return Noise(x * k, y * k, seed, cells);
}

struct Ground {
    Col baseA, baseB, patch;
    int kind;  // 0 meadow, 1 snow, 2 autumn leaves, 3 blossom
};

// Draws a shape at every place it appears on the repeating backdrop.
void DrawWrapped(Canvas& cv, const Shape& s, const Style& st) {
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++) {
            Box b{s.box.x0 + dx * P, s.box.y0 + dy * P, s.box.x1 + dx * P, s.box.y1 + dy * P};
            if (b.x1 < -4 || b.y1 < -4 || b.x0 > B + 4 || b.y0 > B + 4) continue;
            Draw(cv, Translate(s, (float)dx * P, (float)dy * P), st);
        }
}

Canvas GroundBackdrop(const Ground& g, uint32_t seed) {
    Canvas cv(B, B);
    for (int y = 0; y < B; y++)
        for (int x = 0; x < B; x++) {
            float n = PNoise((float)x, (float)y, 8, seed) * 0.65f + PNoise((float)x, (float)y, 24, seed + 1) * 0.35f;
            // Posterised into a few bands: a painted look that also compresses well.
            float t = std::floor(n * 5) / 4;
            Col c = Mix(g.baseA, g.baseB, Clamp01(t));
            float p = PNoise((float)x, (float)y, 12, seed + 2);
            if (p > 0.68f) c = Mix(c, g.patch, 0.6f);
            cv.Blend(x, y, c, 1);
        }
    Rng r(seed + 10);
    // Scattered details on a jittered grid so they never clump.
    const int cell = 31;  // 33 cells across the 1023 period
    for (int gy = 0; gy < 33; gy++)
        for (int gx = 0; gx < 33; gx++) {
            float x = gx * cell + r.R(4, cell - 4), y = gy * cell + r.R(4, cell - 4);
            float pick = r.F();
            float size = r.R(0.8f, 1.3f);
            if (g.kind == 0 || g.kind == 3) {
                Col dark = Shade(g.baseA, 0.78f), light = Shade(g.baseB, 1.12f);
                if (pick < 0.55f) {  // a grass tuft
                    for (int b = -2; b <= 2; b++) {
                        float lean = b * 2.2f * size;
                        DrawWrapped(cv, Poly({x + b * 2.5f - 1.4f, y, x + b * 2.5f + 1.4f, y, x + b * 2.5f + lean, y - (8 + (b % 2 ? 0 : 3)) * size}),
                                    Fill(b % 2 ? dark : light, 0));
                    }
                } else if (pick < 0.7f) {  // clover
                    for (int k = 0; k < 3; k++) {
                        float a = Rad(k * 120.0f);
                        DrawWrapped(cv, Circle(x + std::sin(a) * 2.6f * size, y - std::cos(a) * 2.6f * size, 2.4f * size),
                                    Fill(light, 0));
                    }
                } else if (pick < 0.86f) {  // a little flower
                    Col pc = g.kind == 3 ? Rgb(255, 190, 210) : (r.F() < 0.5f ? Rgb(255, 255, 255) : Rgb(255, 220, 80));
                    for (int k = 0; k < 5; k++) {
                        float a = Rad(k * 72.0f);
                        DrawWrapped(cv, Circle(x + std::sin(a) * 2.4f, y - std::cos(a) * 2.4f, 1.9f), Fill(pc, 0));
                    }
                    DrawWrapped(cv, Circle(x, y, 1.4f), Fill(Rgb(250, 170, 40), 0));
                } else {  // a pebble
                    DrawWrapped(cv, Ellipse(x, y, 3.5f * size, 2.4f * size), Fill(Rgb(150, 150, 140), 0, 1.5f));
                }
            } else if (g.kind == 1) {
                if (pick < 0.35f) {  // a snow drift shadow
                    DrawWrapped(cv, Ellipse(x, y, 12 * size, 3.5f * size), Fill(Rgb(200, 216, 238), 0));
                    DrawWrapped(cv, Ellipse(x - 1, y - 1.5f, 11 * size, 2.6f * size), Fill(Rgb(244, 248, 255), 0));
                } else if (pick < 0.55f) {  // a twig poking out
                    DrawWrapped(cv, Capsule(x - 4, y + 2, x + 4, y - 5, 0.9f), Fill(Rgb(120, 100, 90), 0));
                    DrawWrapped(cv, Capsule(x + 1, y - 2, x + 5, y - 2, 0.7f), Fill(Rgb(120, 100, 90), 0));
                } else if (pick < 0.85f) {  // a sparkle
                    DrawWrapped(cv, Star(x, y, 3.2f * size, 0.9f, 4), Fill(Rgb(255, 255, 255), 0));
                } else {  // a frosty tuft
                    for (int b = -1; b <= 1; b++)
                        DrawWrapped(cv, Poly({x + b * 2.5f - 1.2f, y, x + b * 2.5f + 1.2f, y, x + b * 3.5f, y - 7}),
                                    Fill(Rgb(140, 170, 160), 0));
                }
            } else {
                const Col leaves[4] = {Rgb(235, 120, 40), Rgb(210, 60, 40), Rgb(250, 190, 50), Rgb(170, 100, 50)};
                if (pick < 0.7f) {  // a fallen leaf
                    Col lc = leaves[r.I(0, 3)];
                    float ang = r.R(0, 180);
                    DrawWrapped(cv, Ellipse(x, y, 5 * size, 2.6f * size, ang), Fill(lc, 0, 1.2f));
                    DrawWrapped(cv, Capsule(x - std::cos(Rad(ang)) * 4 * size, y - std::sin(Rad(ang)) * 4 * size,
                                            x + std::cos(Rad(ang)) * 4 * size, y + std::sin(Rad(ang)) * 4 * size, 0.5f),
                                Fill(Shade(lc, 0.7f), 0));
                } else if (pick < 0.85f) {  // a dry tuft
                    for (int b = -2; b <= 2; b++)
                        DrawWrapped(cv, Poly({x + b * 2.5f - 1.3f, y, x + b * 2.5f + 1.3f, y, x + b * 4.0f, y - 8}),
                                    Fill(b % 2 ? Rgb(150, 130, 60) : Rgb(180, 160, 80), 0));
                } else {  // an acorn
                    DrawWrapped(cv, Ellipse(x, y + 1, 2.6f, 3.2f), Fill(Rgb(190, 130, 60), 0, 1));
                    DrawWrapped(cv, Ellipse(x, y - 1.6f, 3.2f, 1.8f), Fill(Rgb(110, 80, 50), 0));
                }
            }
        }
    // The last column and row repeat the first, as the copies overlap there.
    for (int y = 0; y < B; y++) std::copy(cv.At(0, y), cv.At(0, y) + 4, cv.At(P, y));
    for (int x = 0; x < B; x++) std::copy(cv.At(x, 0), cv.At(x, 0) + 4, cv.At(x, P));
    return cv;
}

void MakeMenu(const Out& o) {
    std::vector<Canvas> frames;
    frames.push_back(GroundBackdrop({Rgb(58, 132, 56), Rgb(74, 150, 64), Rgb(54, 120, 70), 0}, 1));
    frames.push_back(GroundBackdrop({Rgb(84, 150, 80), Rgb(100, 168, 90), Rgb(120, 170, 110), 3}, 2));
    frames.push_back(GroundBackdrop({Rgb(218, 228, 244), Rgb(234, 240, 250), Rgb(206, 218, 240), 1}, 3));
    frames.push_back(GroundBackdrop({Rgb(128, 108, 60), Rgb(148, 124, 70), Rgb(120, 120, 60), 2}, 4));
    Canvas sheet = PackSheet(frames, B, B, 2, 2);
    SaveSheet(o, "525/menu.png", sheet, B, B, 4, false);
}

void MakeTitle(const Out& o) {
    Canvas cv(1024, 512);
    // A bramble swoosh behind the words.
    Shape vine = Capsule(150, 440, 880, 410, 10);
    Halo(cv, vine, kInk, 5);
    Draw(cv, vine, Fill(Rgb(70, 150, 60), 0, 6));
    Rng r(9);
    for (int i = 0; i < 14; i++) {
        float t = i / 13.0f;
        float x = 160 + t * 710, y = 440 - t * 30;
        float side = (i % 2) ? -1.0f : 1.0f;
        Shape leaf = Ellipse(x, y + side * 22, 26, 12, side * 25.0f + r.R(-10, 10));
        Draw(cv, leaf, Fill(i % 3 ? Rgb(90, 190, 70) : Rgb(60, 160, 60), 4, 6));
        if (i % 3 == 1) Draw(cv, Circle(x + 12, y - side * 16, 13), Fill(Rgb(150, 50, 140), 4, 5));
    }
    float h1 = 0, h2 = 0;
    Shape line1 = Lettering("Bramblewick", 960, 150, 6, 512, 30, &h1);
    DrawLettering(cv, line1, Rgb(255, 236, 90), Rgb(255, 150, 30), 60, 30 + h1 - 40, 13);
    Shape line2 = Lettering("Run", 600, 170, 4, 470, 30 + h1 - 40, &h2);
    float y2 = 30 + h1 - 40;
    DrawLettering(cv, line2, Rgb(140, 230, 255), Rgb(40, 120, 240), y2 + 30, y2 + h2 - 50, 13);
    // A flag on a pin and a ball beside "Run".
    float fx = 760, fy = y2 + 50;
    Shape pole = Capsule(fx, fy, fx, fy + 190, 7);
    Halo(cv, pole, kInk, 5);
    Draw(cv, pole, Fill(Rgb(250, 250, 250), 0, 4));
    Shape cloth = Wobble(Poly({fx + 4, fy, fx + 130, fy + 28, fx + 4, fy + 70}), 3, 0.05f, 4);
    Halo(cv, cloth, kInk, 5);
    Draw(cv, cloth, Fill(Rgb(240, 50, 50), 0, 12));
    Shape ball = Circle(fx + 90, fy + 170, 26);
    Halo(cv, ball, kInk, 5);
    Draw(cv, ball, Fill(Rgb(250, 250, 255), 0, 10));
    for (int k = 0; k < 5; k++)
        Draw(cv, Circle(fx + 80 + (k % 3) * 10.0f, fy + 160 + (k / 3) * 12.0f, 3), Fill(Rgb(200, 205, 225), 0));
    DropShadow(cv, 10, 12, 10, Rgb(0, 0, 0, 0.45f));
    SaveSheet(o, "525/logo.png", cv, 1024, 512, 1);
}

// The shell's logo: a round badge with a springing "Z" and a bouncing ball.
void MakeShellLogo(const Out& o) {
    Canvas cv(B, B);
    float c = 512;
    Shape outer = Circle(c, c, 470);
    Halo(cv, outer, kInk, 16);
    Style ring;
    ring.lw = 0;
    ring.fillFn = [=](float x, float y) {
        float a = std::atan2(y - c, x - c);
        return Mix(Rgb(255, 200, 40), Rgb(255, 140, 30), 0.5f + 0.5f * std::sin(a * 12));
    };
    Draw(cv, outer, ring);
    Shape inner = Circle(c, c, 400);
    Halo(cv, inner, kInk, 12);
    Style sky;
    sky.lw = 0;
    sky.fillFn = [=](float, float y) { return Mix(Rgb(70, 170, 255), Rgb(40, 70, 200), Smooth(150, 900, y)); };
    Draw(cv, inner, sky);
    // Rays.
    for (int i = 0; i < 16; i++) {
        float a0 = Rad(i * 22.5f), a1 = Rad(i * 22.5f + 9);
        Shape ray = Intersect(Poly({c, c, c + std::sin(a0) * 500, c - std::cos(a0) * 500, c + std::sin(a1) * 500,
                                    c - std::cos(a1) * 500}),
                              Offset(inner, -4));
        Draw(cv, ray, Fill(Rgb(255, 255, 255, 0.12f), 0));
    }
    // A hill of grass at the bottom of the badge.
    Shape hill = Intersect(Circle(c, c + 820, 640), Offset(inner, -4));
    Draw(cv, hill, Fill(Rgb(90, 200, 70), 0, 30));
    // The Z.
    Shape z = Poly({300, 250, 720, 250, 720, 340, 460, 600, 730, 600, 730, 700, 290, 700, 290, 610, 550, 350, 300, 350});
    Shape zr = Offset(z, 18);
    Halo(cv, zr, kInk, 16);
    Style zs = Fill(Rgb(255, 255, 255), 0, 40);
    zs.fillFn = [](float, float y) { return Mix(Rgb(255, 250, 160), Rgb(255, 170, 40), Smooth(250, 720, y)); };
    Draw(cv, zr, zs);
    // A ball springing off the Z's top bar, with its arc.
    for (int i = 0; i < 7; i++) {
        float t = i / 6.0f;
        float x = 740 + t * 80, y = 230 - std::sin(t * kPi) * 120 + t * 10;
        Draw(cv, Circle(x, y, 8 + t * 6), Fill(Rgb(255, 255, 255, 0.5f + t * 0.4f), 0));
    }
    Shape ball = Circle(836, 250, 60);
    Halo(cv, ball, kInk, 12);
    Draw(cv, ball, Fill(Rgb(250, 250, 255), 0, 24));
    for (int k = 0; k < 7; k++)
        Draw(cv, Circle(815 + (k % 3) * 20.0f, 225 + (k / 3) * 22.0f, 5), Fill(Rgb(205, 210, 230), 0));
    // Stars.
    const float sx[3] = {230, 780, 250}, sy[3] = {220, 460, 470}, sr[3] = {40, 30, 26};
    for (int i = 0; i < 3; i++) {
        Shape st = Star(sx[i], sy[i], sr[i], sr[i] * 0.45f, 5, i * 12.0f);
        Halo(cv, st, kInk, 8);
        Draw(cv, st, Fill(Rgb(255, 240, 90), 0, 10));
    }
    // The name on a ribbon.
    Shape ribbon = RoundRect(c, 820, 300, 70, 30);
    Halo(cv, ribbon, kInk, 14);
    Draw(cv, ribbon, Fill(Rgb(235, 60, 70), 0, 20));
    TextMask tm = RenderText("ZUMP", 95, 1.0f, 8);
    Shape word = MaskShape(tm.m, tm.w, tm.h, c - tm.w / 8.0f, 820 - tm.h / 8.0f + 8, 0.25f);
    Halo(cv, word, kInk, 9);
    Draw(cv, word, Fill(Rgb(255, 255, 255), 0, 6));
    SaveSheet(o, "common/ZUMPLogo.png", cv, 32, 32, 1024);
}

}  // namespace

void MakeBackdrops(const Out& o) {
    MakeMenu(o);
    MakeTitle(o);
    MakeShellLogo(o);
}

}  // namespace ag
