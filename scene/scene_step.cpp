#include "scene/scene.h"

#include "scene/scene_clock.h"
#include "scene/scene_random.h"
#include "scene/star_draw.h"
#include "scene/star_field.h"

void stepScene(double time)
{
    if (started == 0) {
        sceneSrand(sceneSeedFromTime(time));
        sceneRandom = static_cast<float>(sceneRand() % 1000) / 1000.0f;
        startTime = static_cast<float>(time);
        resetAllStars();
        spawnStar();
        started = 1;
    }
    elapsed = time - static_cast<double>(startTime);
    frameDelta = static_cast<float>(elapsed - previousElapsed);
    if (started == 1) {
        updateStars();
    }
    drawStars();
    previousElapsed = elapsed;
}
