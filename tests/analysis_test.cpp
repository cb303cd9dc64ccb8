// analysis_test.cpp - the analysis words "plot", "setrandf", "findx", "findzer",
// "findmin", "findmax" and "integ" on their sampling frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/numeric.h"
#include "engine/state.h"
#include "support.h"

// Number of pairs in a table: one " ; " between neighbouring pairs.
static int pairs(const std::string &table)
{
    int n = 1;
    for (size_t p = table.find(" ; "); p != std::string::npos; p = table.find(" ; ", p + 1)) n++;
    return n;
}

// Sets variable 'name' to 2 metres with error 0.1, and phase 'phase'.
static void setlength(char name, long double phase)
{
    lm &v = varib[(unsigned char)name];
    v = lm();
    v.mag = 2;
    v.phase = phase;
    v.err = 0.1L;
    v.units[2] = 1;
    v.kind = LM_NUMBER;
}

// Restores the start-up density of "rnd": uniform on [0, 1).
static void uniformrnd()
{
    ASSERT_EQ(pairs(calc("setrandf 0 1 500 1")), 500);
    for (int k = 0; k < 250; k++) ASSERT_EQ(randfunc[k], 1.0f) << k;
    ASSERT_EQ(randmax, 1.0f);
    ASSERT_EQ(randcenter, 0.5f);
    ASSERT_EQ(randfactor, 1.0f);
}

TEST(analysis, plotTables)
{
    const char *cases[][2] = {
        {"plot 0 1 4 x^2", "0 0 ;  0.25 0.0625 ;  0.5 0.25 ;  0.75 0.5625 "},
        {"plot 0 1 4 x", "0 0 ;  0.25 0.25 ;  0.5 0.5 ;  0.75 0.75 "},
        {"plot 1 0 2 x", "1 1 ;  0.5 0.5 "},                      // downwards
        {"plot 0 1 0 x", "0 0 "},                                 // infinite step: one sample
        {"plot 0 1 2.5 x", "0 0 ;  0.4 0.4 ;  0.8 0.8 "},         // ceil(2.5) points
        {"plot(0 2*pi 4) x", "0 0 ;  1.5708 1.5708 ;  3.14159 3.14159 ;  4.71239 4.71239 "},
        {"plot 0 1 2 x 7 8", "0 0 ;  0.5 0.5 "},                  // only the first value
        {"plot 0 1 2 (-x)", "0 0 ;  0.5 -0.5 "},
        {"plot 0 1 2 x*i+1", "0 1 ;  0.5 1 "},                    // real part only
    };
    for (auto &c : cases) EXPECT_EQ(calc(c[0]), c[1]) << c[0];
    // exactly n pairs, whatever the rounding of the step
    const struct { const char *f; int n; } counts[] = {
        {"plot 0 1 7 x", 7}, {"plot 0 1 100 x", 100}, {"plot 0 0.3 3 x", 3}, {"plot 1 0 7 x", 7}, {"plot 0 1 49 x", 49}};
    for (auto &c : counts) EXPECT_EQ(pairs(calc(c.f)), c.n) << c.f;
    // the last sampled abscissa stays
    calc("plot 0 1 4 x");
    EXPECT_EQ(repx, 0.75L);
    EXPECT_NE(flagrep, 0);
    // a value with units and an error is tabulated as its bare real part
    setlength('u', 0);
    EXPECT_EQ(calc("plot 0 1 2 x*%u"), "0 0 ;  0.5 1 ");
    // an ordinary formula afterwards prints as usual
    EXPECT_EQ(calc("1+1"), "(2)  ");
}

