#include "app/render_quality_linux.h"

#include "base/render_settings.h"
#include "platform/platform.h"

namespace {

const WindowSystem* underlying = nullptr;
RenderQuality chosen = RenderQuality::Auto;
GlRenderer (*askRenderer)() = nullptr;
WindowSystem choosing;

// Asked here, not at start: the answer needs the windowing library running,
// and the samples must be known before the window is made.
bool openChosenRenderWindow(void (*onSize)(int width, int height))
{
    RenderQuality quality = chosen;
    if (quality == RenderQuality::Auto) {
        const GlRenderer renderer = askRenderer();
        quality = settleRenderQuality(quality, renderer.answer, renderer.name);
    }
    if (quality == RenderQuality::Light) {
        renderSettings.samples = 0;
        renderSettings.multisample = false;
        limitFrameRate(lightFramesPerSecond);
    }
    return underlying->openRenderWindow(onSize);
}

} // namespace

const WindowSystem* choosingRenderQuality(const WindowSystem* system, RenderQuality choice, GlRenderer (*ask)())
{
    underlying = system;
    chosen = choice;
    askRenderer = ask;
    choosing = *system;
    choosing.openRenderWindow = openChosenRenderWindow;
    return &choosing;
}
