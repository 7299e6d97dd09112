#include "objl/objl.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Indices = std::vector<unsigned int>;

std::vector<objl::Vertex> polygon(const std::vector<objl::Vector3>& corners)
{
    std::vector<objl::Vertex> vertices;
    for (const objl::Vector3& corner : corners) {
        objl::Vertex vertex;
        vertex.position = corner;
        vertices.push_back(vertex);
    }
    return vertices;
}

Indices triangulate(const std::vector<objl::Vector3>& corners)
{
    Indices indices;
    objl::Loader::triangulate(indices, polygon(corners));
    return indices;
}

TEST(ObjlVectors, PointInTriangleCountsBordersAndProjects)
{
    const objl::Vector3 a{0, 0, 0}, b{4, 0, 0}, c{0, 4, 0};
    EXPECT_TRUE(objl::pointInTriangle({1, 1, 0}, a, b, c));
    EXPECT_TRUE(objl::pointInTriangle({2, 0, 0}, a, b, c));
    EXPECT_TRUE(objl::pointInTriangle({2, 2, 0}, a, b, c));
    EXPECT_TRUE(objl::pointInTriangle(b, a, b, c));
    EXPECT_FALSE(objl::pointInTriangle({3, 3, 0}, a, b, c));
    EXPECT_FALSE(objl::pointInTriangle({-0.5f, 1, 0}, a, b, c));
    // Above or below the plane, the projection decides.
    EXPECT_TRUE(objl::pointInTriangle({1, 1, 7}, a, b, c));
    EXPECT_FALSE(objl::pointInTriangle({3, 3, -7}, a, b, c));
    // A triangle without area contains nothing, not even its own corners.
    EXPECT_FALSE(objl::pointInTriangle({1, 0, 0}, a, b, {2, 0, 0}));
    EXPECT_FALSE(objl::pointInTriangle(a, a, a, a));
}

TEST(ObjlTriangulate, SmallFacesAndTheQuad)
{
    EXPECT_EQ(triangulate({}), Indices{});
    EXPECT_EQ(triangulate({{0, 0, 0}, {1, 0, 0}}), Indices{});
    EXPECT_EQ(triangulate({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}), (Indices{0, 1, 2}));
    EXPECT_EQ(triangulate({{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}}), (Indices{0, 1, 3, 1, 2, 3}));
    // Appends: what the list held stays.
    Indices indices = {7};
    objl::Loader::triangulate(indices, polygon({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}));
    EXPECT_EQ(indices, (Indices{7, 0, 1, 2}));
}

TEST(ObjlTriangulate, ConvexPentagonClipsItsFirstCornerThenCutsTheQuad)
{
    EXPECT_EQ(triangulate({{0, 0, 0}, {2, 0, 0}, {3, 2, 0}, {1, 3, 0}, {-1, 2, 0}}),
              (Indices{0, 1, 4, 1, 2, 4, 2, 3, 4}));
}

TEST(ObjlTriangulate, CornerWithAnotherCornerInsideIsNoEar)
{
    // The notch corner 3 lies inside the triangles of corners 0 and 1, and on
    // the border of corner 1's, which counts as inside: 2 is the first ear.
    const Indices indices = triangulate({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {2, 1, 0}, {0, 4, 0}});
    ASSERT_EQ(indices.size(), 9u);
    EXPECT_EQ(Indices(indices.begin(), indices.begin() + 3), (Indices{1, 2, 3}));
    const Indices onBorder = triangulate({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {2, 0, 0}, {0, 4, 0}});
    EXPECT_NE(Indices(onBorder.begin(), onBorder.begin() + 3), (Indices{0, 1, 4}));
}

TEST(ObjlTriangulate, FaceWithoutAnyEarGivesNothing)
{
    EXPECT_EQ(triangulate({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}}), Indices{});
}

// Ear clipping once ran forever on faces that ran out of ears part way, and
// gave triangles of more than three indices when two corners shared a point.
TEST(ObjlTriangulate, EveryFaceEndsWithWholeTrianglesOfItsOwnCorners)
{
    const std::vector<std::vector<objl::Vector3>> faces = {
        {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 0, 0}, {0, 2, 0}},
        {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
        // Crosses itself: two ears, then none among the five corners left.
        {{1, 3, 0}, {2, 3, 0}, {1, 0, 0}, {1, 4, 0}, {3, 4, 0}, {1, 1, 0}, {3, 3, 0}},
    };
    for (const std::vector<objl::Vector3>& face : faces) {
        const Indices indices = triangulate(face);
        ASSERT_EQ(indices.size() % 3, 0u);
        for (size_t t = 0; t < indices.size(); t += 3) {
            EXPECT_LT(indices[t], indices[t + 1]);
            EXPECT_LT(indices[t + 1], indices[t + 2]);
            EXPECT_LT(indices[t + 2], face.size());
        }
    }
    // The ears clipped before running out are kept.
    EXPECT_EQ(triangulate(faces.back()).size(), 6u);
}

} // namespace