TEST(analysis, findx)
{
    const char *cases[][2] = {
        {"findx 0 4 4 x-2", "2 "},
        {"findx 0 4 4 (x-1)*(x-3)", "1 "},  // the first of two equal minima
        {"findx 0 1 4 x-5", "0.75 "},       // the zero lies outside
        {"findx 0 2 4 x-2", "1.5 "},        // the end value is not sampled
        {"findx 2 0 4 x-1", "1 "},
    };
    for (auto &c : cases) EXPECT_EQ(calc(c[0]), c[1]) << c[0];
    calc("findx 0 4 4 x-2.5");
    EXPECT_EQ(repres3, 0.5L);
    EXPECT_EQ(represx, 2.0L);
    EXPECT_EQ(calc("1+1"), "(2)  ");
}

TEST(analysis, chainSearches)
{
    const char *cases[][2] = {
        {"findzer 0 4 4 x-2.5", "-0.5 "},
        {"findzer 0 2 2 x+i", "1*exp(i*1.5708) "},  // complex values kept whole
        {"findmin 0 4 4 x*(x-3)", "-2 "},
        {"findmax 0 4 4 x*(3-x)", "2 "},
        {"findmin 0 2 2 x+i", "1*exp(i*1.5708) "},  // compared by real part
        {"findmax 0 1 4 x", "0.75 "},
        {"findmin 0 1 0 x+3", "3 "},
        {"findmax 1 0 4 x", "1 "},
    };
    for (auto &c : cases) EXPECT_EQ(calc(c[0]), c[1]) << c[0];
    // units and the error of the chosen sample are kept
    setlength('u', 0);
    EXPECT_EQ(calc("findzer 0 2 2 (x+1)*%u"), "2 \xC2\xB1" "0.1  {Meter^(1)} ");
    EXPECT_EQ(calc("findmin 0 2 2 (x+1)*%u"), "2 \xC2\xB1" "0.1  {Meter^(1)} ");
    EXPECT_EQ(calc("findmax 0 2 2 (x+1)*%u"), "4 \xC2\xB1" "0.2  {Meter^(1)} ");
    EXPECT_EQ(calc("1+1"), "(2)  ");
}

TEST(analysis, integration)
{
    const char *cases[][2] = {
        {"integ 0 1 4 x", "0.5 "},
        {"integ 0 1 4 x^2", "0.34375 "},
        {"integ 0 1 4 1", "1 "},
        {"integ 1 0 4 1", "-1 "},
        {"integ 0 1 4 i", "1*exp(i*1.5708) "},
        {"integ 0 1 7 1", "1 "},
        {"integ 0 1 2.5 x^2", "0.356 "},  // shorter last interval: 0.8 to 1
        {"integ 0 1 0 x^2", "0.5 "},      // one interval, a to b
        {"integ 2 4 3 3*x+1", "20 "},
    };
    for (auto &c : cases) EXPECT_EQ(calc(c[0]), c[1]) << c[0];
    // constants and straight lines are exact to the last printed digit
    auto full = [](const std::string &f) { return qev({"mc66", "-u", plainunits(), "-q", f}); };
    EXPECT_EQ(full("integ 0 1 7 1"), "1.000000000000e+00 ");
    EXPECT_EQ(full("integ 1 0 7 1"), "-1.000000000000e+00 ");
    EXPECT_EQ(full("integ 0 1 7 x"), "5.000000000000e-01 ");
    EXPECT_EQ(full("integ(0 1 999) x"), "5.000000000000e-01 ");
    EXPECT_EQ(repx, 1.0L);  // the end value was sampled last
    // each term carries its sample's units and its weight times its sample's error
    setlength('u', 0);
    EXPECT_EQ(calc("integ 0 1 4 %u"), "2 \xC2\xB1" "0.1  {Meter^(1)} ");
    EXPECT_EQ(calc("integ 0 1 4 x*%u"), "1 \xC2\xB1" "0.05  {Meter^(1)} ");
    EXPECT_EQ(calc("integ 1 0 4 x*%u"), "-1 \xC2\xB1" "0.05  {Meter^(1)} ");
    setlength('u', PI2);
    EXPECT_EQ(calc("integ 0 1 4 %u"), "2*exp(i*1.5708) \xC2\xB1" "0.1  {Meter^(1)} ");
    EXPECT_EQ(calc("1+1"), "(2)  ");
}

