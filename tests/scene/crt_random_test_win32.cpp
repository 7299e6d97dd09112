#include "scene/scene_random.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(SceneRandom, DrawsWhatTheWindowsCRuntimeDraws)
{
    ASSERT_EQ(RAND_MAX, sceneRandMax);
    for (unsigned int seed = 0; seed < 100; ++seed) {
        std::srand(seed);
        sceneSrand(seed);
        for (int i = 0; i < 1000; ++i) {
            ASSERT_EQ(sceneRand(), std::rand()) << "seed " << seed << ", draw " << i;
        }
    }
}

} // namespace
