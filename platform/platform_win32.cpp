#include "platform/platform.h"

#include <windows.h>

NativeWindow nativeWindowFromNumber(std::int32_t number)
{
    // Windows keeps handles within 32 bits and sign-extends them across
    // 32/64-bit boundaries; do the same.
    return static_cast<NativeWindow>(static_cast<std::intptr_t>(number));
}

bool isFirstInstance()
{
    HANDLE marker = CreateEventW(nullptr, TRUE, FALSE, L"EVENT_NAME_HERE");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(marker);
        return false;
    }
    return true; // the handle stays open until the process ends
}

bool userChoseEveryMonitor()
{
    // A missing key or value, or any other text, keeps the primary alone.
    char value[16] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Quillomar", "Monitors", RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return false;
    return lstrcmpiA(value, "all") == 0;
}

int windowsVersionNumber()
{
    const DWORD version = GetVersion() & 0xFFFF;
    return LOBYTE(version) * 10 + HIBYTE(version);
}

void showMessageBox(const char* text, const char* caption, MessageIcon icon)
{
    MessageBoxA(nullptr, text, caption, icon == MessageIcon::Warning ? MB_ICONWARNING : MB_ICONINFORMATION);
}

bool getHostClientSize(NativeWindow host, int* width, int* height)
{
    RECT rect = {0, 0, 0, 0};
    if (!GetClientRect(reinterpret_cast<HWND>(host), &rect))
        return false;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return true;
}

bool isHostWindowEnabled(NativeWindow host)
{
    return IsWindowEnabled(reinterpret_cast<HWND>(host)) != FALSE;
}

bool stopRequested()
{
    return false;
}

void paceFrame()
{
}
