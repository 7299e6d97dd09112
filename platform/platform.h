#pragma once

#include "base/run_mode.h"

#include <cstdint>

// What the program needs from the operating system, as plain functions. The
// build links one implementation per system: platform_win32.cpp on Windows;
// the *_posix.cpp and *_x11.cpp files on Linux.

// Widens the signed 32-bit number of the command line to a native handle.
NativeWindow nativeWindowFromNumber(std::int32_t number);

// True when this process is the first to hold the named instance marker; the
// marker is then kept until the process ends.
bool isFirstInstance();

// Linux only: true when this process is the user's one saver on the Wayland
// display (WAYLAND_DISPLAY's value; null for the default), kept until it ends.
bool isFirstWaylandSaver(const char* waylandDisplay);

// Windows only: the user asked for stars on every monitor (the per-user
// registry value HKCU\Software\Quillomar, Monitors = "all"). Linux reads the
// choice from its command line and answers false here.
bool userChoseEveryMonitor();

// Windows version as major * 10 + minor.
int windowsVersionNumber();

enum class MessageIcon { Information,
                         Warning };

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

// Linux only: paceFrame keeps the loop to at most this many passes a second,
// also where the display's refresh rate is higher.
void limitFrameRate(int framesPerSecond);
// The limit set, or 0: a system that paces the loop itself keeps to it too.
int frameRateLimit();

// Linux only: SIGTERM, SIGINT and SIGHUP make stopRequested() true instead
// of killing.
void watchStopSignals();

// Linux only: makes stopRequested() true; safe from any thread.
void requestStop();

// Linux only: from now on a lock of the session, as the desktop announces it
// on D-Bus (logind, the ScreenSaver services), makes stopRequested() true.
// True when the session is locked already: the run ends before it shows
// anything. Without a bus or a service nothing changes.
bool watchSessionLock();

// Linux only: a full-screen saver on the display DISPLAY (DISPLAY's or
// WAYLAND_DISPLAY's value) can be ended by this user's stopSavers, until the
// process ends.
void offerStop(const char* display);
// Linux only: asks every saver of this user offered on one of the displays
// (null or empty ones skipped) to stop, and waits a few seconds at most for
// them to end.
void stopSavers(const char* const* displays, int count);

// Linux only: a display that goes away under the program ends it with 0, as
// every other path does, instead of Xlib's exit code 1.
void endQuietlyOnLostDisplay();

// Linux only: hands a web address to the desktop's browser without waiting
// for it. False when no opener could be started.
bool openWebPage(const char* address);
