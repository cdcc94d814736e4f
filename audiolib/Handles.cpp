#include "audiolib/Handles.h"

#include <array>
#include <atomic>

namespace audiolib {

namespace {
constexpr int KindShift = 28;
constexpr uint32_t CounterMask = (1u << KindShift) - 1;
std::array<std::atomic<uint32_t>, 6> counters{};
} // namespace

Handle NewHandle(HandleKind kind)
{
    const auto k = static_cast<uint32_t>(kind);
    const uint32_t n = (counters[k].fetch_add(1, std::memory_order_relaxed) + 1) & CounterMask;
    return (k << KindShift) | n;
}

} // namespace audiolib
