#pragma once

#include <string>
#include <vector>

// Geometry, colours and small decisions of the About window that both
// platform files share; nothing here needs a window.

struct AboutRect {
    int x, y, width, height;
};

struct AboutColor {
    unsigned char red, green, blue;
};

constexpr int aboutWindowWidth = 400;
constexpr int aboutWindowHeight = 300;

constexpr AboutRect aboutHeaderRect = {110, 20, 280, 20};
constexpr AboutRect aboutNoticeRect = {20, 150, 380, 80};
constexpr AboutRect aboutButtonRect = {150, 210, 100, 32};
constexpr int aboutLogoX = 142;
constexpr int aboutLogoY = 55;

constexpr int aboutNoticeId = 10;
constexpr int aboutHeaderId = 30;
constexpr int aboutButtonId = 10;
constexpr int aboutLogoBitmapId = 101;

constexpr AboutColor aboutBackgroundColor = {177, 232, 179};
constexpr AboutColor aboutNoticeColor = {0, 51, 255};
constexpr AboutColor aboutHeaderColor = {0, 0, 0};

// Fonts as CreateFontA takes them: cell height and average character width
// in pixels.
struct AboutFont {
    int height;
    int width;
    int weight;
    bool underline;
};
constexpr AboutFont aboutBodyFont = {16, 6, 400, false};
constexpr AboutFont aboutHeaderFont = {18, 8, 700, true};

struct AboutPosition {
    int x, y;
};

// Centres the window on a screen of the given size; the halves are truncated
// toward zero, so a screen smaller than the window gives a negative position.
AboutPosition aboutWindowPosition(int screenWidth, int screenHeight);

// True only for the button's click: id 10 with notification 0, the whole
// wParam being exactly 10.
bool isVisitWebsiteCommand(unsigned long long wParam);

// The Windows-1252 notice as UTF-8 for a UTF-8 text renderer; bytes 0x80 to
// 0x9F take their Windows-1252 meaning, so nothing is lost or left invalid.
std::string windows1252ToUtf8(const char* text);

// The lines of a CR LF (or LF) separated text, without the separators.
std::vector<std::string> splitLines(const std::string& text);

// The average character width Windows matches a font's requested width
// against: letter-frequency weights over a to z and the space, out of 1000.
// advances[0..25] are the advances of 'a' to 'z', advances[26] the space's.
double windowsAverageCharWidth(const double advances[27]);
