#include "base/render_quality.h"

#include <cstddef>
#include <cstring>

namespace {

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isWordChar(char c)
{
    c = lowerAscii(c);
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Finds lower-case NEEDLE in TEXT ignoring case; with WHOLE only where it is
// neither preceded nor followed by a letter or digit ("SWR" but not "SWRX").
bool containsIgnoringCase(const char* text, const char* needle, bool whole)
{
    const std::size_t length = std::strlen(needle);
    for (const char* start = text; *start; ++start) {
        std::size_t i = 0;
        while (i < length && start[i] && lowerAscii(start[i]) == needle[i])
            ++i;
        if (i != length)
            continue;
        if (!whole || ((start == text || !isWordChar(start[-1])) && !isWordChar(start[length])))
            return true;
    }
    return false;
}

} // namespace

bool readRenderQuality(const char* text, RenderQuality* quality)
{
    static const struct {
        const char* name;
        RenderQuality quality;
    } names[] = {{"auto", RenderQuality::Auto}, {"full", RenderQuality::Full}, {"light", RenderQuality::Light}};
    if (!text)
        return false;
    for (const auto& n : names) {
        if (std::strcmp(text, n.name) == 0) {
            *quality = n.quality;
            return true;
        }
    }
    return false;
}

bool isSoftwareRenderer(const char* rendererName)
{
    // Zink over lavapipe names its Vulkan device in brackets, which llvmpipe
    // catches too; WSL's D3D12 driver over WARP names the Basic Render Driver.
    static const char* const names[] = {"llvmpipe", "softpipe", "swrast", "software rasterizer",
                                        "software renderer", "basic render driver", "mesa x11"};
    if (!rendererName)
        return false;
    for (const char* name : names)
        if (containsIgnoringCase(rendererName, name, false))
            return true;
    // OpenSWR; as a bare substring it would match inside other words.
    return containsIgnoringCase(rendererName, "swr", true);
}

bool listsName(const char* list, const char* name)
{
    const std::size_t length = std::strlen(name);
    for (const char* at = list; (at = std::strstr(at, name)) != nullptr; at += length)
        if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0'))
            return true;
    return false;
}

RenderQuality settleRenderQuality(RenderQuality choice, GpuAnswer answer, const char* rendererName)
{
    if (choice != RenderQuality::Auto)
        return choice;
    if (answer != GpuAnswer::Unknown)
        return answer == GpuAnswer::Software ? RenderQuality::Light : RenderQuality::Full;
    return isSoftwareRenderer(rendererName) ? RenderQuality::Light : RenderQuality::Full;
}
