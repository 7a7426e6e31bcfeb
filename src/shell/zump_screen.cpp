#include "shell/zump_screen.h"

#include <cmath>
#include <cstring>

#include "app/app.h"
#include "app/input_device.h"
#include "game/flow_globals.h"
#include "graphics/graphics.h"
#include "shell/zump_controls.h"
#include "shell/zump_particles.h"
#include "shell/zump_profile.h"
#include "shell/zump_sound.h"
#include "shell/zump_text.h"

int bb_zump_RealW, bb_zump_RealH;
int bb_zump_ZUMP_TargetSize;
float bb_zump_ZUMP_Scale;
int bb_zump_jscrw, bb_zump_jscrh;
int bb_zump_ZUMP_Orientation;
int bb_zump_ZUMP_Fullscreen;
int bb_zump_ZUMP_DebugMode;
int bb_zump_ZUMP_ScreenshotMode;

float bb_zump_scrx, bb_zump_scry;
float bb_zump_aimx, bb_zump_aimy;
float bb_zump_ZUMP_ScrollSpeedX, bb_zump_ZUMP_ScrollSpeedY;
float bb_zump_ZUMP_ScrollX, bb_zump_ZUMP_ScrollY;

float bb_zump_ZUMP_DrawStyle[50];
float bb_zump_ZUMP_Draw[ZUMP_QUEUE_FLOATS];
int bb_zump_Sprtup;
float bb_zump_ZUMP_Buffer[ZUMP_QUEUE_FLOATS];
int bb_zump_Bufferup;

c_Image* bb_zump_ZUMP_Img[ZUMP_IMAGE_SLOTS];
float bb_zump_ZUMP_ImgW[ZUMP_IMAGE_SLOTS];
int bb_zump_ZUMP_ImgD[ZUMP_IMAGE_SLOTS];

float bb_zump_ZUMP_Data[50];

namespace {

const float kDegToRad = 0.017453292f;

// Hot keys (host key codes of F1, F2, F4 and F11).
enum { KEY_F1 = 112, KEY_F2 = 113, KEY_F4 = 115, KEY_F11 = 122 };

// The triangle is the one command that needs a coordinate array; one array
// serves every triangle so playback allocates nothing.
Array<float> g_triangle(6);

float Clamp(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }

float CosDeg(float degrees) { return (float)std::cos((double)(degrees * kDegToRad)); }

// Starts a record carrying the record style, or returns null once the queue
// is full for this update.
float* NewRecord(float code) {
    if (bb_zump_Sprtup > ZUMP_QUEUE_LIMIT) return nullptr;
    float* r = bb_zump_ZUMP_Draw + bb_zump_Sprtup * ZUMP_RECORD;
    std::memcpy(r, bb_zump_ZUMP_DrawStyle, 9 * sizeof(float));
    r[9] = code;
    ++bb_zump_Sprtup;
    return r;
}

void QueueBox(float code, float x, float y, float w, float h, float hx, float hy) {
    float* r = NewRecord(code);
    if (!r) return;
    r[11] = x - w * hx * 0.5f;
    r[12] = y - h * hy * 0.5f;
    r[13] = w;
    r[14] = h;
}

// One window of the update or render counter: count, and once a second has
// passed publish the count and start a new window.
void CountFrame(int published, int window, int counter) {
    bb_zump_ZUMP_Data[counter] += 1;
    float t = (float)bb_app_Millisecs();
    if (std::fabs(t - bb_zump_ZUMP_Data[window]) >= 1000) {
        bb_zump_ZUMP_Data[published] = bb_zump_ZUMP_Data[counter];
        bb_zump_ZUMP_Data[counter] = 0;
        bb_zump_ZUMP_Data[window] = t;
    }
}

void InkColour(float hue, float saturation, float brightness, float* rgb) {
    for (int k = 0; k < 3; ++k) {
        float c = 0.5f + (saturation * 0.5f) * CosDeg(hue + (float)(k * 120)) + (brightness - 1);
        rgb[k] = Clamp(c * 255, 0, 255);
    }
}

void PlayRecord(const float* r) {
    bb_graphics_SetAlpha(r[0]);
    bb_graphics_SetColor(r[1], r[2], r[3]);
    float code = r[9];
    if (code == 1) {
        // A slot that failed to load, or a frame the image does not have, is
        // skipped rather than handed to the renderer.
        float slot = std::floor(r[10]);
        if (!(slot >= 0 && slot < ZUMP_IMAGE_SLOTS)) return;
        c_Image* image = bb_zump_ZUMP_Img[(int)slot];
        float frame = std::floor(r[13]);
        if (!image || !(frame >= 0 && frame < (float)image->p_Frames())) return;
        bb_graphics_DrawImage2(image, r[11], r[12], r[6], r[4], r[5], (int)frame);
    } else if (code == 2) {
        bb_graphics_DrawRect(r[11], r[12], r[13], r[14]);
    } else if (code == 3) {
        bb_graphics_DrawOval(r[11], r[12], r[13], r[14]);
    } else if (code == 4) {
        for (int i = 0; i < 6; ++i) g_triangle[i] = r[11 + i];
        bb_graphics_DrawPoly(g_triangle);
    } else if (code == 5) {
        bb_graphics_DrawLine(r[11], r[12], r[13], r[14]);
    }
}

}  // namespace

