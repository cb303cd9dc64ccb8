// printer_test.cpp - the result text: brackets, complex forms, the display range of
// the phase, real parts, several results, error exits and the result buffer.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "base/output.h"
#include "engine/numeric.h"
#include "engine/printer.h"
#include "engine/state.h"
#include "support.h"

TEST(printer, realAndComplex)
{
    EXPECT_EQ(calc("2-5"), "(-3)  ");
    EXPECT_EQ(calc("1 2"), "(1)  (2)  ");
    EXPECT_EQ(calc("i"), "(1*exp(i*1.5708))  ");
    EXPECT_EQ(calc("i*i*i"), "(-1*exp(i*1.5708))  ");
    EXPECT_EQ(qev({"mc66", "-u", plainunits(), "-S1", "-p", "6", "-cr", "-q", "i"}), "(0+i * 1)  ");
    EXPECT_EQ(calc("i*i*i"), "(0+i * -1)  ");
    EXPECT_EQ(qev({"mc66", "-u", plainunits(), "-S1", "-p", "6", "-ce", "-q", "1"}), "(1)  ");
    EXPECT_EQ(qev({"mc66", "-u", plainunits(), "-S1", "-p", "6", "-R", "-q", "i"}), "(0)  ");
    EXPECT_EQ(calc("i"), "(1*exp(i*1.5708))  ");
}

TEST(printer, tinyPhasesPrintAsReal)
{
    // i^(2t/pi) has the phase t
    EXPECT_EQ(calc("i^(6.366197723675814e-16)"), "(1)  ");
    EXPECT_EQ(calc("i^(6.366197723675814e-14)"), "(1*exp(i*1e-13))  ");
}

TEST(printer, infinities)
{
    EXPECT_EQ(calc("5/0"), "(inf)  ");
    EXPECT_EQ(calc("-5/0"), "(-inf)  ");
}

// Values on the axes are written with exact parts and a zero without a sign; other
// phases as the double-precision cosine and sine give them.
TEST(printer, quarterTurns)
{
    static const struct { const char *option, *formula, *answer; } CASES[] = {
        {"-cr", "-i", "(0+i * -1)  "},
        {"-cr", "i*i", "(-1)  "},
        {"-cr", "2*i*-1", "(0+i * -2)  "},
        {"-cr", "exp(i*1)", "(0.540302+i * 0.841471)  "},
        {"-R", "0-i", "(0)  "},
        {"-R", "i*i*i", "(0)  "},
        {"-R", "exp(i*pi/3)", "(0.5)  "},
        {"-ce", "0*-1", "(0)  "},
        {"-ce", "0*i*i", "(0)  "},
        {"-ce", "-i", "(-1*exp(i*1.5708))  "},
    };
    for (const auto &c : CASES) EXPECT_EQ(calcboth(c.formula, "", {c.option}), c.answer) << c.option << " " << c.formula;
}

TEST(printer, hugePhasesDoNotHang)
{
    std::string r = calc("0^(-1)");
    EXPECT_EQ(r.substr(0, 1), "(");
    r = calc("i^1e20");
    EXPECT_EQ(r.substr(0, 1), "(");
    // Far beyond the precision of a half turn, the display range is still reached.
    for (long double p : {8.9e189L, -1e300L, 1e40L, 3e4000L}) {
        long double mag = 2, phase = p;
        displaynormal(mag, phase);
        EXPECT_LE(std::fabs(phase), PI2) << (double)p;
        EXPECT_EQ(std::fabs(mag), 2) << (double)p;
    }
}

TEST(printer, lastResultIsKept)
{
    calc("2-5");
    EXPECT_EQ(calc("=r"), "(-3)  ");
    EXPECT_EQ(calc("%r*2"), "(-6)  ");
}

TEST(printer, allocationFailureAbandonsTheEvaluation)
{
    failallocafter_(3);
    EXPECT_EQ(calc("1+2+3+4"),
              "Couldn't allocate memory ! (in overloaded global new)\n"
              "Try to reduce memory consumption , remove some applications or try a difrent comuter\nerror #1");
    failallocafter_(-1);
    EXPECT_EQ(calc("1+2+3+4"), "(10)  ");
}

