#include "tests/support/allocation_count.h"

// Where malloc cannot be replaced (the MinGW runtime, the sanitizers own it),
// operator new still is.
const bool mallocIsCounted = false;
