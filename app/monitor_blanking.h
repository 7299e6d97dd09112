#pragma once

// False where a host gives every monitor its own window (the Linux host
// runs); the saver then covers only its own.
extern bool blankOtherMonitors;

// Covers every monitor but the render window's with a black window that ends
// the process on input, as the render window does, and keeps doing so for
// monitors connected later. Only for full-screen Saver and Plain runs.
void openBlankingWindows();
void releaseBlankingWindows();
