#include "about/about_text.h"
#include "about/about_x11.h"

namespace {

// The system button colours of the Windows build (as Wine's classic look
// paints them), so both builds show the same button.
constexpr AboutColor buttonFaceColor = {245, 245, 245};
constexpr AboutColor buttonHighlightColor = {255, 255, 255};
constexpr AboutColor buttonLightColor = {227, 227, 227};
constexpr AboutColor buttonShadowColor = {166, 166, 166};
constexpr AboutColor buttonDarkShadowColor = {106, 106, 106};
constexpr AboutColor buttonTextColor = {0, 0, 0};

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

} // namespace

void x11DrawButton(X11About& about)
{
    const AboutRect& r = aboutButtonRect;
    const bool pressed = about.button.drawnPressed();
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
        x11DrawText(about, font, buttonTextColor, x, baseline, caption);
    }

    if (about.button.focused()) {
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
