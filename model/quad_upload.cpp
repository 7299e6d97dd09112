#include "model/quad_upload.h"

#include "base/run_exit.h"
#include "gfx/gl_api.h"
#include "gfx/shader_program.h"
#include "objl/objl.h"

#include <cmath>
#include <cstddef>
#include <memory>

int modelVertexCount = 0;
int modelIndexCount = 0;
unsigned int positionBuffer = 0;
unsigned int texCoordBuffer = 0;
unsigned int normalBuffer = 0;
unsigned int tangentBuffer = 0;
unsigned int bitangentBuffer = 0;
unsigned int indexBuffer = 0;

namespace {

constexpr int quadModelResource = 104;
constexpr int quadMaterialResource = 126;

struct ClientArrays {
    std::unique_ptr<float[]> positionData;
    std::unique_ptr<float[]> texCoordData;
    std::unique_ptr<float[]> normalData;
    std::unique_ptr<float[]> tangentData;
    std::unique_ptr<float[]> bitangentData;
    std::unique_ptr<unsigned int[]> indexData;
};

void normalise(float* v)
{
    float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
}

void flattenMesh(const objl::Mesh& mesh, ClientArrays& a)
{
    modelVertexCount = static_cast<int>(mesh.vertices.size());
    modelIndexCount = static_cast<int>(mesh.indices.size());
    const size_t vertices = mesh.vertices.size();
    // Each mesh replaces the arrays of the one before; only the last is uploaded.
    a.positionData.reset(new float[vertices * 3]);
    a.texCoordData.reset(new float[vertices * 2]);
    a.normalData.reset(new float[vertices * 3]);
    // Vertices no triangle names keep a zero tangent frame rather than garbage.
    a.tangentData.reset(new float[vertices * 3]());
    a.bitangentData.reset(new float[vertices * 3]());
    a.indexData.reset(new unsigned int[mesh.indices.size()]);

    for (size_t v = 0; v < vertices; ++v) {
        const objl::Vertex& vertex = mesh.vertices[v];
        a.positionData[3 * v] = vertex.position.x;
        a.positionData[3 * v + 1] = vertex.position.y;
        a.positionData[3 * v + 2] = vertex.position.z;
        float* normal = &a.normalData[3 * v];
        normal[0] = vertex.normal.x;
        normal[1] = vertex.normal.y;
        normal[2] = vertex.normal.z;
        normalise(normal);
        // The loader's face normal points away from a viewer of the
        // counter-clockwise side; the shader wants it towards them.
        normal[0] = -normal[0];
        normal[1] = -normal[1];
        normal[2] = -normal[2];
        a.texCoordData[2 * v] = vertex.texCoord.x;
        a.texCoordData[2 * v + 1] = vertex.texCoord.y;
    }
    for (size_t i = 0; i < mesh.indices.size(); ++i)
        a.indexData[i] = mesh.indices[i];
}

void computeTangents(ClientArrays& a)
{
    for (int k = 0; k + 2 < modelIndexCount; k += 3) {
        const unsigned int index[3] = {a.indexData[k], a.indexData[k + 1], a.indexData[k + 2]};
        // A triangle naming a vertex the mesh lacks would write outside the arrays.
        if (index[0] >= static_cast<unsigned int>(modelVertexCount) ||
            index[1] >= static_cast<unsigned int>(modelVertexCount) ||
            index[2] >= static_cast<unsigned int>(modelVertexCount))
            continue;
        const float* p0 = &a.positionData[3 * index[0]];
        const float* p1 = &a.positionData[3 * index[1]];
        const float* p2 = &a.positionData[3 * index[2]];
        const float* t0 = &a.texCoordData[2 * index[0]];
        const float* t1 = &a.texCoordData[2 * index[1]];
        const float* t2 = &a.texCoordData[2 * index[2]];
        const float e1[3] = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
        const float e2[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
        const float d1[2] = {t1[0] - t0[0], t1[1] - t0[1]};
        const float d2[2] = {t2[0] - t0[0], t2[1] - t0[1]};
        const float r = 1.0f / (d1[0] * d2[1] - d2[0] * d1[1]);
        float tangent[3];
        float bitangent[3];
        for (int c = 0; c < 3; ++c) {
            tangent[c] = (d2[1] * e1[c] - d1[1] * e2[c]) * r;
            bitangent[c] = (d1[0] * e2[c] - d2[0] * e1[c]) * r;
        }
        normalise(tangent);
        normalise(bitangent);
        for (unsigned int i : index) {
            for (int c = 0; c < 3; ++c) {
                a.tangentData[3 * i + c] = tangent[c];
                a.bitangentData[3 * i + c] = bitangent[c];
            }
        }
    }
}

void pointAttribute(GLuint buffer, int location, int components)
{
    GlApi.glBindBuffer(GL_ARRAY_BUFFER, buffer);
    GlApi.glEnableVertexAttribArray(static_cast<GLuint>(location));
    GlApi.glVertexAttribPointer(static_cast<GLuint>(location), components, GL_FLOAT, GL_FALSE, 0, nullptr);
}

void uploadAttribute(GLuint* buffer, const float* data, int location, int components)
{
    GlApi.glGenBuffers(1, buffer);
    GlApi.glBindBuffer(GL_ARRAY_BUFFER, *buffer);
    GlApi.glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(modelVertexCount) * components * 4, data,
                       GL_STATIC_DRAW);
    pointAttribute(*buffer, location, components);
}

} // namespace

void loadModelOrExit(const std::function<bool()>& load)
{
    bool loaded = false;
    try {
        loaded = load();
    } catch (...) {
        loaded = false;
    }
    if (!loaded)
        failStartup();
}

void uploadModel(int modelId, int materialId)
{
    std::unique_ptr<objl::Loader> loader(new objl::Loader());
    loadModelOrExit([&] { return loader->loadModel(modelId, materialId); });
    uploadMeshes(loader->meshes);
}

void uploadMeshes(const std::vector<objl::Mesh>& meshes)
{
    // A model that loads without a mesh must not inherit an earlier upload's
    // counts: they would size the buffers and index the empty arrays.
    modelVertexCount = 0;
    modelIndexCount = 0;
    ClientArrays arrays;
    for (const objl::Mesh& mesh : meshes)
        flattenMesh(mesh, arrays);
    computeTangents(arrays);

    uploadAttribute(&positionBuffer, arrays.positionData.get(), positionAttrib, 3);
    uploadAttribute(&texCoordBuffer, arrays.texCoordData.get(), texCoordAttrib, 2);
    uploadAttribute(&normalBuffer, arrays.normalData.get(), normalAttrib, 3);
    uploadAttribute(&tangentBuffer, arrays.tangentData.get(), tangentAttrib, 3);
    uploadAttribute(&bitangentBuffer, arrays.bitangentData.get(), bitangentAttrib, 3);
    GlApi.glGenBuffers(1, &indexBuffer);
    GlApi.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    GlApi.glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(modelIndexCount) * 4, arrays.indexData.get(),
                       GL_STATIC_DRAW);
}

void bindQuadModel()
{
    pointAttribute(positionBuffer, positionAttrib, 3);
    pointAttribute(texCoordBuffer, texCoordAttrib, 2);
    pointAttribute(normalBuffer, normalAttrib, 3);
    pointAttribute(tangentBuffer, tangentAttrib, 3);
    pointAttribute(bitangentBuffer, bitangentAttrib, 3);
    GlApi.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
}

void uploadQuadModel()
{
    uploadModel(quadModelResource, quadMaterialResource);
}
