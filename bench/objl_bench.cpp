#include "objl/objl.h"

#include <benchmark/benchmark.h>

#include <iostream>
#include <streambuf>
#include <string>

namespace {

// Swallows the loader's progress lines so the benchmark's own table stays readable.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// An object of lineCount lines: blocks of four corners, their texture
// coordinates and one normal, closed by a quad face, with a new object and
// a material switch now and then, as exporters write them.
std::string generateModel(int lineCount)
{
    std::string text = "mtllib bench.mtl\n";
    int lines = 1;
    int block = 0;
    while (lines < lineCount) {
        if (block % 100 == 0) {
            text += "o Object" + std::to_string(block / 100) + "\nusemtl wire\n";
            lines += 2;
        }
        const float x = static_cast<float>(block % 317);
        const float y = static_cast<float>(block / 317);
        const float corners[4][2] = {{x, y}, {x + 1, y}, {x + 1, y + 1}, {x, y + 1}};
        for (const auto& c : corners)
            text += "v " + std::to_string(c[0]) + " " + std::to_string(c[1]) + " 0.000000\n";
        for (const auto& c : corners)
            text += "vt " + std::to_string(c[0] - x) + " " + std::to_string(c[1] - y) + " 0.000000\n";
        text += "vn 0.000000 0.000000 1.000000\n";
        text += "f -4/-4/-1 -3/-3/-1 -2/-2/-1 -1/-1/-1\n";
        lines += 10;
        ++block;
    }
    return text;
}

void loadGeneratedModel(benchmark::State& state)
{
    const int lineCount = static_cast<int>(state.range(0));
    const std::string model = generateModel(lineCount);
    const std::string materials = "newmtl wire\nKd 0.64 0.04 0.64\n";
    NullBuffer sink;
    std::streambuf* const console = std::cout.rdbuf(&sink);
    for (auto _ : state) {
        objl::Loader loader;
        benchmark::DoNotOptimize(loader.loadModelText(model, materials));
        benchmark::DoNotOptimize(loader.meshes.data());
    }
    std::cout.rdbuf(console);
    state.SetItemsProcessed(state.iterations() * lineCount);
    state.counters["lines"] = lineCount;
}

} // namespace

BENCHMARK(loadGeneratedModel)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
