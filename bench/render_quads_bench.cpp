// Plays back 5,000 textured quads from one surface per frame, as a screen
// full of sprites and glyphs does. Run under Xvfb.
#include <benchmark/benchmark.h>

#include <GLFW/glfw3.h>

#include "graphics/render_batch.h"
#include "graphics/surface.h"
#include "host/glfwgame.h"

namespace {

const int kQuads = 5000;

struct Scene {
    GLFWwindow* window = nullptr;
    gxtkGraphics* gfx = nullptr;
    gxtkSurface* sheet = nullptr;

    bool Open() {
        if (!glfwInit()) return false;
        glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
        window = glfwCreateWindow(640, 480, "render bench", nullptr, nullptr);
        if (!window) return false;
        glfwMakeContextCurrent(window);
        ++_glfwGraphicsSeq;
        gfx = new gxtkGraphics();
        sheet = gfx->CreateSurface(256, 256);
        Array<int> pixels(256 * 256);
        for (int i = 0; i < 256 * 256; ++i) pixels[i] = (int)(0xFF000000u | (unsigned)(i * 2654435761u >> 8));
        gfx->WritePixels2(sheet, pixels, 0, 0, 256, 256, 0, 256);
        return true;
    }
    void Close() {
        delete sheet;
        delete gfx;
        glfwDestroyWindow(window);
        glfwTerminate();
    }
    // One frame: 5,000 sprite frames of 8 x 8 from a 32 x 32 grid, spread over
    // the window, with the colour changing as text and particles do.
    void Frame() {
        gfx->BeginRender();
        gfx->SetMatrix(1, 0, 0, 1, 0, 0);
        gfx->SetAlpha(1);
        gfx->SetBlend(0);
        gfx->SetScissor(0, 0, gfx->Width(), gfx->Height());
        gfx->Cls(0, 0, 0);
        for (int i = 0; i < kQuads; ++i) {
            if ((i & 63) == 0) gfx->SetColor((float)(i & 255), 200, 255);
            int frame = i & 1023;
            gfx->DrawSurface2(sheet, (float)(i * 7 % 632), (float)(i * 13 % 472), (frame & 31) * 8, (frame >> 5) * 8,
                              8, 8);
        }
        gfx->EndRender();
    }
};

void BM_TexturedQuads(benchmark::State& state, bool finish) {
    Scene scene;
    if (!scene.Open()) {
        state.SkipWithError("no window: run under Xvfb");
        return;
    }
    scene.Frame();  // the texture is made on first use
    for (auto _ : state) {
        scene.gfx->ResetCounters();
        scene.Frame();
        if (finish) glFinish();
    }
    if (scene.gfx->DrawCallCount() != (kQuads + 255) / 256)
        state.SkipWithError("quads were not batched 256 to a draw call");
    state.counters["draw_calls"] = scene.gfx->DrawCallCount();
    // Per second of the benchmark thread's CPU time.
    state.counters["quads"] = benchmark::Counter((double)kQuads * state.iterations(), benchmark::Counter::kIsRate);
    scene.Close();
}

}  // namespace

// Batching and submission only; OpenGL may still be drawing when the frame ends.
BENCHMARK_CAPTURE(BM_TexturedQuads, submit, false)->Unit(benchmark::kMicrosecond);
// Until the frame is on the screen (Mesa's software rasteriser here).
BENCHMARK_CAPTURE(BM_TexturedQuads, finished, true)->Unit(benchmark::kMicrosecond);
