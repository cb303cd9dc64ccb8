// arith_test.cpp - the arithmetic operators and the numeric helpers.
#include <gtest/gtest.h>

#include "engine/numeric.h"
#include "support.h"

TEST(arith, helpers)
{
    EXPECT_EQ(atanr(0, 0), 0);
    EXPECT_EQ(atanr(1, 0), PI2);
    EXPECT_EQ(atanr(0, -1), -PI);
    EXPECT_NEAR((double)atanr(1, -1), -5 * M_PI / 4, 1e-15);
    EXPECT_EQ(mlog(0), (long double)-9e307);
    EXPECT_EQ(turnphase(-PI), PI);
    // a small real part beside a large imaginary one keeps its digits
    EXPECT_NEAR((double)(PI2 - atanr(2, 1e-9L)), 5e-10, 1e-16);
    EXPECT_EQ(qev({"mc66", "-u", plainunits(), "-S1", "-p", "6", "-cr", "-q", "-1e-9+2*i"}), "(-1e-09+i * 2)  ");
    qev({"mc66", "-ce", "-q", ""});
    EXPECT_EQ(turnphase(1e300L), std::fmod(1e300L, TWOPI));
}

TEST(arith, operators)
{
    const char *cases[][2] = {
        {"2+3", "(5)  "},     {"2-5", "(-3)  "},     {"2*-3", "(-6)  "},   {"7/2", "(3.5)  "},
        {"2^3", "(8)  "},     {"2 root 9", "(3)  "}, {"3 root (-8)", "(2*exp(i*1.0472))  "},
        {"3.7!", "(6)  "},    {"0!", "(1)  "},       {"-3!", "! of complex # : (1)  "},     {"10!", "(3.6288e+06)  "},
        {"1e10!", "(inf)  "}, {"2 min 3", "(2)  "},  {"3 min 2", "(2)  "}, {"2 max 3", "(3)  "},
        {"-2 zer 1", "(1)  "}, {"1 zer -1", "(1)  "}, {"i^i", "(0.20788)  "},
        {"1 min i", "(1*exp(i*1.5708))  "}, {"2^pi", "(8.82498)  "}, {"2^e", "(6.58089)  "},
        // principal powers and roots, whatever whole turns the phase of the base holds
        {"((-2)*(-2))^0.5", "(2)  "}, {"2 root ((0-3)*(0-3))", "(3)  "}, {"(2-10)^(1/3)", "(2*exp(i*1.0472))  "},
        {"(i*i*i*i*4)^0.5", "(2)  "},
    };
    for (auto &c : cases) EXPECT_EQ(calc(c[0]), c[1]) << c[0];
}

// Phases of whole quarter turns have exact parts: real values that cancel give 0, an
// infinite real value no stray imaginary part. Every other phase keeps its rounded parts.
TEST(arith, exactQuarterTurns)
{
    const long double INF = HUGE_VALL;
    EXPECT_EQ(exactre(1, PI2), 0);
    EXPECT_EQ(exactim(2, PI), 0);
    EXPECT_EQ(exactim(2, -PI2), -2);
    EXPECT_EQ(exactre(3, 3 * PI2), 0);
    EXPECT_EQ(exactre(3, 4 * PI2), 3);
    EXPECT_EQ(exactim(5, -5 * PI2), -5);
    EXPECT_EQ(exactim(INF, 0), 0);
    EXPECT_EQ(exactre(INF, -PI), -INF);
    long double near = std::nextafter(PI2, 2.0L);
    EXPECT_EQ(exactre(1, near), dcos(near));
    EXPECT_EQ(exactim(1, 1), dsin(1));
    EXPECT_TRUE(std::isnan(exactre(1, NAN)));

    static const struct { const char *formula, *answer; } CASES[] = {
        {"2-3+1", "(0)  "},
        {"10 $m 1 - 12 $m 1 + 2 $m 1", "(0)   {Meter^(1)} "},
        {"i*i+1", "(0)  "},
        {"i+i*i*i", "(0)  "},
        {"i*2+i*-2", "(0)  "},
        {"(5/0)+1", "(inf)  "},
        {"(-5/0)+1", "(-inf)  "},
        {"0*-1", "(0)  "},
        {"2^(-2)-0.25", "(0)  "},
        {"(-4) root 16 - 0.5", "(0)  "},
        {"sqrt(-4)*i+2", "(0)  "},
        {"(1 err 0.1)-(1 err 0.2)", "(0 \xC2\xB1" "0.3)  "},
        {"1+exp(i*1)", "(1.75517*exp(i*0.5))  "},
    };
    for (const auto &c : CASES) EXPECT_EQ(calcboth(c.formula), c.answer) << c.formula;
}

TEST(arith, missingAndWrongOperands)
{
    const char *cases[][2] = {
        {"+2", "nothing to add (+,@): error #1"},
        {"2*", "nothing to multiply (*,~): error #1"},
        {"2/", "nothing to divide : error #1"},
        {"2^", "nothing to ^ : error #1"},
        {"root 2", "nothing to root : error #1"},
        {"!", "nothing to ! : error #1"},
        {"2 min", "nothing to min: error #1"},
        {"%z+1", "cant add comands : error #1"},
        {"%z/1", "cant add comands : error #1"},
        {"%z*1", "cant * comands : error #1"},
        {"%z^1", "cant pow comands :(^) error #1"},
        {"%z root 1", "cant root comands : error #1"},
        {"%z!", "cant ! comands : error #1"},
        {"%z max 1", "cant min comands : error #1"},
    };
    for (auto &c : cases) EXPECT_EQ(calc(c[0]), c[1]) << c[0];
    EXPECT_EQ(calc("1+1"), "(2)  ");
}
