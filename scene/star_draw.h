#pragma once

// Clears the frame and draws every live star, head then trail.
void drawStars();
