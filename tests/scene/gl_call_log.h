#pragma once

// Stand-ins for the GlApi entries drawStars uses, so the frame can be
// checked without a GL context.

struct GlCall {
    const char* name;
    int ints[4];
    float floats[16];
    const void* pointer;
};

constexpr int glCallCapacity = 512;
extern GlCall glCalls[glCallCapacity];
extern int glCallCount;

// Points the drawing entries at recorders and empties the log.
void installRecordingGl();

// Points the drawing entries at functions that do nothing.
void installNoopGl();

// Every other GlApi entry stays null, so a stray call fails loudly.
void clearGlApi();
