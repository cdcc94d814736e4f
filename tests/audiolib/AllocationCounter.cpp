#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

#if defined(__SANITIZE_THREAD__)
#define SANITIZER_OWNS_NEW 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define SANITIZER_OWNS_NEW 1
#endif
#endif

namespace engine_test {

namespace {
thread_local int* counting = nullptr;

#ifndef SANITIZER_OWNS_NEW
void* Allocate(std::size_t size)
{
    if (counting != nullptr)
        ++*counting;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}
#endif
} // namespace

bool CountsAllocations()
{
#ifdef SANITIZER_OWNS_NEW
    return false;
#else
    return true;
#endif
}

AllocationCounter::AllocationCounter()
{
    counting = &count_;
}

AllocationCounter::~AllocationCounter()
{
    counting = nullptr;
}

} // namespace engine_test

#ifndef SANITIZER_OWNS_NEW
void* operator new(std::size_t size)
{
    return engine_test::Allocate(size);
}

void* operator new[](std::size_t size)
{
    return engine_test::Allocate(size);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
#endif
