// Canvas operations and signed-distance shapes.
#include <algorithm>
#include <limits>
#include <memory>

#include "gen.h"

namespace ag {

static uint32_t Hash(int x, int y, uint32_t seed) {
    uint32_t h = (uint32_t)x * 374761393u + (uint32_t)y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

float Noise(float x, float y, uint32_t seed, int period) {
    int x0 = (int)std::floor(x), y0 = (int)std::floor(y);
    float fx = x - x0, fy = y - y0;
    auto v = [&](int ix, int iy) {
        if (period > 0) {
            ix = ((ix % period) + period) % period;
            iy = ((iy % period) + period) % period;
        }
        return (Hash(ix, iy, seed) & 0xffffff) / 16777215.0f;
    };
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float a = Lerp(v(x0, y0), v(x0 + 1, y0), sx);
    float b = Lerp(v(x0, y0 + 1), v(x0 + 1, y0 + 1), sx);
    return Lerp(a, b, sy);
}

void Canvas::Paste(const Canvas& src, int ox, int oy, float alpha) {
    for (int y = 0; y < src.h; y++) {
        int ty = y + oy;
        if (ty < 0 || ty >= h) continue;
        for (int x = 0; x < src.w; x++) {
            int tx = x + ox;
            if (tx < 0 || tx >= w) continue;
            const float* s = src.At(x, y);
            float* d = At(tx, ty);
            float a = s[3] * alpha;
            for (int k = 0; k < 3; k++) d[k] = s[k] * alpha + d[k] * (1 - a);
            d[3] = a + d[3] * (1 - a);
        }
    }
}

void Canvas::ClearOutside(int x0, int y0, int x1, int y1) {
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (x < x0 || y < y0 || x >= x1 || y >= y1) std::fill(At(x, y), At(x, y) + 4, 0.0f);
}

// ---- Shapes ----

static Box Grow(Box b, float by) { return Box{b.x0 - by, b.y0 - by, b.x1 + by, b.y1 + by}; }
static Box Join(Box a, Box b) {
    return Box{std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Shape Circle(float cx, float cy, float r) {
    return Shape{[=](float x, float y) { return std::hypot(x - cx, y - cy) - r; },
                 Box{cx - r, cy - r, cx + r, cy + r}};
}

Shape Ellipse(float cx, float cy, float rx, float ry, float rotDeg) {
    float c = std::cos(Rad(rotDeg)), s = std::sin(Rad(rotDeg));
    float ext = std::max(rx, ry);
    return Shape{[=](float x, float y) {
                     float dx = x - cx, dy = y - cy;
                     float px = dx * c + dy * s, py = -dx * s + dy * c;
                     float k0 = std::hypot(px / rx, py / ry);
                     float k1 = std::hypot(px / (rx * rx), py / (ry * ry));
                     if (k1 < 1e-6f) return -std::min(rx, ry);
                     return k0 * (k0 - 1) / k1;
                 },
                 Box{cx - ext, cy - ext, cx + ext, cy + ext}};
}

Shape RoundRect(float cx, float cy, float hw, float hh, float r, float rotDeg) {
    float c = std::cos(Rad(rotDeg)), s = std::sin(Rad(rotDeg));
    float ext = std::hypot(hw, hh);
    return Shape{[=](float x, float y) {
                     float dx = x - cx, dy = y - cy;
                     float px = std::fabs(dx * c + dy * s), py = std::fabs(-dx * s + dy * c);
                     float qx = px - hw + r, qy = py - hh + r;
                     float out = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
                     return out + std::min(std::max(qx, qy), 0.0f) - r;
                 },
                 Box{cx - ext, cy - ext, cx + ext, cy + ext}};
}

Shape Capsule(float x0, float y0, float x1, float y1, float r) {
    return Shape{[=](float x, float y) {
                     float px = x - x0, py = y - y0, bx = x1 - x0, by = y1 - y0;
                     float bb = bx * bx + by * by;
                     float h = bb > 0 ? Clamp01((px * bx + py * by) / bb) : 0;
                     return std::hypot(px - bx * h, py - by * h) - r;
                 },
                 Box{std::min(x0, x1) - r, std::min(y0, y1) - r, std::max(x0, x1) + r, std::max(y0, y1) + r}};
}

Shape Poly(const std::vector<float>& xy) {
    auto v = std::make_shared<std::vector<float>>(xy);
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    for (size_t i = 0; i + 1 < xy.size(); i += 2) {
        b.x0 = std::min(b.x0, xy[i]); b.x1 = std::max(b.x1, xy[i]);
        b.y0 = std::min(b.y0, xy[i + 1]); b.y1 = std::max(b.y1, xy[i + 1]);
    }
    return Shape{[v](float x, float y) {
                     const std::vector<float>& p = *v;
                     size_t n = p.size() / 2;
                     float d = std::numeric_limits<float>::max();
                     float sgn = 1;
                     for (size_t i = 0, j = n - 1; i < n; j = i, i++) {
                         float ex = p[2 * j] - p[2 * i], ey = p[2 * j + 1] - p[2 * i + 1];
                         float wx = x - p[2 * i], wy = y - p[2 * i + 1];
                         float t = Clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey));
                         float bx = wx - ex * t, by = wy - ey * t;
                         d = std::min(d, bx * bx + by * by);
                         bool c1 = y >= p[2 * i + 1], c2 = y < p[2 * j + 1], c3 = ex * wy > ey * wx;
                         if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sgn = -sgn;
                     }
                     return sgn * std::sqrt(d);
                 },
                 b};
}

Shape Ring(float cx, float cy, float r, float halfWidth) {
    return Shape{[=](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - r) - halfWidth; },
                 Box{cx - r - halfWidth, cy - r - halfWidth, cx + r + halfWidth, cy + r + halfWidth}};
}

Shape Star(float cx, float cy, float ro, float ri, int points, float rotDeg) {
    std::vector<float> xy;
    for (int i = 0; i < points * 2; i++) {
        float a = Rad(rotDeg + i * 180.0f / points);
        float r = (i % 2 == 0) ? ro : ri;
        xy.push_back(cx + std::sin(a) * r);
        xy.push_back(cy - std::cos(a) * r);
    }
    return Poly(xy);
}

Shape Union(const Shape& a, const Shape& b) {
    Sdf da = a.d, db = b.d;
    return Shape{[=](float x, float y) { return std::min(da(x, y), db(x, y)); }, Join(a.box, b.box)};
}

Shape SmoothUnion(const Shape& a, const Shape& b, float k) {
    Sdf da = a.d, db = b.d;
    return Shape{[=](float x, float y) {
                     float d1 = da(x, y), d2 = db(x, y);
                     float h = Clamp01(0.5f + 0.5f * (d2 - d1) / k);
                     return Lerp(d2, d1, h) - k * h * (1 - h);
                 },
                 Grow(Join(a.box, b.box), k)};
}

Shape Subtract(const Shape& a, const Shape& b) {
    Sdf da = a.d, db = b.d;
    return Shape{[=](float x, float y) { return std::max(da(x, y), -db(x, y)); }, a.box};
}

Shape Intersect(const Shape& a, const Shape& b) {
    Sdf da = a.d, db = b.d;
    Box bx{std::max(a.box.x0, b.box.x0), std::max(a.box.y0, b.box.y0), std::min(a.box.x1, b.box.x1),
           std::min(a.box.y1, b.box.y1)};
    return Shape{[=](float x, float y) { return std::max(da(x, y), db(x, y)); }, bx};
}

Shape Offset(const Shape& a, float by) {
    Sdf da = a.d;
    return Shape{[=](float x, float y) { return da(x, y) - by; }, Grow(a.box, std::max(by, 0.0f))};
}

Shape Translate(const Shape& a, float dx, float dy) {
    Sdf da = a.d;
    return Shape{[=](float x, float y) { return da(x - dx, y - dy); },
                 Box{a.box.x0 + dx, a.box.y0 + dy, a.box.x1 + dx, a.box.y1 + dy}};
}

Shape Wobble(const Shape& a, float amp, float freq, uint32_t seed) {
    Sdf da = a.d;
    return Shape{[=](float x, float y) { return da(x, y) + (Noise(x * freq, y * freq, seed) - 0.5f) * 2 * amp; },
                 Grow(a.box, amp)};
}

// Squared Euclidean distance transform of one line (Felzenszwalb and Huttenlocher).
static void Edt1(const float* f, float* d, int n, std::vector<int>& v, std::vector<float>& z) {
    const float inf = 1e20f;
    int k = 0;
    v[0] = 0;
    z[0] = -inf;
    z[1] = inf;
    for (int q = 1; q < n; q++) {
        float s;
        for (;;) {
            int p = v[k];
            s = ((f[q] + (float)q * q) - (f[p] + (float)p * p)) / (2.0f * q - 2.0f * p);
            if (s <= z[k] && k > 0) { k--; continue; }
            break;
        }
        if (s <= z[k]) {  // k == 0
            v[0] = q;
            z[0] = -inf;
            z[1] = inf;
            continue;
        }
        k++;
        v[k] = q;
        z[k] = s;
        z[k + 1] = inf;
    }
    k = 0;
    for (int q = 0; q < n; q++) {
        while (z[k + 1] < q) k++;
        float dq = (float)(q - v[k]);
        d[q] = dq * dq + f[v[k]];
    }
}

// Distance from every pixel to the nearest pixel where `inside` holds.
static std::vector<float> Edt(const std::vector<uint8_t>& inside, int w, int h) {
    const float inf = 1e20f;
    std::vector<float> g((size_t)w * h);
    int n = std::max(w, h);
    std::vector<float> f(n), d(n), z(n + 1);
    std::vector<int> v(n);
    for (size_t i = 0; i < g.size(); i++) g[i] = inside[i] ? 0 : inf;
    for (int x = 0; x < w; x++) {
        for (int y = 0; y < h; y++) f[y] = g[(size_t)y * w + x];
        Edt1(f.data(), d.data(), h, v, z);
        for (int y = 0; y < h; y++) g[(size_t)y * w + x] = d[y];
    }
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) f[x] = g[(size_t)y * w + x];
        Edt1(f.data(), d.data(), w, v, z);
        for (int x = 0; x < w; x++) g[(size_t)y * w + x] = std::sqrt(d[x]);
    }
    return g;
}

