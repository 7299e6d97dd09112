#include "about/about_x11.h"

namespace {

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

} // namespace

XftColor x11Color(X11About& about, AboutColor color)
{
    XRenderColor value = {static_cast<unsigned short>(color.red * 257), static_cast<unsigned short>(color.green * 257),
                          static_cast<unsigned short>(color.blue * 257), 0xFFFF};
    XftColor result = {};
    XftColorAllocValue(about.display, about.visual, about.colormap, &value, &result);
    return result;
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
X11Font x11OpenFont(X11About& about, const AboutFont& wanted)
{
    X11Font result;
    result.height = wanted.height;
    XftFont* probe = x11OpenArial(about, wanted.height, wanted.weight, 1.0);
    if (!probe)
        return result;
    const int cell = probe->ascent + probe->descent;
    const double em = cell > 0 ? wanted.height * static_cast<double>(wanted.height) / cell : wanted.height;
    XftFontClose(about.display, probe);

    XftFont* natural = x11OpenArial(about, em, wanted.weight, 1.0);
    if (!natural)
        return result;
    double advances[27];
    for (int i = 0; i < 27; ++i)
        advances[i] = x11TextWidth(about.display, natural, std::string(1, i < 26 ? static_cast<char>('a' + i) : ' '));
    const double average = windowsAverageCharWidth(advances);
    XftFontClose(about.display, natural);

    result.font = x11OpenArial(about, em, wanted.weight, average > 0.0 ? wanted.width / average : 1.0);
    return result;
}

void x11CloseFont(X11About& about, X11Font& font)
{
    if (font.font)
        XftFontClose(about.display, font.font);
    font.font = nullptr;
}

void x11FillRect(X11About& about, AboutColor color, int x, int y, int width, int height)
{
    XftColor fill = x11Color(about, color);
    XftDrawRect(about.draw, &fill, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height));
}

void x11DrawText(X11About& about, const X11Font& font, AboutColor color, int x, int baseline, const std::string& text)
{
    XftColor ink = x11Color(about, color);
    XftDrawStringUtf8(about.draw, &ink, font.font, x, baseline, reinterpret_cast<const FcChar8*>(text.data()),
                      static_cast<int>(text.size()));
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
