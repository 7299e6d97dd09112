#pragma once

// Wavefront OBJ and MTL reading for the models the program carries as
// TEXTFILE resources: records, the text operations the two readers share,
// vector arithmetic and polygon triangulation.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace objl {

struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;
};

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Exact float comparison: the loader matches positions by identity of value.
bool operator==(const Vector3& a, const Vector3& b);
bool operator!=(const Vector3& a, const Vector3& b);
Vector3 operator+(const Vector3& a, const Vector3& b);
Vector3 operator-(const Vector3& a, const Vector3& b);
Vector3 operator*(const Vector3& a, float scale);

Vector3 crossProduct(const Vector3& a, const Vector3& b);
float dotProduct(const Vector3& a, const Vector3& b);
float vectorLength(const Vector3& a);
// Radians; no guard against zero-length vectors (the result is then NaN).
float angleBetween(const Vector3& a, const Vector3& b);
// Tests the projection of p onto the triangle's plane, borders included.
// A degenerate triangle contains nothing.
bool pointInTriangle(const Vector3& p, const Vector3& a, const Vector3& b, const Vector3& c);

struct Vertex {
    Vector3 position;
    Vector3 normal;
    Vector2 texCoord;
};

struct Material {
    std::string name;
    Vector3 ambient;
    Vector3 diffuse;
    Vector3 specular;
    float specularExponent = 0.0f;
    float opticalDensity = 0.0f;
    float dissolve = 0.0f;
    int illumination = 0;
    std::string ambientMap;
    std::string diffuseMap;
    std::string specularMap;
    std::string specularExponentMap;
    std::string alphaMap;
    std::string bumpMap;
};

struct Mesh {
    Mesh() = default;
    Mesh(const std::vector<Vertex>& vertices, const std::vector<unsigned int>& indices);

    std::string name;
    std::vector<Vertex> vertices;
    // Triangles, three entries each, into this mesh's vertices.
    std::vector<unsigned int> indices;
    Material material;
};

// White space is the space and the tab only.
std::string keywordOf(const std::string& line);
std::string argumentsOf(const std::string& line);
// Empties parts, then cuts text at delimiter. Each delimiter met with an empty
// part gives an empty part; one delimiter at the very end gives none.
void splitAt(const std::string& text, std::vector<std::string>& parts, char delimiter);

// Number conversions as std::stof and std::stoi do them (leading white space
// skipped, longest valid prefix), but with the same messages on every
// platform: "invalid stof argument", "stof argument out of range",
// "invalid stoi argument", "stoi argument out of range".
float readFloat(const std::string& text);
int readInt(const std::string& text);

// The element an OBJ index names: n > 0 counts from 1, n < 0 back from the
// end. Null for 0 and for any index outside the list; the conversion throws
// as readInt does.
template <typename T>
const T* elementByObjIndex(const std::vector<T>& list, const std::string& indexText)
{
    const long long n = readInt(indexText);
    const long long size = static_cast<long long>(list.size());
    const long long at = n < 0 ? size + n : n - 1;
    if (n == 0 || at < 0 || at >= size)
        return nullptr;
    return &list[static_cast<std::size_t>(at)];
}

// The vertices of one "f" line, with one computed face normal when any
// reference lacks its own. Returns false, with faceVertices empty, for a face
// that cannot be built: an index naming nothing, a reference of no part or of
// more than three, or fewer than three vertices to take a face normal from.
bool buildFaceVertices(std::vector<Vertex>& faceVertices, const std::vector<Vector3>& positions,
                       const std::vector<Vector2>& texCoords, const std::vector<Vector3>& normals,
                       const std::string& line);

struct Loader {
    // Reads TEXTFILE resource modelId; every mtllib line reads materialId.
    // True when the load produced any mesh, vertex or index. Number
    // conversion errors are thrown, with the lists as far as they got.
    bool loadModel(int modelId, int materialId);
    // Appends the materials of TEXTFILE resource materialId; always true.
    bool loadMaterials(int materialId);

    // The same two reads over texts already in memory.
    bool loadModelText(std::string_view modelText, std::string_view materialText);
    bool loadMaterialsText(std::string_view materialText);

    // Appends triangles, as indices into faceVertices, for one polygon.
    static void triangulate(std::vector<unsigned int>& indices, const std::vector<Vertex>& faceVertices);

    std::vector<Mesh> meshes;
    std::vector<Vertex> vertices;
    std::vector<unsigned int> indices;
    // Kept across loads: every material library read appends to it.
    std::vector<Material> materials;
};

} // namespace objl
