#pragma once

void runSaver();
void prepareAssets();
void releaseGlObjects();

// One pass of the main loop: draw, present, poll, test the exit conditions.
// False when the loop must end; keepRunning is only ever cleared.
bool runMainLoopPass(bool* keepRunning);

// Ends the run with a message when the driver lacks an entry the program calls.
void requireGlEntries();
