// initGlApi's 700 lookups on a real context (run it on a display: Xvfb is fine),
// and the part of it that drops what the context lacks.
#include "bench/gl_api_context.h"
#include "gfx/gl_api.h"
#include "gfx/gl_loader.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

void BM_initGlApi(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(initGlApi());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_initGlApi)->Unit(benchmark::kMicrosecond);

void BM_dropEntriesTheContextLacks(benchmark::State& state)
{
    for (auto _ : state) {
        dropEntriesTheContextLacks();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_dropEntriesTheContextLacks)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!openBenchGlContext()) {
        std::fprintf(stderr, "gl_api_bench: no OpenGL context (is DISPLAY set?)\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    closeBenchGlContext();
    return 0;
}
