#include "about/about_layout.h"

AboutPosition aboutWindowPosition(int screenWidth, int screenHeight)
{
    // In double precision and truncated, as a cast of (size - 400) * 0.5 does.
    return {static_cast<int>((screenWidth - aboutWindowWidth) * 0.5),
            static_cast<int>((screenHeight - aboutWindowHeight) * 0.5)};
}

bool isVisitWebsiteCommand(unsigned long long wParam)
{
    return wParam == static_cast<unsigned long long>(aboutButtonId);
}

namespace {

// Code points of Windows-1252 bytes 0x80 to 0x9F; the five bytes the code page
// leaves undefined keep their C1 value, as Windows converts them.
const char32_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string windows1252ToUtf8(const char* text)
{
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        const unsigned char b = *p;
        appendUtf8(out, b >= 0x80 && b < 0xA0 ? windows1252High[b - 0x80] : static_cast<char32_t>(b));
    }
    return out;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += text[i];
    }
    return lines;
}

double windowsAverageCharWidth(const double advances[27])
{
    static const int weights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20, 56,
                                    56, 17, 4, 49, 56, 71, 31, 10, 18, 3, 18, 2, 166};
    double sum = 0.0;
    for (int i = 0; i < 27; ++i)
        sum += weights[i] * advances[i];
    return sum / 1000.0;
}
