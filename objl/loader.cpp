#include "objl/objl.h"
#include "objl/lines.h"

#include <algorithm>
#include <iostream>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace objl {

Mesh::Mesh(const std::vector<Vertex>& vertices, const std::vector<unsigned int>& indices)
    : vertices(vertices), indices(indices)
{
}

bool buildFaceVertices(std::vector<Vertex>& faceVertices, const std::vector<Vector3>& positions,
                       const std::vector<Vector2>& texCoords, const std::vector<Vector3>& normals,
                       const std::string& line)
{
    faceVertices.clear();
    std::vector<std::string> references;
    std::vector<std::string> parts;
    splitAt(argumentsOf(line), references, ' ');
    bool lacksNormal = false;
    for (const std::string& reference : references) {
        splitAt(reference, parts, '/');
        const Vector3* position = nullptr;
        const Vector2* texCoord = nullptr;
        const Vector3* normal = nullptr;
        bool found = false;
        switch (parts.size()) {
        case 1:
            position = elementByObjIndex(positions, parts[0]);
            found = position;
            lacksNormal = true;
            break;
        case 2:
            position = elementByObjIndex(positions, parts[0]);
            texCoord = elementByObjIndex(texCoords, parts[1]);
            found = position && texCoord;
            lacksNormal = true;
            break;
        case 3:
            position = elementByObjIndex(positions, parts[0]);
            if (!parts[1].empty())
                texCoord = elementByObjIndex(texCoords, parts[1]);
            normal = elementByObjIndex(normals, parts[2]);
            found = position && normal && (texCoord || parts[1].empty());
            break;
        default:
            // Doubled spaces or slashes: nothing sensible to read.
            break;
        }
        if (!found) {
            faceVertices.clear();
            return false;
        }
        Vertex vertex;
        vertex.position = *position;
        if (texCoord)
            vertex.texCoord = *texCoord;
        if (normal)
            vertex.normal = *normal;
        faceVertices.push_back(vertex);
    }
    if (lacksNormal) {
        if (faceVertices.size() < 3) {
            faceVertices.clear();
            return false;
        }
        const Vector3 faceNormal = crossProduct(faceVertices[0].position - faceVertices[1].position,
                                                faceVertices[2].position - faceVertices[1].position);
        for (Vertex& vertex : faceVertices)
            vertex.normal = faceNormal;
    }
    return true;
}

namespace {

// The state of one loadModelText call.
struct ModelRead {
    std::vector<Vector3> positions;
    std::vector<Vector2> texCoords;
    std::vector<Vector3> normals;
    std::vector<Vertex> meshVertices;
    std::vector<unsigned int> meshIndices;
    std::vector<std::string> materialNames;
    std::string meshName;
    bool collecting = false;
    int progressCounter = 1000;

    // Names of the meshes made so far, and per base name the lowest suffix
    // not yet known to be taken: names are only ever added during a load, so
    // the search for a free "_n" can resume where it last stopped.
    std::unordered_set<std::string> meshNames;
    std::unordered_map<std::string, unsigned long> nextSuffix;

    bool hasGeometry() const { return !meshIndices.empty() && !meshVertices.empty(); }

    void closeMesh(std::vector<Mesh>& meshes, const std::string& name)
    {
        meshes.emplace_back(meshVertices, meshIndices);
        meshes.back().name = name;
        meshNames.insert(name);
        meshVertices.clear();
        meshIndices.clear();
    }

    std::string freeSuffixedName()
    {
        unsigned long& n = nextSuffix.try_emplace(meshName, 2ul).first->second;
        std::string name = meshName + "_" + std::to_string(n);
        while (meshNames.count(name) != 0)
            name = meshName + "_" + std::to_string(++n);
        ++n;
        return name;
    }

    void writeProgress() const
    {
        std::cout << "\r- " << meshName << "\t| vertices > " << positions.size() << "\t| texcoords > "
                  << texCoords.size() << "\t| normals > " << normals.size() << "\t| triangles > "
                  << meshVertices.size() / 3;
        if (!materialNames.empty())
            std::cout << "\t| material: " << materialNames.back();
    }
};

} // namespace

