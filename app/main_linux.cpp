#include "app/run_modes.h"

#include <string>

// Joins the arguments with single spaces so `quillomar /p 1234` reads exactly
// as the Windows command line "/p 1234" does.
int main(int argc, char** argv)
{
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    return quillomarMain(commandLine.c_str(), nullptr, 0);
}
