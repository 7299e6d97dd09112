#include "scene/scene.h"

#include "scene/scene_clock.h"
#include "scene/scene_random.h"
#include "scene/star_draw.h"
#include "scene/star_field.h"

void stepScene(double time)
{
    SceneField& f = *currentField;
    if (f.started == 0) {
        sceneSrand(sceneSeedFromTime(time) + f.seedOffset);
        f.sceneRandom = static_cast<float>(sceneRand() % 1000) / 1000.0f;
        f.startTime = static_cast<float>(time);
        resetAllStars();
        spawnStar();
        f.started = 1;
    }
    f.elapsed = time - static_cast<double>(f.startTime);
    f.frameDelta = static_cast<float>(f.elapsed - f.previousElapsed);
    if (f.started == 1) {
        updateStars();
    }
    drawStars();
    f.previousElapsed = f.elapsed;
}

void stepOtherField(SceneField& field, int width, int height, double time)
{
    field.width = width;
    field.height = height;
    field.aspectRatio = height > 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f;
    currentField = &field;
    stepScene(time);
    currentField = &primaryField;
}
