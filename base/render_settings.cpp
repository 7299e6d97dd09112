#include "base/render_settings.h"

RenderSettings renderSettings = {
    "",    // title
    0,     // width
    0,     // height
    0.0f,  // aspectRatio
    1,     // contextVersionMajor
    0,     // contextVersionMinor
    4,     // samples
    false, // forceConfig
    true,  // useMonitor
    true,  // swapInterval
    true,  // windowIcon
    false, // showCursor
    true,  // robustContext
    true,  // anisotropicFiltering
    true,  // multisample
    true,  // lineSmooth
    true,  // polygonSmooth
    true,  // mipmaps
};
