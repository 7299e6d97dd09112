#include "base/render_quality.h"

#include <gtest/gtest.h>

namespace {

// Renderer strings as drivers report them: a GPU taken for software would
// lose its multisampling, software taken for a GPU would take a whole core.
TEST(RenderQuality, SoftwareRendererNames)
{
    for (const char* name : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer", "Mesa DRI swrast",
                             "SWR (LLVM 11.0.1, 256 bits)", "zink Vulkan 1.3(llvmpipe (LLVM 15.0.6, 256 bits))",
                             "D3D12 (Microsoft Basic Render Driver)"})
        EXPECT_TRUE(isSoftwareRenderer(name)) << name;
    for (const char* name : {"AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0)",
                             "NVIDIA GeForce GTX 1060/PCIe/SSE2", "virgl (NVIDIA GeForce GTX 1060/PCIe/SSE2)",
                             "SVGA3D; build: RELEASE;  LLVM;", "SWRX", ""})
        EXPECT_FALSE(isSoftwareRenderer(name)) << name;
    EXPECT_FALSE(isSoftwareRenderer(nullptr));
}

TEST(RenderQuality, ChoiceThenAnswerThenName)
{
    using Q = RenderQuality;
    using A = GpuAnswer;
    const char* soft = "llvmpipe (LLVM 15.0.6, 256 bits)";
    const char* gpu = "Mesa Intel(R) UHD Graphics 620 (KBL GT2)";
    EXPECT_EQ(settleRenderQuality(Q::Full, A::Software, soft), Q::Full);
    EXPECT_EQ(settleRenderQuality(Q::Light, A::Hardware, gpu), Q::Light);
    EXPECT_EQ(settleRenderQuality(Q::Auto, A::Software, gpu), Q::Light);
    EXPECT_EQ(settleRenderQuality(Q::Auto, A::Hardware, soft), Q::Full);
    EXPECT_EQ(settleRenderQuality(Q::Auto, A::Unknown, soft), Q::Light);
    EXPECT_EQ(settleRenderQuality(Q::Auto, A::Unknown, gpu), Q::Full);
    EXPECT_EQ(settleRenderQuality(Q::Auto, A::Unknown, nullptr), Q::Full);
}

// An extension is asked for by its whole name: a longer one that starts the
// same must not answer for it.
TEST(RenderQuality, ExtensionListsNameWholeNames)
{
    const char* list = "EGL_EXT_device_drm_render_node EGL_MESA_device_software";
    EXPECT_TRUE(listsName(list, "EGL_MESA_device_software"));
    EXPECT_FALSE(listsName(list, "EGL_EXT_device_drm"));
    EXPECT_TRUE(listsName("EGL_EXT_device_drm", "EGL_EXT_device_drm"));
    EXPECT_FALSE(listsName("", "EGL_EXT_device_drm"));
}

} // namespace
