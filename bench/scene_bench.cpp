#include "base/render_settings.h"
#include "scene/scene_clock.h"
#include "scene/scene_random.h"
#include "scene/star_field.h"

#include <benchmark/benchmark.h>

namespace {

// A full table of stars spread over the screen, as in a long run.
void fillTable()
{
    renderSettings.aspectRatio = 16.0f / 9.0f;
    sceneSrand(45);
    resetAllStars();
    elapsed = 0.0f;
    lastSpawnTime = 0.0f;
    for (int slot = 0; slot < starSlotCount; ++slot) {
        spawnStar();
        posX[slot] *= 0.5f;
        posY[slot] *= 0.5f;
    }
}

// Frame time 0 keeps the stars in place; with the spawn interval passed,
// every live slot also scans the full table for a free slot (the worst case).
void updateStarsFullTable(benchmark::State& state)
{
    fillTable();
    frameDelta = 0.0f;
    elapsed = state.range(0) ? 100.0f : 0.5f;
    for (auto _ : state) {
        updateStars();
        benchmark::DoNotOptimize(headMatrix);
        benchmark::ClobberMemory();
    }
    state.counters["live"] = starSlotCount;
}
BENCHMARK(updateStarsFullTable)->Arg(0)->Arg(1)->ArgName("spawnDue");

// Moving stars: they leave and respawn as in a real run.
void updateStarsMoving(benchmark::State& state)
{
    fillTable();
    frameDelta = 1.0f / 60.0f;
    for (auto _ : state) {
        elapsed += frameDelta;
        updateStars();
        benchmark::DoNotOptimize(headMatrix);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(updateStarsMoving);

} // namespace

BENCHMARK_MAIN();
