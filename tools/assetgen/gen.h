// The asset generator's shared toolkit: a float canvas, signed-distance shapes
// drawn with bold outlines and cel shading, a deterministic random source, and
// the writers for PNG, WAV and the contact sheets.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ag {

constexpr float kPi = 3.14159265358979f;
inline float Rad(float deg) { return deg * kPi / 180.0f; }
inline float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
inline float Clampf(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }
inline float Lerp(float a, float b, float t) { return a + (b - a) * t; }
inline float Smooth(float e0, float e1, float x) {
    float t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// A straight (not premultiplied) colour, components 0..1.
struct Col {
    float r = 0, g = 0, b = 0, a = 1;
};
inline Col Rgb(int r, int g, int b, float a = 1) { return Col{r / 255.0f, g / 255.0f, b / 255.0f, a}; }
inline Col Mix(Col x, Col y, float t) {
    return Col{Lerp(x.r, y.r, t), Lerp(x.g, y.g, t), Lerp(x.b, y.b, t), Lerp(x.a, y.a, t)};
}
inline Col Shade(Col c, float f) {  // f < 1 darkens towards a cool dark, f > 1 lightens towards white
    if (f < 1) return Mix(Col{0.08f, 0.06f, 0.14f, c.a}, c, f);
    return Mix(c, Col{1, 1, 1, c.a}, f - 1);
}
inline Col WithA(Col c, float a) { return Col{c.r, c.g, c.b, a}; }

// The outline colour of every sprite: a warm near-black that reads as "ink".
const Col kInk = Col{0.10f, 0.07f, 0.12f, 1};

// Deterministic random numbers (a PCG-style generator; never the standard
// distributions, whose output differs between library versions).
struct Rng {
    uint64_t s;
    explicit Rng(uint64_t seed) : s(seed * 6364136223846793005ULL + 1442695040888963407ULL) {}
    uint32_t Next() {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        uint32_t x = (uint32_t)(((s >> 18) ^ s) >> 27);
        uint32_t rot = (uint32_t)(s >> 59);
        return (x >> rot) | (x << ((32 - rot) & 31));
    }
    float F() { return (Next() >> 8) * (1.0f / 16777216.0f); }  // 0..1
    float R(float lo, float hi) { return lo + F() * (hi - lo); }
    int I(int lo, int hi) { return lo + (int)(Next() % (uint32_t)(hi - lo + 1)); }
};

// Smooth value noise over the plane, periodic with the given period (0 = not).
float Noise(float x, float y, uint32_t seed, int period = 0);

// A canvas of premultiplied float pixels.
struct Canvas {
    int w = 0, h = 0;
    std::vector<float> px;  // r, g, b, a premultiplied
    Canvas() {}
    Canvas(int w_, int h_) : w(w_), h(h_), px((size_t)w_ * h_ * 4, 0.0f) {}
    float* At(int x, int y) { return &px[((size_t)y * w + x) * 4]; }
    const float* At(int x, int y) const { return &px[((size_t)y * w + x) * 4]; }
    // Source-over of a straight colour with the given coverage.
    void Blend(int x, int y, Col c, float cov) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        float a = c.a * cov;
        if (a <= 0) return;
        float* p = At(x, y);
        p[0] = c.r * a + p[0] * (1 - a);
        p[1] = c.g * a + p[1] * (1 - a);
        p[2] = c.b * a + p[2] * (1 - a);
        p[3] = a + p[3] * (1 - a);
    }
    void Fill(Col c) {
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) {
                float* p = At(x, y);
                p[0] = c.r * c.a; p[1] = c.g * c.a; p[2] = c.b * c.a; p[3] = c.a;
            }
    }
    // Composites another canvas (premultiplied over) with its top-left at (ox, oy).
    void Paste(const Canvas& src, int ox, int oy, float alpha = 1);
    // Sets every pixel's alpha to 0 outside the rectangle.
    void ClearOutside(int x0, int y0, int x1, int y1);
};

// ---- Signed-distance shapes. Negative inside, in pixels. ----
using Sdf = std::function<float(float, float)>;

struct Box {
    float x0, y0, x1, y1;
};

struct Shape {
    Sdf d;
    Box box;  // bounding box of the inside (without the antialias margin)
};

