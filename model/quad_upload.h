#pragma once

#include <functional>
#include <vector>

namespace objl {
struct Mesh;
}

// The quad's GL buffers and counts, written once by uploadQuadModel.
extern int modelVertexCount;
extern int modelIndexCount;
extern unsigned int positionBuffer;
extern unsigned int texCoordBuffer;
extern unsigned int normalBuffer;
extern unsigned int tangentBuffer;
extern unsigned int bitangentBuffer;
extern unsigned int indexBuffer;

void uploadQuadModel();

// The uploaded quad's buffers bound and its attributes pointed at them in
// the current context, one that shares its objects with the uploading one:
// neither the attribute arrays nor the bindings are shared.
void bindQuadModel();

// uploadQuadModel for any model and material library resource.
void uploadModel(int modelId, int materialId);
// Its second half: the last of the meshes into the buffers (empty ones for none).
void uploadMeshes(const std::vector<objl::Mesh>& meshes);

// Runs load; when it returns false or throws (the loader's number conversion
// errors), ends the process with exit code 0 through failStartup, as the saver
// must never show a crash or draw from an empty model.
void loadModelOrExit(const std::function<bool()>& load);
