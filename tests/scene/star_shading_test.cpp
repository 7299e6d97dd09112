#include "tests/scene/star_shading_reference.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

float referenceFactor(bool trail, int direction, float u, float v)
{
    return trail ? referenceTrail(direction, u, v) : referenceHead(direction, u, v);
}

TEST(StarShading, ReproducesTheBrightnessTableToFourDecimals)
{
    for (const ShadingRow& row : shadingTable) {
        const int first = row.direction < 0 ? 0 : row.direction;
        const int last = row.direction < 0 ? 3 : row.direction;
        for (int direction = first; direction <= last; ++direction) {
            const float factor = referenceFactor(row.trail, direction, row.u, row.v);
            EXPECT_EQ(std::round(factor * 10000.0f) / 10000.0f, row.factor)
                << (row.trail ? "trail" : "head") << " direction " << direction << " at (" << row.u << ", "
                << row.v << ") gave " << factor;
        }
    }
}

// The head's held back edge meets the trail's brightest edge, so the joint
// line is lit evenly whichever way the star travels.
TEST(StarShading, TrailNearEdgeMatchesTheHeadsBackEdge)
{
    for (float across = 0.0f; across <= 1.0f; across += 0.05f) {
        SCOPED_TRACE(across);
        EXPECT_FLOAT_EQ(referenceHead(0, 0.0f, across), 0.7f * referenceAcross(across));
        EXPECT_FLOAT_EQ(referenceTrail(0, 1.0f, across), 0.7f * referenceAcross(across));
        EXPECT_FLOAT_EQ(referenceHead(1, 1.0f, across), 0.7f * referenceAcross(across));
        EXPECT_FLOAT_EQ(referenceTrail(1, 0.0f, across), 0.7f * referenceAcross(across));
        EXPECT_FLOAT_EQ(referenceHead(2, across, 1.0f), 0.7f * referenceAcross(across));
        EXPECT_FLOAT_EQ(referenceTrail(2, across, 0.0f), 0.7f * referenceAcross(across));
        EXPECT_FLOAT_EQ(referenceHead(3, across, 0.0f), 0.7f * referenceAcross(across));
        EXPECT_FLOAT_EQ(referenceTrail(3, across, 1.0f), 0.7f * referenceAcross(across));
    }
}

} // namespace
