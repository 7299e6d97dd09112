#pragma once

// What the About window's *_x11 files share: the window's record, its fonts
// and colours.

#include "about/about_button.h"
#include "about/about_layout.h"

#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

#include <string>
#include <vector>

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
    PushButton button{aboutButtonRect};
};

// Fonts and text (about_fonts_x11.cpp).
XftColor x11Color(X11About& about, AboutColor color);
X11Font x11OpenFont(X11About& about, const AboutFont& wanted);
void x11CloseFont(X11About& about, X11Font& font);
int x11TextWidth(Display* display, XftFont* font, const std::string& text);
void x11FillRect(X11About& about, AboutColor color, int x, int y, int width, int height);
void x11DrawStatic(X11About& about, const X11Font& font, AboutColor color, const AboutRect& rect,
                   const std::vector<std::string>& lines, bool underline);
void x11DrawText(X11About& about, const X11Font& font, AboutColor color, int x, int baseline, const std::string& text);

// The push button's look (about_button_x11.cpp).
void x11DrawButton(X11About& about);

// What the desktop is told and asked (about_desktop_x11.cpp).
struct MonitorArea {
    int x, y, width, height;
};
MonitorArea x11PrimaryMonitor(X11About& about);
void x11SetProperties(X11About& about, const AboutPosition& position);
void x11SetIcon(X11About& about);
