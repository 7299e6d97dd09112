#pragma once

#include "scene/scene_field.h"

enum StarDirection {
    Rightward = 0,
    Leftward = 1,
    Downward = 2,
    Upward = 3,
};

// starTable: one entry per slot in each array. Positions are the head's
// centre in normalised device coordinates, velocities in units per second.
// These name the primary monitor's table; the functions work on currentField.
extern int (&active)[starSlotCount];
extern int (&direction)[starSlotCount];
extern float (&posX)[starSlotCount];
extern float (&posY)[starSlotCount];
extern float (&velX)[starSlotCount];
extern float (&velY)[starSlotCount];
extern float (&color)[starSlotCount][4];
extern float (&trailMatrix)[starSlotCount][16];
extern float (&headMatrix)[starSlotCount][16];

extern const float starPalette[4][4];

// 0 to 0.9999 in steps of 0.0001.
float randomUnit();

void resetStar(int slot);
void resetAllStars();

// Fills the lowest free slot; nothing when all are live.
void spawnStar();

void updateStarMatrices(int slot);

// One frame: move, rebuild matrices, retire, and spawn on the 0.8 s timer.
void updateStars();
