#include "res/resources.h"

#include <windows.h>

#include <cstring>

ResourceData findResourceData(const char* type, int id)
{
    LPCSTR rcType = std::strcmp(type, "BITMAP") == 0 ? reinterpret_cast<LPCSTR>(RT_BITMAP) : type;
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id & 0xFFFF), rcType);
    if (!info)
        return {nullptr, 0};
    HGLOBAL handle = LoadResource(nullptr, info);
    if (!handle)
        return {nullptr, 0};
    const void* bytes = LockResource(handle);
    if (!bytes)
        return {nullptr, 0};
    return {static_cast<const unsigned char*>(bytes), static_cast<unsigned long>(SizeofResource(nullptr, info))};
}
