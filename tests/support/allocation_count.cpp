#include "tests/support/allocation_count.h"

#include <cstdlib>
#include <new>

long heapAllocations;
bool countingAllocations;
bool countingMalloc = true;

namespace {

void* allocate(std::size_t size)
{
    // Where malloc is counted, it counts this allocation already.
    if (countingAllocations && !(mallocIsCounted && countingMalloc)) {
        ++heapAllocations;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size)
{
    return allocate(size);
}

void* operator new[](std::size_t size)
{
    return allocate(size);
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete[](void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
