#include "scene/star_draw.h"

#include "gfx/gl_api.h"
#include "gfx/shader_program.h"
#include "model/quad_upload.h"
#include "scene/scene_clock.h"
#include "scene/star_field.h"

void drawStars()
{
    const SceneField& f = *currentField;
    const int width = fieldWidth();
    const int height = fieldHeight();
    GlApi.glViewport(0, 0, width, height);
    GlApi.glClear(GL_COLOR_BUFFER_BIT);
    GlApi.glUseProgram(shaderProgram);
    GlApi.glUniform3f(resolutionUniform, static_cast<float>(width), static_cast<float>(height), 0.0f);
    GlApi.glUniform1f(timeUniform, static_cast<float>(f.elapsed));
    GlApi.glUniform1f(timeDeltaUniform, f.frameDelta);
    GlApi.glUniform1f(randomUniform, f.sceneRandom);
    for (int slot = 0; slot < starSlotCount; ++slot) {
        if (f.active[slot] != 1) {
            continue;
        }
        GlApi.glUniform4fv(starColorUniform, 1, f.color[slot]);
        GlApi.glUniform1i(starDirectionUniform, f.direction[slot]);
        GlApi.glUniform1i(starTrailDrawUniform, 0);
        GlApi.glUniformMatrix4fv(mvUniform, 1, GL_FALSE, f.headMatrix[slot]);
        GlApi.glDrawElements(GL_TRIANGLES, modelIndexCount, GL_UNSIGNED_INT, nullptr);
        GlApi.glUniform1i(starTrailDrawUniform, 1);
        GlApi.glUniformMatrix4fv(mvUniform, 1, GL_FALSE, f.trailMatrix[slot]);
        GlApi.glDrawElements(GL_TRIANGLES, modelIndexCount, GL_UNSIGNED_INT, nullptr);
    }
}
