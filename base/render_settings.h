#pragma once

// The saver's build-time render switches and the live window geometry.
struct RenderSettings {
    char title[128];
    int width;
    int height;
    float aspectRatio;
    int contextVersionMajor;
    int contextVersionMinor;
    int samples;
    bool forceConfig;
    bool useMonitor;
    bool swapInterval;
    bool windowIcon;
    bool showCursor;
    bool robustContext;
    bool anisotropicFiltering;
    bool multisample;
    bool lineSmooth;
    bool polygonSmooth;
    bool mipmaps;
};

extern RenderSettings renderSettings;
