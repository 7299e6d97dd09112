#pragma once

// The way out for a start-up step that cannot go on. The saver run sets its
// shutdown here once it starts opening windows, so what the windowing system
// changed on the desktop is put back first; the process then ends with 0.
extern void (*startupShutdown)();

[[noreturn]] void failStartup();
