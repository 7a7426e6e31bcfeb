// The three seasonal tile sets (ground, ball, cup, flag, two birds, 29 scenery
// pieces) and the golfer. Every frame is 36 x 36; the game draws ground tiles
// at 0.625, birds and the golfer at 1.25 and scenery at 2.5, all nearest-
// neighbour, so shapes are bold, outlined and cel-shaded.
#include <algorithm>

#include "gen.h"

namespace ag {

namespace {

const int F = 36;

struct Season {
    const char* file;
    int kind;  // 0 summer, 1 winter, 2 autumn
    Col fair, fairStripe, rough, roughTuft, green, greenLight;
    Col leafA, leafB, leafC, trunk, rock, moss, grass;
    Col flowerA, flowerB, flowerC, berry;
    Col chickBody, chickBelly, chickBeak, chickExtra;  // extra: winter scarf
    Col jayBody, jayBelly, jayWing, jayCrest;
    Col flag;
};

Season Summer() {
    Season s{};
    s.file = "525/gfx.png"; s.kind = 0;
    s.fair = Rgb(112, 204, 74); s.fairStripe = Rgb(128, 218, 86);
    s.rough = Rgb(30, 92, 26); s.roughTuft = Rgb(18, 64, 18);
    s.green = Rgb(140, 226, 100); s.greenLight = Rgb(156, 236, 116);
    s.leafA = Rgb(70, 170, 60); s.leafB = Rgb(46, 140, 58); s.leafC = Rgb(120, 200, 70);
    s.trunk = Rgb(140, 90, 50); s.rock = Rgb(160, 160, 172); s.moss = Rgb(96, 176, 70); s.grass = Rgb(90, 180, 60);
    s.flowerA = Rgb(240, 70, 80); s.flowerB = Rgb(255, 215, 60); s.flowerC = Rgb(110, 140, 250);
    s.berry = Rgb(220, 40, 90);
    s.chickBody = Rgb(255, 214, 60); s.chickBelly = Rgb(255, 240, 150); s.chickBeak = Rgb(255, 140, 40);
    s.chickExtra = Rgb(0, 0, 0, 0);
    s.jayBody = Rgb(60, 130, 240); s.jayBelly = Rgb(235, 245, 255); s.jayWing = Rgb(30, 80, 190);
    s.jayCrest = Rgb(90, 170, 255);
    s.flag = Rgb(235, 50, 50);
    return s;
}

Season Winter() {
    Season s{};
    s.file = "525/gfx2.png"; s.kind = 1;
    s.fair = Rgb(96, 176, 120); s.fairStripe = Rgb(110, 190, 134);
    s.rough = Rgb(160, 188, 222); s.roughTuft = Rgb(110, 140, 180);
    s.green = Rgb(126, 208, 150); s.greenLight = Rgb(142, 220, 164);
    s.leafA = Rgb(40, 120, 100); s.leafB = Rgb(28, 96, 88); s.leafC = Rgb(70, 150, 120);
    s.trunk = Rgb(110, 80, 70); s.rock = Rgb(140, 150, 176); s.moss = Rgb(240, 248, 255); s.grass = Rgb(120, 150, 130);
    s.flowerA = Rgb(200, 40, 60); s.flowerB = Rgb(230, 240, 255); s.flowerC = Rgb(150, 130, 240);
    s.berry = Rgb(220, 30, 50);
    s.chickBody = Rgb(236, 240, 250); s.chickBelly = Rgb(255, 255, 255); s.chickBeak = Rgb(255, 150, 50);
    s.chickExtra = Rgb(230, 50, 60);
    s.jayBody = Rgb(226, 40, 50); s.jayBelly = Rgb(250, 110, 100); s.jayWing = Rgb(170, 20, 40);
    s.jayCrest = Rgb(255, 80, 80);
    s.flag = Rgb(60, 90, 240);
    return s;
}

Season Autumn() {
    Season s{};
    s.file = "525/gfx3.png"; s.kind = 2;
    s.fair = Rgb(150, 180, 70); s.fairStripe = Rgb(164, 192, 82);
    s.rough = Rgb(190, 100, 36); s.roughTuft = Rgb(130, 64, 24);
    s.green = Rgb(120, 196, 80); s.greenLight = Rgb(136, 208, 94);
    s.leafA = Rgb(240, 140, 40); s.leafB = Rgb(210, 70, 40); s.leafC = Rgb(255, 200, 60);
    s.trunk = Rgb(120, 76, 44); s.rock = Rgb(166, 150, 140); s.moss = Rgb(230, 120, 40); s.grass = Rgb(190, 150, 70);
    s.flowerA = Rgb(170, 80, 220); s.flowerB = Rgb(255, 170, 40); s.flowerC = Rgb(230, 60, 50);
    s.berry = Rgb(200, 40, 40);
    s.chickBody = Rgb(160, 110, 70); s.chickBelly = Rgb(250, 140, 60); s.chickBeak = Rgb(255, 200, 70);
    s.chickExtra = Rgb(0, 0, 0, 0);
    s.jayBody = Rgb(30, 170, 170); s.jayBelly = Rgb(255, 170, 70); s.jayWing = Rgb(20, 110, 130);
    s.jayCrest = Rgb(60, 210, 200);
    s.flag = Rgb(250, 200, 40);
    return s;
}

// Everything above a horizontal line.
Shape Above(float yLine) {
    return Shape{[=](float, float y) { return y - yLine; }, Box{-1e4f, -1e4f, 1e4f, yLine}};
}

// ---- Ground tiles ----
// Neighbouring tiles are drawn 31.84 texels apart, so each tile's outer four
// texels overlap its neighbour's. The fill pattern repeats every 32 texels so
// the overlap shows the same picture from both tiles, and the overlap band is
// made partly transparent so that two (or, in corners, four) layers drawn at
// the game's tile alpha add up to the alpha of one layer in the middle.
float EdgeAlpha(int x, int y, float drawAlpha) {
    bool ex = x < 4 || x >= F - 4, ey = y < 4 || y >= F - 4;
    int layers = (ex ? 2 : 1) * (ey ? 2 : 1);
    if (layers == 1) return 1;
    return (1 - std::pow(1 - drawAlpha, 1.0f / layers)) / drawAlpha;
}

Canvas GroundTile(const Season& s, int which) {  // 0 fairway, 1 rough, 2 green
    Canvas cv(F, F);
    float drawAlpha = which == 1 ? 0.4f : 0.8f;
    uint32_t seed = 100 + which * 7 + s.kind * 31;
    for (int y = 0; y < F; y++)
        for (int x = 0; x < F; x++) {
            int px = x % 32, py = y % 32;  // the pattern's period matches the cell spacing
            Col c;
            if (which == 0) {
                // Mowing stripes on the diagonal, period 16.
                bool stripe = ((px + py) % 16) < 8;
                c = stripe ? s.fairStripe : s.fair;
                float n = Noise(px * 0.5f, py * 0.5f, seed, 16);
                if (n > 0.78f) c = Shade(c, 1.08f);
                if (s.kind == 1 && (Noise(px * 0.9f, py * 0.9f, seed + 5, 29) > 0.93f)) c = Mix(c, Rgb(235, 245, 255), 0.7f);
            } else if (which == 1) {
                c = s.rough;
                float n = Noise(px * 0.35f, py * 0.35f, seed, 11);
                c = Mix(c, Shade(c, 0.85f), n);
            } else {
                bool chk = ((px / 4 + py / 4) % 2) == 0;
                c = chk ? s.greenLight : s.green;
            }
            cv.Blend(x, y, c, 1);
        }
    if (which == 1) {
        // Grass tufts (or snowy lumps, or leaves), placed on the 32 period.
        Rng r(seed);
        for (int i = 0; i < 7; i++) {
            float tx = r.R(3, 29), ty = r.R(3, 29);
            for (int dx = -32; dx <= 32; dx += 32)
                for (int dy = -32; dy <= 32; dy += 32) {
                    float cx = tx + dx, cy = ty + dy;
                    if (cx < -4 || cy < -4 || cx > F + 4 || cy > F + 4) continue;
                    if (s.kind == 2 && i % 2 == 0) {
                        Draw(cv, Ellipse(cx, cy, 2.2f, 1.2f, r.R(0, 180)), Fill(i % 4 == 0 ? s.leafA : s.leafB, 0));
                    } else {
                        Col tc = s.roughTuft;
                        Draw(cv, Capsule(cx - 1.5f, cy + 1, cx - 2.5f, cy - 2, 0.6f), Fill(tc, 0));
                        Draw(cv, Capsule(cx, cy + 1, cx, cy - 3, 0.6f), Fill(tc, 0));
                        Draw(cv, Capsule(cx + 1.5f, cy + 1, cx + 2.5f, cy - 2, 0.6f), Fill(tc, 0));
                    }
                }
        }
    }
    for (int y = 0; y < F; y++)
        for (int x = 0; x < F; x++) {
            float e = EdgeAlpha(x, y, drawAlpha);
            float* p = cv.At(x, y);
            for (int k = 0; k < 4; k++) p[k] *= e;
        }
    return cv;
}

// ---- Small items ----
Canvas Ball() {
    Canvas cv(F, F);
    Draw(cv, Circle(18, 18, 4.6f), Fill(Rgb(250, 250, 255), 1.0f, 1.6f));
    cv.Blend(17, 17, Rgb(200, 205, 220), 0.7f);
    cv.Blend(19, 19, Rgb(200, 205, 220), 0.7f);
    return cv;
}

Canvas BallShadow() {
    Canvas cv(F, F);
    Draw(cv, Ellipse(18, 18.5f, 5, 3.4f), Fill(Rgb(10, 10, 20), 0));
    return cv;
}

Canvas Cup() {
    Canvas cv(F, F);
    Draw(cv, Ellipse(18, 18, 11, 7.5f), Fill(Rgb(240, 240, 230), 1.5f));
    Draw(cv, Ellipse(18, 18.6f, 8.2f, 5.2f), Fill(Rgb(20, 16, 24), 0));
    Draw(cv, Ellipse(18, 20.5f, 6, 2.6f), Fill(Rgb(50, 44, 56), 0));
    return cv;
}

Canvas Flag(const Season& s) {
    Canvas cv(F, F);
    Shape cloth = Poly({18, 3, 26, 4.5f, 32, 7, 26, 10.5f, 18, 13});
    Draw(cv, Wobble(cloth, 0.6f, 0.4f, 7), Fill(s.flag, 1, 2));
    Draw(cv, Capsule(17.5f, 2.5f, 17.5f, 33.5f, 1.1f), Fill(Rgb(245, 245, 250), 0.9f));
    Draw(cv, Circle(17.5f, 2.5f, 1.6f), Fill(Rgb(255, 220, 60), 0.8f));
    return cv;
}

// ---- Birds (front view; wings 0 folded, 1 up, 2 down) ----
Canvas Chick(const Season& s, int pose, bool blink) {
    Canvas cv(F, F);
    bool fly = pose > 0;
    float by = fly ? 19 : 22;
    if (!fly) {
        for (int side = -1; side <= 1; side += 2) {
            float fx = 18 + side * 4;
            Draw(cv, Capsule(fx, by + 8, fx, 33, 0.9f), Fill(s.chickBeak, 0.8f));
            Draw(cv, Ellipse(fx + side * 0.8f, 33.3f, 2.6f, 1.2f), Fill(s.chickBeak, 0.8f));
        }
    }
    // Wings behind the body when raised.
    for (int side = -1; side <= 1; side += 2) {
        float wx = 18 + side * 10;
        if (pose == 1) Draw(cv, Ellipse(wx + side * 2, by - 7, 4, 8, side * 35.0f), Fill(Shade(s.chickBody, 0.85f), 1, 1.5f));
        if (pose == 2) Draw(cv, Ellipse(wx + side * 2, by + 5, 4, 7, side * -40.0f), Fill(Shade(s.chickBody, 0.85f), 1, 1.5f));
    }
    Shape body = Circle(18, by, 11);
    Draw(cv, body, Fill(s.chickBody, 1, 3));
    Draw(cv, Intersect(Ellipse(18, by + 4, 7, 6), Offset(body, -1)), Fill(s.chickBelly, 0));
    // A tuft of feathers on top.
    Draw(cv, Capsule(18, by - 11, 16, by - 15, 1.0f), Fill(s.chickBody, 0.8f));
    Draw(cv, Capsule(18, by - 11, 21, by - 14, 1.0f), Fill(s.chickBody, 0.8f));
    if (!fly)
        for (int side = -1; side <= 1; side += 2)
            Draw(cv, Ellipse(18 + side * 10, by + 2, 3, 5.5f, side * 15.0f), Fill(Shade(s.chickBody, 0.85f), 1));
    if (s.chickExtra.a > 0) {  // a winter scarf
        Draw(cv, Intersect(RoundRect(18, by + 6.5f, 12, 2.2f, 1), Offset(body, 0.5f)), Fill(s.chickExtra, 1));
        Draw(cv, RoundRect(23, by + 10.5f, 1.8f, 3.5f, 1, -15), Fill(s.chickExtra, 1));
    }
    for (int side = -1; side <= 1; side += 2) {
        float ex = 18 + side * 4.2f, ey = by - 3;
        if (blink) {
            Draw(cv, Capsule(ex - 2, ey, ex + 2, ey, 0.7f), Fill(kInk, 0));
        } else {
            Draw(cv, Ellipse(ex, ey, 2.4f, 3.0f), Fill(Col{1, 1, 1, 1}, 0.8f));
            Draw(cv, Circle(ex + side * -0.4f, ey + 0.5f, 1.3f), Fill(kInk, 0));
        }
    }
    if (blink && !fly) {  // chirping: beak open
        Draw(cv, Poly({15.5f, by, 20.5f, by, 18, by - 2.2f}), Fill(s.chickBeak, 0.8f));
        Draw(cv, Poly({15.8f, by + 1.2f, 20.2f, by + 1.2f, 18, by + 4}), Fill(Shade(s.chickBeak, 0.8f), 0.8f));
    } else {
        Draw(cv, Poly({15.5f, by, 20.5f, by, 18, by + 3.5f}), Fill(s.chickBeak, 0.8f));
    }
    Draw(cv, Ellipse(11.5f, by + 1, 1.6f, 1, 0), Fill(Rgb(255, 130, 140, 0.8f), 0));
    Draw(cv, Ellipse(24.5f, by + 1, 1.6f, 1, 0), Fill(Rgb(255, 130, 140, 0.8f), 0));
    return cv;
}

Canvas Jay(const Season& s, int pose, bool blink) {
    Canvas cv(F, F);
    bool fly = pose > 0;
    float by = fly ? 20 : 23;
    // Tail fan behind the body.
    for (int i = -1; i <= 1; i++)
        Draw(cv, Ellipse(18 + i * 4.0f, by + 9, 2.6f, 6, i * 25.0f), Fill(s.jayWing, 1, 1.5f));
    if (!fly)
        for (int side = -1; side <= 1; side += 2) {
            float fx = 18 + side * 3.5f;
            Draw(cv, Capsule(fx, by + 8, fx, 33, 0.8f), Fill(Rgb(90, 80, 90), 0.7f));
            Draw(cv, Ellipse(fx + side * 0.8f, 33.3f, 2.4f, 1.1f), Fill(Rgb(90, 80, 90), 0.7f));
        }
    for (int side = -1; side <= 1; side += 2) {
        float wx = 18 + side * 9;
        if (pose == 1)
            Draw(cv, Poly({wx - side * 2, by - 2, wx + side * 9, by - 15, wx + side * 7, by - 7, wx + side * 10, by - 8,
                           wx + side * 4, by + 2}),
                 Fill(s.jayWing, 1, 1.5f));
        if (pose == 2)
            Draw(cv, Poly({wx - side * 2, by - 3, wx + side * 10, by + 6, wx + side * 6, by + 5, wx + side * 7, by + 10,
                           wx, by + 4}),
                 Fill(s.jayWing, 1, 1.5f));
    }
    Shape body = Ellipse(18, by + 1, 8.5f, 9.5f);
    Draw(cv, body, Fill(s.jayBody, 1, 3));
    Draw(cv, Intersect(Ellipse(18, by + 4, 5.5f, 6.5f), Offset(body, -1)), Fill(s.jayBelly, 0));
    if (!fly)
        for (int side = -1; side <= 1; side += 2)
            Draw(cv, Ellipse(18 + side * 8, by + 2, 2.8f, 6.5f, side * 12.0f), Fill(s.jayWing, 1, 1.2f));
    // Crest: three swept feathers.
    float hy = by - 10;
    Draw(cv, Poly({15, hy - 3, 12, hy - 11, 17.5f, hy - 5}), Fill(s.jayCrest, 1));
    Draw(cv, Poly({16.5f, hy - 4, 18, hy - 13, 20, hy - 4}), Fill(s.jayCrest, 1));
    Draw(cv, Poly({18.5f, hy - 4, 24, hy - 11, 21, hy - 2}), Fill(s.jayCrest, 1));
    Shape head = Circle(18, hy, 6.8f);
    Draw(cv, head, Fill(s.jayBody, 1, 2.5f));
    Draw(cv, Intersect(Ellipse(18, hy + 3.5f, 4.5f, 3), Offset(head, -1)), Fill(s.jayBelly, 0));
    for (int side = -1; side <= 1; side += 2) {
        float ex = 18 + side * 3.0f, ey = hy - 1;
        if (blink) {
            Draw(cv, Capsule(ex - 1.6f, ey, ex + 1.6f, ey, 0.7f), Fill(kInk, 0));
        } else {
            Draw(cv, Circle(ex, ey, 2.2f), Fill(Col{1, 1, 1, 1}, 0.8f));
            Draw(cv, Circle(ex, ey + 0.3f, 1.1f), Fill(kInk, 0));
        }
    }
    Draw(cv, Poly({16, hy + 1.5f, 20, hy + 1.5f, 18, hy + 5.5f}), Fill(Rgb(255, 190, 60), 0.8f));
    return cv;
}

// ---- Scenery (the foot of each piece sits near the bottom of the frame) ----
struct Painter {
    Canvas cv{F, F};
    const Season& s;
    explicit Painter(const Season& se) : s(se) {}
    void D(const Shape& sh, Col c, float lw = 1, float shade = 0) { Draw(cv, sh, Fill(c, lw, shade)); }
    // Snow resting on the upper part of a shape (winter only).
    void Snow(const Shape& sh, float yTop, float depth, uint32_t seed = 3) {
        if (s.kind != 1) return;
        float base = yTop + depth;
        Shape band{[=](float x, float y) { return y - (base + 1.2f * std::sin(x * 1.3f + seed)); },
                   Box{sh.box.x0, sh.box.y0 - 1, sh.box.x1, base + 2}};
        Shape cap = Intersect(Offset(sh, 0.6f), band);
        Draw(cv, cap, Fill(Rgb(246, 250, 255), 1, 1.2f));
    }
};

Shape Foliage(float cx, float cy, float rx, float ry, uint32_t seed) {
    Rng r(seed);
    Shape sh = Ellipse(cx, cy, rx * 0.75f, ry * 0.75f);
    for (int i = 0; i < 7; i++) {
        float a = Rad(i * 360.0f / 7 + r.R(-15, 15));
        float px = cx + std::sin(a) * rx * 0.55f, py = cy - std::cos(a) * ry * 0.55f;
        sh = SmoothUnion(sh, Circle(px, py, std::min(rx, ry) * r.R(0.42f, 0.55f)), 1.5f);
    }
    return sh;
}

void LeafMarks(Painter& p, const Shape& fol, Col c, uint32_t seed, int count) {
    Rng r(seed);
    for (int i = 0; i < count; i++) {
        float x = r.R(fol.box.x0 + 2, fol.box.x1 - 2), y = r.R(fol.box.y0 + 2, fol.box.y1 - 2);
        if (fol.d(x, y) > -2) continue;
        Draw(p.cv, Capsule(x - 1, y + 0.5f, x + 1, y - 0.5f, 0.55f), Fill(c, 0));
    }
}

void Trunk(Painter& p, float x, float yTop, float yBot, float w) {
    p.D(Poly({x - w, yBot, x - w * 0.7f, yTop, x + w * 0.7f, yTop, x + w, yBot}), p.s.trunk, 1, 1.5f);
    p.D(Ellipse(x - w - 1, yBot - 0.5f, 2, 1), p.s.trunk, 1);
    p.D(Ellipse(x + w + 1, yBot - 0.5f, 2, 1), p.s.trunk, 1);
}

void FlowerHead(Painter& p, float x, float y, float r, Col petal, Col centre, int petals = 5) {
    for (int i = 0; i < petals; i++) {
        float a = Rad(i * 360.0f / petals);
        p.D(Circle(x + std::sin(a) * r * 0.7f, y - std::cos(a) * r * 0.7f, r * 0.55f), petal, 0.8f);
    }
    p.D(Circle(x, y, r * 0.42f), centre, 0.6f);
}

void Stem(Painter& p, float x0, float y0, float x1, float y1) {
    p.D(Capsule(x0, y0, x1, y1, 0.6f), p.s.kind == 1 ? Rgb(90, 120, 100) : Rgb(50, 140, 50), 0);
}

Canvas Scenery(const Season& s, int piece) {
    Painter p(s);
    bool winter = s.kind == 1, autumn = s.kind == 2;
    Col leafA = s.leafA, leafB = s.leafB, leafC = s.leafC;
    switch (piece) {
        case 0: {  // round oak
            Trunk(p, 18, 20, 34, 3);
            if (winter) {  // bare branches, snow on top
                p.D(Capsule(18, 22, 10, 12, 1.2f), s.trunk, 1);
                p.D(Capsule(18, 20, 26, 10, 1.2f), s.trunk, 1);
                p.D(Capsule(18, 18, 17, 6, 1.2f), s.trunk, 1);
                p.D(Capsule(11, 13, 7, 10, 0.8f), s.trunk, 0.8f);
                p.D(Capsule(25, 11, 30, 8, 0.8f), s.trunk, 0.8f);
                p.D(Ellipse(10, 11.5f, 2.5f, 1.2f), Rgb(246, 250, 255), 0.8f);
                p.D(Ellipse(26, 9.5f, 2.5f, 1.2f), Rgb(246, 250, 255), 0.8f);
                p.D(Ellipse(17, 5.5f, 2.2f, 1.1f), Rgb(246, 250, 255), 0.8f);
                break;
            }
            Shape fol = Foliage(18, 13, 15, 11.5f, 11);
            p.D(fol, leafA, 1, 3);
            LeafMarks(p, fol, Shade(leafA, 0.8f), 12, 14);
            break;
        }
        case 1: {  // tall pine
            p.D(RoundRect(18, 31, 2.2f, 3.5f, 0.5f), s.trunk, 1);
            for (int i = 0; i < 3; i++) {
                float top = 2 + i * 8.0f, bot = 15 + i * 8.0f, hw = 7 + i * 3.5f;
                Shape tier = Poly({18, top, 18 + hw, bot, 18 - hw, bot});
                p.D(tier, winter ? leafB : (autumn ? Rgb(60, 120, 70) : leafB), 1, 2.5f);
                p.Snow(tier, top, 4 + i, i);
            }
            break;
        }
        case 2: {  // birch
            p.D(Poly({16.5f, 34, 17, 10, 19.5f, 10, 20.5f, 34}), Rgb(245, 240, 230), 1);
            for (int i = 0; i < 5; i++) p.D(Capsule(17.5f, 14 + i * 4.5f, 19.2f, 14.5f + i * 4.5f, 0.5f), kInk, 0);
            Shape fol = Union(Foliage(14, 11, 8, 8, 21), Foliage(23, 13, 8, 8, 22));
            if (winter) {
                p.D(Capsule(18, 14, 11, 6, 0.8f), Rgb(245, 240, 230), 0.8f);
                p.D(Capsule(19, 12, 26, 5, 0.8f), Rgb(245, 240, 230), 0.8f);
                p.D(Ellipse(11.5f, 5.5f, 2, 1), Rgb(246, 250, 255), 0.6f);
                p.D(Ellipse(25.5f, 4.5f, 2, 1), Rgb(246, 250, 255), 0.6f);
            } else {
                p.D(fol, autumn ? leafC : leafC, 1, 2.5f);
                LeafMarks(p, fol, Shade(leafC, 0.8f), 23, 10);
            }
            break;
        }
        case 3: {  // fruit tree
            Trunk(p, 18, 22, 34, 2.6f);
            Shape fol = Foliage(18, 14, 13, 11, 31);
            p.D(fol, winter ? Rgb(230, 240, 250) : leafA, 1, 3);
            Rng r(33);
            for (int i = 0; i < 7; i++) {
                float x = r.R(8, 28), y = r.R(7, 21);
                if (fol.d(x, y) > -2.5f) continue;
                p.D(Circle(x, y, 1.7f), winter ? s.berry : (autumn ? Rgb(250, 210, 60) : Rgb(235, 50, 50)), 0.7f);
                p.cv.Blend((int)x - 1, (int)y - 1, Col{1, 1, 1, 1}, 0.8f);
            }
            break;
        }
        case 4: {  // poplar
            p.D(RoundRect(18, 31, 1.8f, 3.5f, 0.5f), s.trunk, 1);
            Shape fol = Ellipse(18, 16, 6.5f, 14);
            p.D(Wobble(fol, 0.8f, 0.5f, 41), autumn ? Rgb(250, 200, 50) : leafB, 1, 2.5f);
            LeafMarks(p, fol, Shade(autumn ? Rgb(250, 200, 50) : leafB, 0.8f), 42, 10);
            p.Snow(fol, 2, 6);
            break;
        }
        case 5: {  // sapling
            p.D(Capsule(18, 22, 18, 34, 1), s.trunk, 0.8f);
            Shape fol = Foliage(18, 20, 7, 6, 51);
            p.D(fol, autumn ? Rgb(230, 80, 40) : leafC, 1, 2);
            p.Snow(fol, 14, 3);
            p.D(Capsule(14, 33, 22, 33, 0.8f), p.s.grass, 0.6f);
            break;
        }
        case 6: {  // twin pines
            for (int k = 0; k < 2; k++) {
                float x = k ? 25 : 11, sc = k ? 0.8f : 1.0f, base = 34;
                p.D(RoundRect(x, base - 2, 1.5f, 2, 0.3f), s.trunk, 0.8f);
                for (int i = 0; i < 3; i++) {
                    float top = base - 30 * sc + i * 7 * sc, bot = top + 11 * sc, hw = (5 + i * 2.5f) * sc;
                    Shape tier = Poly({x, top, x + hw, bot, x - hw, bot});
                    p.D(tier, autumn ? Rgb(70, 130, 80) : leafB, 1, 2);
                    p.Snow(tier, top, 3, i + k);
                }
            }
            break;
        }
        case 7: {  // round bush
            Shape b = Foliage(18, 26, 12, 8, 71);
            p.D(b, leafA, 1, 3);
            LeafMarks(p, b, Shade(leafA, 0.8f), 72, 8);
            p.Snow(b, 18, 4);
            break;
        }
        case 8: {  // berry bush
            Shape b = Foliage(18, 27, 11, 7, 81);
            p.D(b, winter ? leafB : leafB, 1, 3);
            Rng r(82);
            for (int i = 0; i < 9; i++) {
                float x = r.R(9, 27), y = r.R(22, 32);
                if (b.d(x, y) > -1.5f) continue;
                p.D(Circle(x, y, 1.4f), s.berry, 0.6f);
            }
            p.Snow(b, 20, 3);
            break;
        }
        case 9: {  // hedge
            Shape h = RoundRect(18, 27, 16, 7, 4);
            p.D(Wobble(h, 0.7f, 0.6f, 91), winter ? leafB : (autumn ? Rgb(200, 110, 40) : leafB), 1, 3);
            LeafMarks(p, h, Shade(leafB, 0.75f), 92, 12);
            p.Snow(h, 20, 3);
            break;
        }
        case 10: {  // three small shrubs
            const float xs[3] = {9, 27, 18}, ys[3] = {29, 29, 27}, rs[3] = {6, 6, 7.5f};
            for (int i = 0; i < 3; i++) {
                Shape b = Foliage(xs[i], ys[i], rs[i], rs[i] * 0.8f, 101 + i);
                Col c = i == 2 ? leafA : leafC;
                p.D(b, c, 1, 2);
                p.Snow(b, ys[i] - rs[i] * 0.8f, 2, i);
            }
            break;
        }
        case 11: {  // boulder
            Shape r = Wobble(Ellipse(18, 26, 13, 8.5f), 1.0f, 0.3f, 111);
            p.D(r, s.rock, 1, 3.5f);
            p.D(Capsule(12, 25, 15, 27, 0.5f), Shade(s.rock, 0.7f), 0);
            p.Snow(r, 17.5f, 3);
            if (autumn) p.D(Ellipse(22, 19.5f, 2.5f, 1.2f, 20), s.leafB, 0.6f);
            break;
        }
        case 12: {  // rock pile
            const float xs[3] = {11, 25, 18}, ys[3] = {29, 29.5f, 25}, rx[3] = {7, 6.5f, 7}, ry[3] = {5, 4.5f, 5};
            for (int i = 0; i < 3; i++) {
                Shape r = Wobble(Ellipse(xs[i], ys[i], rx[i], ry[i]), 0.6f, 0.4f, 121 + i);
                p.D(r, Shade(s.rock, 1 - i * 0.06f), 1, 2.5f);
                p.Snow(r, ys[i] - ry[i], 2, i);
            }
            break;
        }
        case 13: {  // stepping stones
            Rng r(131);
            for (int i = 0; i < 5; i++) {
                float x = 7 + i * 5.5f, y = 33 - (i % 2) * 3.0f - i * 0.6f;
                Shape st = Ellipse(x, y, r.R(2.5f, 3.5f), r.R(1.5f, 2.2f));
                p.D(st, Shade(s.rock, 1.05f), 1, 1.2f);
                p.Snow(st, y - 2, 1, i);
            }
            break;
        }
        case 14: {  // mossy rock
            Shape r = Wobble(RoundRect(18, 27, 11, 7, 5), 0.8f, 0.35f, 141);
            p.D(r, Shade(s.rock, 0.92f), 1, 3);
            if (!winter) {
                Shape cap{[=](float x, float y) { return y - (23 + 1.5f * std::sin(x * 1.1f)); }, Box{0, 0, 36, 27}};
                p.D(Intersect(Offset(r, 0.6f), cap), s.moss, 1, 1.2f);
            } else {
                p.Snow(r, 20, 3.5f);
            }
            break;
        }
        case 15: {  // standing stone
            Shape st = Wobble(RoundRect(18, 22, 5.5f, 12, 4), 0.5f, 0.4f, 151);
            p.D(st, Shade(s.rock, 0.95f), 1, 3);
            p.D(Capsule(16, 17, 20, 21, 0.5f), Shade(s.rock, 0.65f), 0);
            p.D(Capsule(17, 26, 19.5f, 24, 0.5f), Shade(s.rock, 0.65f), 0);
            p.Snow(st, 10, 3);
            p.D(Ellipse(18, 34, 8, 1.2f), s.grass, 0.6f);
            break;
        }
        case 16: {  // tulips
            for (int i = 0; i < 4; i++) {
                float x = 9 + i * 6.0f, top = 21 + (i % 2) * 4.0f;
                Stem(p, x, top, x + (i - 1.5f) * 0.5f, 34);
                p.D(Ellipse(x + (i % 2 ? 2.0f : -2.0f), top + 6, 1.2f, 3, i % 2 ? 30.0f : -30.0f), p.s.grass, 0.6f);
                p.D(Poly({x - 3, top - 2, x - 1.5f, top - 4.5f, x, top - 2, x + 1.5f, top - 4.5f, x + 3, top - 2, x + 2.5f,
                          top + 2, x - 2.5f, top + 2}),
                    i % 2 ? s.flowerA : Shade(s.flowerA, 1.15f), 0.8f, 1.2f);
            }
            break;
        }
        case 17: {  // daisies
            Rng r(171);
            for (int i = 0; i < 6; i++) {
                float x = r.R(7, 29), y = r.R(22, 31);
                Stem(p, x, y, x, 34);
                FlowerHead(p, x, y, 3.2f, winter ? Rgb(230, 240, 255) : Rgb(250, 250, 250), Rgb(255, 200, 40), 6);
            }
            break;
        }
        case 18: {  // sunflower (winter: a snowman, autumn: a tall aster)
            if (winter) {
                p.D(Circle(18, 28, 6.5f), Rgb(246, 250, 255), 1, 2);
                p.D(Circle(18, 18.5f, 5), Rgb(246, 250, 255), 1, 2);
                p.D(RoundRect(18, 12.5f, 4, 1, 0.5f), Rgb(40, 40, 60), 1);
                p.D(RoundRect(18, 9.5f, 2.6f, 3, 0.5f), Rgb(40, 40, 60), 1);
                p.D(Poly({18, 18.5f, 23, 19.5f, 18, 20}), Rgb(255, 140, 40), 0.5f);
                p.D(Circle(16.3f, 17.3f, 0.8f), kInk, 0);
                p.D(Circle(19.7f, 17.3f, 0.8f), kInk, 0);
                p.D(RoundRect(18, 23, 5, 1.3f, 0.6f), s.flowerA, 0.8f);
                p.D(Capsule(12, 25, 7, 21, 0.6f), s.trunk, 0);
                p.D(Capsule(24, 25, 29, 21, 0.6f), s.trunk, 0);
                break;
            }
            Stem(p, 18, 10, 18, 34);
            p.D(Ellipse(14.5f, 24, 3.5f, 1.6f, -30), p.s.grass, 0.8f);
            p.D(Ellipse(21.5f, 20, 3.5f, 1.6f, 30), p.s.grass, 0.8f);
            FlowerHead(p, 18, 9, 7.5f, autumn ? s.flowerB : Rgb(255, 210, 40), Rgb(130, 80, 40), 10);
            break;
        }
        case 19: {  // bluebells
            for (int i = 0; i < 3; i++) {
                float x = 10 + i * 8.0f;
                p.D(Capsule(x, 34, x + 1, 18 + i % 2 * 3, 0.6f), p.s.grass, 0);
                for (int k = 0; k < 3; k++) {
                    float bx = x + 2 + k * 0.3f, byy = 20 + i % 2 * 3 + k * 4.0f;
                    p.D(Poly({bx - 1.8f, byy - 1.5f, bx + 1.8f, byy - 1.5f, bx + 2.4f, byy + 1.8f, bx - 2.4f, byy + 1.8f}),
                        s.flowerC, 0.8f, 1);
                }
            }
            break;
        }
        case 20: {  // flower patch
            p.D(Ellipse(18, 31, 14, 4), p.s.grass, 1, 1.5f);
            Rng r(201);
            const Col cs[3] = {s.flowerA, s.flowerB, s.flowerC};
            for (int i = 0; i < 8; i++) {
                float x = r.R(7, 29), y = r.R(26, 32);
                FlowerHead(p, x, y, 2.3f, cs[i % 3], Rgb(255, 250, 200));
            }
            p.Snow(Ellipse(18, 31, 14, 4), 27, 1.5f);
            break;
        }
        case 21: {  // stump
            Shape side = RoundRect(18, 28, 9, 6, 2);
            p.D(side, s.trunk, 1, 2.5f);
            p.D(Ellipse(18, 22.5f, 9, 3.5f), Shade(s.trunk, 1.35f), 1);
            p.D(Ellipse(18, 22.5f, 5, 1.8f), Shade(s.trunk, 1.15f), 0.6f);
            p.D(Ellipse(9, 33, 3, 1.3f), s.trunk, 1);
            p.D(Ellipse(27, 33, 3, 1.3f), s.trunk, 1);
            if (winter) p.D(Ellipse(18, 21.5f, 9.5f, 3.5f), Rgb(246, 250, 255), 1, 1);
            if (autumn) p.D(Ellipse(21, 22, 2.5f, 1.2f, 25), s.leafB, 0.6f);
            break;
        }
        case 22: {  // log
            Shape lg = RoundRect(17, 28, 13, 4.5f, 4);
            p.D(lg, s.trunk, 1, 2);
            p.D(Ellipse(29, 28, 2.6f, 4.5f), Shade(s.trunk, 1.35f), 1);
            p.D(Ellipse(29, 28, 1.2f, 2.2f), Shade(s.trunk, 1.1f), 0.5f);
            p.D(Capsule(9, 27, 20, 27, 0.45f), Shade(s.trunk, 0.7f), 0);
            p.Snow(lg, 23.5f, 2);
            if (!winter) p.D(Ellipse(12, 23.5f, 3, 1.5f), autumn ? s.leafA : s.moss, 0.7f);
            break;
        }
        case 23: {  // toadstools
            const float xs[2] = {13, 24}, hs[2] = {1.0f, 0.75f};
            for (int i = 0; i < 2; i++) {
                float x = xs[i], k = hs[i], base = 34;
                p.D(RoundRect(x, base - 5 * k, 2.2f * k, 5 * k, 1.5f), Rgb(250, 244, 230), 1);
                Shape cap = Intersect(Ellipse(x, base - 9 * k, 7 * k, 6 * k), Above(base - 8.5f * k));
                p.D(cap, winter ? Rgb(200, 60, 70) : Rgb(230, 50, 50), 1, 2);
                p.D(Circle(x - 2.5f * k, base - 12 * k, 1.2f * k), Col{1, 1, 1, 1}, 0);
                p.D(Circle(x + 2 * k, base - 10.5f * k, 1.0f * k), Col{1, 1, 1, 1}, 0);
                p.D(Circle(x + 0.5f, base - 13.5f * k, 0.9f * k), Col{1, 1, 1, 1}, 0);
                p.Snow(cap, base - 15 * k, 2, i);
            }
            break;
        }
        case 24: {  // reeds
            for (int i = 0; i < 5; i++) {
                float x = 9 + i * 4.5f, top = 8 + (i % 3) * 4.0f;
                p.D(Capsule(x, 34, x + (i - 2) * 0.8f, top, 0.7f), winter ? Rgb(150, 170, 150) : p.s.grass, 0.6f);
                if (i % 2 == 0) p.D(RoundRect(x + (i - 2) * 0.6f, top + 5, 1.6f, 3.5f, 1.5f), Rgb(130, 80, 40), 1);
            }
            p.D(Ellipse(18, 34, 12, 1.5f), Rgb(90, 150, 210), 0.6f);
            break;
        }
        case 25: {  // fern
            Col c = winter ? Rgb(90, 140, 120) : (autumn ? Rgb(200, 130, 40) : Rgb(60, 160, 70));
            for (int f = -2; f <= 2; f++) {
                float ang = f * 28.0f;
                float ex = 18 + std::sin(Rad(ang)) * 15, ey = 34 - std::cos(Rad(ang)) * 15;
                p.D(Capsule(18, 34, ex, ey, 0.6f), Shade(c, 0.7f), 0);
                for (int k = 1; k <= 5; k++) {
                    float t = k / 6.0f, lx = 18 + (ex - 18) * t, ly = 34 + (ey - 34) * t;
                    float sz = 3.2f * (1 - t * 0.6f);
                    p.D(Ellipse(lx, ly, sz, 1.2f, ang + 70), c, 0.6f);
                    p.D(Ellipse(lx, ly, sz, 1.2f, ang - 70), c, 0.6f);
                }
            }
            break;
        }
        case 26: {  // tall grass
            Col c = winter ? Rgb(170, 190, 180) : (autumn ? Rgb(210, 170, 80) : Rgb(100, 190, 70));
            for (int i = 0; i < 7; i++) {
                float x = 8 + i * 3.3f, lean = (i - 3) * 1.6f;
                Shape blade = Poly({x - 1.2f, 34, x + 1.2f, 34, x + lean, 14.0f + (i % 3) * 4});
                p.D(blade, i % 2 ? c : Shade(c, 0.85f), 0.7f);
            }
            break;
        }
        case 27: {  // fence
            Col wood = Rgb(200, 150, 90);
            p.D(RoundRect(18, 22, 15, 1.5f, 0.6f), wood, 1);
            p.D(RoundRect(18, 28, 15, 1.5f, 0.6f), wood, 1);
            for (int i = 0; i < 3; i++) {
                float x = 6 + i * 12.0f;
                Shape post = Poly({x - 2, 34, x - 2, 18, x, 15.5f, x + 2, 18, x + 2, 34});
                p.D(post, wood, 1, 1.2f);
                p.Snow(post, 15.5f, 2, i);
            }
            break;
        }
        case 28: {  // birdhouse on a post
            p.D(RoundRect(18, 27, 1.5f, 7.5f, 0.5f), Rgb(160, 110, 70), 1);
            p.D(RoundRect(18, 15, 6, 6, 1), autumn ? Rgb(230, 160, 60) : Rgb(250, 220, 120), 1, 2);
            Shape roof = Poly({10, 11, 18, 4, 26, 11, 24, 12, 18, 7, 12, 12});
            p.D(roof, s.flag, 1, 1.2f);
            p.D(Circle(18, 15, 2), kInk, 0);
            p.D(Capsule(18, 19, 18, 19.5f, 0.6f), Rgb(160, 110, 70), 0);
            p.Snow(roof, 4, 2.5f);
            break;
        }
    }
    return p.cv;
}

void MakeTileSet(const Out& o, const Season& s) {
    std::vector<Canvas> frames(49, Canvas(F, F));
    for (int i = 0; i < 3; i++) frames[i] = GroundTile(s, i);
    frames[3] = Ball();
    frames[4] = BallShadow();
    frames[5] = Cup();
    frames[6] = Flag(s);
    frames[12] = Chick(s, 0, false);
    frames[13] = Chick(s, 0, true);
    frames[14] = Chick(s, 1, false);
    frames[15] = Chick(s, 2, false);
    frames[16] = Jay(s, 0, false);
    frames[17] = Jay(s, 0, true);
    frames[18] = Jay(s, 1, false);
    frames[19] = Jay(s, 2, false);
    for (int i = 0; i < 29; i++) frames[20 + i] = Scenery(s, i);
    SaveSheet(o, s.file, PackSheet(frames, F, F, 7, 7), F, F, 49);
}

// ---- The golfer: frame = pose + 7 * direction ----
// Directions 0 up (seen from behind), 1 right, 2 down (facing us), 3 left.
// Poses 0-3 walk, 4 address, 5 backswing, 6 follow-through.
const Col kSkin = Rgb(255, 204, 160), kCap = Rgb(230, 50, 50), kShirt = Rgb(110, 196, 250),
          kPants = Rgb(226, 196, 128), kShoe = Rgb(96, 52, 34), kHair = Rgb(120, 70, 40), kClub = Rgb(190, 195, 210);

void Club(Canvas& cv, float hx, float hy, float ex, float ey) {
    Draw(cv, Capsule(hx, hy, ex, ey, 0.75f), Fill(kClub, 0.7f));
    float dx = ex - hx, dy = ey - hy, l = std::hypot(dx, dy);
    float ux = dx / l, uy = dy / l;
    Draw(cv, Capsule(ex, ey, ex - uy * 2.5f + ux * 0.5f, ey + ux * 2.5f + uy * 0.5f, 1.3f), Fill(Rgb(90, 90, 110), 0.8f));
}

Canvas GolferFrontBack(int pose, bool front) {
    Canvas cv(F, F);
    float bob = (pose == 1 || pose == 3) ? -1.0f : 0.0f;
    float lf = 0, rf = 0;  // foot lifts for the walk
    if (pose == 0) lf = -2;
    if (pose == 2) rf = -2;
    float y0 = bob;
    // Club behind the body on the back view for the swing poses.
    auto drawClub = [&](bool behind) {
        if (pose == 4 && behind == !front) Club(cv, 18, 22 + y0, 19, 34);
        if (pose == 5 && behind == front) Club(cv, 23, 13 + y0, 31, 2);
        if (pose == 6 && behind == front) Club(cv, 13, 12 + y0, 5, 2);
    };
    drawClub(true);
    // Legs and shoes.
    for (int side = -1; side <= 1; side += 2) {
        float lift = side < 0 ? lf : rf;
        float x = 18 + side * 3.2f;
        Draw(cv, RoundRect(x, 27 + y0 + lift * 0.5f, 2.2f, 4.5f, 1), Fill(kPants, 1, 1));
        Draw(cv, Ellipse(x + side * 0.6f, 32.2f + lift, 3, 1.8f), Fill(kShoe, 1));
    }
    // Arms by pose.
    auto arm = [&](float sx, float sy, float hx, float hy) {
        Draw(cv, Capsule(sx, sy, hx, hy, 1.6f), Fill(kShirt, 1));
        Draw(cv, Circle(hx, hy, 1.6f), Fill(kSkin, 0.8f));
    };
    float swing = pose == 0 ? 2.0f : (pose == 2 ? -2.0f : 0.0f);
    // Body.
    Draw(cv, RoundRect(18, 19.5f + y0, 6, 5.5f, 2.5f), Fill(kShirt, 1, 2));
    Draw(cv, RoundRect(18, 23.5f + y0, 6, 1.2f, 0.5f), Fill(Rgb(40, 40, 60), 0.6f));  // belt
    if (pose <= 3) {
        arm(12, 16 + y0, 11.5f, 21 + y0 + swing);
        arm(24, 16 + y0, 24.5f, 21 + y0 - swing);
    } else if (pose == 4) {
        arm(12.5f, 16 + y0, 17, 22 + y0);
        arm(23.5f, 16 + y0, 19, 22 + y0);
    } else if (pose == 5) {
        arm(12.5f, 16 + y0, 22, 13 + y0);
        arm(23.5f, 16 + y0, 24, 13 + y0);
    } else {
        arm(12.5f, 16 + y0, 12, 12 + y0);
        arm(23.5f, 16 + y0, 14, 12 + y0);
    }
    // Head with cap.
    float hy = 9 + y0;
    Shape head = Circle(18, hy, 6.3f);
    Draw(cv, head, Fill(front ? kSkin : kHair, 1, 2));
    Shape cap = Intersect(Circle(18, hy - 0.5f, 6.8f), Above(hy - 1.2f));
    Draw(cv, cap, Fill(kCap, 1, 2));
    if (front) {
        Draw(cv, Ellipse(18, hy - 1.0f, 7.5f, 1.6f), Fill(Shade(kCap, 0.85f), 1));  // brim
        Draw(cv, Circle(15.5f, hy + 1.8f, 1.0f), Fill(kInk, 0));
        Draw(cv, Circle(20.5f, hy + 1.8f, 1.0f), Fill(kInk, 0));
        Draw(cv, Capsule(16.8f, hy + 4.0f, 19.2f, hy + 4.0f, 0.5f), Fill(Rgb(170, 70, 70), 0));
        Draw(cv, Ellipse(13.8f, hy + 3.2f, 1.2f, 0.7f), Fill(Rgb(255, 140, 140, 0.8f), 0));
        Draw(cv, Ellipse(22.2f, hy + 3.2f, 1.2f, 0.7f), Fill(Rgb(255, 140, 140, 0.8f), 0));
    } else {
        Draw(cv, Circle(18, hy - 5.8f, 1.2f), Fill(Shade(kCap, 1.2f), 0.6f));
    }
    drawClub(false);
    return cv;
}

Canvas GolferSide(int pose) {  // facing right
    Canvas cv(F, F);
    float bob = (pose == 1 || pose == 3) ? -1.0f : 0.0f, y0 = bob;
    // Leg positions for the walk: front and back foot x offsets.
    float a = 0, b = 0;
    if (pose == 0) { a = 4; b = -4; }
    if (pose == 2) { a = -4; b = 4; }
    if (pose == 4 || pose == 5 || pose == 6) { a = 2.5f; b = -2.5f; }
    auto leg = [&](float off, bool back) {
        Col pc = back ? Shade(kPants, 0.8f) : kPants;
        Draw(cv, Capsule(17.5f, 24 + y0, 17.5f + off, 31, 2.1f), Fill(pc, 1));
        Draw(cv, Ellipse(19 + off, 32.3f, 3.2f, 1.7f), Fill(back ? Shade(kShoe, 0.85f) : kShoe, 1));
    };
    if (pose == 5) Club(cv, 13, 12 + y0, 5, 2);  // raised behind
    leg(b, true);
    // Back arm.
    float swing = pose == 0 ? -3.0f : (pose == 2 ? 3.0f : 0.0f);
    if (pose <= 3) Draw(cv, Capsule(18, 16 + y0, 18 - swing, 22 + y0, 1.5f), Fill(Shade(kShirt, 0.85f), 1));
    Draw(cv, RoundRect(18, 19.5f + y0, 4.5f, 5.5f, 2.2f), Fill(kShirt, 1, 2));
    Draw(cv, RoundRect(18, 23.5f + y0, 4.5f, 1.2f, 0.5f), Fill(Rgb(40, 40, 60), 0.6f));
    leg(a, false);
    if (pose == 4) Club(cv, 22, 22 + y0, 28, 33);
    if (pose == 6) Club(cv, 22, 11 + y0, 31, 3);
    // Front arm.
    auto arm = [&](float hx, float hy) {
        Draw(cv, Capsule(18.5f, 16 + y0, hx, hy, 1.6f), Fill(kShirt, 1));
        Draw(cv, Circle(hx, hy, 1.6f), Fill(kSkin, 0.8f));
    };
    if (pose <= 3) arm(18.5f + swing, 22 + y0);
    if (pose == 4) arm(22, 22 + y0);
    if (pose == 5) arm(13, 12 + y0);
    if (pose == 6) arm(22, 11 + y0);
    // Head: face to the right.
    float hy = 9 + y0;
    Draw(cv, Circle(18, hy, 6.2f), Fill(kSkin, 1, 2));
    Draw(cv, Intersect(Circle(17.6f, hy, 6.2f), Shape{[=](float x, float) { return x - 16.5f; }, Box{10, 0, 17, 20}}),
         Fill(kHair, 1));
    Shape cap = Intersect(Circle(18, hy - 0.5f, 6.7f), Above(hy - 1.5f));
    Draw(cv, cap, Fill(kCap, 1, 2));
    Draw(cv, RoundRect(25, hy - 1.4f, 3.5f, 1.0f, 0.5f), Fill(Shade(kCap, 0.85f), 0.8f));  // brim to the front
    Draw(cv, Circle(21.5f, hy + 1.5f, 1.0f), Fill(kInk, 0));
    Draw(cv, Ellipse(24.3f, hy + 2.2f, 1.1f, 1.3f), Fill(kSkin, 0.6f));
    Draw(cv, Ellipse(20.5f, hy + 3.6f, 1.1f, 0.6f), Fill(Rgb(255, 140, 140, 0.8f), 0));
    return cv;
}

Canvas FlipX(const Canvas& c) {
    Canvas out(c.w, c.h);
    for (int y = 0; y < c.h; y++)
        for (int x = 0; x < c.w; x++) std::copy(c.At(c.w - 1 - x, y), c.At(c.w - 1 - x, y) + 4, out.At(x, y));
    return out;
}

void MakeGolfer(const Out& o) {
    std::vector<Canvas> frames(49, Canvas(F, F));
    for (int pose = 0; pose < 7; pose++) {
        frames[pose + 0] = GolferFrontBack(pose, false);
        frames[pose + 7] = GolferSide(pose);
        frames[pose + 14] = GolferFrontBack(pose, true);
        frames[pose + 21] = FlipX(frames[pose + 7]);
    }
    SaveSheet(o, "525/chr.png", PackSheet(frames, F, F, 7, 7), F, F, 49);
}

}  // namespace

Canvas SummerBird(int kind, int pose) {
    return kind == 1 ? Jay(Summer(), pose, false) : Chick(Summer(), pose, false);
}

void MakeWorld(const Out& o) {
    MakeTileSet(o, Summer());
    MakeTileSet(o, Winter());
    MakeTileSet(o, Autumn());
    MakeGolfer(o);
}

}  // namespace ag
