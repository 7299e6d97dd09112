#include "about/about_window.h"

#include "about/about_layout.h"
#include "about/about_text.h"
#include "base/window_icon.h"
#include "res/resources.h"

#include <X11/Xatom.h>
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>

#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <vector>

extern char** environ;

namespace {

// The system button colours of the Windows build (as Wine's classic look
// paints them), so both builds show the same button.
constexpr AboutColor buttonFaceColor = {245, 245, 245};
constexpr AboutColor buttonHighlightColor = {255, 255, 255};
constexpr AboutColor buttonLightColor = {227, 227, 227};
constexpr AboutColor buttonShadowColor = {166, 166, 166};
constexpr AboutColor buttonDarkShadowColor = {106, 106, 106};
constexpr AboutColor buttonTextColor = {0, 0, 0};

struct X11Font {
    XftFont* font = nullptr;
    int height = 0; // line step: the Windows cell height
};

struct X11About {
    Display* display = nullptr;
    int screen = 0;
    Visual* visual = nullptr;
    Colormap colormap = 0;
    int depth = 0;
    Window window = 0;
    Pixmap canvas = 0; // drawn whole, then copied: no flicker on redraw
    GC gc = nullptr;
    XftDraw* draw = nullptr;
    X11Font bodyFont;
    X11Font headerFont;
    Pixmap logo = 0;
    int logoWidth = 0;
    int logoHeight = 0;
    Atom wmProtocols = 0;
    Atom wmDeleteWindow = 0;

    // Push-button state, as a Windows button keeps it.
    bool mouseHeld = false; // the press began on the button
    bool mouseInside = false;
    bool spaceHeld = false;
    bool buttonFocused = false;
};

XftColor x11Color(X11About& about, AboutColor color)
{
    XRenderColor value = {static_cast<unsigned short>(color.red * 257), static_cast<unsigned short>(color.green * 257),
                          static_cast<unsigned short>(color.blue * 257), 0xFFFF};
    XftColor result = {};
    XftColorAllocValue(about.display, about.visual, about.colormap, &value, &result);
    return result;
}

XftFont* x11OpenArial(X11About& about, double pixelSize, int weight, double widthScale)
{
    XftMatrix matrix;
    XftMatrixInit(&matrix);
    matrix.xx = widthScale;
    // GDI weights are OpenType weights: 400 normal, 700 bold.
    return XftFontOpen(about.display, about.screen, XFT_FAMILY, XftTypeString, "Arial", XFT_PIXEL_SIZE,
                       XftTypeDouble, pixelSize, XFT_WEIGHT, XftTypeInteger, FcWeightFromOpenType(weight),
                       XFT_ANTIALIAS, XftTypeBool, True, XFT_MATRIX, XftTypeMatrix, &matrix, nullptr);
}

int x11TextWidth(Display* display, XftFont* font, const std::string& text)
{
    XGlyphInfo extents;
    XftTextExtentsUtf8(display, font, reinterpret_cast<const FcChar8*>(text.data()), static_cast<int>(text.size()),
                       &extents);
    return extents.xOff;
}

// Opens Arial the way CreateFontA sizes it: the height is the whole cell
// (ascent plus descent), the width the weighted average character width.
X11Font x11OpenFont(X11About& about, const AboutFont& spec)
{
    X11Font result;
    result.height = spec.height;
    XftFont* probe = x11OpenArial(about, spec.height, spec.weight, 1.0);
    if (!probe)
        return result;
    const int cell = probe->ascent + probe->descent;
    const double em = cell > 0 ? spec.height * static_cast<double>(spec.height) / cell : spec.height;
    XftFontClose(about.display, probe);

    XftFont* natural = x11OpenArial(about, em, spec.weight, 1.0);
    if (!natural)
        return result;
    double advances[27];
    for (int i = 0; i < 27; ++i)
        advances[i] = x11TextWidth(about.display, natural, std::string(1, i < 26 ? static_cast<char>('a' + i) : ' '));
    const double average = windowsAverageCharWidth(advances);
    XftFontClose(about.display, natural);

    result.font = x11OpenArial(about, em, spec.weight, average > 0.0 ? spec.width / average : 1.0);
    return result;
}

void x11FillRect(X11About& about, AboutColor color, int x, int y, int width, int height)
{
    XftColor fill = x11Color(about, color);
    XftDrawRect(about.draw, &fill, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height));
}

