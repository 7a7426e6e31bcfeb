// The cost of the drawing model: an update that queues and commits a full
// queue, and the playback of a full committed list through the real renderer
// (needs a display: run under Xvfb).
#include <benchmark/benchmark.h>

#include <GLFW/glfw3.h>

#include "app/app.h"
#include "bench_support.h"
#include "app/input_device.h"
#include "graphics/graphics.h"
#include "graphics/render_batch.h"
#include "host/bbgame.h"
#include "host/glfwgame.h"
#include "shell/zump_screen.h"

namespace {

class BenchHost : public BBGame {
public:
    int GetDeviceWidth() override { return 1280; }
    int GetDeviceHeight() override { return 720; }
};

void SetUpShell() {
    static BenchHost* host = new BenchHost();
    (void)host;
    bbInit();
    bb_input_SetInputDevice((new c_InputDevice())->m_new());
    bb_app_ValidateDeviceWindow(false);
}

void BM_UpdateAndCommit5000(benchmark::State& state) {
    SetUpShell();
    for (auto _ : state) {
        bb_zump_Sprtup = 0;
        bb_zump_ResetDraw();
        bb_zump_UpdateWorld();
        for (int i = 0; i < 5000; ++i) {
            bb_zump_SetCol((float)(i & 255), 128, 64, 0.5f);
            bb_zump_Rect((float)(i % 800), (float)(i % 450), 8, 8, 1, 1);
        }
        bb_zump_Buffer();
        benchmark::DoNotOptimize(bb_zump_Bufferup);
    }
    state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(BM_UpdateAndCommit5000);

// Replays 4999 records: rectangles when images is false, else frames of a
// 32 x 32 sheet with scale and rotation.
void Playback(benchmark::State& state, bool images) {
    if (!OpenBenchWindow()) {
        state.SkipWithError("no display");
        return;
    }
    SetUpShell();
    gxtkGraphics* graphics = new gxtkGraphics();
    bb_graphics_SetGraphicsDevice(graphics);
    if (images) {
        c_Image* sheet = new c_Image();
        sheet->p_Init2(graphics->CreateSurface(128, 128), 0, 0, 32, 32, 16, c_Image::CenterHandle, nullptr, 0, 0, 128,
                       128);
        bb_zump_ZUMP_Img[5] = sheet;
        bb_zump_ZUMP_ImgD[5] = 16;
    }
    for (int i = 0; i < 5000; ++i) {
        bb_zump_SetCol((float)(i & 255), 128, 64, 0.75f);
        if (images) {
            bb_zump_SetSize(0.5f + (float)(i % 3));
            bb_zump_SetRot((float)(i % 360));
            bb_zump_DrawImg(5, (float)(i % 800), (float)(i % 450), i);
        } else {
            bb_zump_Rect((float)(i % 800), (float)(i % 450), 8, 8, 1, 1);
        }
    }
    bb_zump_Buffer();
    for (auto _ : state) {
        graphics->BeginRender();
        bb_graphics_BeginRender();
        bb_zump_RenderWorld();
        bb_graphics_EndRender();
        graphics->EndRender();
    }
    glFinish();
    state.SetItemsProcessed(state.iterations() * 4999);
}

void BM_RenderWorld4999Rects(benchmark::State& state) { Playback(state, false); }
void BM_RenderWorld4999Images(benchmark::State& state) { Playback(state, true); }
BENCHMARK(BM_RenderWorld4999Rects);
BENCHMARK(BM_RenderWorld4999Images);

}  // namespace
