// The shell's and the game's interface pictures: icons, option-row icons and
// the background pattern, rings, buttons, particle sprites, the scoreboard
// backdrop, the thwack button and the score banners.
#include <algorithm>

#include "gen.h"

namespace ag {

namespace {

// A glossy round button with a symbol drawn by `symbol` on top.
void RoundButton(Canvas& cv, float cx, float cy, float r, Col c) {
    Shape body = Circle(cx, cy, r);
    Halo(cv, body, kInk, r * 0.07f);
    Style st;
    st.lw = 0;
    st.fillFn = [=](float, float y) { return Mix(Shade(c, 1.25f), Shade(c, 0.8f), Smooth(cy - r, cy + r, y)); };
    Draw(cv, body, st);
    Draw(cv, Ring(cx, cy, r * 0.86f, r * 0.035f), Fill(Rgb(255, 255, 255, 0.5f), 0));
    Draw(cv, Intersect(Ellipse(cx, cy - r * 0.45f, r * 0.62f, r * 0.32f), Offset(body, -r * 0.1f)),
         Fill(Rgb(255, 255, 255, 0.28f), 0));
}

// A white symbol with an ink outline, so it reads on any button.
void Symbol(Canvas& cv, const Shape& s, float ink) {
    Halo(cv, s, kInk, ink);
    Draw(cv, s, Fill(Rgb(255, 255, 255), 0, ink * 0.8f));
}

Shape ArrowLeft(float cx, float cy, float s) {
    return Union(Poly({cx - s, cy, cx - s * 0.1f, cy - s * 0.8f, cx - s * 0.1f, cy + s * 0.8f}),
                 RoundRect(cx + s * 0.35f, cy, s * 0.55f, s * 0.3f, s * 0.1f));
}

Shape Gear(float cx, float cy, float r, int teeth, float hole, float toothDepth) {
    Shape g = Circle(cx, cy, r - toothDepth);
    for (int i = 0; i < teeth; i++) {
        float a = i * 360.0f / teeth;
        float tx = cx + std::sin(Rad(a)) * (r - toothDepth * 0.5f), ty = cy - std::cos(Rad(a)) * (r - toothDepth * 0.5f);
        g = Union(g, RoundRect(tx, ty, r * 0.16f, toothDepth * 0.75f, r * 0.04f, a));
    }
    return hole > 0 ? Subtract(g, Circle(cx, cy, hole)) : g;
}

Shape Speaker(float cx, float cy, float s) {
    return Union(RoundRect(cx - s * 0.55f, cy, s * 0.22f, s * 0.3f, s * 0.06f),
                 Poly({cx - s * 0.4f, cy - s * 0.3f, cx + s * 0.05f, cy - s * 0.7f, cx + s * 0.05f, cy + s * 0.7f,
                       cx - s * 0.4f, cy + s * 0.3f}));
}

Shape Waves(float cx, float cy, float s) {
    Shape w = Shape{[](float, float) { return 1e9f; }, Box{cx, cy, cx, cy}};
    for (int k = 0; k < 2; k++) {
        float r = s * (0.45f + k * 0.32f);
        Shape ring = Ring(cx + s * 0.05f, cy, r, s * 0.07f);
        Shape wedge = Poly({cx + s * 0.05f, cy, cx + s * 1.5f, cy - s * 1.2f, cx + s * 1.5f, cy + s * 1.2f});
        w = Union(w, Intersect(ring, wedge));
    }
    return w;
}

Shape Note(float cx, float cy, float s) {
    Shape a = Ellipse(cx - s * 0.45f, cy + s * 0.45f, s * 0.28f, s * 0.2f, -20);
    Shape b = Ellipse(cx + s * 0.35f, cy + s * 0.3f, s * 0.28f, s * 0.2f, -20);
    Shape st1 = RoundRect(cx - s * 0.2f, cy - s * 0.1f, s * 0.06f, s * 0.55f, s * 0.02f);
    Shape st2 = RoundRect(cx + s * 0.6f, cy - s * 0.25f, s * 0.06f, s * 0.55f, s * 0.02f);
    Shape beam = Poly({cx - s * 0.26f, cy - s * 0.65f, cx + s * 0.66f, cy - s * 0.8f, cx + s * 0.66f, cy - s * 0.6f,
                       cx - s * 0.26f, cy - s * 0.45f});
    return Union(Union(Union(a, b), Union(st1, st2)), beam);
}

Shape Monitor(float cx, float cy, float s) {
    Shape scr = Subtract(RoundRect(cx, cy - s * 0.12f, s * 0.8f, s * 0.55f, s * 0.1f),
                         RoundRect(cx, cy - s * 0.12f, s * 0.62f, s * 0.4f, s * 0.04f));
    Shape stand = Union(RoundRect(cx, cy + s * 0.55f, s * 0.1f, s * 0.15f, 0), RoundRect(cx, cy + s * 0.72f, s * 0.4f, s * 0.08f, s * 0.04f));
    return Union(scr, stand);
}

Shape StickIcon(float cx, float cy, float s) {
    Shape base = RoundRect(cx, cy + s * 0.6f, s * 0.6f, s * 0.18f, s * 0.12f);
    Shape shaft = Capsule(cx, cy + s * 0.5f, cx, cy - s * 0.1f, s * 0.1f);
    Shape knob = Circle(cx, cy - s * 0.3f, s * 0.28f);
    return Union(Union(base, shaft), knob);
}

Shape UpDown(float cx, float cy, float s) {
    Shape up = Poly({cx, cy - s * 0.8f, cx + s * 0.3f, cy - s * 0.4f, cx - s * 0.3f, cy - s * 0.4f});
    Shape dn = Poly({cx, cy + s * 0.8f, cx + s * 0.3f, cy + s * 0.4f, cx - s * 0.3f, cy + s * 0.4f});
    return Union(Union(up, dn), RoundRect(cx, cy, s * 0.09f, s * 0.45f, 0));
}

Shape Stopwatch(float cx, float cy, float s) {
    Shape body = Subtract(Circle(cx, cy + s * 0.1f, s * 0.7f), Circle(cx, cy + s * 0.1f, s * 0.52f));
    Shape top = RoundRect(cx, cy - s * 0.72f, s * 0.18f, s * 0.1f, s * 0.03f);
    Shape hand = Capsule(cx, cy + s * 0.1f, cx + s * 0.25f, cy - s * 0.2f, s * 0.07f);
    return Union(Union(body, top), hand);
}

// ---- icons.png: 128 x 128 x 16 ----
void MakeIcons(const Out& o) {
    std::vector<Canvas> f(16, Canvas(128, 128));
    const float c = 64, r = 54;
    // 0 pause.
    RoundButton(f[0], c, c, r, Rgb(70, 150, 240));
    Symbol(f[0], Union(RoundRect(c - 14, c, 8, 24, 3), RoundRect(c + 14, c, 8, 24, 3)), 4);
    // 1 end the game.
    RoundButton(f[1], c, c, r, Rgb(230, 70, 70));
    Symbol(f[1], Union(Capsule(c - 18, c - 18, c + 18, c + 18, 7), Capsule(c - 18, c + 18, c + 18, c - 18, 7)), 4);
    // 2 restart (spare).
    RoundButton(f[2], c, c, r, Rgb(250, 170, 50));
    Symbol(f[2], Union(Subtract(Ring(c, c, 22, 6), Poly({c, c, c + 40, c - 40, c + 40, c})),
                       Poly({c + 10, c - 2, c + 34, c - 2, c + 22, c + 14})),
           4);
    // 3 resume.
    RoundButton(f[3], c, c, r, Rgb(80, 200, 90));
    Symbol(f[3], Poly({c - 14, c - 24, c + 24, c, c - 14, c + 24}), 4);
    // 4 music, 5 sound (spares).
    RoundButton(f[4], c, c, r, Rgb(170, 100, 230));
    Symbol(f[4], Note(c, c, 36), 4);
    RoundButton(f[5], c, c, r, Rgb(60, 190, 200));
    Symbol(f[5], Union(Speaker(c - 6, c, 34), Waves(c - 4, c, 34)), 4);
    // 6 selection highlight: a bright ring with a soft glow.
    for (int k = 6; k >= 1; k--) Draw(f[6], Ring(c, c, 50, 3.0f + k * 1.6f), Fill(Rgb(255, 255, 255, 0.07f), 0));
    Draw(f[6], Ring(c, c, 50, 4), Fill(Rgb(255, 255, 255), 0));
    // 7 star, 8 trophy (spares).
    RoundButton(f[7], c, c, r, Rgb(240, 200, 50));
    Symbol(f[7], Star(c, c + 2, 30, 13, 5), 4);
    RoundButton(f[8], c, c, r, Rgb(90, 110, 220));
    Symbol(f[8], Union(Union(Poly({c - 22, c - 26, c + 22, c - 26, c + 14, c + 4, c - 14, c + 4}),
                             RoundRect(c, c + 12, 5, 10, 1)),
                       RoundRect(c, c + 25, 16, 5, 2)),
           4);
    // 9 development tool: crossed wrench and pencil on a hexagon.
    {
        std::vector<float> hex;
        for (int i = 0; i < 6; i++) {
            hex.push_back(c + std::sin(Rad(i * 60.0f)) * 56);
            hex.push_back(c - std::cos(Rad(i * 60.0f)) * 56);
        }
        Shape hx = Poly(hex);
        Halo(f[9], hx, kInk, 4);
        Draw(f[9], hx, Fill(Rgb(60, 70, 100), 0, 10));
        Shape wrench = Union(Capsule(c - 26, c + 26, c + 14, c - 14, 7),
                             Subtract(Circle(c + 22, c - 22, 16), Poly({c + 22, c - 22, c + 40, c - 52, c + 52, c - 40})));
        Symbol(f[9], wrench, 4);
        Shape pencil = Union(Capsule(c + 26, c + 26, c - 14, c - 14, 7), Poly({c - 19, c - 9, c - 9, c - 19, c - 30, c - 30}));
        Halo(f[9], pencil, kInk, 4);
        Draw(f[9], pencil, Fill(Rgb(255, 200, 60), 0, 6));
    }
    // 10 the maker: a bramble berry and leaf with a golf ball, on a rounded badge.
    {
        Shape badge = RoundRect(c, c, 56, 56, 20);
        Halo(f[10], badge, kInk, 4);
        Style bs;
        bs.lw = 0;
        bs.fillFn = [=](float, float y) { return Mix(Rgb(120, 220, 110), Rgb(40, 140, 70), Smooth(8, 120, y)); };
        Draw(f[10], badge, bs);
        Shape leaf = Ellipse(c + 18, c - 24, 22, 11, -35);
        Halo(f[10], leaf, kInk, 3);
        Draw(f[10], leaf, Fill(Rgb(80, 190, 70), 0, 6));
        Draw(f[10], Capsule(c + 2, c - 12, c + 32, c - 34, 1.5f), Fill(Rgb(40, 120, 50), 0));
        const float bx[7] = {-12, 0, 12, -6, 6, 0, -18}, by[7] = {0, -4, 0, 10, 10, 20, 12};
        for (int i = 0; i < 6; i++) {
            Shape d = Circle(c - 10 + bx[i], c + by[i], 10);
            Halo(f[10], d, kInk, 3);
            Draw(f[10], d, Fill(Rgb(150, 50, 150), 0, 5));
            Draw(f[10], Circle(c - 13 + bx[i], c - 3 + by[i], 2.5f), Fill(Rgb(255, 200, 255, 0.8f), 0));
        }
        Shape ball = Circle(c + 28, c + 26, 15);
        Halo(f[10], ball, kInk, 3);
        Draw(f[10], ball, Fill(Rgb(250, 250, 255), 0, 6));
        for (int k = 0; k < 4; k++)
            Draw(f[10], Circle(c + 24 + (k % 2) * 8.0f, c + 22 + (k / 2) * 8.0f, 1.8f), Fill(Rgb(200, 205, 225), 0));
    }
    // 11 back / finish.
    RoundButton(f[11], c, c, r, Rgb(250, 150, 40));
    Symbol(f[11], ArrowLeft(c, c, 30), 4);
    // 12-14 the cog, three layers turning at different speeds: 13 outer, 12 middle, 14 hub.
    {
        Shape outer = Gear(c, c, 58, 12, 38, 10);
        Halo(f[13], outer, kInk, 3);
        Draw(f[13], outer, Fill(Rgb(150, 170, 200), 0, 6));
        Shape mid = Gear(c, c, 36, 9, 19, 7);
        Halo(f[12], mid, kInk, 3);
        Draw(f[12], mid, Fill(Rgb(250, 190, 60), 0, 5));
        Shape hub = Gear(c, c, 18, 6, 0, 5);
        Halo(f[14], hub, kInk, 3);
        Draw(f[14], hub, Fill(Rgb(240, 90, 80), 0, 4));
        Draw(f[14], Circle(c, c, 5), Fill(Rgb(60, 40, 60), 0));
    }
    // 15 info (spare).
    RoundButton(f[15], c, c, r, Rgb(100, 160, 220));
    Symbol(f[15], Union(Circle(c, c - 20, 7), RoundRect(c, c + 10, 7, 18, 2)), 4);
    SaveSheet(o, "common/icons.png", PackSheet(f, 128, 128, 4, 4), 128, 128, 16);
}

// ---- options.png: 68 x 68 x 49 ----
void MakeOptions(const Out& o) {
    std::vector<Canvas> f(49, Canvas(68, 68));
    const float c = 34;
    Symbol(f[0], ArrowLeft(c, c, 22), 3);
    Symbol(f[1], Union(Speaker(c - 6, c, 24), Waves(c - 5, c, 24)), 3);
    Symbol(f[2], Note(c, c, 26), 3);
    Symbol(f[3], Monitor(c, c, 26), 3);
    for (int k = 0; k < 2; k++) {
        Canvas& cv = f[4 + k];
        Symbol(cv, StickIcon(c - 8, c + 2, 24), 3);
        Symbol(cv, UpDown(c + 17, c, 18), 3);
        TextMask tm = RenderText(k == 0 ? "L" : "R", 11);
        Shape lt = MaskShape(tm.m, tm.w, tm.h, c - 8 - tm.w / 8.0f, c - 9.5f - tm.h / 8.0f + 2, 0.25f);
        Draw(cv, lt, Fill(kInk, 0));
    }
    Symbol(f[47], Stopwatch(c, c, 26), 3);
    // 48: the background pattern, tiled every 64 units in white at low alpha;
    // everything stays clear of the edges where the copies overlap.
    {
        Canvas& cv = f[48];
        Draw(cv, Ring(c, c, 13, 2.5f), Fill(Rgb(255, 255, 255), 0));
        for (int k = 0; k < 6; k++) {
            float a = Rad(k * 60.0f + 30);
            Draw(cv, Circle(c + std::sin(a) * 6, c - std::cos(a) * 6, 1.8f), Fill(Rgb(255, 255, 255, 0.8f), 0));
        }
        for (int k = 0; k < 4; k++) {
            float a = Rad(45.0f + k * 90);
            Draw(cv, Star(c + std::sin(a) * 24, c - std::cos(a) * 24, 5, 1.6f, 4, 45), Fill(Rgb(255, 255, 255, 0.7f), 0));
        }
        for (int k = 0; k < 4; k++) {
            float a = Rad(k * 90.0f);
            Draw(cv, Circle(c + std::sin(a) * 24, c - std::cos(a) * 24, 2.2f), Fill(Rgb(255, 255, 255, 0.5f), 0));
        }
    }
    SaveSheet(o, "common/options.png", PackSheet(f, 68, 68, 7, 7), 68, 68, 49);
}

// ---- circle.png: 256 x 256 x 4, white rings for the pause and credits screens ----
void MakeCircles(const Out& o) {
    std::vector<Canvas> f(4, Canvas(256, 256));
    const float c = 128;
    for (int i = 0; i < 24; i++) {
        float a = Rad(i * 15.0f);
        float rr = i % 2 ? 6.0f : 9.0f;
        Draw(f[0], Circle(c + std::sin(a) * 112, c - std::cos(a) * 112, rr), Fill(Rgb(255, 255, 255), 0));
    }
    Draw(f[0], Ring(c, c, 96, 2), Fill(Rgb(255, 255, 255, 0.6f), 0));
    for (int i = 0; i < 8; i++) {
        Shape arc = Intersect(Ring(c, c, 110, 8),
                              Poly({c, c, c + std::sin(Rad(i * 45.0f + 4)) * 200, c - std::cos(Rad(i * 45.0f + 4)) * 200,
                                    c + std::sin(Rad(i * 45.0f + 22)) * 200, c - std::cos(Rad(i * 45.0f + 22)) * 200,
                                    c + std::sin(Rad(i * 45.0f + 38)) * 200, c - std::cos(Rad(i * 45.0f + 38)) * 200}));
        Draw(f[1], arc, Fill(Rgb(255, 255, 255), 0));
    }
    Draw(f[1], Ring(c, c, 90, 3), Fill(Rgb(255, 255, 255, 0.7f), 0));
    Draw(f[2], Ring(c, c, 100, 3), Fill(Rgb(255, 255, 255), 0));
    Draw(f[2], Ring(c, c, 84, 2), Fill(Rgb(255, 255, 255, 0.7f), 0));
    for (int i = 0; i < 12; i++) {
        float a = i * 30.0f;
        float s0 = std::sin(Rad(a)), c0 = std::cos(Rad(a));
        float s1 = std::sin(Rad(a - 6)), c1 = std::cos(Rad(a - 6)), s2 = std::sin(Rad(a + 6)), c2 = std::cos(Rad(a + 6));
        Draw(f[2], Poly({c + s0 * 122, c - c0 * 122, c + s1 * 104, c - c1 * 104, c + s2 * 104, c - c2 * 104}),
             Fill(Rgb(255, 255, 255), 0));
    }
    Style glow;
    glow.lw = 0;
    glow.fillFn = [=](float x, float y) {
        float d = std::hypot(x - c, y - c) / 124;
        return Rgb(255, 255, 255, Clamp01(1.1f - d * d));
    };
    Draw(f[3], Circle(c, c, 124), glow);
    SaveSheet(o, "common/circle.png", PackSheet(f, 256, 256, 2, 2), 256, 256, 4);
}

// ---- Buttons.png: 64 x 64 x 16 ----
void MakeButtons(const Out& o) {
    std::vector<Canvas> f(16, Canvas(64, 64));
    const float c = 32, r = 27;
    const Col face[4] = {Rgb(80, 200, 90), Rgb(230, 70, 70), Rgb(70, 140, 240), Rgb(250, 200, 50)};
    for (int i = 0; i < 4; i++) RoundButton(f[i], c, c, r, face[i]);
    for (int i = 0; i < 4; i++) {  // arrows up, right, down, left
        RoundButton(f[4 + i], c, c, r, Rgb(120, 130, 160));
        float a = Rad(90.0f * i);
        float dx = std::sin(a), dy = -std::cos(a), px = -dy, py = dx;
        Symbol(f[4 + i], Poly({c + dx * 14, c + dy * 14, c + px * 12 - dx * 8, c + py * 12 - dy * 8, c - px * 12 - dx * 8,
                               c - py * 12 - dy * 8}),
               2.5f);
    }
    RoundButton(f[8], c, c, r, Rgb(80, 200, 90));
    Symbol(f[8], Union(RoundRect(c, c, 14, 4, 1.5f), RoundRect(c, c, 4, 14, 1.5f)), 2.5f);
    RoundButton(f[9], c, c, r, Rgb(230, 70, 70));
    Symbol(f[9], RoundRect(c, c, 14, 4, 1.5f), 2.5f);
    RoundButton(f[10], c, c, r, Rgb(80, 200, 90));
    Symbol(f[10], Union(Capsule(c - 12, c, c - 4, c + 9, 4), Capsule(c - 4, c + 9, c + 13, c - 10, 4)), 2.5f);
    RoundButton(f[11], c, c, r, Rgb(230, 70, 70));
    Symbol(f[11], Union(Capsule(c - 10, c - 10, c + 10, c + 10, 4), Capsule(c - 10, c + 10, c + 10, c - 10, 4)), 2.5f);
    RoundButton(f[12], c, c, r, Rgb(250, 200, 50));
    Symbol(f[12], Star(c, c + 1, 16, 7, 5), 2.5f);
    RoundButton(f[13], c, c, r, Rgb(90, 160, 230));
    Symbol(f[13], Union(Poly({c, c - 15, c + 15, c, c - 15, c}), RoundRect(c, c + 7, 10, 8, 1)), 2.5f);
    RoundButton(f[14], c, c, r, Rgb(150, 110, 220));
    Symbol(f[14], Union(Union(RoundRect(c, c - 9, 13, 3, 1.5f), RoundRect(c, c, 13, 3, 1.5f)), RoundRect(c, c + 9, 13, 3, 1.5f)),
           2.5f);
    RoundButton(f[15], c, c, r, Rgb(250, 150, 40));
    Symbol(f[15], ArrowLeft(c, c, 15), 2.5f);
    SaveSheet(o, "common/Buttons.png", PackSheet(f, 64, 64, 4, 4), 64, 64, 16);
}

// ---- Particle sheets: 32 x 32 x 16 each ----
Shape Heart(float cx, float cy, float s) {
    return Union(Union(Circle(cx - s * 0.45f, cy - s * 0.2f, s * 0.5f), Circle(cx + s * 0.45f, cy - s * 0.2f, s * 0.5f)),
                 Poly({cx - s * 0.92f, cy - s * 0.05f, cx + s * 0.92f, cy - s * 0.05f, cx, cy + s * 0.95f}));
}

std::vector<Shape> ParticleShapes() {
    const float c = 16;
    std::vector<Shape> s;
    s.push_back(Circle(c, c, 12));
    s.push_back(RoundRect(c, c, 11, 11, 2));
    s.push_back(Poly({c, c - 13, c + 12, c + 9, c - 12, c + 9}));
    s.push_back(Poly({c, c - 13, c + 10, c, c, c + 13, c - 10, c}));
    s.push_back(Star(c, c + 1, 14, 6, 5));
    s.push_back(Star(c, c, 14, 4, 4));
    s.push_back(Heart(c, c, 12));
    {
        std::vector<float> hx;
        for (int i = 0; i < 6; i++) {
            hx.push_back(c + std::sin(Rad(i * 60.0f)) * 13);
            hx.push_back(c - std::cos(Rad(i * 60.0f)) * 13);
        }
        s.push_back(Poly(hx));
    }
    s.push_back(Union(RoundRect(c, c, 12, 4, 1.5f), RoundRect(c, c, 4, 12, 1.5f)));
    s.push_back(Subtract(Circle(c, c, 12), Circle(c + 6, c - 4, 10)));
    s.push_back(Union(Circle(c, c + 4, 8), Poly({c - 7.5f, c + 2, c + 7.5f, c + 2, c, c - 13})));
    s.push_back(Ellipse(c, c, 13, 6, -35));
    {
        Shape fl = Circle(c, c, 4);
        for (int i = 0; i < 5; i++) fl = Union(fl, Circle(c + std::sin(Rad(i * 72.0f)) * 8, c - std::cos(Rad(i * 72.0f)) * 8, 5.5f));
        s.push_back(fl);
    }
    s.push_back(Capsule(c - 11, c + 11, c + 11, c - 11, 3));
    s.push_back(Circle(c, c, 6));
    s.push_back(Ring(c, c, 10, 3));
    return s;
}

void MakeParticles(const Out& o) {
    std::vector<Shape> shapes = ParticleShapes();
    std::vector<Canvas> full(16, Canvas(32, 32)), outline(16, Canvas(32, 32)), smoke(16, Canvas(32, 32)),
        cluster(16, Canvas(32, 32)), stars(16, Canvas(32, 32));
    Style white = Fill(Rgb(255, 255, 255), 1, 3);
    white.line = Rgb(200, 205, 220);
    for (int i = 0; i < 16; i++) {
        Draw(full[i], shapes[i], white);
        Shape band = Subtract(shapes[i], Offset(shapes[i], -3));
        Draw(outline[i], band, Fill(Rgb(255, 255, 255), 0));
    }
    for (int i = 0; i < 16; i++) {
        Rng r(300 + i);
        int puffs = 3 + i % 4;
        for (int k = 0; k < puffs; k++) {
            float x = 16 + r.R(-6, 6), y = 16 + r.R(-6, 6), rad = r.R(5, 9) * (0.7f + (i % 5) * 0.08f);
            Style st;
            st.lw = 0;
            st.fillFn = [=](float px, float py) {
                float d = std::hypot(px - x, py - y) / rad;
                return Rgb(255, 255, 255, 0.55f * Clamp01(1.2f - d));
            };
            Draw(smoke[i], Circle(x, y, rad), st);
        }
    }
    for (int i = 0; i < 16; i++) {
        Rng r(400 + i);
        int dots = 3 + i % 5;
        for (int k = 0; k < dots; k++) {
            float x = r.R(7, 25), y = r.R(7, 25), rad = r.R(2, 4.5f);
            if (k % 3 == 2) Draw(cluster[i], Star(x, y, rad + 1.5f, 1.2f, 4), Fill(Rgb(255, 255, 255), 0));
            else Draw(cluster[i], Circle(x, y, rad), white);
        }
    }
    for (int i = 0; i < 16; i++) {
        Canvas& cv = stars[i];
        if (i < 8) {
            float ro = 13 - (i % 4) * 1.5f;
            Shape st = Star(16, 16.5f, ro, ro * (i < 4 ? 0.45f : 0.38f), 5, i * 9.0f);
            Halo(cv, st, kInk, 1.5f);
            Draw(cv, st, Fill(Rgb(255, 255, 255), 0, 2.5f));
        } else if (i < 12) {
            Shape sp = Star(16, 16, 14 - (i - 8) * 2.0f, 3, 4, (i % 2) * 45.0f);
            Draw(cv, sp, Fill(Rgb(255, 255, 255), 0));
            Draw(cv, Circle(16, 16, 3), Fill(Rgb(255, 255, 255), 0));
        } else {
            Shape st = Star(16, 16, 12 - (i - 12) * 1.5f, 5, 6, i * 7.0f);
            Halo(cv, st, kInk, 1.5f);
            Draw(cv, st, Fill(Rgb(255, 255, 255), 0, 2));
        }
    }
    SaveSheet(o, "common/part-shapefull.png", PackSheet(full, 32, 32, 4, 4), 32, 32, 16);
    SaveSheet(o, "common/parts_shape.png", PackSheet(outline, 32, 32, 4, 4), 32, 32, 16);
    SaveSheet(o, "common/parts_smoke.png", PackSheet(smoke, 32, 32, 4, 4), 32, 32, 16);
    SaveSheet(o, "common/parts_cluster.png", PackSheet(cluster, 32, 32, 4, 4), 32, 32, 16);
    SaveSheet(o, "common/parts_stars.png", PackSheet(stars, 32, 32, 4, 4), 32, 32, 16);
}

// ---- scoreboard.png: 256 x 256. White text is drawn over it: "Top 5" near
// (64, 32), the five scores at x 72, y 72..184, the recent-scores chart at
// x 28..116, y 196..244. Only about its left half shows on screen, and the
// online board draws it mirrored, so the picture carries no writing.
void MakeScoreboard(const Out& o) {
    Canvas cv(256, 256);
    Shape frame = RoundRect(128, 128, 124, 124, 26);
    Halo(cv, frame, kInk, 2);
    Style fs;
    fs.lw = 0;
    fs.fillFn = [](float, float y) { return Mix(Rgb(255, 200, 70), Rgb(220, 130, 40), Smooth(0, 256, y)); };
    Draw(cv, frame, fs);
    Shape panel = RoundRect(128, 128, 112, 112, 18);
    Halo(cv, panel, kInk, 2);
    Style ps;
    ps.lw = 0;
    ps.fillFn = [](float, float y) { return Mix(Rgb(40, 80, 150, 0.92f), Rgb(24, 44, 100, 0.92f), Smooth(16, 240, y)); };
    Draw(cv, panel, ps);
    Draw(cv, RoundRect(128, 33, 104, 15, 7), Fill(Rgb(255, 255, 255, 0.14f), 0));
    for (int k = 0; k < 5; k++)
        Draw(cv, RoundRect(128, 72 + 28.0f * k, 104, 11, 5), Fill(Rgb(255, 255, 255, k % 2 ? 0.05f : 0.1f), 0));
    Draw(cv, RoundRect(128, 222, 104, 22, 8), Fill(Rgb(0, 0, 0, 0.22f), 0));
    Draw(cv, RoundRect(128, 241, 96, 1.2f, 0.5f), Fill(Rgb(255, 255, 255, 0.35f), 0));
    for (int i = 0; i < 4; i++) {  // rivets
        float x = i % 2 ? 236.0f : 20.0f, y = i / 2 ? 236.0f : 20.0f;
        Draw(cv, Circle(x, y, 4), Fill(Rgb(255, 230, 150), 1, 1.5f));
    }
    SaveSheet(o, "common/scoreboard.png", cv, 256, 256, 1);
}

// ---- aball.png: the thwack button; the thwack count is written in its middle ----
void MakeThwackButton(const Out& o) {
    Canvas cv(64, 64);
    RoundButton(cv, 32, 32, 29, Rgb(250, 120, 40));
    // Dimples around the rim like a golf ball's.
    for (int i = 0; i < 12; i++) {
        float a = Rad(i * 30.0f);
        Draw(cv, Circle(32 + std::sin(a) * 24, 32 - std::cos(a) * 24, 1.8f), Fill(Rgb(255, 220, 180, 0.8f), 0));
    }
    Shape inner = Circle(32, 32, 17);
    Halo(cv, inner, kInk, 1.5f);
    Style is;
    is.lw = 0;
    is.fillFn = [](float, float y) { return Mix(Rgb(40, 50, 90), Rgb(20, 24, 50), Smooth(15, 49, y)); };
    Draw(cv, inner, is);
    SaveSheet(o, "525/aball.png", cv, 64, 64, 1);
}

// ---- score.png: 256 x 64 x 4 banners ----
Canvas Ribbon(Col top, Col bottom) {
    Canvas cv(256, 64);
    // Folded tails behind the band.
    for (int side = -1; side <= 1; side += 2) {
        float x = 128 + side * 104;
        Shape tail = Poly({x, 18, x + side * 22, 18, x + side * 14, 35, x + side * 22, 52, x, 52});
        Halo(cv, tail, kInk, 2);
        Draw(cv, tail, Fill(Shade(bottom, 0.75f), 0, 3));
    }
    Shape band = RoundRect(128, 33, 108, 22, 8);
    Halo(cv, band, kInk, 2.5f);
    Style st;
    st.lw = 0;
    st.fillFn = [=](float, float y) { return Mix(top, bottom, Smooth(11, 55, y)); };
    Draw(cv, band, st);
    Draw(cv, RoundRect(128, 20, 100, 3, 1.5f), Fill(Rgb(255, 255, 255, 0.35f), 0));
    return cv;
}

void Words(Canvas& cv, const std::string& text, float maxW, float cap, float cx, Col a, Col b) {
    float h = 0;
    Shape s = Lettering(text, maxW, cap, 1.5f, cx, 0, &h);
    Shape placed = Translate(s, 0, 33 - h * 0.5f + 1.5f);
    DrawLettering(cv, placed, a, b, 33 - cap * 0.5f, 33 + cap * 0.5f, 3);
}

void PasteScaled(Canvas& dst, const Canvas& src, int ox, int oy, int k) {
    Canvas big(src.w * k, src.h * k);
    for (int y = 0; y < big.h; y++)
        for (int x = 0; x < big.w; x++) std::copy(src.At(x / k, y / k), src.At(x / k, y / k) + 4, big.At(x, y));
    dst.Paste(big, ox, oy);
}

void MakeBanners(const Out& o) {
    std::vector<Canvas> f;
    {
        Canvas cv = Ribbon(Rgb(255, 220, 80), Rgb(240, 140, 30));
        Words(cv, "Hole in One!", 196, 26, 128, Rgb(255, 255, 255), Rgb(255, 240, 180));
        for (int s = 0; s < 2; s++) {
            Shape st = Star(s ? 236.0f : 20.0f, 14, 11, 5, 5, s * 20.0f);
            Halo(cv, st, kInk, 2);
            Draw(cv, st, Fill(Rgb(255, 250, 130), 0, 3));
        }
        f.push_back(cv);
    }
    for (int kind = 2; kind >= 1; kind--) {
        Canvas cv = Ribbon(kind == 2 ? Rgb(120, 220, 100) : Rgb(120, 180, 255), kind == 2 ? Rgb(40, 150, 60) : Rgb(40, 90, 220));
        Canvas bird = SummerBird(kind, 1);
        PasteScaled(cv, bird, 6, -4, 2);
        Canvas flipped(36, 36);
        for (int y = 0; y < 36; y++)
            for (int x = 0; x < 36; x++) std::copy(bird.At(35 - x, y), bird.At(35 - x, y) + 4, flipped.At(x, y));
        PasteScaled(cv, flipped, 256 - 6 - 72, -4, 2);
        Words(cv, kind == 2 ? "+3" : "+5", 110, 34, 128, Rgb(255, 255, 255), Rgb(255, 240, 160));
        f.push_back(cv);
    }
    {
        Canvas cv = Ribbon(Rgb(130, 200, 255), Rgb(60, 110, 230));
        Words(cv, "Hole Complete", 200, 24, 128, Rgb(255, 255, 255), Rgb(220, 240, 255));
        f.push_back(cv);
    }
    SaveSheet(o, "525/score.png", PackSheet(f, 256, 64, 1, 4), 256, 64, 4);
}

}  // namespace

void MakeInterface(const Out& o) {
    MakeIcons(o);
    MakeOptions(o);
    MakeCircles(o);
    MakeButtons(o);
    MakeParticles(o);
    MakeScoreboard(o);
    MakeThwackButton(o);
    MakeBanners(o);
}

}  // namespace ag
