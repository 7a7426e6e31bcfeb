// Writing and reading the whole profile text (about 22 KB, 10,535 fields).
#include <benchmark/benchmark.h>

#include "game/flow_globals.h"
#include "host/bbgame.h"
#include "shell/zump_profile.h"

namespace {

void FillProfile() {
    static BBGame host;  // loading asks the host for the date and the clock
    bbInit();
    bb_zump_ZUMP_GameNum = 525;
    bb_zump_SetDefaults();
    bb_zump_ZUMP_UserIDA = 20261209;
    bb_zump_ZUMP_UserIDB = 183045123;
    for (int g = 1; g <= 9; ++g)
        for (int k = 0; k < 10; ++k) bb_zump_ZUMP_Score[20 * g + k] = 40 - k - g;
}

void BM_ProfileText(benchmark::State& state) {
    FillProfile();
    for (auto _ : state) benchmark::DoNotOptimize(bb_zump_ProfileText());
}
BENCHMARK(BM_ProfileText);

void BM_LoadProfileText(benchmark::State& state) {
    FillProfile();
    String text = bb_zump_ProfileText();
    for (auto _ : state) bb_zump_LoadProfileText(text);
}
BENCHMARK(BM_LoadProfileText);

}  // namespace
