#include "about/about_text.h"
#include "about/about_x11.h"
#include "base/window_icon_picture.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <cstring>
#include <vector>

void x11SetProperties(X11About& about, const AboutPosition& position)
{
    Display* d = about.display;
    XStoreName(d, about.window, aboutTitle);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    XChangeProperty(d, about.window, XInternAtom(d, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(aboutTitle), static_cast<int>(std::strlen(aboutTitle)));

    // Fixed size, placed where asked: the frame's corner at the centred point,
    // as the outer window is on Windows.
    XSizeHints* size = XAllocSizeHints();
    if (size) {
        size->flags = USPosition | PPosition | PSize | PMinSize | PMaxSize | PWinGravity;
        size->x = position.x;
        size->y = position.y;
        size->width = size->min_width = size->max_width = aboutWindowWidth;
        size->height = size->min_height = size->max_height = aboutWindowHeight;
        size->win_gravity = NorthWestGravity;
        XSetWMNormalHints(d, about.window, size);
        XFree(size);
    }
    XWMHints* hints = XAllocWMHints();
    if (hints) {
        hints->flags = InputHint | StateHint;
        hints->input = True;
        hints->initial_state = NormalState;
        XSetWMHints(d, about.window, hints);
        XFree(hints);
    }
    XClassHint* classHint = XAllocClassHint();
    if (classHint) {
        char name[] = "quillomar";
        char className[] = "Quillomar";
        classHint->res_name = name;
        classHint->res_class = className;
        XSetClassHint(d, about.window, classHint);
        XFree(classHint);
    }
    // Only move and close, as a window with just a system menu offers.
    const long motif[5] = {1 | 2, 4 | 32, 2 | 8 | 16, 0, 0};
    const Atom motifAtom = XInternAtom(d, "_MOTIF_WM_HINTS", False);
    XChangeProperty(d, about.window, motifAtom, motifAtom, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(motif), 5);

    about.wmProtocols = XInternAtom(d, "WM_PROTOCOLS", False);
    about.wmDeleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d, about.window, &about.wmDeleteWindow, 1);
}

// The monitor picture as _NET_WM_ICON: width, height, then rows of ARGB, top
// row first, one pixel per long as Xlib hands format-32 data over.
void x11SetIcon(X11About& about)
{
    unsigned char rows[64 * 64 * 4];
    transposeIconColumns(windowIconColumns, rows);
    std::vector<unsigned long> icon(2 + 64 * 64);
    icon[0] = icon[1] = 64;
    for (int i = 0; i < 64 * 64; ++i) {
        const unsigned char* p = rows + i * 4;
        icon[2 + i] = static_cast<unsigned long>(p[3]) << 24 | static_cast<unsigned long>(p[0]) << 16 |
                      static_cast<unsigned long>(p[1]) << 8 | p[2];
    }
    XChangeProperty(about.display, about.window, XInternAtom(about.display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(icon.data()), static_cast<int>(icon.size()));
}

// The area Windows centres on: the primary monitor (RandR's primary output,
// else the first lit one, as GLFW picks it), or the whole screen without RandR.
MonitorArea x11PrimaryMonitor(X11About& about)
{
    MonitorArea area = {0, 0, DisplayWidth(about.display, about.screen), DisplayHeight(about.display, about.screen)};
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(about.display, &eventBase, &errorBase) ||
        !XRRQueryVersion(about.display, &major, &minor) || (major == 1 && minor < 3))
        return area;
    const Window root = RootWindow(about.display, about.screen);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(about.display, root);
    if (!resources)
        return area;
    const RROutput primary = XRRGetOutputPrimary(about.display, root);
    bool found = false;
    for (int pass = 0; pass < 2 && !found; ++pass)
        for (int i = 0; i < resources->noutput && !found; ++i) {
            if (pass == 0 && resources->outputs[i] != primary)
                continue;
            XRROutputInfo* output = XRRGetOutputInfo(about.display, resources, resources->outputs[i]);
            if (output && output->connection == RR_Connected && output->crtc) {
                if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(about.display, resources, output->crtc)) {
                    if (crtc->width > 0 && crtc->height > 0) {
                        area = {crtc->x, crtc->y, static_cast<int>(crtc->width), static_cast<int>(crtc->height)};
                        found = true;
                    }
                    XRRFreeCrtcInfo(crtc);
                }
            }
            if (output)
                XRRFreeOutputInfo(output);
        }
    XRRFreeScreenResources(resources);
    return area;
}
