// Contact sheets for review: every sprite sheet, read back from the written
// PNG, enlarged with nearest-neighbour on a checkerboard with frame numbers;
// and a course preview drawn the way the game draws a hole (tiles at 0.625,
// 19.9 units apart, alpha 0.8 and 0.4, scenery at 2.5, birds and golfer at 1.25).
#include <stb/stb_image.h>

#include <algorithm>
#include <cstdio>

#include "gen.h"

namespace ag {

namespace {

Canvas Load(const std::string& path) {
    int w, h, n;
    unsigned char* d = stbi_load(path.c_str(), &w, &h, &n, 4);
    if (!d) {
        std::fprintf(stderr, "cannot read back %s\n", path.c_str());
        std::exit(1);
    }
    Canvas cv(w, h);
    for (int i = 0; i < w * h; i++) {
        float a = d[i * 4 + 3] / 255.0f;
        for (int k = 0; k < 3; k++) cv.px[(size_t)i * 4 + k] = d[i * 4 + k] / 255.0f * a;
        cv.px[(size_t)i * 4 + 3] = a;
    }
    stbi_image_free(d);
    return cv;
}

void Checker(Canvas& cv, int x0, int y0, int w, int h) {
    for (int y = y0; y < y0 + h && y < cv.h; y++)
        for (int x = x0; x < x0 + w && x < cv.w; x++) {
            bool c = (((x - x0) / 8 + (y - y0) / 8) % 2) == 0;
            cv.Blend(x, y, c ? Rgb(96, 112, 128) : Rgb(116, 132, 148), 1);
        }
}

// Draws a region of src scaled by z (nearest) with its top-left at (dx, dy).
void Blit(Canvas& dst, const Canvas& src, int sx, int sy, int sw, int sh, int dx, int dy, float z) {
    int w = (int)(sw * z), h = (int)(sh * z);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            int tx = sx + std::min(sw - 1, (int)(x / z)), ty = sy + std::min(sh - 1, (int)(y / z));
            const float* p = src.At(tx, ty);
            int ox = dx + x, oy = dy + y;
            if (ox < 0 || oy < 0 || ox >= dst.w || oy >= dst.h || p[3] <= 0) continue;
            float* q = dst.At(ox, oy);
            for (int k = 0; k < 3; k++) q[k] = p[k] + q[k] * (1 - p[3]);
            q[3] = p[3] + q[3] * (1 - p[3]);
        }
}

std::string Slug(const std::string& file) {
    std::string s = file.substr(0, file.rfind('.'));
    std::replace(s.begin(), s.end(), '/', '_');
    return s;
}

void ContactSheet(const Out& o, const SheetInfo& si) {
    Canvas img = Load(o.data + "/" + si.file);
    int big = std::max(si.fw, si.fh);
    float z = big <= 36 ? 3 : (big <= 68 ? 2 : (big <= 256 ? 1 : 0.25f));
    if (si.count > 256) z = 0.5f;  // the logo tiles: show the picture whole
    const int label = 16, gap = 6, header = 28;
    int cw = (int)(si.fw * z), ch = (int)(si.fh * z);
    if (si.count > 256) {
        Canvas out(img.w / 2 + 2 * gap, img.h / 2 + header + gap);
        out.Fill(Rgb(40, 44, 52));
        DrawLabel(out, gap, 6, si.file + " (" + std::to_string(si.count) + " frames of " + std::to_string(si.fw) +
                                   "x" + std::to_string(si.fh) + ")", Rgb(255, 255, 255), 2);
        Checker(out, gap, header, img.w / 2, img.h / 2);
        Blit(out, img, 0, 0, img.w, img.h, gap, header, 0.5f);
        WritePng(o.sheets + "/" + Slug(si.file) + ".png", out, false);
        return;
    }
    int cols = std::max(1, std::min(si.count, 1500 / (cw + gap)));
    int rows = (si.count + cols - 1) / cols;
    Canvas out(std::max(cols * (cw + gap) + gap, 720), header + rows * (ch + label + gap) + gap);
    out.Fill(Rgb(40, 44, 52));
    DrawLabel(out, gap, 6, si.file + " (" + std::to_string(si.count) + " frames of " + std::to_string(si.fw) + "x" +
                               std::to_string(si.fh) + ")", Rgb(255, 255, 255), 2);
    int perRow = img.w / si.fw;
    for (int i = 0; i < si.count; i++) {
        int x = gap + (i % cols) * (cw + gap), y = header + (i / cols) * (ch + label + gap);
        DrawLabel(out, x, y + 1, std::to_string(i), Rgb(255, 230, 140), 1);
        Checker(out, x, y + label, cw, ch);
        Blit(out, img, (i % perRow) * si.fw, (i / perRow) * si.fh, si.fw, si.fh, x, y + label, z);
    }
    WritePng(o.sheets + "/" + Slug(si.file) + ".png", out, false);
}

// ---- Course preview ----

struct View {
    Canvas cv;
    float dev;  // device pixels per virtual unit
};

// Draws frame f of a sheet centred at (x, y) virtual units, scaled, with alpha,
// sampling nearest like the game's renderer.
void Sprite(View& v, const Canvas& sheet, int fw, int fh, int f, float x, float y, float scale, float alpha) {
    int perRow = sheet.w / fw;
    int sx = (f % perRow) * fw, sy = (f / perRow) * fh;
    float k = scale * v.dev;
    float left = (x - fw * 0.5f * scale) * v.dev, top = (y - fh * 0.5f * scale) * v.dev;
    int x0 = std::max(0, (int)std::floor(left)), y0 = std::max(0, (int)std::floor(top));
    int x1 = std::min(v.cv.w, (int)std::ceil(left + fw * k)), y1 = std::min(v.cv.h, (int)std::ceil(top + fh * k));
    for (int py = y0; py < y1; py++)
        for (int px = x0; px < x1; px++) {
            float u = (px + 0.5f - left) / k, w = (py + 0.5f - top) / k;
            if (u < 0 || w < 0 || u >= fw || w >= fh) continue;
            const float* p = sheet.At(sx + (int)u, sy + (int)w);
            float a = p[3] * alpha;
            if (a <= 0) continue;
            float* q = v.cv.At(px, py);
            for (int c = 0; c < 3; c++) q[c] = p[c] * alpha + q[c] * (1 - a);
            q[3] = a + q[3] * (1 - a);
        }
}

void CoursePreview(const Out& o, const std::string& tiles, int bgFrame, const std::string& name) {
    Canvas set = Load(o.data + "/525/" + tiles);
    Canvas chr = Load(o.data + "/525/chr.png");
    Canvas menu = Load(o.data + "/525/menu.png");
    View v{Canvas(1280, 720), 1.6f};
    // The ground: the course background at scale 1, as the game tiles it.
    for (int oy = 0; oy < 2; oy++)
        for (int ox = 0; ox < 2; ox++) Sprite(v, menu, 1024, 1024, bgFrame, 512 + ox * 1023.0f, 512 + oy * 1023.0f, 1, 1);
    // A small hole: a fairway island, a green, the rim of rough, scenery around.
    const int W = 42, H = 24;
    std::vector<int> g(W * H, 0);
    auto inBlob = [](float x, float y, float cx, float cy, float r) { return std::hypot(x - cx, y - cy) < r; };
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            if (inBlob(x, y, 9, 12, 6.5f) || inBlob(x, y, 14, 10, 5.5f)) g[y * W + x] = 1;
            if (inBlob(x, y, 31, 12, 5.5f)) g[y * W + x] = 3;
        }
    std::vector<int> rim = g;
    for (int y = 1; y < H - 1; y++)
        for (int x = 1; x < W - 1; x++) {
            if (g[y * W + x]) continue;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++)
                    if (g[(y + dy) * W + x + dx] == 1 || g[(y + dy) * W + x + dx] == 3) rim[y * W + x] = 2;
        }
    Rng r(5);
    for (int i = 0; i < W * H; i++)
        if (rim[i] == 0 && r.F() < 0.2f) rim[i] = 21 + (int)(r.F() * 28.99f);
    float ox = -20, oy = 10;
    for (int y = 0; y < H; y++) {
        for (int x = 0; x < W; x++) {
            int c = rim[y * W + x];
            float sx = ox + 19.9f * x, sy = oy + 19.9f * y;
            if (y == 9 && x == 12) Sprite(v, set, 36, 36, 16, sx, sy - 29.85f, 1.25f, 1);
            if (y == 14 && x == 16) Sprite(v, set, 36, 36, 12, sx, sy - 29.85f, 1.25f, 1);
            if (y == 13 && x == 7) Sprite(v, set, 36, 36, 14, sx, sy - 29.85f, 1.25f, 1);
            if (c == 0) continue;
            if (c > 20) Sprite(v, set, 36, 36, c - 1, sx, sy - 39.8f, 2.5f, 0.8f);
            else Sprite(v, set, 36, 36, c - 1, sx, sy, 0.625f, c == 2 ? 0.4f : 0.8f);
        }
        float bx = ox + 19.9f * 12, by = oy + 19.9f * 13;
        if (y == 13) {
            Sprite(v, set, 36, 36, 4, bx + 3, by + 3 - 8, 1.25f, 0.25f);
            Sprite(v, set, 36, 36, 3, bx, by - 8, 1.25f, 1);
        }
        if (y == 14) {
            for (int d = 0; d < 4; d++) {
                int pose = d == 0 ? 4 : (d == 1 ? 1 : (d == 2 ? 5 : 6));
                Sprite(v, chr, 36, 36, pose + 7 * d, bx - 30 + d * 40.0f, by + 20 - 8, 1.25f, 1);
                Sprite(v, chr, 36, 36, pose + 7 * d, bx - 30 + d * 40.0f, by + 20 - 8, 1.25f, 0.5f);
            }
        }
    }
    float hx = ox + 19.9f * 33, hy = oy + 19.9f * 12;
    Sprite(v, set, 36, 36, 5, hx, hy - 8, 0.625f, 1);
    Sprite(v, set, 36, 36, 6, hx, hy - 8 - 19.9f, 1.25f, 1);
    WritePng(o.sheets + "/preview_" + name + ".png", v.cv, false);
}

