#include "gfx/noise_texture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

struct Level {
    int bitmapId;
    int size;
};
// Smallest first, the order the texture is built in.
const Level noiseChain[] = {{121, 1}, {120, 2}, {119, 4}, {118, 8}, {117, 16}, {116, 32}, {115, 64}, {103, 128}};

// Printed by tools/gen_noise_bitmaps.py for the committed bitmaps: FNV-1a of
// the float bits of every texel, smallest level first, texture rows bottom-up.
constexpr std::uint64_t noiseChainChecksum = 0x3582E764FE97E032ull;

std::vector<float> pixels(int bitmapId, int width, int height, bool flipRows)
{
    // NaN marks any texel the loader forgot to write.
    std::vector<float> texels(static_cast<size_t>(width) * height * 4, std::numeric_limits<float>::quiet_NaN());
    loadBitmapPixels(texels.data(), bitmapId, width, height, flipRows);
    return texels;
}

void expectTexel(const std::vector<float>& texels, size_t index, float r, float g, float b)
{
    EXPECT_EQ(texels[index * 4], r) << "texel " << index;
    EXPECT_EQ(texels[index * 4 + 1], g) << "texel " << index;
    EXPECT_EQ(texels[index * 4 + 2], b) << "texel " << index;
    EXPECT_EQ(texels[index * 4 + 3], 1.0f) << "texel " << index;
}

// The Linux decoder must give exactly the floats GetPixel gives on Windows.
TEST(NoiseBitmaps, WholeChainMatchesTheGeneratedTexelsOnEveryPlatform)
{
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const Level& level : noiseChain) {
        std::vector<float> texels = pixels(level.bitmapId, level.size, level.size, true);
        for (float value : texels) {
            std::uint32_t bits;
            std::memcpy(&bits, &value, sizeof bits);
            for (int shift = 0; shift < 32; shift += 8)
                hash = (hash ^ ((bits >> shift) & 0xFF)) * 0x100000001B3ull;
        }
    }
    EXPECT_EQ(hash, noiseChainChecksum);
}

// Texture row 0 is the picture's bottom row when rows are flipped.
TEST(NoiseBitmaps, FlippedRowsAreTheUnflippedRowsInReverse)
{
    std::vector<float> flipped = pixels(118, 8, 8, true);
    std::vector<float> upright = pixels(118, 8, 8, false);
    for (int y = 0; y < 8; ++y)
        EXPECT_EQ(std::memcmp(&flipped[static_cast<size_t>(y) * 8 * 4], &upright[static_cast<size_t>(7 - y) * 8 * 4],
                              8 * 4 * sizeof(float)),
                  0)
            << "row " << y;
    EXPECT_NE(flipped, upright);
}

TEST(BitmapPixels, MissingBitmapGivesOpaqueBlack)
{
    std::vector<float> texels = pixels(999, 3, 2, true);
    for (size_t i = 0; i < 6; ++i)
        expectTexel(texels, i, 0.0f, 0.0f, 0.0f);
}

// Asking for more than the bitmap holds must not read outside it: the texels
// it lacks are opaque black, the ones it has are where a smaller request puts them.
TEST(BitmapPixels, TexelsBeyondASmallerBitmapAreOpaqueBlack)
{
    std::vector<float> own = pixels(120, 2, 2, false);
    std::vector<float> texels = pixels(120, 3, 3, false);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            size_t i = static_cast<size_t>(y) * 3 + x;
            if (x < 2 && y < 2) {
                size_t j = static_cast<size_t>(y) * 2 + x;
                expectTexel(texels, i, own[j * 4], own[j * 4 + 1], own[j * 4 + 2]);
            } else {
                expectTexel(texels, i, 0.0f, 0.0f, 0.0f);
            }
        }
    }

    // Flipped, the bitmap's only row lands on the top texture row of the request.
    std::vector<float> one = pixels(121, 1, 1, true);
    std::vector<float> flipped = pixels(121, 2, 2, true);
    expectTexel(flipped, 0, 0.0f, 0.0f, 0.0f);
    expectTexel(flipped, 1, 0.0f, 0.0f, 0.0f);
    expectTexel(flipped, 2, one[0], one[1], one[2]);
    expectTexel(flipped, 3, 0.0f, 0.0f, 0.0f);
}

} // namespace
