#pragma once

#include <cstdint>

// What the program needs from the operating system. One implementation per
// platform is linked: platform_win32.cpp or platform_linux.cpp.

// A native window handle (HWND, or an X11 window id), carried as an integer so
// portable code needs no system header.
using NativeWindow = std::uintptr_t;

// Widens the signed 32-bit number of the command line to a native handle.
NativeWindow nativeWindowFromNumber(std::int32_t number);

// True when this process is the first to hold the named instance marker; the
// marker is then kept until the process ends.
bool isFirstInstance();

// Windows version as major * 10 + minor.
int windowsVersionNumber();

enum class MessageIcon { Information, Warning };

// A modal message with no owner window; returns once it is dismissed.
void showMessageBox(const char* text, const char* caption, MessageIcon icon);

// Client size of a preview host. False when the handle names no window.
bool getHostClientSize(NativeWindow host, int* width, int* height);

// False when the host is disabled or no longer exists (Linux: destroyed or
// no longer viewable, or the saver's window was taken out of it).
bool isHostWindowEnabled(NativeWindow host);

// True once the process was asked to stop (Linux: SIGTERM, SIGINT or SIGHUP);
// the main loop then ends after its current pass. Windows answers false.
bool stopRequested();

// Called after each main-loop pass. Where the buffer swap does not wait for
// the display, Linux sleeps out the rest of one refresh period; Windows
// leaves the pace to the swap interval.
void paceFrame();
