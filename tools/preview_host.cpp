#include "tools/preview_host.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

void say(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

bool readHostArguments(int argc, char** argv, const char* name, HostArguments* arguments)
{
    arguments->start = !(argc > 1 && std::strcmp(argv[1], "--no-start") == 0);
    arguments->first = arguments->start ? 1 : 2;
    if (arguments->start && argc <= arguments->first) {
        std::fprintf(stderr, "usage: %s [--no-start] <saver> [arguments...]\n", name);
        return false;
    }
    return true;
}

bool runHostCommand(const std::string& line, const HostCommands& commands)
{
    if (line == "quit")
        return false;
    int width = 0, height = 0;
    if (std::sscanf(line.c_str(), "resize %d %d", &width, &height) == 2 && width > 0 && height > 0) {
        commands.resize(width, height);
        say("ok");
        return true;
    }
    for (int i = 0; i < commands.count; ++i) {
        if (line == commands.commands[i].name) {
            commands.commands[i].run();
            if (!commands.commands[i].answersItself)
                say("ok");
            return true;
        }
    }
    say("unknown %s", line.c_str());
    return true;
}
