#include "scene/scene_random.h"

#include <cstdint>

namespace {
uint32_t randomState = 1;
}

void sceneSrand(unsigned int seed)
{
    randomState = seed;
}

int sceneRand()
{
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7fffu);
}
