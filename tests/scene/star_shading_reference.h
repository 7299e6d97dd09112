#pragma once

// The star fragment shader's arithmetic on the CPU, in float as the GPU
// computes it: the brightness factor by which starColor is scaled.

inline float referenceClamp(float x, float lo, float hi)
{
    return x < lo ? lo : (x > hi ? hi : x);
}

// Smoothstep written out, so it also falls when e0 > e1.
inline float referenceRamp(float e0, float e1, float x)
{
    const float t = referenceClamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

inline float referenceAcross(float w)
{
    const float d = w - 0.5f;
    return referenceRamp(0.5f, 0.2f, d < 0.0f ? -d : d);
}

inline float referenceHead(int direction, float u, float v)
{
    float x = referenceAcross(u);
    float y = referenceAcross(v);
    switch (direction) {
    case 0:
        x = u < 0.5f ? referenceRamp(0.5f, 0.22f, 0.5f - u) : referenceRamp(0.5f, 0.18f, u - 0.5f);
        if (u <= 0.18f) x = 0.7f;
        break;
    case 1:
        x = u < 0.5f ? referenceRamp(0.5f, 0.18f, 0.5f - u) : referenceRamp(0.5f, 0.22f, u - 0.5f);
        if (u >= 0.82f) x = 0.7f;
        break;
    case 2:
        y = v < 0.5f ? referenceRamp(0.5f, 0.28f, 0.5f - v) : referenceRamp(0.5f, 0.22f, v - 0.5f);
        if (v >= 0.82f) y = 0.7f;
        break;
    case 3:
        y = v < 0.5f ? referenceRamp(0.5f, 0.22f, 0.5f - v) : referenceRamp(0.5f, 0.28f, v - 0.5f);
        if (v <= 0.18f) y = 0.7f;
        break;
    }
    return x * y;
}

inline float referenceTrail(int direction, float u, float v)
{
    float f;
    switch (direction) {
    case 0:
        f = referenceRamp(0.0f, 1.0f, u) * referenceAcross(v);
        break;
    case 1:
        f = referenceRamp(1.0f, 0.0f, u) * referenceAcross(v);
        break;
    case 2:
        f = referenceAcross(u) * referenceRamp(1.0f, 0.0f, v);
        break;
    default:
        f = referenceAcross(u) * referenceRamp(0.0f, 1.0f, v);
        break;
    }
    return f * 0.7f;
}

// The design's table of brightness factors. direction -1 means every
// direction; for the trail's far end u and v are chosen per direction.
struct ShadingRow {
    bool trail;
    int direction;
    float u;
    float v;
    float factor;
};

constexpr ShadingRow shadingTable[] = {
    {false, 0, 0.5f, 0.5f, 1.0f},
    {false, 0, 0.1f, 0.5f, 0.7f},
    {false, 0, 0.18f, 0.5f, 0.7f},
    {false, 0, 0.19f, 0.5f, 0.7565f},
    {false, 0, 0.75f, 0.5f, 0.8774f},
    {false, 0, 0.9f, 0.5f, 0.2319f},
    {false, 0, 0.5f, 0.1f, 0.2593f},
    {false, 2, 0.5f, 0.9f, 0.7f},
    {false, 2, 0.5f, 0.1f, 0.432f},
    {false, -1, 0.0f, 0.0f, 0.0f},
    {true, 0, 1.0f, 0.5f, 0.7f},
    {true, 0, 0.5f, 0.5f, 0.35f},
    {true, 0, 0.25f, 0.5f, 0.1094f},
    {true, 0, 1.0f, 0.1f, 0.1815f},
    {true, 1, 0.0f, 0.5f, 0.7f},
    {true, 2, 0.5f, 0.0f, 0.7f},
    {true, 3, 0.5f, 1.0f, 0.7f},
    // The far end, away from the head, for each direction.
    {true, 0, 0.0f, 0.5f, 0.0f},
    {true, 1, 1.0f, 0.5f, 0.0f},
    {true, 2, 0.5f, 1.0f, 0.0f},
    {true, 3, 0.5f, 0.0f, 0.0f},
};
