#pragma once

#include <vector>

// An embedded bitmap resource as 8-bit RGB, three bytes a pixel, rows top
// row first (as a Windows device context numbers them).
struct DecodedBitmap {
    std::vector<unsigned char> rgb;
    int width = 0;
    int height = 0;
};

// Linux only, where the embedded bytes are the .bmp file itself. Empty when
// the resource is missing, undecodable or larger than any bitmap we ship.
DecodedBitmap decodeBitmapResource(int bitmapId);
