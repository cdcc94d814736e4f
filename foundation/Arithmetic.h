#pragma once
// Small integer and float helpers several windows share.
#include <cstdint>

// True when a >= b and a is a whole multiple of b (so never for a = 0); b must be at least 1.
bool IsDivisible(int a, int b);

int MinInt(int a, int b);

// The largest absolute value of the five, exact even for INT_MIN.
int64_t MaxAbs(int a, int b, int c, int d, int e);

// x - y * trunc(x / y) in single precision: the sign follows x.
float FloatMod(float x, float y);

// Also true for negative even numbers.
bool IsEven(int n);
