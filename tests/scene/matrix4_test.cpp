#include "base/matrix4.h"

#include <gtest/gtest.h>

namespace {

// m applied to the point (x, y, z, 1): element (r, c) is m[c * 4 + r].
void apply(const float* m, const float in[3], float out[3])
{
    for (int r = 0; r < 3; ++r) {
        out[r] = m[r] * in[0] + m[4 + r] * in[1] + m[8 + r] * in[2] + m[12 + r];
    }
}

TEST(Matrix4, ProductScalesFirstThenTranslates)
{
    float t[16], s[16], ts[16], st[16];
    setTranslation(t, 1.0f, 2.0f, 3.0f);
    setScale(s, 2.0f, 4.0f, 8.0f);
    multiply(ts, t, s);
    multiply(st, s, t);
    const float corner[3] = {1.0f, 1.0f, 1.0f};
    float out[3];
    apply(ts, corner, out);
    EXPECT_EQ(out[0], 3.0f);
    EXPECT_EQ(out[1], 6.0f);
    EXPECT_EQ(out[2], 11.0f);
    apply(st, corner, out);
    EXPECT_EQ(out[0], 4.0f);
    EXPECT_EQ(out[1], 12.0f);
    EXPECT_EQ(out[2], 32.0f);
}

TEST(Matrix4, ClosedFormEqualsTheProduct)
{
    const float cases[][6] = {
        {-1.5f, 0.25f, 0.0f, 0.03375f, 0.06f, 0.06f},
        {0.7f, -3.9f, 0.0f, 0.7875f, 0.06f, 0.1f},
        {0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f},
    };
    for (const auto& c : cases) {
        float t[16], s[16], product[16], closed[16];
        setTranslation(t, c[0], c[1], c[2]);
        setScale(s, c[3], c[4], c[5]);
        multiply(product, t, s);
        setTranslationScale(closed, c[0], c[1], c[2], c[3], c[4], c[5]);
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(closed[i], product[i]) << i;
        }
    }
}

} // namespace
