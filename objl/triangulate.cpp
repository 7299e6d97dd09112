#include "objl/objl.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace objl {

bool operator==(const Vector3& a, const Vector3& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

bool operator!=(const Vector3& a, const Vector3& b)
{
    return !(a == b);
}

Vector3 operator+(const Vector3& a, const Vector3& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

Vector3 operator-(const Vector3& a, const Vector3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vector3 operator*(const Vector3& a, float scale)
{
    return {a.x * scale, a.y * scale, a.z * scale};
}

Vector3 crossProduct(const Vector3& a, const Vector3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float dotProduct(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

float vectorLength(const Vector3& a)
{
    return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
}

float angleBetween(const Vector3& a, const Vector3& b)
{
    return std::acos(dotProduct(a, b) / (vectorLength(a) * vectorLength(b)));
}

bool pointInTriangle(const Vector3& p, const Vector3& a, const Vector3& b, const Vector3& c)
{
    const Vector3 u = b - a;
    const Vector3 v = c - a;
    const Vector3 w = p - a;
    const Vector3 n = crossProduct(u, v);
    const float nn = dotProduct(n, n);
    const float gamma = dotProduct(crossProduct(u, w), n) / nn;
    const float beta = dotProduct(crossProduct(w, v), n) / nn;
    const float alpha = 1.0f - gamma - beta;
    // NaN from a degenerate triangle fails every comparison.
    return alpha >= 0.0f && alpha <= 1.0f && beta >= 0.0f && beta <= 1.0f && gamma >= 0.0f && gamma <= 1.0f;
}

namespace {

constexpr double degreesPerRadian = 57.29577951307855;

// Ascending order is always a rotation of the polygon's cyclic order, so
// every triangle keeps the face's winding.
void appendTriangle(std::vector<unsigned int>& indices, unsigned int a, unsigned int b, unsigned int c)
{
    unsigned int t[3] = {a, b, c};
    std::sort(t, t + 3);
    indices.insert(indices.end(), t, t + 3);
}

} // namespace

void Loader::triangulate(std::vector<unsigned int>& indices, const std::vector<Vertex>& faceVertices)
{
    const std::size_t count = faceVertices.size();
    if (count < 3)
        return;
    if (count == 3) {
        appendTriangle(indices, 0, 1, 2);
        return;
    }

    // Corners are tracked by their place in the face, not by position, so two
    // corners on one point still give triangles of exactly three indices.
    std::vector<unsigned int> remaining(count);
    std::iota(remaining.begin(), remaining.end(), 0u);
    std::size_t i = 0;
    while (i < remaining.size()) {
        const std::size_t size = remaining.size();
        const unsigned int prev = remaining[i == 0 ? size - 1 : i - 1];
        const unsigned int cur = remaining[i];
        const unsigned int next = remaining[i + 1 == size ? 0 : i + 1];

        if (size == 4) {
            // Only ever met at i = 0: the last corner, the first two, then the rest.
            const unsigned int fourth = remaining[(i + 2) % size];
            appendTriangle(indices, cur, prev, next);
            appendTriangle(indices, prev, next, fourth);
            return;
        }

        const Vector3& p = faceVertices[prev].position;
        const Vector3& c = faceVertices[cur].position;
        const Vector3& n = faceVertices[next].position;
        const double degrees = angleBetween(p - c, n - c) * degreesPerRadian;
        bool ear = !(degrees <= 0.0 || degrees >= 180.0);
        for (std::size_t j = 0; ear && j < count; ++j) {
            const Vector3& q = faceVertices[j].position;
            if (pointInTriangle(q, p, c, n) && q != p && q != c && q != n)
                ear = false;
        }
        if (!ear) {
            ++i;
            continue;
        }
        appendTriangle(indices, cur, prev, next);
        remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(i));
        i = 0;
    }
    // A sweep without an ear ends here: what was clipped stays, the rest of
    // the face is left open, as for a face with no ear at all. Another sweep
    // over the same corners would find nothing new.
}

} // namespace objl
