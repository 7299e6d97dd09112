#include "tests/support/allocation_count.h"
#include "tests/scene/gl_call_log.h"

#include "base/render_settings.h"
#include "scene/scene.h"
#include "scene/star_field.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

// Through volatile pointers, so the compiler cannot drop the pair.
void* (*volatile newFunction)(std::size_t) = ::operator new;
void (*volatile deleteFunction)(void*) noexcept = ::operator delete;
void* (*volatile mallocFunction)(std::size_t) = std::malloc;

TEST(SceneAllocation, TheCounterSeesAllocations)
{
    heapAllocations = 0;
    countingAllocations = true;
    deleteFunction(newFunction(32));
    std::free(mallocFunction(32));
    countingAllocations = false;
    EXPECT_EQ(heapAllocations, mallocIsCounted ? 2 : 1);
}

TEST(SceneAllocation, TenThousandFramesAllocateNothing)
{
    installNoopGl();
    renderSettings.width = 1920;
    renderSettings.height = 1080;
    renderSettings.aspectRatio = 1920.0f / 1080.0f;
    double time = 2.0;
    stepScene(time);

    int mostLive = 0;
    heapAllocations = 0;
    countingAllocations = true;
    for (int frame = 0; frame < 10000; ++frame) {
        time += 1.0 / 60.0;
        stepScene(time);
        int live = 0;
        for (int slot = 0; slot < starSlotCount; ++slot) {
            live += active[slot];
        }
        mostLive = live > mostLive ? live : mostLive;
    }
    countingAllocations = false;
    EXPECT_EQ(heapAllocations, 0);
    EXPECT_EQ(mostLive, starSlotCount) << "the frames covered a full table";
}

} // namespace
