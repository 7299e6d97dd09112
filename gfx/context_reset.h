#pragma once

// A context made with lose-context-on-reset is gone for good after a GPU
// reset (a driver recovering from a hang, a resume that lost the GPU): it
// draws nothing more, and only a new context brings the picture back.

// Looks once, after the context is current and GlApi filled, whether the
// context reports resets.
void watchContextResets();

// True once the current context was reset. One call a frame; false where the
// context does not report resets.
bool contextWasReset();
