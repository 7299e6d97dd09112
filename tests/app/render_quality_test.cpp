#include "base/render_quality.h"

#include <gtest/gtest.h>

namespace {

// Renderer strings as drivers report them: a GPU taken for software would
// lose its picture, software taken for a GPU would take a whole core.
TEST(RenderQuality, SoftwareRendererNames)
{
    const struct {
        const char* name;
        bool software;
    } cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"softpipe", true},
        {"Software Rasterizer", true},
        {"Mesa DRI swrast", true},
        {"SWR (LLVM 11.0.1, 256 bits)", true},
        {"zink Vulkan 1.3(llvmpipe (LLVM 15.0.6, 256 bits) (MESA_LLVMPIPE))", true},
        {"D3D12 (Microsoft Basic Render Driver)", true},
        {"AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0)", false},
        {"NVIDIA GeForce GTX 1060/PCIe/SSE2", false},
        {"virgl (NVIDIA GeForce GTX 1060/PCIe/SSE2)", false},
        {"SVGA3D; build: RELEASE;  LLVM;", false},
        {"", false},
        {nullptr, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isSoftwareRenderer(c.name), c.software) << (c.name ? c.name : "(null)");
}

TEST(RenderQuality, ChoiceThenAnswerThenName)
{
    using Q = RenderQuality;
    using A = GpuAnswer;
    const char* soft = "llvmpipe (LLVM 15.0.6, 256 bits)";
    const char* gpu = "Mesa Intel(R) UHD Graphics 620 (KBL GT2)";
    const struct {
        Q choice;
        A answer;
        const char* name;
        Q settled;
    } cases[] = {
        {Q::Full, A::Software, soft, Q::Full},
        {Q::Light, A::Hardware, gpu, Q::Light},
        {Q::Auto, A::Software, gpu, Q::Light},
        {Q::Auto, A::Hardware, soft, Q::Full},
        {Q::Auto, A::Unknown, soft, Q::Light},
        {Q::Auto, A::Unknown, gpu, Q::Full},
        {Q::Auto, A::Unknown, nullptr, Q::Full},
    };
    for (const auto& c : cases)
        EXPECT_EQ(settleRenderQuality(c.choice, c.answer, c.name), c.settled) << (c.name ? c.name : "(null)");
}

} // namespace