// ---- Text preview: the font laid out the way the game's text renderer does ----

int Advance(int c) {
    if (c == 32) return 24;
    if (std::string("!',.:;`l|").find((char)c) != std::string::npos) return 9;
    if (c == 'i') return 11;
    if (std::string("()[]").find((char)c) != std::string::npos) return 15;
    if (c == '"') return 17;
    if (c == 'j' || c == '{' || c == '}') return 18;
    if (c == '*') return 23;
    return (c >= 32 && c <= 126) ? 22 : 0;
}

// Unrotated layout: glyph cells centred on the pen, a leading space, "~X" for
// the pad icon of button X (frame 96 + its index in "JKLIUOQEFWSAD").
void Text(View& v, const Canvas& font, float x, float y, const std::string& text, float ax, float ay, float sc) {
    std::string s = " " + text;
    int acc = 0;
    for (size_t i = 0; i + 1 < s.size(); i++) {
        int a = s[i] == '~' ? 30 : Advance((unsigned char)s[i]);
        if (s[i] == '~') i++;
        acc = (int)(acc + a * sc);
    }
    float d = x - acc * ax * 0.5f, f = y - 22 * sc * (ay - 1);
    float px = d;
    for (size_t i = 0; i < s.size(); i++) {
        int c = (unsigned char)s[i], k = Advance(c) - 28, frame = c - 32;
        if (c == '~' && i + 1 < s.size()) {
            frame = 96 + (int)std::string("JKLIUOQEFWSAD").find(s[++i]);
            k = 28;
        }
        if (frame >= 1 && frame <= 127) Sprite(v, font, 64, 64, frame, px, f, sc, 1);
        px += (k + 28) * sc;
    }
}

