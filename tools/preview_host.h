#pragma once

// The stand-in preview hosts' shared core: the arguments, the command lines
// read from standard input and the answers, the same on every system.

#include <string>

// printf to standard output as one line, flushed at once.
void say(const char* format, ...) __attribute__((format(printf, 1, 2)));

// [--no-start] <saver> [arguments...]: false after printing the usage.
struct HostArguments {
    bool start;
    int first; // index of the saver in argv
};
bool readHostArguments(int argc, char** argv, const char* name, HostArguments* arguments);

// What a host does to its window, by command name; resize takes W H. The
// core answers "ok" after each, unless the command answers itself.
struct HostCommand {
    const char* name;
    void (*run)();
    bool answersItself;
};
struct HostCommands {
    void (*resize)(int width, int height);
    const HostCommand* commands;
    int count;
};

// One command line: false for "quit". Answers "ok", or "unknown <line>".
bool runHostCommand(const std::string& line, const HostCommands& commands);
