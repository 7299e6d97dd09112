#pragma once

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
