#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace engine_test {

namespace {
thread_local int* counting = nullptr;

void* Allocate(std::size_t size)
{
    if (counting != nullptr)
        ++*counting;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}
} // namespace

AllocationCounter::AllocationCounter()
{
    counting = &count_;
}

AllocationCounter::~AllocationCounter()
{
    counting = nullptr;
}

} // namespace engine_test

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
