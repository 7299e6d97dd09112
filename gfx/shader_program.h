#pragma once

// The star program and its locations, written once by loadShaderProgram.
extern unsigned int shaderProgram;
extern int positionAttrib;
extern int texCoordAttrib;
extern int normalAttrib;
extern int tangentAttrib;
extern int bitangentAttrib;
extern int mvUniform;
extern int resolutionUniform;
extern int timeUniform;
extern int timeDeltaUniform;
extern int randomUniform;
extern int starColorUniform;
extern int starDirectionUniform;
extern int starTrailDrawUniform;

// False when a shader did not compile or the program did not link; the
// driver's log has then been reported as an error.
bool loadShaderProgram();
// Reports why the shader did not compile.
void readShaderInfoLog(unsigned int shader);

// The compile, link and lookup steps of loadShaderProgram on given texts. A
// shader that fails to compile is deleted after its log is reported, and
// nothing is linked.
bool buildShaderProgram(const char* vertexSource, const char* fragmentSource);
