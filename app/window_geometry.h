#pragma once

// Stores a window size; the aspect ratio keeps its last valid value while the
// height is 0, so a minimised window never hands the scene a division by zero.
void storeWindowGeometry(int width, int height);
