#include "platform/Random.h"

#include <algorithm>
#include <random>

namespace platform {

namespace {

std::mt19937& Generator()
{
    static std::mt19937 generator;
    return generator;
}

std::function<int(int)>& Draws()
{
    static std::function<int(int)> draws;
    return draws;
}

} // namespace

void SetRandomDraws(std::function<int(int n)> draws)
{
    Draws() = std::move(draws);
}

void Randomize()
{
    SeedRandom(std::random_device{}());
}

void SeedRandom(uint32_t seed)
{
    Generator().seed(seed);
}

int Random(int n)
{
    if (n < 1)
        return 0;
    if (Draws())
        return std::clamp(Draws()(n), 0, n - 1);
    // Rejection of the incomplete top block keeps every value equally likely, and the draws depend
    // only on the generator, not on the standard library's distribution code.
    const uint64_t range = uint64_t(1) << 32;
    const uint64_t limit = range - range % static_cast<uint64_t>(n);
    uint64_t draw;
    do
        draw = Generator()();
    while (draw >= limit);
    return static_cast<int>(draw % static_cast<uint64_t>(n));
}

} // namespace platform