Shape Circle(float cx, float cy, float r);
Shape Ellipse(float cx, float cy, float rx, float ry, float rotDeg = 0);
Shape RoundRect(float cx, float cy, float hw, float hh, float r, float rotDeg = 0);
Shape Capsule(float x0, float y0, float x1, float y1, float r);
Shape Poly(const std::vector<float>& xy);  // x0, y0, x1, y1, ...
Shape Ring(float cx, float cy, float r, float halfWidth);
Shape Star(float cx, float cy, float rOuter, float rInner, int points, float rotDeg = 0);
Shape Union(const Shape& a, const Shape& b);
Shape SmoothUnion(const Shape& a, const Shape& b, float k);
Shape Subtract(const Shape& a, const Shape& b);  // a minus b
Shape Intersect(const Shape& a, const Shape& b);
Shape Offset(const Shape& a, float by);  // grows (by > 0) or shrinks the shape
Shape Translate(const Shape& a, float dx, float dy);
Shape Wobble(const Shape& a, float amp, float freq, uint32_t seed);  // hand-drawn edge

// A shape from a coverage mask (for instance a rendered glyph run): its exact
// Euclidean distance field, sampled bilinearly.
Shape MaskShape(const std::vector<float>& mask, int w, int h, float ox = 0, float oy = 0, float scale = 1);

struct Style {
    Col fill{1, 1, 1, 1};
    Col line = kInk;
    float lw = 1.0f;       // inner stroke width in pixels (0 = none)
    float shade = 0;       // width of the cel-shading bands (0 = flat)
    float shadeDark = 0.72f, shadeLight = 1.22f;
    float lightDeg = 315;  // light from the top left
    std::function<Col(float, float)> fillFn;  // optional fill pattern
};
Style Fill(Col c, float lw = 1.0f, float shade = 0);

// Draws a shape: fill (with cel shading) and a stroke just inside its edge.
void Draw(Canvas& cv, const Shape& s, const Style& st);
// Draws only the outline band of the shape, outside it (a halo of width w).
void Halo(Canvas& cv, const Shape& s, Col c, float w);
// A blurred drop shadow of the canvas' own alpha, moved by (dx, dy).
void DropShadow(Canvas& cv, float dx, float dy, float radius, Col c);
// Puts a dark outline of width w around everything drawn (behind it).
void OutlineAlpha(Canvas& cv, float w, Col c = kInk);

// ---- Text through DejaVu Sans Bold. ----
// The glyph run as a coverage mask: height in pixels of a capital letter,
// squeeze < 1 makes letters narrower, track adds spacing.
struct TextMask {
    std::vector<float> m;
    int w = 0, h = 0;
    float baseline = 0;
};
TextMask RenderText(const std::string& text, float capHeight, float squeeze = 1, float track = 0);
bool FontInit(const std::string& ttfPath);

// Cartoon lettering for titles and banners: the text (bent along a gentle
// wave of `amp` pixels) fitted into maxW, centred on cx, top edge at `top`;
// *outH receives its height. DrawLettering paints it with a vertical gradient,
// a bold ink outline of width `ink` and a white rim outside that.
Shape Lettering(const std::string& text, float maxW, float cap, float amp, float cx, float top, float* outH);
void DrawLettering(Canvas& cv, const Shape& s, Col top, Col bottom, float y0, float y1, float ink);

// ---- Writers. ----
bool WritePng(const std::string& path, const Canvas& cv, bool withAlpha = true);
bool WriteWav16(const std::string& path, const std::vector<float>& samples, int rate, int channels);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
bool MakeDirs(const std::string& path);

// Packs frames into a sheet of cols x rows cells, left to right, top to bottom.
Canvas PackSheet(const std::vector<Canvas>& frames, int fw, int fh, int cols, int rows);

// ---- Asset groups (each writes its files under the data folder). ----
struct Out {
    std::string data;   // the data folder
    std::string sheets; // the contact-sheet folder
};
struct SheetInfo {  // one sprite sheet, for the contact sheets
    std::string file;
    int fw, fh, count;
};
extern std::vector<SheetInfo> gSheets;
void SaveSheet(const Out& o, const std::string& rel, const Canvas& sheet, int fw, int fh, int count,
               bool alpha = true);

void MakeFonts(const Out& o);
void MakeWorld(const Out& o);
void MakeInterface(const Out& o);
void MakeBackdrops(const Out& o);
void MakeSounds(const Out& o);
void MakeContactSheets(const Out& o);

// The summer birds (kind 1 the crested one, kind 2 the chick), 36 x 36, for the banners.
Canvas SummerBird(int kind, int pose);

// Small pixel text for the contact sheets' labels.
void DrawLabel(Canvas& cv, int x, int y, const std::string& text, Col c, int scale = 1);

}  // namespace ag
