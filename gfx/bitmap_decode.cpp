#include "gfx/bitmap_decode.h"

#include "res/resources.h"

#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <climits>

namespace {

// Our bitmaps are at most 128 pixels a side; the header is checked before
// anything is allocated for the pixels.
constexpr int maxBitmapSide = 4096;

} // namespace

DecodedBitmap decodeBitmapResource(int bitmapId)
{
    DecodedBitmap result;
    const ResourceData data = findResourceData("BITMAP", bitmapId);
    if (!data.bytes || data.size > static_cast<unsigned long>(INT_MAX))
        return result;
    const int size = static_cast<int>(data.size);
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data.bytes, size, &width, &height, &channels) || width <= 0 || height <= 0 ||
        width > maxBitmapSide || height > maxBitmapSide)
        return result;
    stbi_uc* pixels = stbi_load_from_memory(data.bytes, size, &width, &height, &channels, 3);
    if (!pixels)
        return result;
    result.rgb.assign(pixels, pixels + static_cast<long>(width) * height * 3);
    result.width = width;
    result.height = height;
    stbi_image_free(pixels);
    return result;
}
