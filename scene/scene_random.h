#pragma once

// The C runtime's linear congruential generator, kept in the program so that
// Linux and Windows draw the same stars from the same seed.
constexpr int sceneRandMax = 32767;

void sceneSrand(unsigned int seed);

// 0 to sceneRandMax: bits 16 to 30 of state * 214013 + 2531011 (mod 2^32).
int sceneRand();
