#pragma once
// The program's one random source: a Mersenne twister seeded once at start-up. Tests seed it with
// a fixed number to fix every shuffle and random pick. GUI thread only.
#include <cstdint>
#include <functional>

namespace platform {

// Seeds from the system's entropy (start-up).
void Randomize();
// Seeds with a chosen number, so the draws that follow repeat.
void SeedRandom(uint32_t seed);

// A uniform draw from 0 to n - 1; 0 when n is below 1.
int Random(int n);

// Tests put scripted draws in place of the generator (an empty function: the generator again). A
// scripted value outside 0 to n - 1 is brought to the nearer end.
void SetRandomDraws(std::function<int(int n)> draws);

} // namespace platform
