#include "app/run_modes.h"

#include "about/about_window.h"
#include "app/command_line.h"
#include "app/saver_run.h"
#include "base/render_settings.h"
#include "platform/platform.h"

int quillomarMain(const char* commandLine, void* instance, int showCommand)
{
    const CommandLine parsed = parseCommandLine(commandLine, renderSettings.forceConfig);
    // The screen saver settings pass no options: the choice is the user's registry value.
    starsOnEveryMonitor = userChoseEveryMonitor();
    return startRun(parsed.mode, nativeWindowFromNumber(parsed.number), false, instance, showCommand);
}

int startRun(RunMode mode, NativeWindow host, bool hostStarted, void* instance, int showCommand)
{
    runMode = mode;
    hostWindow = host;

    if (!hostStarted && (runMode == Preview || runMode == Plain) && !isFirstInstance())
        return 0;
    if (runMode == Config) {
        new AboutWindow(instance, showCommand); // lives until the process ends
        return 0;
    }
    runSaver();
    return 0;
}
