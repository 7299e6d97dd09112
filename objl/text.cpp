#include "objl/objl.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <stdexcept>

namespace objl {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Start and end of the first word; start == line.size() when there is none.
void findFirstWord(const std::string& line, std::size_t& start, std::size_t& end)
{
    start = 0;
    while (start < line.size() && isBlank(line[start]))
        ++start;
    end = start;
    while (end < line.size() && !isBlank(line[end]))
        ++end;
}

} // namespace

std::string keywordOf(const std::string& line)
{
    std::size_t start, end;
    findFirstWord(line, start, end);
    return line.substr(start, end - start);
}

std::string argumentsOf(const std::string& line)
{
    std::size_t start, end;
    findFirstWord(line, start, end);
    std::size_t first = end;
    while (first < line.size() && isBlank(line[first]))
        ++first;
    if (first >= line.size())
        return std::string();
    std::size_t last = line.size();
    while (isBlank(line[last - 1]))
        --last;
    return line.substr(first, last - first);
}

void splitAt(const std::string& text, std::vector<std::string>& parts, char delimiter)
{
    parts.clear();
    std::string part;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == delimiter) {
            // The word before the delimiter, or an empty part when two
            // delimiters meet or the text starts with one.
            parts.push_back(part);
            part.clear();
            continue;
        }
        part += text[i];
        if (i + 1 == text.size())
            parts.push_back(part);
    }
}

float readFloat(const std::string& text)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    const int savedErrno = errno;
    errno = 0;
    const float value = std::strtof(begin, &end);
    const int error = errno;
    errno = savedErrno;
    if (end == begin)
        throw std::invalid_argument("invalid stof argument");
    if (error == ERANGE)
        throw std::out_of_range("stof argument out of range");
    return value;
}

int readInt(const std::string& text)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    const int savedErrno = errno;
    errno = 0;
    // Wider than int on both platforms (long is not on Windows), so one
    // range test below decides for both.
    const long long value = std::strtoll(begin, &end, 10);
    const int error = errno;
    errno = savedErrno;
    if (end == begin)
        throw std::invalid_argument("invalid stoi argument");
    if (error == ERANGE || value < INT_MIN || value > INT_MAX)
        throw std::out_of_range("stoi argument out of range");
    return static_cast<int>(value);
}

} // namespace objl