bool Loader::loadModelText(std::string_view modelText, std::string_view materialText)
{
    meshes.clear();
    vertices.clear();
    indices.clear();

    ModelRead read;
    std::vector<std::string> parts;
    std::vector<Vertex> faceVertices;
    std::vector<unsigned int> faceIndices;
    std::string line;
    LineReader lines(modelText);
    while (lines.next(line)) {
        read.progressCounter = (read.progressCounter + 1) % 1000;
        if (read.progressCounter == 1 && !read.meshName.empty())
            read.writeProgress();

        const std::string keyword = keywordOf(line);
        if (keyword == "o" || keyword == "g" || (!line.empty() && line[0] == 'g')) {
            // A first word that merely begins with g (group1) counts as a
            // group line too, and names the mesh "unnamed".
            const bool named = keyword == "o" || keyword == "g";
            if (!read.collecting) {
                read.collecting = true;
                read.meshName = named ? argumentsOf(line) : "unnamed";
            } else if (read.hasGeometry()) {
                read.closeMesh(meshes, read.meshName);
                read.meshName = argumentsOf(line);
            } else {
                read.meshName = named ? argumentsOf(line) : "unnamed";
            }
            std::cout << '\n';
            read.progressCounter = 0;
        } else if (keyword == "v") {
            splitAt(argumentsOf(line), parts, ' ');
            // Too few numbers: the line is skipped rather than read past its end.
            if (parts.size() >= 3)
                read.positions.push_back({readFloat(parts[0]), readFloat(parts[1]), readFloat(parts[2])});
        } else if (keyword == "vt") {
            splitAt(argumentsOf(line), parts, ' ');
            if (parts.size() >= 2)
                read.texCoords.push_back({readFloat(parts[0]), readFloat(parts[1])});
        } else if (keyword == "vn") {
            splitAt(argumentsOf(line), parts, ' ');
            if (parts.size() >= 3)
                read.normals.push_back({readFloat(parts[0]), readFloat(parts[1]), readFloat(parts[2])});
        } else if (keyword == "f") {
            if (!buildFaceVertices(faceVertices, read.positions, read.texCoords, read.normals, line))
                continue;
            read.meshVertices.insert(read.meshVertices.end(), faceVertices.begin(), faceVertices.end());
            vertices.insert(vertices.end(), faceVertices.begin(), faceVertices.end());
            faceIndices.clear();
            triangulate(faceIndices, faceVertices);
            const auto meshBase = static_cast<unsigned int>(read.meshVertices.size() - faceVertices.size());
            const auto loaderBase = static_cast<unsigned int>(vertices.size() - faceVertices.size());
            for (unsigned int i : faceIndices) {
                read.meshIndices.push_back(meshBase + i);
                indices.push_back(loaderBase + i);
            }
        } else if (keyword == "usemtl") {
            read.materialNames.push_back(argumentsOf(line));
            if (read.hasGeometry())
                read.closeMesh(meshes, read.freeSuffixedName());
            read.progressCounter = 0;
        } else if (keyword == "mtllib") {
            // The file name after mtllib is never used: the caller chose the library.
            loadMaterialsText(materialText);
        }
    }

    std::cout << '\n';
    if (read.hasGeometry())
        read.closeMesh(meshes, read.meshName);

    // The k-th usemtl line gives the k-th mesh its material, wherever it
    // stood; the first material of a name wins.
    if (!read.materialNames.empty()) {
        std::unordered_map<std::string_view, std::size_t> firstByName;
        for (std::size_t m = 0; m < materials.size(); ++m)
            firstByName.try_emplace(materials[m].name, m);
        const std::size_t attachable = std::min(read.materialNames.size(), meshes.size());
        for (std::size_t k = 0; k < attachable; ++k) {
            const auto match = firstByName.find(read.materialNames[k]);
            if (match != firstByName.end())
                meshes[k].material = materials[match->second];
        }
    }

    return !(meshes.empty() && vertices.empty() && indices.empty());
}

} // namespace objl
