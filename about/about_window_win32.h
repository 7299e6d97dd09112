#pragma once

// The Windows About window's handles and procedure, for the platform file and
// its tests.
#include <windows.h>

extern HWND aboutWindowHandle;
extern HBITMAP aboutLogoBitmap;
extern HWND aboutNoticeControl;
extern HWND aboutHeaderControl;
extern HWND aboutButtonControl;
extern HBRUSH aboutBackgroundBrush;

LRESULT CALLBACK aboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
