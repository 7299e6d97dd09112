#include "gfx/shader_program.h"

#include "gfx/gl_api.h"
#include "gfx/text_resource.h"

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

GLuint compileShader(GLenum type, const char* source)
{
    GLuint shader = GlApi.glCreateShader(type);
    const GLchar* sources[] = {source};
    GlApi.glShaderSource(shader, 1, sources, nullptr);
    GlApi.glCompileShader(shader);
    GLint status = 0;
    GlApi.glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == 0) {
        readShaderInfoLog(shader);
        GlApi.glDeleteShader(shader);
    }
    return shader;
}

} // namespace

void readShaderInfoLog(unsigned int shader)
{
    GLint length = 0;
    GlApi.glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length < 0)
        length = 0;
    // Fetched so a debugger can see why the compile failed; no one else reads it.
    std::unique_ptr<GLchar[]> log(new GLchar[static_cast<size_t>(length) + 1]());
    GlApi.glGetShaderInfoLog(shader, length, &length, log.get());
}

void buildShaderProgram(const char* vertexSource, const char* fragmentSource)
{
    shaderProgram = GlApi.glCreateProgram();
    GLuint vertexShader = compileShader(GL_VERTEX_SHADER, vertexSource);
    GLuint fragmentShader = compileShader(GL_FRAGMENT_SHADER, fragmentSource);
    // A shader deleted above is attached too: GL rejects the stale name and
    // the program links from what is left, as start-up must go on regardless.
    GlApi.glAttachShader(shaderProgram, vertexShader);
    GlApi.glAttachShader(shaderProgram, fragmentShader);

    GlApi.glBindAttribLocation(shaderProgram, 0, "position");
    GlApi.glBindAttribLocation(shaderProgram, 1, "position_tex");
    GlApi.glBindAttribLocation(shaderProgram, 2, "position_normal");
    GlApi.glBindAttribLocation(shaderProgram, 3, "position_tangent");
    GlApi.glBindAttribLocation(shaderProgram, 4, "position_bitangent");
    GlApi.glLinkProgram(shaderProgram);

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
}

void loadShaderProgram()
{
    std::unique_ptr<char[]> vertexSource(new char[vertexSourceCapacity]);
    loadTextResource(vertexShaderResource, vertexSource.get(), vertexSourceCapacity);
    std::unique_ptr<char[]> fragmentSource(new char[fragmentSourceCapacity]);
    loadTextResource(fragmentShaderResource, fragmentSource.get(), fragmentSourceCapacity);
    buildShaderProgram(vertexSource.get(), fragmentSource.get());
}
