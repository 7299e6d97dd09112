#include "scene/star_field.h"

#include "base/matrix4.h"
#include "base/render_settings.h"
#include "scene/scene_clock.h"
#include "scene/scene_random.h"

int active[starSlotCount];
int direction[starSlotCount];
float posX[starSlotCount];
float posY[starSlotCount];
float velX[starSlotCount];
float velY[starSlotCount];
float color[starSlotCount][4];
float trailMatrix[starSlotCount][16];
float headMatrix[starSlotCount][16];

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

double spawnClock()
{
    return static_cast<double>(static_cast<float>(elapsed));
}

float sign(float v)
{
    return v > 0.0f ? 1.0f : (v < 0.0f ? -1.0f : 0.0f);
}

float absolute(float v)
{
    return v < 0.0f ? -v : v;
}

} // namespace

float randomUnit()
{
    return static_cast<float>(sceneRand() % 10000) / 10000.0f;
}

void resetStar(int slot)
{
    active[slot] = 0;
    direction[slot] = 0;
    for (int i = 0; i < 4; ++i) {
        color[slot][i] = 1.0f;
    }
    posX[slot] = -10.0f;
    posY[slot] = -10.0f;
    velX[slot] = 0.0f;
    velY[slot] = 0.0f;
    setIdentity(trailMatrix[slot]);
    setIdentity(headMatrix[slot]);
}

void resetAllStars()
{
    for (int slot = 0; slot < starSlotCount; ++slot) {
        resetStar(slot);
    }
}

void spawnStar()
{
    int slot = 0;
    while (slot < starSlotCount && active[slot] != 0) {
        ++slot;
    }
    if (slot == starSlotCount) {
        return;
    }
    active[slot] = 1;
    const float* paletteColor = starPalette[sceneRand() % 4];
    for (int i = 0; i < 4; ++i) {
        color[slot][i] = paletteColor[i];
    }
    direction[slot] = sceneRand() % 4;
    // The draw order (colour, direction, across, speed) fixes a run's stars.
    const float across = 2.0f * randomUnit() - 1.0f;
    const float speed = 0.3f + 0.4f * randomUnit();
    switch (direction[slot]) {
    case Rightward:
        posX[slot] = -1.5f;
        posY[slot] = across;
        velX[slot] = speed;
        velY[slot] = 0.0f;
        break;
    case Leftward:
        posX[slot] = 1.5f;
        posY[slot] = across;
        velX[slot] = -speed;
        velY[slot] = 0.0f;
        break;
    case Downward:
        posX[slot] = across;
        posY[slot] = 1.5f;
        velX[slot] = 0.0f;
        velY[slot] = -speed;
        break;
    default:
        posX[slot] = across;
        posY[slot] = -1.5f;
        velX[slot] = 0.0f;
        velY[slot] = speed;
        break;
    }
    updateStarMatrices(slot);
    lastSpawnTime = static_cast<float>(elapsed);
}

void updateStarMatrices(int slot)
{
    const float a = renderSettings.aspectRatio;
    const float x = posX[slot];
    const float y = posY[slot];
    setTranslationScale(headMatrix[slot], x, y, 0.0f, headSize / a, headSize, headSize);
    if (direction[slot] == Rightward || direction[slot] == Leftward) {
        const float vx = velX[slot];
        setTranslationScale(trailMatrix[slot], x - 2.0f * vx / a - sign(vx) * headSize / a, y, 0.0f,
                            2.0f * absolute(vx) / a, headSize, 0.1f);
    } else {
        const float vy = velY[slot];
        setTranslationScale(trailMatrix[slot], x, y - 2.0f * vy - sign(vy) * headSize, 0.0f,
                            headSize / a, 2.0f * absolute(vy), 0.1f);
    }
}

void updateStars()
{
    for (int slot = 0; slot < starSlotCount; ++slot) {
        if (active[slot] != 1) {
            continue;
        }
        posX[slot] = posX[slot] + velX[slot] * frameDelta;
        posY[slot] = posY[slot] + velY[slot] * frameDelta;
        updateStarMatrices(slot);
        const float bound = 3.0f * renderSettings.aspectRatio;
        if (posX[slot] < -bound || posX[slot] > bound || posY[slot] < -4.0f || posY[slot] > 4.0f) {
            resetStar(slot);
        }
        // Tested even for a slot just freed, so a full table refills at once.
        if (spawnClock() > static_cast<double>(lastSpawnTime) + spawnInterval) {
            spawnStar();
        }
    }
}
