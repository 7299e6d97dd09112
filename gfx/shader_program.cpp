#include "gfx/shader_program.h"

#include "gfx/gl_api.h"
#include "gfx/text_resource.h"
#include "platform/platform.h"

#include <cstdio>
#include <memory>

unsigned int shaderProgram = 0;
int positionAttrib = 0;
int texCoordAttrib = 0;
int normalAttrib = 0;
int tangentAttrib = 0;
int bitangentAttrib = 0;
int mvUniform = 0;
int resolutionUniform = 0;
int timeUniform = 0;
int timeDeltaUniform = 0;
int randomUniform = 0;
int starColorUniform = 0;
int starDirectionUniform = 0;
int starTrailDrawUniform = 0;

namespace {

constexpr int vertexShaderResource = 105;
constexpr int fragmentShaderResource = 106;
constexpr int vertexSourceCapacity = 2048;
constexpr int fragmentSourceCapacity = 8192;

// A driver's log can run long; the message keeps its start, where the first
// error stands.
void reportLog(const char* what, const GLchar* log)
{
    char text[1024];
    std::snprintf(text, sizeof text, "Failed to %s:\n%s", what, log && *log ? log : "(the driver gave no reason)");
    showMessageBox(text, "Error", MessageIcon::Information);
}

bool compileShader(GLenum type, const char* source, GLuint* shader)
{
    *shader = GlApi.glCreateShader(type);
    const GLchar* sources[] = {source};
    GlApi.glShaderSource(*shader, 1, sources, nullptr);
    GlApi.glCompileShader(*shader);
    GLint status = 0;
    GlApi.glGetShaderiv(*shader, GL_COMPILE_STATUS, &status);
    if (status == 0) {
        readShaderInfoLog(*shader);
        GlApi.glDeleteShader(*shader);
    }
    return status != 0;
}

bool linkedProgram(GLuint program)
{
    GLint status = 0;
    GlApi.glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status != 0)
        return true;
    GLint length = 0;
    GlApi.glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::unique_ptr<GLchar[]> log(new GLchar[static_cast<size_t>(length > 0 ? length : 0) + 1]());
    GlApi.glGetProgramInfoLog(program, length > 0 ? length : 0, nullptr, log.get());
    reportLog("link the star shaders", log.get());
    return false;
}

} // namespace

void readShaderInfoLog(unsigned int shader)
{
    GLint length = 0;
    GlApi.glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length < 0)
        length = 0;
    std::unique_ptr<GLchar[]> log(new GLchar[static_cast<size_t>(length) + 1]());
    GlApi.glGetShaderInfoLog(shader, length, &length, log.get());
    GLint type = 0;
    GlApi.glGetShaderiv(shader, GL_SHADER_TYPE, &type);
    reportLog(type == GL_VERTEX_SHADER ? "compile the vertex shader" : "compile the fragment shader", log.get());
}

bool buildShaderProgram(const char* vertexSource, const char* fragmentSource)
{
    shaderProgram = GlApi.glCreateProgram();
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
    // Without its shaders the saver would show a black screen and never say why.
    if (!compileShader(GL_VERTEX_SHADER, vertexSource, &vertexShader) ||
        !compileShader(GL_FRAGMENT_SHADER, fragmentSource, &fragmentShader))
        return false;
    GlApi.glAttachShader(shaderProgram, vertexShader);
    GlApi.glAttachShader(shaderProgram, fragmentShader);

    GlApi.glBindAttribLocation(shaderProgram, 0, "position");
    GlApi.glBindAttribLocation(shaderProgram, 1, "position_tex");
    GlApi.glBindAttribLocation(shaderProgram, 2, "position_normal");
    GlApi.glBindAttribLocation(shaderProgram, 3, "position_tangent");
    GlApi.glBindAttribLocation(shaderProgram, 4, "position_bitangent");
    GlApi.glLinkProgram(shaderProgram);
    if (!linkedProgram(shaderProgram))
        return false;

    resolutionUniform = GlApi.glGetUniformLocation(shaderProgram, "iResolution");
    timeUniform = GlApi.glGetUniformLocation(shaderProgram, "iTime");
    timeDeltaUniform = GlApi.glGetUniformLocation(shaderProgram, "iTimeDelta");
    randomUniform = GlApi.glGetUniformLocation(shaderProgram, "iRandom");
    mvUniform = GlApi.glGetUniformLocation(shaderProgram, "mv");
    starColorUniform = GlApi.glGetUniformLocation(shaderProgram, "starColor");
    starDirectionUniform = GlApi.glGetUniformLocation(shaderProgram, "starDirection");
    starTrailDrawUniform = GlApi.glGetUniformLocation(shaderProgram, "starTrailDraw");

    positionAttrib = GlApi.glGetAttribLocation(shaderProgram, "position");
    texCoordAttrib = GlApi.glGetAttribLocation(shaderProgram, "position_tex");
    normalAttrib = GlApi.glGetAttribLocation(shaderProgram, "position_normal");
    tangentAttrib = GlApi.glGetAttribLocation(shaderProgram, "position_tangent");
    bitangentAttrib = GlApi.glGetAttribLocation(shaderProgram, "position_bitangent");
    return true;
}

bool loadShaderProgram()
{
    std::unique_ptr<char[]> vertexSource(new char[vertexSourceCapacity]);
    loadTextResource(vertexShaderResource, vertexSource.get(), vertexSourceCapacity);
    std::unique_ptr<char[]> fragmentSource(new char[fragmentSourceCapacity]);
    loadTextResource(fragmentShaderResource, fragmentSource.get(), fragmentSourceCapacity);
    return buildShaderProgram(vertexSource.get(), fragmentSource.get());
}