// The expression is evaluated anew at every sample, the arguments of its calls too; the
// abscissa left by an earlier formula is never read.
TEST(analysis, callsReadEverySample)
{
    const std::string fns = tmpfile_("Functions\n#sq= (%0^2_+_1)_func_1_\n#add2= (%0_+_%1)_func_2_\n");
    static const struct { const char *formula, *answer; } CASES[] = {
        {"plot 0 1 2 sq(x)", "0 1 ;  0.5 1.25 "},
        {"plot(0 1 2) sq(x)", "0 1 ;  0.5 1.25 "},
        {"(plot 0 1 2 sq(x))", "0 1 ;  0.5 1.25 "},
        {"plot(0 2*pi 4) sq(x)", "0 1 ;  1.5708 3.4674 ;  3.14159 10.8696 ;  4.71239 23.2066 "},
        {"plot 0 1 2 add2(x,x*2)", "0 0 ;  0.5 1.5 "},
        {"plot 0 1 2 sq(sq(x))", "0 2 ;  0.5 2.5625 "},
        {"plot 0 1 2 sq(x)+x", "0 1 ;  0.5 1.75 "},
        {"plot 0 1 2 sq(0.5)", "0 1.25 ;  0.5 1.25 "},
        {"integ 0 1 4 sq(x)", "1.34375 "},
        {"findx 0 4 8 sq(x)-5", "2 "},
        {"findmax 0 1 4 sq(x)", "1.5625 "},
        {"setrandf 0 1 2 sq(x)", "0.001 1 ;  0.501 1.25 "},
    };
    for (const auto &c : CASES) {
        calc("setxy 7 0 1");
        EXPECT_EQ(calcboth(c.formula, fns), c.answer) << c.formula;
    }
    EXPECT_EQ(calcboth("1 plot 0 1 2 sq(x)", fns), "plot must be the first word of the formula : error #2");
    EXPECT_EQ(calc("sq(3)", fns), "(10)  ");
}

TEST(analysis, setrandf)
{
    uniformrnd();
    std::string table = calc("setrandf 0 1 500 1");
    EXPECT_EQ(table.substr(0, 20), "0.001 1 ;  0.003 1 ;");
    EXPECT_EQ(table.substr(table.size() - 8), "0.999 1 ");

    // fewer samples than entries leave the others as they were
    EXPECT_EQ(calc("setrandf 0 1 10 x"), "0.001 0 ;  0.101 0.1 ;  0.201 0.2 ;  0.301 0.3 ;  0.401 0.4 ;  "
                                         "0.501 0.5 ;  0.601 0.6 ;  0.701 0.7 ;  0.801 0.8 ;  0.901 0.9 ");
    EXPECT_EQ(randfunc[0], 0.0f);
    EXPECT_EQ(randfunc[25], 0.1f);
    EXPECT_EQ(randfunc[225], 0.9f);
    EXPECT_EQ(randfunc[24], 1.0f);
    EXPECT_EQ(randmax, 0.9f);

    // negative densities count as 0 in the table, but show in the answer
    std::string neg = calc("setrandf 0 1 500 x-0.5");
    EXPECT_EQ(neg.substr(0, 9), "0.001 -0.");
    for (int k = 0; k < 125; k++) EXPECT_EQ(randfunc[k], 0.0f) << k;
    EXPECT_GT(randfunc[126], 0.0f);

    // downwards: the entries still rise from the start value
    calc("setrandf 2 0 500 x");
    EXPECT_EQ(randfactor, -2.0f);
    EXPECT_EQ(randcenter, 1.0f);
    EXPECT_EQ(randfunc[0], 1.996f);
    EXPECT_EQ(randfunc[1], 1.988f);
    EXPECT_EQ(randfunc[249], 0.004f);

    // every entry is written once n reaches 250, whatever the rounding of x
    for (int k = 0; k < 250; k++) randfunc[k] = -1;
    calc("setrandf 0 0.7 250 1");
    for (int k = 0; k < 250; k++) EXPECT_EQ(randfunc[k], 1.0f) << k;

    // an interval too narrow for single precision
    randfunc[250] = 1.0f;
    calc("setrandf 0 1e-50 4 7");
    EXPECT_EQ(randfactor, 0.0f);
    EXPECT_EQ(randfunc[187], 7.0f);
    EXPECT_EQ(randfunc[250], 1.0f);
    uniformrnd();
}