TEST(printer, longAnswersAreCutAndMarked)
{
    std::string f;
    for (int k = 0; k < 480; k++) f += "1 ";
    std::string r = qev({"mc66", "-u", plainunits(), "-p", "80", "-q", f});
    EXPECT_EQ(r.size(), 39999u);
    EXPECT_EQ(r.substr(r.size() - 17), "\n... (answer cut)");
}

// Numbers are written exactly as the stream itself writes a double, in every notation
// and precision.
TEST(printer, numbersAsTheStreamWritesThem)
{
    const long double values[] = {0, -0.0L, 1, -2.5L, 3.14159265358979L, 1e-300L, 1e300L, 6.02214076e23L,
                                  1.0L / 3, 1e15L, 123456789012345678.0L, 0.1L, 5e-324L,
                                  (long double)INFINITY, -(long double)INFINITY, (long double)NAN,
                                  -1, 2, -3, 7, 10, 99, 100, 123456, -1234567, 999999999999999.0L,
                                  1000000000000000.0L, 12345678901234.0L, 4e14L, 1e6L};
    const std::ios::fmtflags formats[] = {std::ios::fmtflags(), std::ios::scientific, std::ios::fixed};
    std::ostringstream *saved = cout2, mine, theirs;
    for (auto f : formats)
        for (int p : {0, 1, 2, 3, 5, 6, 7, 12, 14, 15, 17, 30, 399, 400})
            for (long double v : values) {
                mine.str("");
                theirs.str("");
                for (std::ostringstream *s : {&mine, &theirs}) {
                    s->setf(f, std::ios::floatfield);
                    s->precision(p);
                }
                cout2 = &mine;
                std::string text;
                numtext(v, text);
                theirs << (double)v;
                EXPECT_EQ(text, theirs.str()) << (double)v << " precision " << p;
            }
    cout2 = saved;
}

// What the printer notes of a formula: numbers and words written, table mode, where its
// text begins, the real values, and an error exit.
TEST(printer, recordOfWhatWasWritten)
{
    const size_t NOSTART = ~(size_t)0;  // a table's pairs may be written before the printer runs
    struct row {
        const char *formula;
        bool printed, exited, table;
        int numbers, words;
        size_t start;
        std::vector<double> reals;
    } rows[] = {
        {"2+3", true, false, false, 1, 0, 0, {5}},
        {"1 2 3", true, false, false, 3, 0, 0, {1, 2, 3}},
        {"plot 0 1 2 x^2", true, false, true, 4, 0, NOSTART, {0, 0, 0.5, 0.25}},
        {"findx 0 4 4 x-1", true, false, true, 1, 0, 0, {1}},
        {"2+", false, true, false, 0, 0, 0, {}},
        {"2 foo", false, true, false, 0, 0, 0, {}},
        {"1))))))))))))+2", true, false, false, 2, 1, 0, {1, 2}},
        {"2 $m 1 + 3 $s 1", true, false, false, 1, 0, 25, {5}},  // a warning first
        {"i", true, false, false, 1, 0, 0, {}},
        {"1 i", true, false, false, 2, 0, 0, {}},
        {"setxy 1 2", false, false, false, 0, 0, 0, {}},
    };
    for (const row &r : rows) {
        calc(r.formula);
        const printrecord &p = lastprint;
        EXPECT_EQ(p.printed, r.printed) << r.formula;
        EXPECT_EQ(p.exited, r.exited) << r.formula;
        EXPECT_EQ(p.table, r.table) << r.formula;
        EXPECT_EQ(p.numbers, r.numbers) << r.formula;
        EXPECT_EQ(p.words, r.words) << r.formula;
        if (r.start != NOSTART) {
            EXPECT_EQ(p.start, r.start) << r.formula;
        }
        EXPECT_EQ(p.reals, r.reals) << r.formula;
        EXPECT_EQ(p.allreal, std::string(r.formula) != "i" && std::string(r.formula) != "1 i") << r.formula;
    }
}
