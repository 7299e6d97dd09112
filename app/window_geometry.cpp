#include "app/window_geometry.h"

#include "base/render_settings.h"

void storeWindowGeometry(int width, int height)
{
    renderSettings.width = width;
    renderSettings.height = height;
    if (height != 0)
        renderSettings.aspectRatio = static_cast<float>(width) / static_cast<float>(height);
    else if (!(renderSettings.aspectRatio > 0.0f))
        renderSettings.aspectRatio = 1.0f;
}
