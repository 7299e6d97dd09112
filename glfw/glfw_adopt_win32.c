// Compiled into GLFW itself so it can build a window record the way
// glfwCreateWindow does. internal.h insists on choosing its own header options.
#undef GLFW_INCLUDE_NONE
#include "internal.h"

#include "glfw/glfw_adopt_win32.h"

#include <stdlib.h>

// What an adopted window must get back. GLFW's window record has no room for
// it, so it lives here, one entry per adopted window.
typedef struct Adoption
{
    _GLFWwindow*           window;
    GLFWbool               subclassed;
    WNDPROC                savedProc;
    HICON                  savedBigIcon;
    HICON                  savedSmallIcon;
    GLFWbool               usesWgl;
    _GLFWdestroycontextfun destroyContext;
    struct Adoption*       next;
} Adoption;

static Adoption* adoptions = NULL;

static Adoption* findAdoption(const _GLFWwindow* window)
{
    Adoption* adoption;

    for (adoption = adoptions;  adoption;  adoption = adoption->next)
    {
        if (adoption->window == window)
            return adoption;
    }

    return NULL;
}

static void forgetAdoption(Adoption* adoption)
{
    Adoption** link = &adoptions;

    while (*link != adoption)
        link = &(*link)->next;

    *link = adoption->next;
    free(adoption);
}

// GLFW's window procedure is private to its backend; its window class knows it.
static WNDPROC libraryWindowProc(void)
{
    WNDCLASSEXW wc;

    ZeroMemory(&wc, sizeof(wc));
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(_glfw.win32.instance, _GLFW_WNDCLASSNAME, &wc))
        return NULL;

    return wc.lpfnWndProc;
}

// Another process's window may not answer; never wait on it for long.
static HICON queryIcon(HWND handle, WPARAM which)
{
    DWORD_PTR icon = 0;

    if (!SendMessageTimeoutW(handle, WM_GETICON, which, 0,
                             SMTO_ABORTIFHUNG, 500, &icon))
    {
        return NULL;
    }

    return (HICON) icon;
}

static void setIcon(HWND handle, WPARAM which, HICON icon)
{
    DWORD_PTR result;
    SendMessageTimeoutW(handle, WM_SETICON, which, (LPARAM) icon,
                        SMTO_ABORTIFHUNG, 500, &result);
}

// Puts back what adoption changed and detaches the record from the native
// window, so that _glfwPlatformDestroyWindow never reaches DestroyWindow.
static void giveWindowBack(Adoption* adoption)
{
    _GLFWwindow* window = adoption->window;
    const HWND handle = window->win32.handle;

    if (IsWindow(handle))
    {
        if (adoption->subclassed)
        {
            SetWindowLongPtrW(handle, GWLP_WNDPROC,
                              (LONG_PTR) adoption->savedProc);
        }

        RemovePropW(handle, L"GLFW");

        // GLFW destroys the icons it made right after this; the window must
        // not be left pointing at them
        if (window->win32.bigIcon || window->win32.smallIcon)
        {
            setIcon(handle, ICON_BIG, adoption->savedBigIcon);
            setIcon(handle, ICON_SMALL, adoption->savedSmallIcon);
        }

        // The last frame is still on the window; let its owner paint over it
        InvalidateRect(handle, NULL, TRUE);
    }

    if (adoption->usesWgl && window->context.wgl.dc)
    {
        ReleaseDC(handle, window->context.wgl.dc);
        window->context.wgl.dc = NULL;
    }

    window->win32.handle = NULL;
    forgetAdoption(adoption);
}

// Installed as the adopted window's context destructor: glfwDestroyWindow
// calls it before it would destroy the native window.
static void destroyAdoptedContext(_GLFWwindow* window)
{
    Adoption* adoption = findAdoption(window);

    if (!adoption)
        return;

    if (adoption->destroyContext)
        adoption->destroyContext(window);

    giveWindowBack(adoption);
}

static GLFWbool createContext(_GLFWwindow* window,
                              Adoption* adoption,
                              const _GLFWctxconfig* ctxconfig,
                              const _GLFWfbconfig* fbconfig)
{
    if (ctxconfig->client == GLFW_NO_API)
        return GLFW_TRUE;

    if (ctxconfig->source == GLFW_NATIVE_CONTEXT_API)
    {
        if (!_glfwInitWGL())
            return GLFW_FALSE;

        adoption->usesWgl = GLFW_TRUE;
        if (!_glfwCreateContextWGL(window, ctxconfig, fbconfig))
            return GLFW_FALSE;
    }
    else if (ctxconfig->source == GLFW_EGL_CONTEXT_API)
    {
        if (!_glfwInitEGL())
            return GLFW_FALSE;
        if (!_glfwCreateContextEGL(window, ctxconfig, fbconfig))
            return GLFW_FALSE;
    }
    else if (ctxconfig->source == GLFW_OSMESA_CONTEXT_API)
    {
        if (!_glfwInitOSMesa())
            return GLFW_FALSE;
        if (!_glfwCreateContextOSMesa(window, ctxconfig, fbconfig))
            return GLFW_FALSE;
    }

    return _glfwRefreshContextAttribs(window, ctxconfig);
}

