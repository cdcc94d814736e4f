#include "foundation/Arithmetic.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

bool IsDivisible(int a, int b)
{
    return a >= b && a % b == 0;
}

int MinInt(int a, int b)
{
    return std::min(a, b);
}

int64_t MaxAbs(int a, int b, int c, int d, int e)
{
    return std::max({std::llabs(a), std::llabs(b), std::llabs(c), std::llabs(d), std::llabs(e)});
}

float FloatMod(float x, float y)
{
    return x - y * std::trunc(x / y);
}

bool IsEven(int n)
{
    return n % 2 == 0;
}
