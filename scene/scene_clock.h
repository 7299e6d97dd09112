#pragma once

#include "scene/scene_field.h"

// The scene clock, in seconds. The running time is a double: a float's
// resolution after days of running (31 ms at 100 hours) is coarser than a
// frame, so the step between two float times would often be 0. The step is a
// float, as the positions it moves are. These name the primary monitor's
// field; the scene's functions work on currentField.
extern float& lastSpawnTime;
extern float& startTime;
extern double& elapsed;
extern float& frameDelta;
extern double& previousElapsed;
extern float& sceneRandom;
extern int& started;

// The random seed for a first frame at `time`: its digits at 10^-3 and
// 10^-4 seconds, 0 to 99.
unsigned int sceneSeedFromTime(double time);
