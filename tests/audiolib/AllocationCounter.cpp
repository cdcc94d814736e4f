#include "AllocationCounter.h"

#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_THREAD__)
#define SANITIZER_OWNS_NEW 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define SANITIZER_OWNS_NEW 1
#endif
#endif

#ifdef SANITIZER_OWNS_NEW
#include <sanitizer/allocator_interface.h>
#endif

namespace engine_test {

namespace {
thread_local int* counting = nullptr;

void Count()
{
    if (counting != nullptr)
        ++*counting;
}

#ifdef SANITIZER_OWNS_NEW
void CountAllocation(const volatile void*, std::size_t)
{
    Count();
}

void IgnoreFree(const volatile void*) {}
#else
void* Allocate(std::size_t size)
{
    Count();
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}
#endif
} // namespace

AllocationCounter::AllocationCounter()
{
#ifdef SANITIZER_OWNS_NEW
    // Installed once, on the first counter; the run-time keeps a handful of hooks at most.
    static const bool hooked = __sanitizer_install_malloc_and_free_hooks(CountAllocation, IgnoreFree) != 0;
    if (!hooked)
        std::abort(); // a counter that counts nothing would pass any test
#endif
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