// Left-aligned lines from the top of a static control, clipped to it.
void x11DrawStatic(X11About& about, const X11Font& font, AboutColor color, const AboutRect& rect,
                   const std::vector<std::string>& lines, bool underline)
{
    if (!font.font)
        return;
    XRectangle clip = {static_cast<short>(rect.x), static_cast<short>(rect.y), static_cast<unsigned short>(rect.width),
                       static_cast<unsigned short>(rect.height)};
    XftDrawSetClipRectangles(about.draw, 0, 0, &clip, 1);
    XftColor ink = x11Color(about, color);
    int top = rect.y;
    for (const std::string& line : lines) {
        const int baseline = top + font.font->ascent;
        XftDrawStringUtf8(about.draw, &ink, font.font, rect.x, baseline,
                          reinterpret_cast<const FcChar8*>(line.data()), static_cast<int>(line.size()));
        if (underline) {
            const int thickness = font.height >= 24 ? 2 : 1;
            XftDrawRect(about.draw, &ink, rect.x, baseline + font.height / 9, x11TextWidth(about.display, font.font, line),
                        thickness);
        }
        top += font.height;
    }
    XftDrawSetClip(about.draw, nullptr);
}

// A raised or sunken 3D frame of two one-pixel rings, as Windows draws a
// classic push button: light on the lit sides, shadow on the others.
void x11DrawButtonFrame(X11About& about, const AboutRect& r, AboutColor outerLit, AboutColor innerLit,
                        AboutColor innerShade, AboutColor outerShade)
{
    x11FillRect(about, outerLit, r.x, r.y, r.width - 1, 1);
    x11FillRect(about, outerLit, r.x, r.y, 1, r.height - 1);
    x11FillRect(about, innerLit, r.x + 1, r.y + 1, r.width - 3, 1);
    x11FillRect(about, innerLit, r.x + 1, r.y + 1, 1, r.height - 3);
    x11FillRect(about, outerShade, r.x, r.y + r.height - 1, r.width, 1);
    x11FillRect(about, outerShade, r.x + r.width - 1, r.y, 1, r.height);
    x11FillRect(about, innerShade, r.x + 1, r.y + r.height - 2, r.width - 2, 1);
    x11FillRect(about, innerShade, r.x + r.width - 2, r.y + 1, 1, r.height - 2);
}

void x11DrawButton(X11About& about)
{
    const AboutRect& r = aboutButtonRect;
    const bool pressed = (about.mouseHeld && about.mouseInside) || about.spaceHeld;
    x11FillRect(about, buttonFaceColor, r.x, r.y, r.width, r.height);
    if (pressed)
        x11DrawButtonFrame(about, r, buttonDarkShadowColor, buttonShadowColor, buttonLightColor, buttonHighlightColor);
    else
        x11DrawButtonFrame(about, r, buttonHighlightColor, buttonLightColor, buttonShadowColor, buttonDarkShadowColor);

    const X11Font& font = about.bodyFont;
    if (font.font) {
        const std::string caption = aboutButtonCaption;
        const int shift = pressed ? 1 : 0;
        const int textWidth = x11TextWidth(about.display, font.font, caption);
        const int x = r.x + (r.width - textWidth) / 2 + shift;
        const int baseline = r.y + (r.height - (font.font->ascent + font.font->descent)) / 2 + font.font->ascent + shift;
        XftColor ink = x11Color(about, buttonTextColor);
        XftDrawStringUtf8(about.draw, &ink, font.font, x, baseline, reinterpret_cast<const FcChar8*>(caption.data()),
                          static_cast<int>(caption.size()));
    }

    if (about.buttonFocused) {
        // The dotted focus rectangle, two pixels in: every other pixel
        // inverted, which on the face gives this near-black.
        constexpr AboutColor dot = {245 ^ 255, 245 ^ 255, 245 ^ 255};
        const int left = 2, top = 2, right = r.width - 3, bottom = r.height - 3;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) {
                const bool edge = x == left || x == right || y == top || y == bottom;
                if (edge && (x + y) % 2 == 1)
                    x11FillRect(about, dot, r.x + x, r.y + y, 1, 1);
            }
    }
}

void x11Redraw(X11About& about)
{
    x11FillRect(about, aboutBackgroundColor, 0, 0, aboutWindowWidth, aboutWindowHeight);
    if (about.logo)
        XCopyArea(about.display, about.logo, about.canvas, about.gc, 0, 0, static_cast<unsigned>(about.logoWidth),
                  static_cast<unsigned>(about.logoHeight), aboutLogoX, aboutLogoY);
    x11DrawStatic(about, about.headerFont, aboutHeaderColor, aboutHeaderRect, {aboutHeaderText}, true);
    x11DrawStatic(about, about.bodyFont, aboutNoticeColor, aboutNoticeRect,
                  splitLines(windows1252ToUtf8(aboutNoticeText)), false);
    x11DrawButton(about);
    XCopyArea(about.display, about.canvas, about.window, about.gc, 0, 0, aboutWindowWidth, aboutWindowHeight, 0, 0);
}

