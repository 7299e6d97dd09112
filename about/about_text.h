#pragma once

// Every word the About window shows, in one place. The site's host and the
// support address are build-time settings (QUILLOMAR_SITE_HOST and
// QUILLOMAR_SUPPORT_ADDRESS in the top CMakeLists.txt); the build checks
// them, so the web address below is a constant of the program and nothing
// from outside it ever reaches the browser.

#ifndef QUILLOMAR_SITE_HOST
#define QUILLOMAR_SITE_HOST "www.quillomar.example"
#endif
#ifndef QUILLOMAR_SUPPORT_ADDRESS
#define QUILLOMAR_SUPPORT_ADDRESS "support@quillomar.example"
#endif

constexpr const char* aboutTitle = "About";
constexpr const char* aboutClassName = "VantorelWindowClass";
constexpr const char* aboutButtonCaption = "Visit website";
constexpr const char* aboutHeaderText = "Quillomar Screensaver";

// Windows-1252 text: "\xA9" is the copyright sign as one byte, as the ANSI
// static control expects. Lines are short enough that the 380-pixel control
// never wraps them.
constexpr const char* aboutNoticeText =
    "\xA9 2019-2026 Quillomar Software. All rights reserved.\r\n"
    "More free screensavers at " QUILLOMAR_SITE_HOST "\r\n"
    "Write to us at " QUILLOMAR_SUPPORT_ADDRESS;

constexpr const char* aboutWebAddress = "https://" QUILLOMAR_SITE_HOST "/?utm_source=About";
