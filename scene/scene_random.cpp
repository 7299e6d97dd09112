#include "scene/scene_random.h"

#include "scene/scene_field.h"

#include <cstdint>

// Each field draws from a stream of its own, so other monitors' stars never
// change the primary's.
void sceneSrand(unsigned int seed)
{
    currentField->randomState = seed;
}

int sceneRand()
{
    std::uint32_t& state = currentField->randomState;
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7fffu);
}
