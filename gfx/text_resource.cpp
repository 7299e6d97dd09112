#include "gfx/text_resource.h"

#include "res/resources.h"

void copyTextUpToMarker(const unsigned char* bytes, unsigned long size, char* destination, int capacity)
{
    if (capacity < 1)
        return;
    unsigned long limit = static_cast<unsigned long>(capacity - 1);
    if (!bytes || size < limit)
        limit = bytes ? size : 0;
    unsigned long i = 0;
    while (i < limit && bytes[i] != '~') {
        destination[i] = static_cast<char>(bytes[i]);
        ++i;
    }
    destination[i] = '\0';
}

void loadTextResource(int resourceId, char* destination, int capacity)
{
    ResourceData data = findResourceData("TEXTFILE", resourceId);
    copyTextUpToMarker(data.bytes, data.size, destination, capacity);
}
