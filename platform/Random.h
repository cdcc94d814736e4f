#pragma once
// The program's one random source: a Mersenne twister seeded once at start-up. Tests seed it with
// a fixed number to fix every shuffle and random pick. GUI thread only.
#include <cstdint>

namespace platform {

// Seeds from the system's entropy (start-up).
void Randomize();
// Seeds with a chosen number, so the draws that follow repeat.
void SeedRandom(uint32_t seed);

// A uniform draw from 0 to n - 1; 0 when n is below 1.
int Random(int n);

} // namespace platform
