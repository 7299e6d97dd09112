#pragma once

extern unsigned int noiseTexture;

void loadNoiseTexture();

// The loaded texture bound in the current context, one that shares it.
void bindNoiseTexture();

// Fills destination with bitmapWidth x bitmapHeight RGBA float texels of
// bitmap resource bitmapId (alpha 1.0), texture row 0 being the bitmap's
// bottom row when flipRows is true. Texels outside the bitmap, or all of them
// when it is missing or unreadable, are opaque black.
void loadBitmapPixels(float* destination, int bitmapId, int bitmapWidth, int bitmapHeight, bool flipRows);
