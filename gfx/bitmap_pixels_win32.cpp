#include "gfx/noise_texture.h"

#include <windows.h>

void loadBitmapPixels(float* destination, int bitmapId, int bitmapWidth, int bitmapHeight, bool flipRows)
{
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId & 0xFFFF));
    // GetPixel outside the bitmap answers CLR_INVALID, which would read as
    // white; the bitmap's own size keeps such texels black instead.
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        info.bmWidth = info.bmHeight = 0;

    HWND desktop = GetDesktopWindow();
    HDC desktopDc = GetDC(desktop);
    HDC memoryDc = CreateCompatibleDC(desktopDc);
    HGDIOBJ previous = bitmap && memoryDc ? SelectObject(memoryDc, bitmap) : nullptr;
    if (!previous)
        info.bmWidth = info.bmHeight = 0;

    for (int y = 0; y < bitmapHeight; ++y) {
        int row = flipRows ? bitmapHeight - 1 - y : y;
        for (int x = 0; x < bitmapWidth; ++x) {
            float* texel = destination + (static_cast<long>(y) * bitmapWidth + x) * 4;
            if (row < info.bmHeight && x < info.bmWidth) {
                COLORREF colour = GetPixel(memoryDc, x, row);
                texel[0] = static_cast<float>(GetRValue(colour) / 255.0);
                texel[1] = static_cast<float>(GetGValue(colour) / 255.0);
                texel[2] = static_cast<float>(GetBValue(colour) / 255.0);
            } else {
                texel[0] = texel[1] = texel[2] = 0.0f;
            }
            texel[3] = 1.0f;
        }
    }

    if (previous)
        SelectObject(memoryDc, previous);
    if (memoryDc)
        DeleteDC(memoryDc);
    if (desktopDc)
        ReleaseDC(desktop, desktopDc);
    if (bitmap)
        DeleteObject(bitmap);
}