Shape MaskShape(const std::vector<float>& mask, int w, int h, float ox, float oy, float scale) {
    std::vector<uint8_t> in(mask.size()), out(mask.size());
    for (size_t i = 0; i < mask.size(); i++) {
        in[i] = mask[i] >= 0.5f;
        out[i] = !in[i];
    }
    std::vector<float> dOut = Edt(in, w, h), dIn = Edt(out, w, h);
    auto sdf = std::make_shared<std::vector<float>>(mask.size());
    for (size_t i = 0; i < mask.size(); i++) {
        // Half a pixel puts the edge between pixel centres; the coverage refines it.
        float e = in[i] ? -(dIn[i] - 0.5f) : (dOut[i] - 0.5f);
        if ((in[i] && dIn[i] <= 1.0f) || (!in[i] && dOut[i] <= 1.0f)) e = 0.5f - mask[i];
        (*sdf)[i] = e;
    }
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (in[(size_t)y * w + x]) {
                b.x0 = std::min(b.x0, ox + x * scale); b.x1 = std::max(b.x1, ox + (x + 1) * scale);
                b.y0 = std::min(b.y0, oy + y * scale); b.y1 = std::max(b.y1, oy + (y + 1) * scale);
            }
    if (b.x0 > b.x1) b = Box{0, 0, 0, 0};
    return Shape{[=](float x, float y) {
                     float gx = (x - ox) / scale - 0.5f, gy = (y - oy) / scale - 0.5f;
                     float cx = Clampf(gx, 0, (float)(w - 1)), cy = Clampf(gy, 0, (float)(h - 1));
                     float extra = std::hypot(gx - cx, gy - cy);
                     int x0 = std::min((int)cx, w - 2), y0 = std::min((int)cy, h - 2);
                     float fx = cx - x0, fy = cy - y0;
                     const std::vector<float>& s = *sdf;
                     float a = Lerp(s[(size_t)y0 * w + x0], s[(size_t)y0 * w + x0 + 1], fx);
                     float c = Lerp(s[(size_t)(y0 + 1) * w + x0], s[(size_t)(y0 + 1) * w + x0 + 1], fx);
                     return (Lerp(a, c, fy) + extra) * scale;
                 },
                 b};
}