void bb_zump_screen_Init() {
    bb_zump_RealW = bb_zump_RealH = 0;
    bb_zump_ZUMP_TargetSize = 800;
    bb_zump_ZUMP_Scale = 0;
    bb_zump_jscrw = 800;
    bb_zump_jscrh = 600;
    bb_zump_ZUMP_Orientation = 0;
    bb_zump_ZUMP_Fullscreen = 0;
    bb_zump_ZUMP_DebugMode = 0;
    bb_zump_ZUMP_ScreenshotMode = 0;
    bb_zump_scrx = bb_zump_scry = bb_zump_aimx = bb_zump_aimy = 0;
    bb_zump_ZUMP_ScrollSpeedX = bb_zump_ZUMP_ScrollSpeedY = 8;
    bb_zump_ZUMP_ScrollX = bb_zump_ZUMP_ScrollY = 0;
    std::memset(bb_zump_ZUMP_DrawStyle, 0, sizeof bb_zump_ZUMP_DrawStyle);
    bb_zump_ResetDraw();
    bb_zump_Sprtup = 0;
    bb_zump_Bufferup = 0;
    std::memset(bb_zump_ZUMP_Draw, 0, sizeof bb_zump_ZUMP_Draw);
    std::memset(bb_zump_ZUMP_Buffer, 0, sizeof bb_zump_ZUMP_Buffer);
    // Images live for the whole run; a re-initialisation only forgets them.
    for (int i = 0; i < ZUMP_IMAGE_SLOTS; ++i) {
        bb_zump_ZUMP_Img[i] = nullptr;
        bb_zump_ZUMP_ImgW[i] = 0;
        bb_zump_ZUMP_ImgD[i] = 0;
    }
    std::memset(bb_zump_ZUMP_Data, 0, sizeof bb_zump_ZUMP_Data);
}

void bb_zump_SetCol(float r, float g, float b, float a) {
    bb_zump_ZUMP_DrawStyle[1] = Clamp(r, 0, 255);
    bb_zump_ZUMP_DrawStyle[2] = Clamp(g, 0, 255);
    bb_zump_ZUMP_DrawStyle[3] = Clamp(b, 0, 255);
    if (a != -100) bb_zump_ZUMP_DrawStyle[0] = Clamp(a, 0, 1);
}

void bb_zump_Alpha(float a) { bb_zump_ZUMP_DrawStyle[0] = Clamp(a, 0, 1); }

void bb_zump_SetSize(float sx, float sy) {
    bb_zump_ZUMP_DrawStyle[4] = sx;
    bb_zump_ZUMP_DrawStyle[5] = sy == -37171 ? sx : sy;
}

void bb_zump_SetRot(float degrees) { bb_zump_ZUMP_DrawStyle[6] = degrees; }

void bb_zump_Ink(int colour, float brightness) {
    static const float kInk[10][3] = {
        {0.3f, 0.3f, 0.3f}, {1, 0.1f, 0.1f}, {1, 0.5f, 0.1f}, {1, 1, 0.1f}, {0.1f, 1, 0.1f},
        {0.1f, 1, 1},       {0.1f, 0.1f, 1}, {0.5f, 0.1f, 1}, {1, 0.1f, 0.5f}, {1, 1, 1},
    };
    const float* f = kInk[colour >= 1 && colour <= 9 ? colour : 0];
    for (int k = 0; k < 3; ++k) bb_zump_ZUMP_DrawStyle[1 + k] = Clamp(f[k] * brightness * 255, 0, 255);
}

void bb_zump_InkRot(float hue, float saturation, float brightness) {
    InkColour(hue, saturation, brightness, bb_zump_ZUMP_DrawStyle + 1);
}

void bb_zump_BGRot(float hue, float saturation, float brightness) {
    InkColour(hue, saturation, brightness, bb_zump_ZUMP_DrawStyle + 15);
    bb_zump_ZUMP_DrawStyle[14] = 1;
}