// After "setrandf 0 2 500 x" the density of "rnd" is x/2 on [0, 2): mean 4/3.
TEST(analysis, setrandfShapesRnd)
{
    calc("setrandf 0 2 500 x");
    std::srand(4711);
    const int n = 10000;
    double sum = 0;
    for (int k = 0; k < n; k++) {
        ASSERT_EQ(calc("rnd=r").substr(0, 1), "(");
        double v = (double)varib[(unsigned char)'r'].mag;
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 2);
        sum += v;
    }
    // the standard deviation of the mean is 0.0047; the uniform density would give 1
    EXPECT_NEAR(sum / n, 4.0 / 3, 0.04);
    uniformrnd();
}

// The three parameter checks of every keyword, with its own texts.
TEST(analysis, parameterMessages)
{
    const char *words[][3] = {
        {"plot", "plot", "Nothing to plot"},       {"setrandf", "plot", "Nothing to plot"},
        {"findx", "findx", "Nothing to findx"},    {"findzer", "findzer", "Nothing to findzer"},
        {"findmin", "findmin", "Nothing to findmin"}, {"findmax", "findmax", "Nothing to findmax"},
        {"integ", "integ", "Nothing to integrate"},
    };
    for (auto &w : words) {
        std::string k = w[0], m = w[1];
        EXPECT_EQ(calc(k + " 0 1"), m + " must have 3 numerical parameters after iterror #2");
        EXPECT_EQ(calc(k), m + " must have 3 numerical parameters after iterror #2");
        EXPECT_EQ(calc(k + " 0 a 4 x"), m + " must have 3 NUMERICAL parameters after iterror #3");
        EXPECT_EQ(calc(k + " 0 1 %z x"), m + " must have 3 NUMERICAL parameters after iterror #3");
        EXPECT_EQ(calc(k + " 0 1 4"), std::string(w[2]) + "error #4");
        EXPECT_EQ(calc("1+1"), "(2)  ");
    }
    EXPECT_EQ(randmax, 0.0f);  // set before the checks of "setrandf"
    uniformrnd();
}

// Formulas that would sample without end, or that cannot be sampled, are refused
// before the first sample.
TEST(analysis, refusals)
{
    const char *cases[][2] = {
        {"plot(0 1 (-1)) x", "plot can't take a negative number of steps : error #3"},
        {"integ(0 1 0-4) x", "integ can't take a negative number of steps : error #3"},
        {"findx 1 1 4 x", "findx needs different start and end values : error #3"},
        {"findzer 1 1 0 x", "findzer needs different start and end values : error #3"},
        {"findmin(0 1/0 4) x", "findmin parameters must be finite numbers : error #3"},
        {"findmax(0/0 1 4) x", "findmax parameters must be finite numbers : error #3"},
        {"integ(0 1 1/0) x", "integ parameters must be finite numbers : error #3"},
        {"plot(0 1 1e10) x", "plot can't take more than 1000000000 steps : error #3"},
        {"setrandf(0 1 (-5)) x", "setrandf can't take a negative number of steps : error #3"},
        {"5+plot 0 1 4 x", "plot must be the first word of the formula : error #2"},
        {"x integ 0 1 4 x", "integ must be the first word of the formula : error #2"},
        {"plot 0 1 4 findx 0 1 2 x", "plot can't be used with findx in one formula : error #2"},
        {"integ 0 1 4 x+integ", "integ can't be used with integ in one formula : error #2"},
        {"findx 0 1 4 x qindx", "findx can't be used with qindx in one formula : error #2"},
        {"qlot 3", "syntax error , dont know how to qlot : error #1"},
        {"2 qrot 3", "syntax error , dont know how to qrot : error #1"},
    };
    calc("setxy 7 8");
    for (auto &c : cases) {
        EXPECT_EQ(calc(c[0]), c[1]) << c[0];
        EXPECT_EQ(repx, 7.0L) << c[0];  // no sample taken
        EXPECT_EQ(S2, nullptr) << c[0];
        EXPECT_EQ(calc("1+1"), "(2)  ");
    }
    // an expression that leaves no value at a grid point
    EXPECT_EQ(calc("plot 0 1 4 dln"), "Nothing to ploterror #4");
    EXPECT_EQ(S2, nullptr);
    uniformrnd();
}

