#pragma once
// Counts the allocations (operator new) the calling thread makes while the counter lives. The test
// program's operator new is replaced to serve it.
namespace engine_test {

// False in a ThreadSanitizer build, whose run-time owns operator new: nothing is counted there.
bool CountsAllocations();

class AllocationCounter {
public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    int Count() const { return count_; }

private:
    int count_ = 0;
};

} // namespace engine_test
