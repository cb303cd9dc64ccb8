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
