#include "scene/star_field.h"

#include "base/matrix4.h"
#include "scene/scene_clock.h"
#include "scene/scene_random.h"

#include <algorithm>

int (&active)[starSlotCount] = primaryField.active;
int (&direction)[starSlotCount] = primaryField.direction;
float (&posX)[starSlotCount] = primaryField.posX;
float (&posY)[starSlotCount] = primaryField.posY;
float (&velX)[starSlotCount] = primaryField.velX;
float (&velY)[starSlotCount] = primaryField.velY;
float (&color)[starSlotCount][4] = primaryField.color;
float (&trailMatrix)[starSlotCount][16] = primaryField.trailMatrix;
float (&headMatrix)[starSlotCount][16] = primaryField.headMatrix;

const float starPalette[4][4] = {
    {0.4f, 0.9f, 0.2f, 1.0f},
    {0.9f, 0.2f, 0.2f, 1.0f},
    {0.2f, 0.2f, 0.9f, 1.0f},
    {0.9f, 0.9f, 0.2f, 1.0f},
};

namespace {

constexpr float headSize = 0.06f;
// The spawn timer keeps the float time runs have always been timed in, so a
// run's stars come as they always did; added and compared in double, its gaps
// only coarsen by a float's step (a quarter second after four weeks).
constexpr double spawnInterval = 0.8;

double spawnClock(const SceneField& f)
{
    return static_cast<double>(static_cast<float>(f.elapsed));
}

float sign(float v)
{
    return v > 0.0f ? 1.0f : (v < 0.0f ? -1.0f : 0.0f);
}

float absolute(float v)
{
    return v < 0.0f ? -v : v;
}

void buildStarMatrices(SceneField& f, int slot, float a)
{
    const float x = f.posX[slot];
    const float y = f.posY[slot];
    setTranslationScale(f.headMatrix[slot], x, y, 0.0f, headSize / a, headSize, headSize);
    if (f.direction[slot] == Rightward || f.direction[slot] == Leftward) {
        const float vx = f.velX[slot];
        setTranslationScale(f.trailMatrix[slot], x - 2.0f * vx / a - sign(vx) * headSize / a, y, 0.0f,
                            2.0f * absolute(vx) / a, headSize, 0.1f);
    } else {
        const float vy = f.velY[slot];
        setTranslationScale(f.trailMatrix[slot], x, y - 2.0f * vy - sign(vy) * headSize, 0.0f,
                            headSize / a, 2.0f * absolute(vy), 0.1f);
    }
}

} // namespace

float randomUnit()
{
    return static_cast<float>(sceneRand() % 10000) / 10000.0f;
}

void resetStar(int slot)
{
    SceneField& f = *currentField;
    f.active[slot] = 0;
    f.direction[slot] = 0;
    for (int i = 0; i < 4; ++i) {
        f.color[slot][i] = 1.0f;
    }
    f.posX[slot] = -10.0f;
    f.posY[slot] = -10.0f;
    f.velX[slot] = 0.0f;
    f.velY[slot] = 0.0f;
    setIdentity(f.trailMatrix[slot]);
    setIdentity(f.headMatrix[slot]);
}

void resetAllStars()
{
    for (int slot = 0; slot < starSlotCount; ++slot) {
        resetStar(slot);
    }
}

void spawnStar()
{
    SceneField& f = *currentField;
    int slot = 0;
    while (slot < starSlotCount && f.active[slot] != 0) {
        ++slot;
    }
    if (slot == starSlotCount) {
        return;
    }
    f.active[slot] = 1;
    const float* paletteColor = starPalette[sceneRand() % 4];
    for (int i = 0; i < 4; ++i) {
        f.color[slot][i] = paletteColor[i];
    }
    f.direction[slot] = sceneRand() % 4;
    // The draw order (colour, direction, across, speed) fixes a run's stars.
    const float across = 2.0f * randomUnit() - 1.0f;
    const float speed = 0.3f + 0.4f * randomUnit();
    switch (f.direction[slot]) {
    case Rightward:
        f.posX[slot] = -1.5f;
        f.posY[slot] = across;
        f.velX[slot] = speed;
        f.velY[slot] = 0.0f;
        break;
    case Leftward:
        f.posX[slot] = 1.5f;
        f.posY[slot] = across;
        f.velX[slot] = -speed;
        f.velY[slot] = 0.0f;
        break;
    case Downward:
        f.posX[slot] = across;
        f.posY[slot] = 1.5f;
        f.velX[slot] = 0.0f;
        f.velY[slot] = -speed;
        break;
    default:
        f.posX[slot] = across;
        f.posY[slot] = -1.5f;
        f.velX[slot] = 0.0f;
        f.velY[slot] = speed;
        break;
    }
    updateStarMatrices(slot);
    f.lastSpawnTime = static_cast<float>(f.elapsed);
}

void updateStarMatrices(int slot)
{
    buildStarMatrices(*currentField, slot, fieldAspectRatio());
}

void updateStars()
{
    SceneField& f = *currentField;
    // Nothing in the frame changes the window's size: asked once, not per star.
    const float a = fieldAspectRatio();
    // In a window narrower than 1:2, 3a lies inside the spawn position, and
    // its horizontal stars would go in the frame they came.
    const float bound = std::max(3.0f * a, 1.5f);
    bool spawnTested = false;
    for (int slot = 0; slot < starSlotCount; ++slot) {
        if (f.active[slot] != 1) {
            continue;
        }
        spawnTested = true;
        f.posX[slot] = f.posX[slot] + f.velX[slot] * f.frameDelta;
        f.posY[slot] = f.posY[slot] + f.velY[slot] * f.frameDelta;
        buildStarMatrices(f, slot, a);
        if (f.posX[slot] < -bound || f.posX[slot] > bound || f.posY[slot] < -4.0f || f.posY[slot] > 4.0f) {
            resetStar(slot);
        }
        // Tested even for a slot just freed, so a full table refills at once.
        if (spawnClock(f) > static_cast<double>(f.lastSpawnTime) + spawnInterval) {
            spawnStar();
        }
    }
    // The test above runs only beside a live star: a table that emptied at
    // once (every star out of bounds after a resize) would stay dark for good.
    if (!spawnTested && spawnClock(f) > static_cast<double>(f.lastSpawnTime) + spawnInterval) {
        spawnStar();
    }
}
