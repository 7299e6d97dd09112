#include "app/render_window.h"

#include "app/render_settings.h"
#include "app/run_modes.h"
#include "app/window_icon.h"
#include "gfx/gl_api.h"

#include <GLFW/glfw3.h>

#include <cstdlib>

GLFWwindow* renderWindow = nullptr;

void showWindowingError(int, const char* description)
{
    showMessageBox(description, "Error", MessageIcon::Information);
}

void onWindowSize(GLFWwindow*, int width, int height)
{
    storeWindowGeometry(width, height);
}

void quitOnInput(GLFWwindow*, int, int, int, int)
{
    std::exit(0);
}

void quitOnInput(GLFWwindow*, int, int, int)
{
    std::exit(0);
}

void ignoreInput(GLFWwindow*, double, double)
{
}

void initWindowing()
{
    glfwSetErrorCallback(showWindowingError);
    if (!glfwInit())
        showMessageBox("Failed to initialize GLFW", "Debug", MessageIcon::Information);
}

int openRenderWindow()
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, renderSettings.contextVersionMajor);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, renderSettings.contextVersionMinor);
    if (renderSettings.robustContext)
        glfwWindowHint(GLFW_CONTEXT_ROBUSTNESS, GLFW_LOSE_CONTEXT_ON_RESET);
    glfwWindowHint(GLFW_SAMPLES, renderSettings.samples);
    glfwWindowHint(GLFW_STEREO, GLFW_FALSE);

    if (runMode == Preview) {
        renderWindow = adoptNativeWindow(hostWindow, nullptr);
    } else {
        GLFWmonitor* monitor = renderSettings.useMonitor ? glfwGetPrimaryMonitor() : nullptr;
        renderWindow = glfwCreateWindow(renderSettings.width, renderSettings.height, renderSettings.title, monitor, nullptr);
    }
    if (!renderWindow) {
        showMessageBox("Failed to open window", "Debug", MessageIcon::Information);
        glfwTerminate();
        std::exit(0);
    }

    glfwSetWindowSizeCallback(renderWindow, onWindowSize);
    glfwSetKeyCallback(renderWindow, quitOnInput);
    glfwSetMouseButtonCallback(renderWindow, quitOnInput);
    glfwSetCursorPosCallback(renderWindow, ignoreInput);
    glfwSetScrollCallback(renderWindow, ignoreInput);
    glfwMakeContextCurrent(renderWindow);
    if (renderSettings.windowIcon)
        setWindowIcon(renderWindow);
    return initGlApi();
}

static void setCapability(GLenum capability, bool enabled)
{
    if (enabled)
        GlApi.glEnable(capability);
    else
        GlApi.glDisable(capability);
}

void applyRenderState()
{
    GlApi.glCullFace(GL_BACK);
    GlApi.glFrontFace(GL_CW);
    GlApi.glEnable(GL_BLEND);
    GlApi.glBlendFunc(GL_ONE, GL_ONE);
    GlApi.glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    setCapability(GL_MULTISAMPLE, renderSettings.multisample);
    setCapability(GL_LINE_SMOOTH, renderSettings.lineSmooth);
    setCapability(GL_POLYGON_SMOOTH, renderSettings.polygonSmooth);
    glfwSwapInterval(renderSettings.swapInterval ? 1 : 0);
    if (!renderSettings.showCursor)
        glfwSetInputMode(renderWindow, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}
