// The cost of play: one in-play update (the hole's step with its world scan,
// on the busiest hole of all 81), the playback of that picture through the
// real renderer (needs a display: run under Xvfb), and the update on which
// one hole ends and the next is generated.
#include <benchmark/benchmark.h>

#include <GLFW/glfw3.h>

#include <cstdio>

#include "app/app.h"
#include "bench_support.h"
#include "app/input_device.h"
#include "game/flow_globals.h"
#include "game/mygame.h"
#include "game/world.h"
#include "graphics/graphics.h"
#include "graphics/render_batch.h"
#include "host/bbgame.h"
#include "host/glfwgame.h"
#include "shell/zump_screen.h"
#include "shell/zump_text.h"

namespace {

class BenchHost : public BBGame {
public:
    int GetDeviceWidth() override { return 1280; }
    int GetDeviceHeight() override { return 720; }
};

// Sheets with the frame layout of the game's images; surfaces are blank
// textures of the real sizes when a renderer is given, else absent.
struct Sheet {
    int slot, frameW, frameH, frames, surfaceW, surfaceH;
};
const Sheet kSheets[] = {
    {1, 36, 36, 49, 252, 252},     {2, 36, 36, 49, 252, 252},    {3, 36, 36, 49, 252, 252},
    {4, 36, 36, 49, 252, 252},     {11, 256, 64, 4, 256, 256},   {12, 64, 64, 1, 64, 64},
    {68, 1024, 1024, 4, 2048, 2048}, {90, 128, 128, 16, 512, 512}, {99, 64, 64, 128, 1024, 512},
};

c_MyGame* g_game = nullptr;

void SetUpGame(gxtkGraphics* graphics) {
    static BenchHost* host = new BenchHost();
    (void)host;
    bbInit();
    bb_input_SetInputDevice((new c_InputDevice())->m_new());
    bb_app_ValidateDeviceWindow(false);
    bb_zump_FitScreen(1280, 720);
    g_game = (new c_MyGame())->m_new();
    g_game->p_OnCreate();
    for (const Sheet& s : kSheets) {
        c_Image* image = new c_Image();
        if (graphics) {
            image->p_Init2(graphics->CreateSurface(s.surfaceW, s.surfaceH), 0, 0, s.frameW, s.frameH, s.frames,
                           c_Image::CenterHandle, nullptr, 0, 0, s.surfaceW, s.surfaceH);
        } else {
            image->m_width = s.frameW;
            image->m_height = s.frameH;
            image->m_frames.resize((size_t)s.frames);
        }
        bb_zump_ZUMP_Img[s.slot] = image;
        bb_zump_ZUMP_ImgD[s.slot] = s.frames;
        bb_zump_ZUMP_ImgW[s.slot] = (float)s.frameW;
    }
    bb_zump_ZUMP_Font = 99;
    bb_zump_ZUMP_Loader = 0;
}

void Update() {
    bb_input_device->p_BeginUpdate();
    g_game->p_OnUpdate();
    bb_input_device->p_EndUpdate();
}

// Starts course `course` and plays on to hole `hole` as the ends of the
// holes before it would.
void GoToHole(int course, int hole) {
    bb_zump_ZUMP_GameType = course;
    bb_zump_ZUMP_GameMode = 11;
    Update();
    while (g_game->m_hole < hole) {
        bb_zump_plr[67] = 180;
        bb_zump_plr[66] = 1;
        Update();
    }
    Update();
}

// The hole whose first picture has the most draw records.
struct Busiest {
    int course = 1, hole = 1, records = 0;
};
const Busiest& FindBusiest() {
    static Busiest busiest;
    if (busiest.records) return busiest;
    for (int course = 1; course <= 9; ++course) {
        SetUpGame(nullptr);
        bb_zump_ZUMP_GameType = course;
        bb_zump_ZUMP_GameMode = 11;
        Update();
        for (int hole = 1; hole <= 9; ++hole) {
            if (hole > 1) {
                bb_zump_plr[67] = 180;
                bb_zump_plr[66] = 1;
                Update();
            }
            Update();
            if (bb_zump_Bufferup > busiest.records) busiest = {course, hole, bb_zump_Bufferup};
        }
    }
    std::printf("busiest hole: course %d hole %d, %d records\n", busiest.course, busiest.hole, busiest.records);
    return busiest;
}

void BM_PlayUpdateBusiestHole(benchmark::State& state) {
    const Busiest& b = FindBusiest();
    SetUpGame(nullptr);
    GoToHole(b.course, b.hole);
    for (auto _ : state) {
        Update();
        benchmark::DoNotOptimize(bb_zump_Bufferup);
    }
    state.counters["records"] = (double)bb_zump_Bufferup;
}
BENCHMARK(BM_PlayUpdateBusiestHole)->Unit(benchmark::kMicrosecond);

// The update on which a hole ends and the next one is generated, for each
// hole change of course 1 (holes 2 to 9).
void BM_SwitchHole(benchmark::State& state) {
    int hole = (int)state.range(0);
    SetUpGame(nullptr);
    GoToHole(1, hole - 1);
    for (auto _ : state) {
        state.PauseTiming();
        g_game->m_hole = hole - 1;
        bb_zump_plr[67] = 180;
        bb_zump_plr[66] = 1;
        state.ResumeTiming();
        Update();
    }
}
BENCHMARK(BM_SwitchHole)->DenseRange(2, 9)->Unit(benchmark::kMillisecond);

// Playback of the busiest hole's picture at 1280 x 720.
void BM_RenderBusiestHole(benchmark::State& state) {
    if (!OpenBenchWindow()) {
        state.SkipWithError("no display");
        return;
    }
    const Busiest& b = FindBusiest();
    gxtkGraphics* graphics = new gxtkGraphics();
    SetUpGame(graphics);
    bb_graphics_SetGraphicsDevice(graphics);
    GoToHole(b.course, b.hole);
    for (auto _ : state) {
        graphics->BeginRender();
        bb_graphics_BeginRender();
        bb_zump_RenderWorld();
        bb_graphics_EndRender();
        graphics->EndRender();
        glFinish();
    }
    state.counters["records"] = (double)bb_zump_Bufferup;
}
BENCHMARK(BM_RenderBusiestHole)->Unit(benchmark::kMicrosecond);

}  // namespace
