#include "about/about_window.h"

#include "about/about_layout.h"
#include "about/about_text.h"
#include "about/about_x11.h"
#include "gfx/bitmap_decode.h"
#include "platform/platform.h"
#include "platform/x11.h"

#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>

namespace {

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
    if (about.visual->c_class != TrueColor)
        return;
    const DecodedBitmap bitmap = decodeBitmapResource(aboutLogoBitmapId);
    const int width = bitmap.width, height = bitmap.height;
    if (width == 0 || height == 0)
        return;
    XImage* image = XCreateImage(about.display, about.visual, static_cast<unsigned>(about.depth), ZPixmap, 0, nullptr,
                                 static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (!image)
        return;
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
                const unsigned char* p = bitmap.rgb.data() + (static_cast<long>(y) * width + x) * 3;
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

// Auto-repeat sends a release and a press with the same time together: only
// a real release lets go of the key.
bool x11IsRepeatedKey(X11About& about, const XEvent& release)
{
    if (!XEventsQueued(about.display, QueuedAfterReading))
        return false;
    XEvent next;
    XPeekEvent(about.display, &next);
    if (next.type != KeyPress || next.xkey.time != release.xkey.time || next.xkey.keycode != release.xkey.keycode)
        return false;
    XNextEvent(about.display, &next);
    return true;
}

// The button's share of an event, mapped to its plain inputs.
void x11HandleButton(X11About& about, XEvent& event)
{
    ButtonEvent input{ButtonInput::FocusLost};
    switch (event.type) {
    case ButtonPress:
    case ButtonRelease:
        if (event.xbutton.button != Button1)
            return;
        input = {event.type == ButtonPress ? ButtonInput::MousePress : ButtonInput::MouseRelease, event.xbutton.x,
                 event.xbutton.y};
        break;
    case MotionNotify:
        input = {ButtonInput::MouseMove, event.xmotion.x, event.xmotion.y};
        break;
    case KeyPress:
        if (XLookupKeysym(&event.xkey, 0) != XK_space)
            return;
        input = {ButtonInput::SpacePress};
        break;
    case KeyRelease:
        if (XLookupKeysym(&event.xkey, 0) != XK_space || !about.button.spaceHeld() || x11IsRepeatedKey(about, event))
            return;
        input = {ButtonInput::SpaceRelease};
        break;
    case FocusOut:
        break;
    default:
        return;
    }
    const ButtonResult result = about.button.handle(input);
    if (result.redraw)
        x11Redraw(about);
    if (result.click)
        openWebPage(aboutWebAddress);
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
        x11HandleButton(about, event);
        break;
    }
    return true;
}

void x11Release(X11About& about)
{
    x11CloseFont(about, about.bodyFont);
    x11CloseFont(about, about.headerFont);
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
    x11CloseOwnDisplay();
}

} // namespace

AboutWindow::AboutWindow(void*, int)
{
    X11About about;
    about.display = x11Display();
    if (!about.display) {
        // No display: there is no one to show a message box to either.
        std::fprintf(stderr, "Error!: Window Creation Failed!\n");
        std::fflush(stderr);
        return;
    }
    // A window destroyed by another client makes our later requests fail,
    // and a lost display leaves nothing to do: neither ends with Xlib's 1.
    x11InstallHandlers();
    about.screen = DefaultScreen(about.display);
    about.visual = DefaultVisual(about.display, about.screen);
    about.colormap = DefaultColormap(about.display, about.screen);
    about.depth = DefaultDepth(about.display, about.screen);

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
}
