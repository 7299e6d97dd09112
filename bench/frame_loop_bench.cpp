// Frames per second of the saver's full main-loop pass against a loop that
// only clears and presents, on the same full-screen window with the swap
// interval off. Run it on a display: tests/support/with-display frame_loop_bench
// With several monitors the others get their blanking windows, as in a saver
// run, and rounds with them closed tell what they cost:
// bench/monitors_frame_loop.py runs it on two monitors and on one.
#include "app/monitor_blanking.h"
#include "app/render_window.h"
#include "app/saver_run.h"
#include "app/window_geometry.h"
#include "base/render_settings.h"
#include "base/run_mode.h"
#include "gfx/gl_api.h"
#include "scene/scene.h"
#include "scene/scene_clock.h"
#include "scene/star_field.h"

#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double warmUpStep = 0.05;
constexpr int warmUpFrames = 600;
// About 16 stars live on average; a full table takes a minute or a few of
// scene time, so the warm-up may run far beyond its first 600 frames.
constexpr int warmUpFrameLimit = 20000;

// The three loops take turns, round after round, so that a change in the
// machine's load reaches each of them alike; the ratios are taken per round.
constexpr int rounds = 3;

std::vector<double> sceneFps;
std::vector<double> fullTableFps;
std::vector<double> clearFps;
std::vector<double> unblankedFps;

int liveStars()
{
    int live = 0;
    for (int slot = 0; slot < starSlotCount; ++slot)
        live += active[slot] != 0;
    return live;
}

// The scene as the warm-up left it, so each timed run starts from a full table.
SceneField warmScene;
double warmTime;

void saveScene(double time)
{
    warmScene = primaryField;
    warmTime = time;
}

// The real clock carries on from the scripted time.
void restoreScene()
{
    primaryField = warmScene;
    glfwSetTime(warmTime);
}

// fps from real time; the CPU column counts the whole process, as the
// software rasteriser draws on threads of its own.
void reportFps(benchmark::State& state)
{
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["live"] = liveStars();
}

void fullScenePass(benchmark::State& state)
{
    restoreScene();
    bool keepRunning = true;
    for (auto _ : state) {
        if (!runMainLoopPass(&keepRunning)) {
            state.SkipWithError("the window asked to close");
            break;
        }
    }
    reportFps(state);
}

// The same pass with the clock held where the warm-up left it, so all 20
// stars are updated and drawn in every frame: the scene's heaviest frame.
void fullTableHeldClock(benchmark::State& state)
{
    restoreScene();
    for (auto _ : state) {
        stepScene(warmTime);
        glfwSwapBuffers(renderWindow);
        glfwPollEvents();
    }
    reportFps(state);
}

// The pass with the other monitors left uncovered, as a one-monitor desk has it.
void fullScenePassUnblanked(benchmark::State& state)
{
    releaseBlankingWindows();
    fullScenePass(state);
    openBlankingWindows();
}

void clearAndSwap(benchmark::State& state)
{
    for (auto _ : state) {
        GlApi.glClear(GL_COLOR_BUFFER_BIT);
        glfwSwapBuffers(renderWindow);
        glfwPollEvents();
    }
    reportFps(state);
}

// Keeps the last fps of each benchmark so the ratio can be printed at the end.
class FpsReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            auto fps = run.counters.find("fps");
            if (fps == run.counters.end())
                continue;
            const std::string name = run.benchmark_name();
            if (name.rfind("fullScenePassUnblanked", 0) == 0)
                unblankedFps.push_back(fps->second.value);
            else if (name.rfind("fullScenePass", 0) == 0)
                sceneFps.push_back(fps->second.value);
            else if (name.rfind("fullTableHeldClock", 0) == 0)
                fullTableFps.push_back(fps->second.value);
            else if (name.rfind("clearAndSwap", 0) == 0)
                clearFps.push_back(fps->second.value);
        }
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void printComparison(const char* name, const std::vector<double>& fps, const char* baseName = "clearAndSwap",
                     const std::vector<double>& baseFps = clearFps, double goal = 0.9)
{
    if (fps.empty() || fps.size() != baseFps.size())
        return;
    std::vector<double> ratios;
    for (std::size_t round = 0; round < fps.size(); ++round) {
        ratios.push_back(fps[round] / baseFps[round]);
        std::printf("round %zu: %s %.1f fps, %s %.1f fps, ratio %.3f\n", round + 1, name, fps[round], baseName,
                    baseFps[round], ratios.back());
    }
    std::printf("%s: median %.1f fps against %.1f fps, median ratio %.3f (goal >= %.2f)\n", name, median(fps),
                median(baseFps), median(ratios), goal);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);

    runMode = Saver;
    renderSettings.useMonitor = true;
    renderSettings.swapInterval = false;
    initWindowing();
    computeWindowSize();
    openSaver();
    int monitors = 0;
    glfwGetMonitors(&monitors);
    std::printf("window %d x %d, %d monitor(s), %s\n", renderSettings.width, renderSettings.height, monitors,
                reinterpret_cast<const char*>(GlApi.glGetString(GL_RENDERER)));

    // A long-running saver: scripted frames until the table is full. Past the
    // first frames nothing is presented, which only shortens the wait.
    double time = 1.0;
    int frame = 0;
    for (; frame < warmUpFrameLimit && (frame < warmUpFrames || liveStars() < starSlotCount); ++frame) {
        stepScene(time);
        if (frame < warmUpFrames)
            glfwSwapBuffers(renderWindow);
        glfwPollEvents();
        time += warmUpStep;
    }
    GlApi.glFinish();
    saveScene(time);
    std::printf("live stars after %d warm-up frames (%.0f s of scene time): %d of %d\n", frame, time - 1.0,
                liveStars(), starSlotCount);

    for (int round = 1; round <= rounds; ++round) {
        const std::string suffix = "/round:" + std::to_string(round);
        for (auto* loop : {benchmark::RegisterBenchmark(("fullScenePass" + suffix).c_str(), fullScenePass),
                           benchmark::RegisterBenchmark(("fullTableHeldClock" + suffix).c_str(), fullTableHeldClock),
                           benchmark::RegisterBenchmark(("clearAndSwap" + suffix).c_str(), clearAndSwap)})
            loop->UseRealTime()->MeasureProcessCPUTime()->MinTime(2.0);
        if (monitors > 1)
            benchmark::RegisterBenchmark(("fullScenePassUnblanked" + suffix).c_str(), fullScenePassUnblanked)
                ->UseRealTime()
                ->MeasureProcessCPUTime()
                ->MinTime(2.0);
    }
    FpsReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printComparison("fullScenePass", sceneFps);
    printComparison("fullTableHeldClock", fullTableFps);
    printComparison("fullScenePass", sceneFps, "fullScenePassUnblanked", unblankedFps, 0.95);

    closeSaver();
    return 0;
}