void bb_zump_SetCLSCol(int r, int g, int b, float a) {
    bb_zump_ZUMP_DrawStyle[15] = Clamp((float)r, 0, 255);
    bb_zump_ZUMP_DrawStyle[16] = Clamp((float)g, 0, 255);
    bb_zump_ZUMP_DrawStyle[17] = Clamp((float)b, 0, 255);
    bb_zump_ZUMP_DrawStyle[14] = Clamp(a, 0, 1);
}

void bb_zump_ResetDraw() {
    static const float kReset[9] = {1, 255, 255, 255, 1, 1, 0, 0, 0};
    std::memcpy(bb_zump_ZUMP_DrawStyle, kReset, sizeof kReset);
}

void bb_zump_Rect(float x, float y, float w, float h, float hx, float hy) { QueueBox(2, x, y, w, h, hx, hy); }

void bb_zump_Oval(float x, float y, float w, float h, float hx, float hy) { QueueBox(3, x, y, w, h, hx, hy); }

void bb_zump_Line(float x1, float y1, float x2, float y2) {
    float* r = NewRecord(5);
    if (!r) return;
    r[11] = x1;
    r[12] = y1;
    r[13] = x2;
    r[14] = y2;
}

void bb_zump_Triangle(float x1, float y1, float x2, float y2, float x3, float y3) {
    float* r = NewRecord(4);
    if (!r) return;
    r[11] = x1;
    r[12] = y1;
    r[13] = x2;
    r[14] = y2;
    r[15] = x3;
    r[16] = y3;
}

void bb_zump_DrawImg(int slot, float x, float y, int frame) {
    if (slot < 1 || slot > 99) return;
    float* r = NewRecord(1);
    if (!r) return;
    // Before the first render repairs them, counts of unloaded slots are 0.
    int frames = bb_zump_ZUMP_ImgD[slot] > 0 ? bb_zump_ZUMP_ImgD[slot] : 1;
    r[10] = (float)slot;
    r[11] = x;
    r[12] = y;
    r[13] = (float)(frame % frames);
}

String bb_zump_ImagePath(int slot, const String& name) {
    String folder = slot > 69 ? String(u"common") : bbStringFromInt(bb_zump_ZUMP_GameNum);
    return folder + u"/" + name + u".png";
}

void bb_zump_LoadImg(int slot, const String& name, int frameW, int frameH, int frames) {
    if (slot < 0 || slot >= ZUMP_IMAGE_SLOTS) return;
    bb_zump_ZUMP_ImgD[slot] = frames;
    bb_zump_ZUMP_ImgW[slot] = (float)frameW;
    bb_zump_ZUMP_Img[slot] =
        bb_graphics_LoadImage2(bb_zump_ImagePath(slot, name), frameW, frameH, frames, c_Image::CenterHandle);
}

float bb_zump_Dist(float x1, float y1, float x2, float y2) {
    float dx = x1 - x2, dy = y1 - y2;
    return (float)std::sqrt((double)(dx * dx + dy * dy));
}

void bb_zump_UpdateWorld() {
    CountFrame(1, 6, 8);

    if (bb_zump_ZUMP_GameMode != 10) {
        bb_zump_ZUMP_Paused = 0;
        bb_zump_ZUMP_MenuPos[40] = 1;
    }

    if (bb_input_KeyHit(KEY_F1)) {
        bb_zump_ZUMP_DebugMode = 1 - bb_zump_ZUMP_DebugMode;
        bb_zump_ZUMP_Set[22] = bb_zump_ZUMP_DebugMode;
    }
    if (bb_input_KeyHit(KEY_F2)) {
        bb_zump_ZUMP_ScreenshotMode = 1 - bb_zump_ZUMP_ScreenshotMode;
        bb_zump_ZUMP_Set[23] = bb_zump_ZUMP_ScreenshotMode;
    }
    if (bb_input_KeyHit(KEY_F11)) bb_zump_FullscreenFlip();
    if (bb_input_KeyHit(KEY_F4)) bb_app_EndApp();

    float* style = bb_zump_ZUMP_DrawStyle;
    for (int k = 11; k <= 13; ++k) style[k] = style[k] - (style[k] - style[k + 4]) * 0.0625f;

    bb_zump_MergePointers();
    bb_zump_DoControls();

    bb_zump_ApplyMusicVolume();
    bb_zump_VolumeSetting(1);
}

