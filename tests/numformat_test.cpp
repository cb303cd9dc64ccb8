// numformat_test.cpp - the quick decimal conversion must write what printf writes, or decline.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "base/numformat.h"

namespace {

// Checks one value in every conversion for the precisions given; counts the quick answers.
void agree(double x, const int *precisions, size_t count, long &quick)
{
    static const char CONVERSIONS[] = "efg";
    for (const char *c = CONVERSIONS; *c; c++)
        for (size_t k = 0; k < count; k++) {
            char want[512], got[64];
            const char format[] = {'%', '.', '*', *c, 0};
            std::snprintf(want, sizeof want, format, precisions[k], x);
            int n = quickformat(x, *c, precisions[k], got);
            if (n < 0) continue;
            quick++;
            ASSERT_EQ(std::string(want), std::string(got, n))
                << "%." << precisions[k] << *c << " of " << std::hexfloat << x;
            ASSERT_EQ(got[n], 0);
        }
}

const int PRECISIONS[] = {0, 1, 2, 3, 5, 6, 8, 11, 12, 13, 15, 16, 17, 20};

}  // namespace

TEST(numformat, agreesWithPrintfOnRandomValues)
{
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    long quick = 0;
    for (int k = 0; k < 60000; k++) {
        double x = mantissa(rng) * std::pow(10.0, exponent(rng));
        if (k % 2) x = -x;
        agree(x, PRECISIONS, std::size(PRECISIONS), quick);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(quick, 60000L * 20);  // most values are quick
}

TEST(numformat, agreesOnRandomBitPatterns)
{
    std::mt19937_64 rng(7);
    long quick = 0;
    for (int k = 0; k < 15000; k++) {
        uint64_t bits = rng();
        double x;
        std::memcpy(&x, &bits, sizeof x);
        agree(x, PRECISIONS, std::size(PRECISIONS), quick);
        if (HasFatalFailure()) return;
    }
}

// Short decimals, ties, powers of ten and their neighbours, carries into a new digit,
// and the switches between the two styles of "%g".
TEST(numformat, agreesOnBoundaries)
{
    long quick = 0;
    const double values[] = {0.5, 1.5, 2.5, 0.125, 0.375, 1e-5, 1e-4, 0.0001234567, 9.9999999999995,
                             99999.5, 999999.5, 0.00009999995, 123456789012.5, 1e15, 1e16, 1e17,
                             9.999999999999e22, 1e22, 1e-22, 4.35, 0.3048, 1609.344, 3.785411784,
                             2.2250738585072014e-308, 4.9e-324, 1.7976931348623157e308};
    for (double v : values)
        for (double x : {v, std::nextafter(v, 0.0), std::nextafter(v, 1e300), -v}) {
            agree(x, PRECISIONS, std::size(PRECISIONS), quick);
            if (HasFatalFailure()) return;
        }
    for (int e = -25; e <= 25; e++) {
        double p = std::pow(10.0, e);
        for (double x : {p, std::nextafter(p, 0.0), std::nextafter(p, 1e300), 9.5 * p, 0.95 * p}) {
            agree(x, PRECISIONS, std::size(PRECISIONS), quick);
            if (HasFatalFailure()) return;
        }
    }
    for (long v = 1; v < 200000; v += 7) {
        agree(v / 1000.0, PRECISIONS, std::size(PRECISIONS), quick);
        if (HasFatalFailure()) return;
    }
}

TEST(numformat, declinesWhatItCannotBeSureOf)
{
    char out[64];
    EXPECT_LT(quickformat(0.0, 'g', 6, out), 0);
    EXPECT_LT(quickformat(-0.0, 'e', 6, out), 0);
    EXPECT_LT(quickformat(INFINITY, 'g', 6, out), 0);
    EXPECT_LT(quickformat(NAN, 'f', 6, out), 0);
    EXPECT_LT(quickformat(1.0, 'g', 30, out), 0);   // more digits than a double holds
    EXPECT_LT(quickformat(1e300, 'f', 2, out), 0);  // beyond a 64-bit integer
    EXPECT_LT(quickformat(0.5, 'f', 0, out), 0);    // an exact tie
}