int x11MaskShift(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// The logo bitmap, decoded from the embedded .bmp into a pixmap once.
void x11LoadLogo(X11About& about)
{
    const ResourceData data = findResourceData("BITMAP", aboutLogoBitmapId);
    if (!data.bytes || data.size > static_cast<unsigned long>(INT_MAX) || about.visual->c_class != TrueColor)
        return;
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(data.bytes, static_cast<int>(data.size), &width, &height, &channels, 3);
    if (!pixels)
        return;
    XImage* image = XCreateImage(about.display, about.visual, static_cast<unsigned>(about.depth), ZPixmap, 0, nullptr,
                                 static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (image) {
        image->data = static_cast<char*>(std::malloc(static_cast<size_t>(image->bytes_per_line) * height));
        if (image->data) {
            const int rs = x11MaskShift(about.visual->red_mask);
            const int gs = x11MaskShift(about.visual->green_mask);
            const int bs = x11MaskShift(about.visual->blue_mask);
            const unsigned long rmax = about.visual->red_mask >> rs;
            const unsigned long gmax = about.visual->green_mask >> gs;
            const unsigned long bmax = about.visual->blue_mask >> bs;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const stbi_uc* p = pixels + (static_cast<long>(y) * width + x) * 3;
                    const unsigned long pixel = ((p[0] * rmax + 127) / 255) << rs | ((p[1] * gmax + 127) / 255) << gs |
                                                ((p[2] * bmax + 127) / 255) << bs;
                    XPutPixel(image, x, y, pixel);
                }
            about.logo = XCreatePixmap(about.display, about.window, static_cast<unsigned>(width),
                                       static_cast<unsigned>(height), static_cast<unsigned>(about.depth));
            XPutImage(about.display, about.logo, about.gc, image, 0, 0, 0, 0, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
            about.logoWidth = width;
            about.logoHeight = height;
        }
        XDestroyImage(image); // frees the pixel data too
    }
    stbi_image_free(pixels);
}

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

void x11OpenWebSite()
{
    // The address is a constant of the program and travels as one argument:
    // no shell ever sees it. The opener gets the default SIGCHLD back, so
    // what it starts and waits for in turn behaves as usual.
    char program[] = "xdg-open";
    std::string address = aboutWebAddress;
    char* argv[] = {program, &address[0], nullptr};
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0)
        return;
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    posix_spawnp(&pid, program, nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
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
struct MonitorArea {
    int x, y, width, height;
};

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

bool x11InsideButton(int x, int y)
{
    const AboutRect& r = aboutButtonRect;
    return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}

// One event; false when the window is to close.
bool x11HandleEvent(X11About& about, XEvent& event)
{
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0)
            XCopyArea(about.display, about.canvas, about.window, about.gc, 0, 0, aboutWindowWidth, aboutWindowHeight, 0,
                      0);
        break;
    case ButtonPress:
        if (event.xbutton.button == Button1 && x11InsideButton(event.xbutton.x, event.xbutton.y)) {
            about.mouseHeld = about.mouseInside = true;
            about.buttonFocused = true; // a clicked Windows button takes the focus
            x11Redraw(about);
        }
        break;
    case MotionNotify:
        if (about.mouseHeld) {
            const bool inside = x11InsideButton(event.xmotion.x, event.xmotion.y);
            if (inside != about.mouseInside) {
                about.mouseInside = inside;
                x11Redraw(about);
            }
        }
        break;
    case ButtonRelease:
        if (event.xbutton.button == Button1 && about.mouseHeld) {
            const bool click = x11InsideButton(event.xbutton.x, event.xbutton.y);
            about.mouseHeld = about.mouseInside = false;
            x11Redraw(about);
            if (click)
                x11OpenWebSite();
        }
        break;
    case KeyPress:
        // Only Space presses a focused button; Escape and Enter do nothing,
        // as in a plain window that is no dialog.
        if (about.buttonFocused && XLookupKeysym(&event.xkey, 0) == XK_space && !about.spaceHeld) {
            about.spaceHeld = true;
            x11Redraw(about);
        }
        break;
    case KeyRelease:
        if (about.spaceHeld && XLookupKeysym(&event.xkey, 0) == XK_space) {
            // Auto-repeat sends release and press together: only a real release clicks.
            if (XEventsQueued(about.display, QueuedAfterReading)) {
                XEvent next;
                XPeekEvent(about.display, &next);
                if (next.type == KeyPress && next.xkey.time == event.xkey.time &&
                    next.xkey.keycode == event.xkey.keycode) {
                    XNextEvent(about.display, &next);
                    break;
                }
            }
            about.spaceHeld = false;
            x11Redraw(about);
            x11OpenWebSite();
        }
        break;
    case FocusOut:
        if (about.spaceHeld) {
            about.spaceHeld = false;
            x11Redraw(about);
        }
        break;
    case DestroyNotify:
        // Destroyed by another client: nothing left to show or close.
        if (event.xdestroywindow.window == about.window) {
            about.window = 0;
            return false;
        }
        break;
    case ClientMessage:
        if (event.xclient.message_type == about.wmProtocols &&
            static_cast<Atom>(event.xclient.data.l[0]) == about.wmDeleteWindow)
            return false;
        break;
    default:
        break;
    }
    return true;
}

void x11Release(X11About& about)
{
    if (about.bodyFont.font)
        XftFontClose(about.display, about.bodyFont.font);
    if (about.headerFont.font)
        XftFontClose(about.display, about.headerFont.font);
    if (about.draw)
        XftDrawDestroy(about.draw);
    if (about.logo)
        XFreePixmap(about.display, about.logo);
    if (about.canvas)
        XFreePixmap(about.display, about.canvas);
    if (about.gc)
        XFreeGC(about.display, about.gc);
    if (about.window)
        XDestroyWindow(about.display, about.window);
    XCloseDisplay(about.display);
}

// A window destroyed by another client makes our later requests fail; that
// is no reason to end the process with Xlib's default of exit code 1.
int x11IgnoreError(Display*, XErrorEvent*)
{
    return 0;
}

// The display itself is gone (server ended, client killed): the About window
// has nothing left to do, and the program ends with 0 on every path.
int x11DisplayLost(Display*)
{
    std::_Exit(0);
}

} // namespace