void Rule(View& v, float x0, float y0, float x1, float y1, Col c) {
    for (int y = (int)(y0 * v.dev); y <= (int)(y1 * v.dev); y++)
        for (int x = (int)(x0 * v.dev); x <= (int)(x1 * v.dev); x++) v.cv.Blend(x, y, c, 1);
}

void TextPreview(const Out& o) {
    Canvas font = Load(o.data + "/common/bandwidth.png");
    Canvas aball = Load(o.data + "/525/aball.png");
    View v{Canvas(1280, 720), 1.6f};
    v.cv.Fill(Rgb(60, 110, 70));
    const Col guide = Rgb(255, 80, 80);
    Rule(v, 400, 20, 400, 230, guide);
    Text(v, font, 400, 40, "Left aligned at the line", 0, 1, 0.75f);
    Text(v, font, 400, 100, "Centred: Hole Complete!", 1, 1, 0.75f);
    Text(v, font, 400, 160, "Thwacks Remaining : 7", 2, 1, 0.75f);
    Text(v, font, 400, 210, "Press ~J to thwack, ~W ~S ~A ~D to walk", 1, 1, 0.5f);
    Text(v, font, 40, 270, "ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789", 0, 1, 0.6f);
    Text(v, font, 40, 310, "abcdefghijklmnopqrstuvwxyz !?.,:;'\"()[]{}+-*/=<>#$%&@^_|~", 0, 1, 0.6f);
    Text(v, font, 400, 380, "Game Over", 1, 1, 2);
    // The hole column and the thwack button, laid out as the game does.
    for (int i = 1; i <= 9; i++) {
        float y = 80 + 32.0f * (i - 1);
        Rule(v, 766, y, 797, y + 31, Rgb(255, 255, 255));
        Rule(v, 767, y + 1, 796, y + 30, i < 4 ? Rgb(0, 0, 128) : (i == 4 ? Rgb(0, 128, 0) : Rgb(0, 0, 255)));
        if (i <= 4) Text(v, font, 800 - 19, y + 16, i == 2 ? "-5" : "0" + std::to_string(i + 3), 1, 1, 0.5f);
    }
    Sprite(v, aball, 64, 64, 0, 800 - 45, 48, 1, 1);
    Text(v, font, 800 - 48, 48, "7", 1, 1, 1);
    Text(v, font, 200, 440, "Loading", 1, 1, 1);
    WritePng(o.sheets + "/preview_text.png", v.cv, false);
}

}  // namespace

void MakeContactSheets(const Out& o) {
    MakeDirs(o.sheets);
    for (const SheetInfo& si : gSheets) ContactSheet(o, si);
    for (const SheetInfo& si : gSheets)
        if (si.file == "525/menu.png") {
            CoursePreview(o, "gfx.png", 0, "summer");
            CoursePreview(o, "gfx2.png", 2, "winter");
            CoursePreview(o, "gfx3.png", 3, "autumn");
        }
    TextPreview(o);
}

}  // namespace ag
