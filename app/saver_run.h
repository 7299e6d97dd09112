#pragma once

void runSaver();
void prepareAssets();
void releaseGlObjects();

// Ends the run with a message when the driver lacks an entry the program calls.
void requireGlEntries();