AboutWindow::AboutWindow(void*, int)
{
    X11About about;
    about.display = XOpenDisplay(nullptr);
    if (!about.display) {
        // No display: there is no one to show a message box to either.
        std::fprintf(stderr, "Error!: Window Creation Failed!\n");
        std::fflush(stderr);
        return;
    }
    XErrorHandler previousErrorHandler = XSetErrorHandler(x11IgnoreError);
    XIOErrorHandler previousIoErrorHandler = XSetIOErrorHandler(x11DisplayLost);
    about.screen = DefaultScreen(about.display);
    about.visual = DefaultVisual(about.display, about.screen);
    about.colormap = DefaultColormap(about.display, about.screen);
    about.depth = DefaultDepth(about.display, about.screen);

    // Finished openers are released by the system at once, never left as zombies.
    struct sigaction reapAtOnce = {}, previousChildAction = {};
    reapAtOnce.sa_handler = SIG_DFL;
    reapAtOnce.sa_flags = SA_NOCLDWAIT;
    sigemptyset(&reapAtOnce.sa_mask);
    sigaction(SIGCHLD, &reapAtOnce, &previousChildAction);

    const MonitorArea monitor = x11PrimaryMonitor(about);
    AboutPosition position = aboutWindowPosition(monitor.width, monitor.height);
    position.x += monitor.x;
    position.y += monitor.y;

    XSetWindowAttributes attributes = {};
    attributes.background_pixel = x11Color(about, aboutBackgroundColor).pixel;
    attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            ButtonMotionMask | FocusChangeMask | StructureNotifyMask;
    attributes.cursor = XCreateFontCursor(about.display, XC_left_ptr);
    about.window = XCreateWindow(about.display, RootWindow(about.display, about.screen), position.x, position.y,
                                 aboutWindowWidth, aboutWindowHeight, 0, about.depth, InputOutput, about.visual,
                                 CWBackPixel | CWEventMask | CWCursor, &attributes);
    x11SetProperties(about, position);
    x11SetIcon(about);

    about.gc = XCreateGC(about.display, about.window, 0, nullptr);
    about.canvas = XCreatePixmap(about.display, about.window, aboutWindowWidth, aboutWindowHeight,
                                 static_cast<unsigned>(about.depth));
    about.draw = XftDrawCreate(about.display, about.canvas, about.visual, about.colormap);
    x11LoadLogo(about);
    about.bodyFont = x11OpenFont(about, aboutBodyFont);
    about.headerFont = x11OpenFont(about, aboutHeaderFont);

    XMapWindow(about.display, about.window);
    x11Redraw(about);

    XEvent event;
    for (;;) {
        XNextEvent(about.display, &event);
        if (!x11HandleEvent(about, event))
            break;
    }
    x11Release(about);
    XSetErrorHandler(previousErrorHandler);
    XSetIOErrorHandler(previousIoErrorHandler);
    sigaction(SIGCHLD, &previousChildAction, nullptr);
}
