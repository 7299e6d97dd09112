#pragma once

// Heap allocations seen by the replaced allocation functions while
// countingAllocations is set.
extern long heapAllocations;
extern bool countingAllocations;

// True where plain malloc is counted too (glibc), not only operator new.
extern const bool mallocIsCounted;
