#include "gfx/noise_texture.h"

#include "base/render_settings.h"
#include "gfx/gl_api.h"

#include <cstddef>
#include <memory>

unsigned int noiseTexture = 0;

namespace {

// Smallest level first: bitmap 121 is level 7 (1 x 1), bitmap 103 level 0.
constexpr int noiseBitmaps[] = {121, 120, 119, 118, 117, 116, 115, 103};
constexpr int noiseLevels = static_cast<int>(sizeof noiseBitmaps / sizeof noiseBitmaps[0]);

} // namespace

void bindNoiseTexture()
{
    GlApi.glActiveTexture(GL_TEXTURE0);
    GlApi.glBindTexture(GL_TEXTURE_2D, noiseTexture);
    GlApi.glEnable(GL_TEXTURE_2D);
}

void loadNoiseTexture()
{
    GlApi.glGenTextures(1, &noiseTexture);
    bindNoiseTexture();

    int size = 1;
    for (int i = 0; i < noiseLevels; ++i) {
        std::unique_ptr<float[]> texels(new float[static_cast<size_t>(size) * size * 4]);
        loadBitmapPixels(texels.get(), noiseBitmaps[i], size, size, true);
        GlApi.glTexImage2D(GL_TEXTURE_2D, noiseLevels - 1 - i, GL_RGBA, size, size, 0, GL_RGBA, GL_FLOAT,
                           texels.get());
        size *= 2;
    }

    GlApi.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    GlApi.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    GlApi.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    GlApi.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                          renderSettings.mipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);

    if (renderSettings.anisotropicFiltering) {
        GLfloat limit = 0.0f;
        GlApi.glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &limit);
        GlApi.glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, limit);
    }
}
