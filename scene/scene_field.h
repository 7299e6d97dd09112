#pragma once

#include "base/render_settings.h"

#include <cstdint>

constexpr int starSlotCount = 20;

// Everything one screen's stars are: their clock, their random stream and
// their table. The primary monitor's is the one the program has always had;
// where stars run on every monitor, each other monitor has one of its own.
struct SceneField {
    float lastSpawnTime;
    float startTime;
    double elapsed;
    float frameDelta;
    double previousElapsed;
    float sceneRandom;
    int started;
    std::uint32_t randomState;

    int active[starSlotCount];
    int direction[starSlotCount];
    float posX[starSlotCount];
    float posY[starSlotCount];
    float velX[starSlotCount];
    float velY[starSlotCount];
    float color[starSlotCount][4];
    float trailMatrix[starSlotCount][16];
    float headMatrix[starSlotCount][16];

    // The window it is drawn into; the primary's follows renderSettings.
    int width;
    int height;
    float aspectRatio;
    // Added to the seed, so that no two screens draw the same stars.
    unsigned int seedOffset;
};

extern SceneField primaryField;
// The field stepScene and the star functions work on: the primary's, but
// while another monitor's is stepped.
extern SceneField* currentField;

// The size of the current field's window: renderSettings' for the primary.
// Inline: the star matrices ask for the aspect ratio once per star and frame.
inline int fieldWidth()
{
    return currentField == &primaryField ? renderSettings.width : currentField->width;
}

inline int fieldHeight()
{
    return currentField == &primaryField ? renderSettings.height : currentField->height;
}

inline float fieldAspectRatio()
{
    return currentField == &primaryField ? renderSettings.aspectRatio : currentField->aspectRatio;
}

// A monitor's field made anew, for a monitor that has just come: its first
// step seeds it apart from the primary's and from every field before it.
void startOtherField(SceneField& field);
