#include "foundation/Arithmetic.h"

#include <climits>
#include <gtest/gtest.h>

TEST(Arithmetic, IsDivisibleNeedsAWholeMultipleAtLeastB)
{
    struct Case {
        int a;
        int b;
        bool divisible;
    };
    const Case cases[] = {
        {0, 1, false}, {0, 3, false}, {1, 1, true}, {3, 3, true}, {6, 3, true}, {2, 3, false}, {7, 3, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsDivisible(c.a, c.b), c.divisible) << c.a << " " << c.b;
}

TEST(Arithmetic, SignsOfMaxAbsFloatModAndIsEven)
{
    EXPECT_EQ(MaxAbs(1, -7, 3, 0, 5), 7);
    EXPECT_EQ(MaxAbs(0, 0, 0, 0, INT_MIN), 2147483648LL);
    EXPECT_FLOAT_EQ(FloatMod(5.5f, 2.0f), 1.5f);
    EXPECT_FLOAT_EQ(FloatMod(-5.5f, 2.0f), -1.5f);
    EXPECT_FLOAT_EQ(FloatMod(5.5f, -2.0f), 1.5f);
    EXPECT_TRUE(IsEven(-4));
    EXPECT_FALSE(IsEven(-3));
    EXPECT_TRUE(IsEven(0));
}
