// initGlApi's 700 lookups timed without Google Benchmark, for the Windows
// build under Wine: the median and the fastest of many fills.
#include "bench/gl_api_context.h"
#include "gfx/gl_api.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main()
{
    if (!openBenchGlContext()) {
        std::fprintf(stderr, "gl_api_timing: no OpenGL context\n");
        return 1;
    }
    constexpr int runs = 2000;
    std::vector<double> micros(runs);
    int status = 0;
    for (double& sample : micros) {
        const auto start = std::chrono::steady_clock::now();
        status |= initGlApi();
        sample = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    }
    std::sort(micros.begin(), micros.end());
    std::printf("initGlApi: median %.1f us, fastest %.1f us, slowest %.1f us over %d fills (status %d)\n",
                micros[runs / 2], micros.front(), micros.back(), runs, status);
    closeBenchGlContext();
    return 0;
}