void bb_zump_Buffer() {
    bb_zump_DoParticles();

    if (bb_zump_ZUMP_DebugMode == 1) {
        bb_zump_ResetDraw();
        bb_zump_SetSize(0.5f, 0.5f);
        String line = u"Update " + bbStringFromInt((int)bb_zump_ZUMP_Data[1]) + u" - Render " +
                      bbStringFromInt((int)bb_zump_ZUMP_Data[2]) + u" (" +
                      bbStringFromInt((int)bb_zump_ZUMP_Data[3]) + u" sprites)";
        bb_zump_Text(16, (float)(bb_zump_jscrh - 32), line, 0, 0);
    }

    // With 15 records or fewer the previous picture stays on screen.
    if (bb_zump_Sprtup > 15) {
        std::memcpy(bb_zump_ZUMP_Buffer, bb_zump_ZUMP_Draw, (size_t)bb_zump_Sprtup * ZUMP_RECORD * sizeof(float));
        bb_zump_Bufferup = bb_zump_Sprtup;
        bb_zump_Sprtup = 0;
    }
}

void bb_zump_FitScreen(int w, int h) {
    bb_zump_RealW = w;
    bb_zump_RealH = h;
    // A minimised window has no size; keep the last virtual screen.
    if (w <= 0 || h <= 0) return;
    // Extended precision: 1920 x 1080 must give 799 x 449, as the games
    // were laid out against.
    long double target = (long double)bb_zump_ZUMP_TargetSize;
    long double byH = (long double)h / target, byW = (long double)w / target;
    long double scale = byH > byW ? byH : byW;
    bb_zump_ZUMP_Scale = (float)scale;
    bb_zump_jscrw = (int)((long double)w / scale);
    bb_zump_jscrh = (int)((long double)h / scale);
}

void bb_zump_RenderWorld() {
    bb_zump_ZUMP_Orientation = bb_zump_jscrh > bb_zump_jscrw ? 1 : 0;
    for (int i = 0; i < 100; ++i)
        if (bb_zump_ZUMP_ImgD[i] <= 0) bb_zump_ZUMP_ImgD[i] = 1;
    if (bb_zump_Bufferup > ZUMP_DRAW_LIMIT) bb_zump_Bufferup = ZUMP_DRAW_LIMIT;
    CountFrame(2, 7, 9);

    int w = bb_app_DeviceWidth(), h = bb_app_DeviceHeight();
    bb_zump_FitScreen(w, h);

    const float* style = bb_zump_ZUMP_DrawStyle;
    if (bb_zump_ZUMP_Paused == 1) {
        bb_graphics_SetColor(0, 0, 0);
        bb_graphics_SetAlpha(1);
    } else {
        bb_graphics_SetColor(style[11], style[12], style[13]);
        bb_graphics_SetAlpha(style[14]);
    }
    bb_graphics_DrawRect(-128, -128, (float)(w + 256), (float)(h + 256));

    float scale = bb_zump_ZUMP_Scale;
    bb_graphics_SetMatrix(scale, 0, 0, scale, 0, 0);
    bb_graphics_SetBlend(0);
    for (int i = 0; i < bb_zump_Bufferup; ++i) PlayRecord(bb_zump_ZUMP_Buffer + i * ZUMP_RECORD);

    bb_zump_ResetDraw();
    bb_zump_ZUMP_Data[3] = (float)bb_zump_Bufferup;

    bb_zump_ZUMP_ScrollX = (bb_zump_scrx - bb_zump_aimx) / bb_zump_ZUMP_ScrollSpeedX;
    bb_zump_ZUMP_ScrollY = (bb_zump_scry - bb_zump_aimy) / bb_zump_ZUMP_ScrollSpeedY;
    bb_zump_scrx -= bb_zump_ZUMP_ScrollX;
    bb_zump_scry -= bb_zump_ZUMP_ScrollY;
}

void bb_zump_SetScrollSpeed(float sx, float sy) {
    bb_zump_ZUMP_ScrollSpeedX = sx == -3717 ? 8 : sx;
    bb_zump_ZUMP_ScrollSpeedY = sy == -3717 ? bb_zump_ZUMP_ScrollSpeedX : sy;
}

void bb_zump_FullscreenFlip() {
    if (bb_zump_ZUMP_Fullscreen == 0) {
        // Without a known desktop mode there is nothing to go full screen on.
        c_DisplayMode* desktop = bb_app_DesktopMode();
        if (!desktop) return;
        bb_zump_ZUMP_Fullscreen = 1;
        bb_app_SetDeviceWindow(desktop->p_Width(), desktop->p_Height(), 1);
    } else {
        bb_zump_ZUMP_Fullscreen = 0;
        bb_app_SetDeviceWindow(640, 480, 6);
    }
    bb_app_ValidateDeviceWindow(false);
}
