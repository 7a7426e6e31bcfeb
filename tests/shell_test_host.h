// A host with a clock, window size and desktop mode the test sets, a graphics
// driver that records what reaches it instead of drawing, and an input state
// the test presses keys on. Every fixture starts from the start-up state.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "app/input_device.h"
#include "graphics/graphics.h"
#include "graphics/render_batch.h"
#include "host/bbgame.h"
#include "shell/zump_screen.h"

class ShellTestHost : public BBGame {
public:
    int clock = 0;
    int width = 640, height = 480;
    std::vector<std::string> windowRequests;
    String state;

    int Millisecs() override { return clock; }
    int GetDeviceWidth() override { return width; }
    int GetDeviceHeight() override { return height; }
    void SetDeviceWindow(int w, int h, int flags) override {
        windowRequests.push_back(std::to_string(w) + "x" + std::to_string(h) + "/" + std::to_string(flags));
        width = w;
        height = h;
    }
    BBDisplayMode* GetDesktopMode() override {
        BBDisplayMode* mode = new BBDisplayMode();
        mode->width = 1280;
        mode->height = 720;
        return mode;
    }
    int SaveState(const String& text) override {
        state = text;
        return 0;
    }
    String LoadState() override { return state; }
};

struct GraphicsCall {
    std::string op;
    std::vector<float> args;
};

// Records state changes and drawing calls; surfaces never load.
class RecordingGraphics : public gxtkGraphics {
public:
    std::vector<GraphicsCall> calls;
    std::vector<std::string> loads;

    void Add(const char* op, std::initializer_list<float> args) { calls.push_back({op, std::vector<float>(args)}); }
    gxtkSurface* LoadSurface(const String& path) override {
        loads.push_back(bbStringToUtf8(path));
        return nullptr;
    }
    int SetAlpha(float a) override { return Add("alpha", {a}), 0; }
    int SetColor(float r, float g, float b) override { return Add("color", {r, g, b}), 0; }
    int SetBlend(int blend) override { return Add("blend", {(float)blend}), 0; }
    int SetScissor(int, int, int, int) override { return 0; }
    int SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty) override {
        return Add("matrix", {ix, iy, jx, jy, tx, ty}), 0;
    }
    int DrawRect(float x, float y, float w, float h) override { return Add("rect", {x, y, w, h}), 0; }
    int DrawLine(float x0, float y0, float x1, float y1) override { return Add("line", {x0, y0, x1, y1}), 0; }
    int DrawOval(float x, float y, float w, float h) override { return Add("oval", {x, y, w, h}), 0; }
    int DrawPoly(const Array<float>& v) override {
        calls.push_back({"poly", std::vector<float>(v.begin(), v.end())});
        return 0;
    }
    int DrawSurface(gxtkSurface*, float x, float y) override { return Add("surface", {x, y}), 0; }
    int DrawSurface2(gxtkSurface*, float x, float y, int sx, int sy, int, int) override {
        return Add("surface", {x, y, (float)sx, (float)sy}), 0;
    }

    std::vector<GraphicsCall> Draws() const {
        std::vector<GraphicsCall> out;
        for (const GraphicsCall& c : calls)
            if (c.op != "alpha" && c.op != "color" && c.op != "blend" && c.op != "matrix") out.push_back(c);
        return out;
    }
};

class ShellTest : public ::testing::Test {
protected:
    ShellTestHost host;
    RecordingGraphics graphics;
    c_InputDevice* input = nullptr;

    void SetUp() override {
        bbInit();
        bb_graphics_SetGraphicsDevice(&graphics);
        input = (new c_InputDevice())->m_new();
        bb_input_SetInputDevice(input);
        bb_app_ValidateDeviceWindow(false);
        bb_app_EnumDisplayModes();
    }

    void Press(int key) { input->p_KeyEvent(c_BBGameEvent::KeyDown, key); }
    void Release(int key) { input->p_KeyEvent(c_BBGameEvent::KeyUp, key); }
    void MouseDown(float x, float y) { input->p_MouseEvent(c_BBGameEvent::MouseDown, 0, x, y); }
    void MouseMove(float x, float y) { input->p_MouseEvent(c_BBGameEvent::MouseMove, -1, x, y); }
    void MouseUp() { input->p_MouseEvent(c_BBGameEvent::MouseUp, 0, input->m_mouseX, input->m_mouseY); }

    // One frame's render between the context's begin and end.
    void Render() {
        graphics.calls.clear();
        bb_graphics_BeginRender();
        graphics.calls.clear();
        bb_zump_RenderWorld();
        bb_graphics_EndRender();
    }

    // An image with a number of frames and no surface, as a test stands in
    // for a loaded sheet.
    static c_Image* FakeImage(int frames, int frameW = 32) {
        c_Image* image = new c_Image();
        image->m_width = image->m_height = frameW;
        image->m_frames.resize((size_t)frames);
        return image;
    }
    static void PutImage(int slot, int frames, int frameW = 32) {
        bb_zump_ZUMP_Img[slot] = FakeImage(frames, frameW);
        bb_zump_ZUMP_ImgD[slot] = frames;
        bb_zump_ZUMP_ImgW[slot] = (float)frameW;
    }

    static const float* Record(int n) { return bb_zump_ZUMP_Draw + n * ZUMP_RECORD; }
};
