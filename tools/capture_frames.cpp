// Renders the saver's scene off screen from a scripted clock and writes the
// frames as PNG files, for the README's picture and its tests. The window,
// render state, assets and scene are the saver's own; only the clock is ours.
//   capture_frames OUT_DIR [--size WxH] [--start SECONDS] [--step SECONDS]
//                  [--frames N] [--skip N] [--samples N]
// The start time seeds the star field as the saver's first frame does
// (1.23456 gives seed 45). Frames before --skip are drawn but not written.
// --samples replaces the saver's multisample count (0: none, as the render
// tests' context has).
#include "app/render_window.h"
#include "app/saver_run.h"
#include "app/window_geometry.h"
#include "base/render_settings.h"
#include "base/run_mode.h"
#include "gfx/gl_api.h"
#include "scene/scene.h"

#include <GLFW/glfw3.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string outDir;
    int width = 640;
    int height = 360;
    double start = 1.23456;
    double step = 1.0 / 25.0;
    long frames = 100;
    long skip = 0;
    int samples = renderSettings.samples;
};

bool parseOptions(int argc, char** argv, Options* o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        char* end = nullptr;
        if (arg[0] != '-' && o->outDir.empty()) {
            o->outDir = arg;
            continue;
        }
        if (value == nullptr)
            return false;
        ++i;
        if (arg == "--size") {
            if (std::sscanf(value, "%dx%d", &o->width, &o->height) != 2)
                return false;
        } else if (arg == "--start") {
            o->start = std::strtod(value, &end);
        } else if (arg == "--step") {
            o->step = std::strtod(value, &end);
        } else if (arg == "--frames") {
            o->frames = std::strtol(value, &end, 10);
        } else if (arg == "--skip") {
            o->skip = std::strtol(value, &end, 10);
        } else if (arg == "--samples") {
            o->samples = static_cast<int>(std::strtol(value, &end, 10));
        } else {
            return false;
        }
        if (end != nullptr && *end != '\0')
            return false;
    }
    return !o->outDir.empty() && o->width > 0 && o->height > 0 && o->width <= 8192 && o->height <= 8192 &&
           o->step > 0 && o->frames > 0 && o->frames <= 100000 && o->skip >= 0 && o->samples >= 0 && o->samples <= 32;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parseOptions(argc, argv, &o)) {
        std::fprintf(stderr, "usage: capture_frames OUT_DIR [--size WxH] [--start S] [--step S] "
                             "[--frames N] [--skip N] [--samples N]\n");
        return 2;
    }

    // The saver's own window and context, hidden and at the picture's size.
    runMode = Saver;
    renderSettings.useMonitor = false;
    renderSettings.windowIcon = false;
    renderSettings.samples = o.samples;
    std::snprintf(renderSettings.title, sizeof renderSettings.title, "Quillomar capture");
    initWindowing();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    storeWindowGeometry(o.width, o.height);
    openSaver();

    const std::size_t row = static_cast<std::size_t>(o.width) * 3;
    std::vector<unsigned char> pixels(row * static_cast<std::size_t>(o.height));
    GlApi.glPixelStorei(GL_PACK_ALIGNMENT, 1);
    stbi_flip_vertically_on_write(1); // GL's rows start at the bottom
    int written = 0;
    for (long frame = 0; frame < o.skip + o.frames; ++frame) {
        stepScene(o.start + o.step * static_cast<double>(frame));
        if (frame < o.skip)
            continue;
        GlApi.glReadPixels(0, 0, o.width, o.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        char name[32];
        std::snprintf(name, sizeof name, "/frame_%05ld.png", frame - o.skip);
        const std::string path = o.outDir + name;
        if (!stbi_write_png(path.c_str(), o.width, o.height, 3, pixels.data(), static_cast<int>(row))) {
            std::fprintf(stderr, "capture_frames: cannot write %s\n", path.c_str());
            return 1;
        }
        ++written;
    }
    closeSaver();
    std::printf("%d frames of %d x %d in %s\n", written, o.width, o.height, o.outDir.c_str());
    return 0;
}
