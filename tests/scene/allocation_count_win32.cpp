#include "tests/scene/allocation_count.h"

// The MinGW runtime's malloc cannot be replaced; operator new still is.
const bool mallocIsCounted = false;
