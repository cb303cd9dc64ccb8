// driver_test.cpp - priorities, brackets, unary minus and the reduction order.
#include <gtest/gtest.h>

#include "support.h"

TEST(driver, precedence)
{
    EXPECT_EQ(calc("2+3*4"), "(14)  ");
    EXPECT_EQ(calc("(2+3)*4"), "(20)  ");
    EXPECT_EQ(calc("2^3^2"), "(64)  ");
    EXPECT_EQ(calc("-2^2"), "(4)  ");
    EXPECT_EQ(calc("2*-3"), "(-6)  ");
    EXPECT_EQ(calc("(1)-3"), "(-2)  ");
    EXPECT_EQ(calc("1 2 3"), "(1)  (2)  (3)  ");
}

// A minus right after "^" negates the exponent alone, whatever follows it; every other
// minus keeps its binding.
TEST(driver, minusAfterPower)
{
    static const struct { const char *formula, *answer; } CASES[] = {
        {"10^-3", "(0.001)  "},
        {"2^-0.5*4", "(2.82843)  "},
        {"e^-2", "(0.135335)  "},
        {"2 ^ - 3", "(0.125)  "},
        {"2^-3^2", "(0.015625)  "},      // (2^-3)^2, as 2^3^2 is (2^3)^2
        {"2^--3", "(8)  "},
        {"2^-(1+2)", "(0.125)  "},
        {"2^-sqrt(4)", "(0.25)  "},
        {"setxy 2 0 2^-x", "(0.25)  "},
        {"3^-2*9+1", "(2)  "},
        {"(2^-1)*-4", "(-2)  "},
        {"-2^2", "(4)  "},               // a leading minus still binds tightest
        {"2^(-2)", "(0.25)  "},
        {"2*-3^2", "(-18)  "},           // after other words the minus still binds like "*"
        {"0-2^2", "(-4)  "},
    };
    for (const auto &c : CASES) EXPECT_EQ(calcboth(c.formula), c.answer) << c.formula;
}
