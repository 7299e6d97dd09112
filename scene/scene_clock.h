#pragma once

// The scene clock: every time in seconds, as 32-bit floats.
extern float lastSpawnTime;
extern float startTime;
extern float elapsed;
extern float frameDelta;
extern float previousElapsed;
extern float sceneRandom;
extern int started;

// The random seed for a first frame at `time`: its digits at 10^-3 and
// 10^-4 seconds, 0 to 99.
unsigned int sceneSeedFromTime(double time);
