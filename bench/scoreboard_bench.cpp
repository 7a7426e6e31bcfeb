// The scoreboard's share of a menu frame (both boards queued) and the
// reading of a full online answer.
#include <benchmark/benchmark.h>

#include <string>

#include "app/app.h"
#include "game/flow_globals.h"
#include "game/mygame.h"
#include "graphics/graphics.h"
#include "host/bbgame.h"
#include "shell/zump_scoreboard.h"
#include "shell/zump_screen.h"
#include "shell/zump_text.h"

namespace {

void PutImage(int slot, int frames, int size) {
    c_Image* image = new c_Image();
    image->m_width = image->m_height = size;
    image->m_frames.resize((size_t)frames);
    bb_zump_ZUMP_Img[slot] = image;
    bb_zump_ZUMP_ImgD[slot] = frames;
}

String FullAnswer() {
    std::string text = "OnlineScores{";
    for (int g = 1; g <= 9; ++g) {
        for (int k = 0; k < 5; ++k)
            text += "1{Player" + std::to_string(g * 10 + k) + "{" + std::to_string(100000 * g + k) + "{x{";
        text += "a{b{";
    }
    return bbStringFromUtf8(text);
}

void BM_DrawBothBoards(benchmark::State& state) {
    static BBGame* host = new BBGame();
    (void)host;
    bbInit();
    PutImage(99, 128, 64);
    PutImage(82, 1, 256);
    PutImage(74, 16, 32);
    bb_zump_ZUMP_Font = 99;
    bb_zump_ZUMP_MenuPos[2] = 4;
    bb_zump_ZUMP_MenuPos[12] = 9;
    c_MyGame game;
    game.p_ManageOnline(FullAnswer());
    for (int k = 0; k < 10; ++k) bb_zump_ZUMP_Score[100 + k] = 123456 - 1000 * k;
    for (auto _ : state) {
        bb_zump_Sprtup = 0;
        bb_zump_Draw_Scoreboard(400, 410, 0, 0);
        benchmark::DoNotOptimize(bb_zump_Sprtup);
    }
}
BENCHMARK(BM_DrawBothBoards);

void BM_ReadFullAnswer(benchmark::State& state) {
    bbInit();
    bb_zump_ZUMP_Levels = 9;
    c_MyGame game;
    String answer = FullAnswer();
    for (auto _ : state) {
        game.p_ManageOnline(answer);
        benchmark::DoNotOptimize(bb_zump_ZUMP_OnScore[180]);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)answer.size() * 2);
}
BENCHMARK(BM_ReadFullAnswer);

}  // namespace
