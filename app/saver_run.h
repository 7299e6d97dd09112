#pragma once

void runSaver();

// The start-up steps between the windowing library and the first frame: the
// render window, the blanking windows, the entry check, the render state and
// the assets. Tools that drive the scene themselves start the same way.
void openSaver();
// Everything openSaver made released, then the windowing library ended.
void closeSaver();
void prepareAssets();
void releaseGlObjects();

// One pass of the main loop: draw, present, poll, test the exit conditions.
// False when the loop must end; keepRunning is only ever cleared.
bool runMainLoopPass(bool* keepRunning);

// Ends the run with a message when the driver lacks an entry the program calls.
void requireGlEntries();
