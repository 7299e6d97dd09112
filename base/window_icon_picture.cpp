#include "base/window_icon_picture.h"

// The picture alone, without GLFW, so the About window can show it too.
const unsigned char windowIconColumns[64 * 64 * 4] = {
#include "base/window_icon_data.inc"
};

void transposeIconColumns(const unsigned char* columns, unsigned char* rows)
{
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 64; ++y) {
            for (int c = 0; c < 4; ++c)
                rows[(y * 64 + x) * 4 + c] = columns[(x * 64 + y) * 4 + c];
        }
    }
}
