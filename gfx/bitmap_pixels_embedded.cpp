#include "gfx/noise_texture.h"

#include "gfx/bitmap_decode.h"

// Linux has no bitmap resources: the embedded .bmp file decodes to the same
// texels GetPixel gives on Windows.
void loadBitmapPixels(float* destination, int bitmapId, int bitmapWidth, int bitmapHeight, bool flipRows)
{
    const DecodedBitmap bitmap = decodeBitmapResource(bitmapId);
    for (int y = 0; y < bitmapHeight; ++y) {
        int row = flipRows ? bitmapHeight - 1 - y : y;
        for (int x = 0; x < bitmapWidth; ++x) {
            float* texel = destination + (static_cast<long>(y) * bitmapWidth + x) * 4;
            if (row < bitmap.height && x < bitmap.width) {
                const unsigned char* p = bitmap.rgb.data() + (static_cast<long>(row) * bitmap.width + x) * 3;
                texel[0] = static_cast<float>(p[0] / 255.0);
                texel[1] = static_cast<float>(p[1] / 255.0);
                texel[2] = static_cast<float>(p[2] / 255.0);
            } else {
                texel[0] = texel[1] = texel[2] = 0.0f;
            }
            texel[3] = 1.0f;
        }
    }
}
