#pragma once
// Counts the allocations (operator new) the calling thread makes while the counter lives. The test
// program's operator new is replaced to serve it; in a ThreadSanitizer build, whose run-time owns
// operator new, the run-time's allocation hook counts instead (malloc as well as new).
namespace engine_test {

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