// An error at a later grid point abandons the evaluation and frees everything.
TEST(analysis, errorDuringSampling)
{
    calc("1=b");
    // the first pass reads b = 1 and stores an empty value into it; the second fails
    EXPECT_EQ(calc("plot 0 1 4 %b*1 %w=b"), "cant * comands : error #1");
    EXPECT_EQ(S2, nullptr);
    EXPECT_EQ(calc("1+1"), "(2)  ");
    EXPECT_EQ(calc("findzer 0 1 4 stop"), "error #1");
    EXPECT_EQ(S2, nullptr);
    EXPECT_EQ(calc("plot 0 1 4 x"), "0 0 ;  0.25 0.25 ;  0.5 0.5 ;  0.75 0.75 ");
}

// Running out of memory at any allocation of an analysis ends it cleanly (the sanitizer
// run checks that nothing leaks).
TEST(analysis, allocationFailure)
{
    for (const char *f : {"plot 0 1 3 x^2", "findx 0 1 3 x", "findmin 0 1 3 x", "integ 0 1 3 x*x",
                          "setrandf 0 1 3 1"}) {
        std::string whole = calc(f);
        bool done = false;
        for (long n = 0; n < 1000 && !done; n++) {
            failallocafter_(n);
            std::string r = calc(f);
            failallocafter_(-1);
            EXPECT_EQ(S2, nullptr) << f << " " << n;
            if (r == whole) done = true;
            else EXPECT_NE(r.find("Couldn't allocate memory"), std::string::npos) << f << " " << n;
        }
        EXPECT_TRUE(done) << f;
        EXPECT_EQ(calc("1+1"), "(2)  ");
    }
    uniformrnd();
}

// Tables taken out of the list as they are sampled read as the whole list printed at
// the end: the same answer, cut where it is longer than the result buffer, the same
// last result and density, for every kind of value.
TEST(analysis, longTablesAsPrinted)
{
    setlength('u', 0.3L);
    const char *formulas[] = {"plot 0 1 2500 x", "setrandf 0 1 2000 x-0.5", "plot 1 -1 1500 x*i-0.25",
                              "plot 0 1 1500 (x err 0.1) $m 1 * %u", "setrandf 2 0 600 -x", "plot 0 1 7 x"};
    for (const char *f : formulas)
        for (const char *option : {"-S1", "-R", "-cr"}) {
            std::vector<std::string> args = {"mc66", "-u", plainunits(), "-S1", "-p", "6", option, "-q", f};
            plainmode = true;
            std::string whole = qev(args);
            lm last = varib[0];
            char table = flagrep;
            float density[250];
            std::copy(randfunc, randfunc + 250, density);
            plainmode = false;
            EXPECT_EQ(qev(args), whole) << f << " " << option;
            EXPECT_TRUE(varib[0].mag == last.mag && varib[0].phase == last.phase && flagrep == table) << f;
            EXPECT_TRUE(std::equal(density, density + 250, randfunc)) << f;
            EXPECT_EQ(S2, nullptr);
        }
    EXPECT_EQ(calc("plot 0 1 2500 x").substr(39999 - 17), "\n... (answer cut)");
    uniformrnd();
}
