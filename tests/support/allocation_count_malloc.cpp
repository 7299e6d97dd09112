#include "tests/support/allocation_count.h"

#include <cstddef>

// glibc lets a program supply malloc itself; forward to its own.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);

void* malloc(std::size_t size)
{
    if (countingAllocations && countingMalloc) {
        ++heapAllocations;
    }
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size)
{
    if (countingAllocations && countingMalloc) {
        ++heapAllocations;
    }
    return __libc_calloc(count, size);
}

void* realloc(void* p, std::size_t size)
{
    if (countingAllocations && countingMalloc) {
        ++heapAllocations;
    }
    return __libc_realloc(p, size);
}
}

const bool mallocIsCounted = true;