Style Fill(Col c, float lw, float shade) {
    Style s;
    s.fill = c;
    s.lw = lw;
    s.shade = shade;
    return s;
}

void Draw(Canvas& cv, const Shape& s, const Style& st) {
    int x0 = std::max(0, (int)std::floor(s.box.x0 - 2)), y0 = std::max(0, (int)std::floor(s.box.y0 - 2));
    int x1 = std::min(cv.w - 1, (int)std::ceil(s.box.x1 + 2)), y1 = std::min(cv.h - 1, (int)std::ceil(s.box.y1 + 2));
    float lx = std::cos(Rad(st.lightDeg)), ly = std::sin(Rad(st.lightDeg));
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            float px = x + 0.5f, py = y + 0.5f;
            float d = s.d(px, py);
            if (d >= 0.5f) continue;
            float cov = Clamp01(0.5f - d);
            Col c = st.fillFn ? st.fillFn(px, py) : st.fill;
            if (st.shade > 0) {
                float ds = s.d(px - lx * st.shade, py - ly * st.shade);
                float dh = s.d(px + lx * st.shade * 0.55f, py + ly * st.shade * 0.55f);
                float ts = Clamp01(0.5f + ds), th = Clamp01(0.5f + dh) * (1 - ts);
                c = Mix(c, Shade(c, st.shadeDark), ts);
                c = Mix(c, Shade(c, st.shadeLight), th);
            }
            if (st.lw > 0) c = Mix(c, WithA(st.line, st.line.a * c.a), Clamp01(d + st.lw + 0.5f));
            cv.Blend(x, y, c, cov);
        }
}

