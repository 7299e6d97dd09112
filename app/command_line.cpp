#include "app/command_line.h"

#include <cstdint>
#include <cstring>

RunMode runMode = Plain;
NativeWindow hostWindow = 0;

bool isCommandLineSpace(char c)
{
    return c != '\0' && std::strchr(commandLineSpace, c) != nullptr;
}

std::int32_t readClampedNumber(const char* text)
{
    const char* p = text;
    while (isCommandLineSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    std::int64_t value = 0;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT32_MIN) : INT32_MAX;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > limit)
            value = limit; // keep scanning the digits, the value stays clamped
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

CommandLine parseCommandLine(const char* text, bool forceConfig)
{
    CommandLine result = {Plain, 0};
    for (const char* p = text; *p; ++p) {
        if (*p != '/')
            continue;
        switch (p[1]) {
        case 'p': result.mode = Preview; break;
        case 's': result.mode = Saver; break;
        case 'c': result.mode = Config; break;
        default: break;
        }
        if (result.mode != Plain)
            result.number = (p[1] && p[2]) ? readClampedNumber(p + 3) : 0;
    }
    if (forceConfig)
        result.mode = Config;
    return result;
}
