#pragma once

// Heap allocations seen by the replaced allocation functions while
// countingAllocations is set.
extern long heapAllocations;
extern bool countingAllocations;

// True where plain malloc is counted too (glibc), not only operator new.
extern const bool mallocIsCounted;

// Cleared by a test that runs system libraries (GL drivers, Xlib) whose own
// malloc calls are not the program's: then only operator new is counted.
extern bool countingMalloc;
