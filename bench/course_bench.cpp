// Time to generate one hole, which happens between two updates of play.
#include <benchmark/benchmark.h>

#include "game/world.h"
#include "host/bb_runtime.h"

namespace {

// Clears the tables as a game start does and plays holes 1..hole - 1, so the
// measured hole starts from the state a game gives it.
void PlayBefore(int course, int hole) {
    bbInit();
    for (int h = 1; h < hole; ++h) bb_world_GenerateHole(course, h);
}

void BM_NewLevelCourse1Hole1(benchmark::State& state) {
    PlayBefore(1, 1);
    for (auto _ : state) {
        bb_world_GenerateHole(1, 1);
        benchmark::DoNotOptimize(bb_zump_grid[0]);
    }
}
BENCHMARK(BM_NewLevelCourse1Hole1)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

// Every hole of every course; the band of cells a hole inherits from the one
// before is left as the last timed run made it, which changes only scenery.
void BM_NewLevelEveryHole(benchmark::State& state) {
    int course = (int)state.range(0), hole = (int)state.range(1);
    PlayBefore(course, hole);
    for (auto _ : state) {
        bb_world_GenerateHole(course, hole);
        benchmark::DoNotOptimize(bb_zump_grid[0]);
    }
}
BENCHMARK(BM_NewLevelEveryHole)
    ->ArgsProduct({benchmark::CreateDenseRange(1, 9, 1), benchmark::CreateDenseRange(1, 9, 1)})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.2);

}  // namespace