void Halo(Canvas& cv, const Shape& s, Col c, float w) { Draw(cv, Offset(s, w), Fill(c, 0)); }

void DropShadow(Canvas& cv, float dx, float dy, float radius, Col c) {
    // Box blur three times approximates a Gaussian.
    std::vector<float> a((size_t)cv.w * cv.h), t(a.size());
    for (int y = 0; y < cv.h; y++)
        for (int x = 0; x < cv.w; x++) {
            int sx = x - (int)dx, sy = y - (int)dy;
            a[(size_t)y * cv.w + x] = (sx >= 0 && sy >= 0 && sx < cv.w && sy < cv.h) ? cv.At(sx, sy)[3] : 0;
        }
    int r = std::max(1, (int)(radius / 2));
    for (int pass = 0; pass < 3; pass++) {
        for (int y = 0; y < cv.h; y++) {
            float acc = 0;
            for (int x = -r; x <= r; x++) acc += (x >= 0 && x < cv.w) ? a[(size_t)y * cv.w + x] : 0;
            for (int x = 0; x < cv.w; x++) {
                t[(size_t)y * cv.w + x] = acc / (2 * r + 1);
                int xa = x + r + 1, xr = x - r;
                acc += (xa < cv.w ? a[(size_t)y * cv.w + xa] : 0) - (xr >= 0 ? a[(size_t)y * cv.w + xr] : 0);
            }
        }
        for (int x = 0; x < cv.w; x++) {
            float acc = 0;
            for (int y = -r; y <= r; y++) acc += (y >= 0 && y < cv.h) ? t[(size_t)y * cv.w + x] : 0;
            for (int y = 0; y < cv.h; y++) {
                a[(size_t)y * cv.w + x] = acc / (2 * r + 1);
                int ya = y + r + 1, yr = y - r;
                acc += (ya < cv.h ? t[(size_t)ya * cv.w + x] : 0) - (yr >= 0 ? t[(size_t)yr * cv.w + x] : 0);
            }
        }
    }
    Canvas under(cv.w, cv.h);
    for (int y = 0; y < cv.h; y++)
        for (int x = 0; x < cv.w; x++) under.Blend(x, y, c, a[(size_t)y * cv.w + x]);
    under.Paste(cv, 0, 0);
    cv = under;
}

void OutlineAlpha(Canvas& cv, float w, Col c) {
    std::vector<float> m((size_t)cv.w * cv.h);
    for (int y = 0; y < cv.h; y++)
        for (int x = 0; x < cv.w; x++) m[(size_t)y * cv.w + x] = cv.At(x, y)[3];
    Shape s = MaskShape(m, cv.w, cv.h);
    Canvas under(cv.w, cv.h);
    Draw(under, Offset(s, w), Fill(c, 0));
    under.Paste(cv, 0, 0);
    cv = under;
}

Canvas PackSheet(const std::vector<Canvas>& frames, int fw, int fh, int cols, int rows) {
    Canvas sheet(fw * cols, fh * rows);
    for (size_t i = 0; i < frames.size() && (int)i < cols * rows; i++)
        sheet.Paste(frames[i], (int)(i % cols) * fw, (int)(i / cols) * fh);
    return sheet;
}

}  // namespace ag
