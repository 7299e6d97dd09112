#include "scene/scene_clock.h"

#include <cstdint>

float& lastSpawnTime = primaryField.lastSpawnTime;
float& startTime = primaryField.startTime;
double& elapsed = primaryField.elapsed;
float& frameDelta = primaryField.frameDelta;
double& previousElapsed = primaryField.previousElapsed;
float& sceneRandom = primaryField.sceneRandom;
int& started = primaryField.started;

unsigned int sceneSeedFromTime(double time)
{
    const double scaled = time * 10000.0;
    // Past about five days the product no longer fits 32 bits and the plain
    // conversion is undefined: keep its low 32 bits. Negative or NaN seeds 0.
    if (!(scaled >= 0.0) || scaled >= 18446744073709551616.0) {
        return 0;
    }
    const uint32_t truncated = static_cast<uint32_t>(static_cast<uint64_t>(scaled));
    return truncated % 100u;
}