static void takeAttributes(_GLFWwindow* window, Adoption* adoption)
{
    const HWND handle = window->win32.handle;
    const WNDPROC proc = libraryWindowProc();
    const LONG style = GetWindowLongW(handle, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(handle, GWL_EXSTYLE);

    SetPropW(handle, L"GLFW", window);

    if (proc)
    {
        LONG_PTR saved;

        // Zero is both a failure and a legal old value; the error code tells
        SetLastError(ERROR_SUCCESS);
        saved = SetWindowLongPtrW(handle, GWLP_WNDPROC, (LONG_PTR) proc);
        if (saved || GetLastError() == ERROR_SUCCESS)
        {
            adoption->subclassed = GLFW_TRUE;
            adoption->savedProc = (WNDPROC) saved;
        }
    }

    adoption->savedBigIcon = queryIcon(handle, ICON_BIG);
    adoption->savedSmallIcon = queryIcon(handle, ICON_SMALL);

    window->resizable = (style & WS_THICKFRAME) != 0;
    window->decorated = (style & (WS_BORDER | WS_THICKFRAME)) != 0;
    window->floating = (exStyle & WS_EX_TOPMOST) != 0;
    window->win32.maximized = IsZoomed(handle) != 0;
    window->win32.iconified = IsIconic(handle) != 0;

    // WM_SIZE reports only changes from this cached size
    _glfwPlatformGetWindowSize(window,
                               &window->win32.width,
                               &window->win32.height);
    window->videoMode.width = window->win32.width;
    window->videoMode.height = window->win32.height;
}

GLFWwindow* glfwAdoptWin32Window(void* nativeWindow, GLFWwindow* share)
{
    _GLFWfbconfig fbconfig;
    _GLFWctxconfig ctxconfig;
    _GLFWwndconfig wndconfig;
    _GLFWwindow* window;
    Adoption* adoption;
    GLFWbool named;
    const HWND handle = (HWND) nativeWindow;

    _GLFW_REQUIRE_INIT_OR_RETURN(NULL);

    fbconfig  = _glfw.hints.framebuffer;
    ctxconfig = _glfw.hints.context;
    wndconfig = _glfw.hints.window;

    ctxconfig.share = (_GLFWwindow*) share;

    if (!_glfwIsValidContextConfig(&ctxconfig))
        return NULL;

    window = calloc(1, sizeof(_GLFWwindow));
    adoption = calloc(1, sizeof(Adoption));
    if (!window || !adoption)
    {
        free(window);
        free(adoption);
        _glfwInputError(GLFW_OUT_OF_MEMORY, NULL);
        return NULL;
    }

    window->next = _glfw.windowListHead;
    _glfw.windowListHead = window;

    adoption->window = window;
    adoption->next = adoptions;
    adoptions = adoption;

    window->videoMode.redBits     = fbconfig.redBits;
    window->videoMode.greenBits   = fbconfig.greenBits;
    window->videoMode.blueBits    = fbconfig.blueBits;
    window->videoMode.refreshRate = _glfw.hints.refreshRate;

    window->monitor     = NULL;
    window->autoIconify = wndconfig.autoIconify;
    window->focusOnShow = wndconfig.focusOnShow;
    window->cursorMode  = GLFW_CURSOR_NORMAL;

    window->doublebuffer = fbconfig.doublebuffer;

    window->minwidth    = GLFW_DONT_CARE;
    window->minheight   = GLFW_DONT_CARE;
    window->maxwidth    = GLFW_DONT_CARE;
    window->maxheight   = GLFW_DONT_CARE;
    window->numer       = GLFW_DONT_CARE;
    window->denom       = GLFW_DONT_CARE;

    window->win32.handle = handle;

    named = IsWindow(handle) != 0;
    if (named)
        takeAttributes(window, adoption);
    else
    {
        // GetDC(NULL) would hand out the whole screen's DC, so a handle that
        // names no window stops here with the error GetDC would have given
        if (ctxconfig.client != GLFW_NO_API &&
            ctxconfig.source == GLFW_NATIVE_CONTEXT_API)
        {
            _glfwInputError(GLFW_PLATFORM_ERROR,
                            "WGL: Failed to retrieve DC for window");
        }
        else
        {
            _glfwInputError(GLFW_PLATFORM_ERROR,
                            "Win32: The handle names no window");
        }
    }

    // A window that vanishes from here on fails in GetDC like any other
    if (!named || !createContext(window, adoption, &ctxconfig, &fbconfig))
    {
        // A context made before the failure has no destructor set yet when
        // WGL failed late; do not leak it
        if (window->context.destroy)
        {
            window->context.destroy(window);
            window->context.destroy = NULL;
        }
        else if (adoption->usesWgl && window->context.wgl.handle)
        {
            wglDeleteContext(window->context.wgl.handle);
            window->context.wgl.handle = NULL;
        }

        giveWindowBack(adoption);
        glfwDestroyWindow((GLFWwindow*) window);
        return NULL;
    }

    adoption->destroyContext = window->context.destroy;
    window->context.destroy = destroyAdoptedContext;
    return (GLFWwindow*) window;
}
