#include "gfx/noise_texture.h"

#include "res/resources.h"

#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <climits>

// Linux has no bitmap resources: the embedded bytes are the .bmp file, decoded
// here to the same texels GetPixel gives on Windows (rows top-down, as the
// device context numbers them).
void loadBitmapPixels(float* destination, int bitmapId, int bitmapWidth, int bitmapHeight, bool flipRows)
{
    ResourceData data = findResourceData("BITMAP", bitmapId);
    int width = 0;
    int height = 0;
    stbi_uc* pixels = nullptr;
    if (data.bytes && data.size <= static_cast<unsigned long>(INT_MAX)) {
        int channels = 0;
        pixels = stbi_load_from_memory(data.bytes, static_cast<int>(data.size), &width, &height, &channels, 3);
    }
    if (!pixels)
        width = height = 0;

    for (int y = 0; y < bitmapHeight; ++y) {
        int row = flipRows ? bitmapHeight - 1 - y : y;
        for (int x = 0; x < bitmapWidth; ++x) {
            float* texel = destination + (static_cast<long>(y) * bitmapWidth + x) * 4;
            if (row < height && x < width) {
                const stbi_uc* p = pixels + (static_cast<long>(row) * width + x) * 3;
                texel[0] = static_cast<float>(p[0] / 255.0);
                texel[1] = static_cast<float>(p[1] / 255.0);
                texel[2] = static_cast<float>(p[2] / 255.0);
            } else {
                texel[0] = texel[1] = texel[2] = 0.0f;
            }
            texel[3] = 1.0f;
        }
    }
    stbi_image_free(pixels);
}
