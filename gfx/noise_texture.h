#pragma once

extern unsigned int noiseTexture;

void loadNoiseTexture();
void loadBitmapPixels(float* destination, int bitmapId, int bitmapWidth, int bitmapHeight, bool flipRows);
