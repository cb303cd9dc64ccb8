// gauss_test.cpp - errors in quadrature ("-g"): sources and their correlations, the
// derivatives of every operation (complex ones against finite differences), library
// entries' errors, the analysis words, variables across the two models, the arena.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine/sens.h"
#include "engine/state.h"
#include "support.h"

namespace {

// mc66 with errors in quadrature, in the six-digit format, in plain mode and on the
// fast paths (the answer when both agree).
std::string quad(const std::string &formula, const std::string &functions = "")
{
    return calcboth(formula, functions, {"-g"});
}

// Sets variable 'name' to mag*e^(i*phase) with the error 'err' and no sensitivities,
// as a value stored with linear errors.
void setvar(char name, long double mag, long double phase, long double err)
{
    lm &v = varib[(unsigned char)name];
    v = lm();
    v.mag = mag;
    v.phase = phase;
    v.err = err;
    v.kind = LM_NUMBER;
}

std::complex<long double> lastvalue() { return std::polar(varib[0].mag, varib[0].phase); }

// A formula and its answers with errors in quadrature and with linear errors.
struct twomodels {
    const char *formula, *quadrature, *linear;
};

// Each formula answered by 'run' linearly, then in quadrature (run(formula, true)).
template <size_t N>
void bothmodels(const twomodels (&cases)[N], const std::function<std::string(const std::string &, bool)> &run)
{
    for (const twomodels &c : cases) {
        EXPECT_EQ(run(c.formula, false), c.linear) << c.formula;
        EXPECT_EQ(run(c.formula, true), c.quadrature) << c.formula;
    }
}

// Each test leaves the engine's variables as it found them: other suites read some.
class gauss : public testing::Test {
  protected:
    void SetUp() override { savestate(start); }
    void TearDown() override { loadstate(start); }
    enginestate start;
};

}  // namespace

// The examples a student meets first: products and quotients add in quadrature, a
// stored value used twice is one source, and the linear model stays as it was.
TEST_F(gauss, sourcesAndCorrelations)
{
    static const twomodels CASES[] = {
        {"(2±0.1)*(3±0.2)", "(6 ±0.5)  ", "(6 ±0.7)  "},
        {"(2.00±0.05)/(0.50±0.01)", "(4 ±0.128062)  ", "(4 ±0.18)  "},
        {"(5±0.1)=a", "(5 ±0.1)  ", "(5 ±0.1)  "},
        {"%a-%a", "(0)  ", "(0 ±0.2)  "},
        {"%a*%a", "(25 ±1)  ", "(25 ±1)  "},
        {"%a/%a", "(1)  ", "(1 ±0.04)  "},
        {"sin(%a)^2+cos(%a)^2", "(1)  ", "(1 ±0.108804)  "},           // cancels to the last bit
        {"(5±0.1)-(5±0.1)", "(0 ±0.141421)  ", "(0 ±0.2)  "},          // two measurements
        {"(3±0.4)+(4 err 0.3)", "(7 ±0.5)  ", "(7 ±0.7)  "},
        {"5 err 0", "(5)  ", "(5)  "},                                   // no error, no source
        {"(5±0.1)±0.2", "(5 ±0.2)  ", "(5 ±0.2)  "},                     // replaced, as linearly
        {"(-2±0.1)*(-2±0.1)", "(4 ±0.282843)  ", "(4 ±0.4)  "},
        {"%a,%a-5", "(5 ±0.1)  (0 ±0.1)  ", "(5 ±0.1)  (0 ±0.1)  "},
        {"(2 ± 0.1) $m 1", "(2 ±0.1)   {Meter^(1)} ", "(2 ±0.1)   {Meter^(1)} "},
        {"%a!", "(120)  ", "(120)  "},
        {"100 errpct 5", "(100 ±5)  ", "(100 ±5)  "},                    // hundredths of the value
        {"(100 errpct 5)*(2 errpct 10)", "(200 ±22.3607)  ", "(200 ±30)  "},
        {"(0-4) errpct 25", "(-4 ±1)  ", "(-4 ±1)  "},
        {"errpct 5", "nothing to error : error #1", "nothing to error : error #1"},
        // a magnitude that is not a number: the derivative adds no error exit of its own
        {"((0/0)±0.1)^2", "(-nan ±nan)  ", "(-nan ±nan)  "},
        {"2 root ((0/0)±0.1)", "(-nan ±nan)  ", "(-nan ±nan)  "},
    };
    bothmodels(CASES, [](const std::string &f, bool g) { return g ? quad(f) : calcboth(f); });
    // an error with units other than the value's still warns
    EXPECT_EQ(quad("2 $m 1 ± 0.1"), "unit's error in error addition : (2 ±0.1)   {Meter^(1)} ");
}

// Every operation's derivative: the error of f(a) for a = 0.7 ± 0.01 (and b = 2 ± 0.03)
// is |f'| times the error, the partial derivatives added in quadrature.
TEST_F(gauss, derivatives)
{
    const double a = 0.7, sa = 0.01, b = 2, sb = 0.03;
    static const struct { const char *formula; double da, db; } CASES[] = {
        {"%a+%b", 1, 1},
        {"%a-%b", 1, -1},
        {"%a*%b", b, a},
        {"%a/%b", 1 / b, -a / (b * b)},
        {"%b^%a", std::log(b) * std::pow(b, a), a * std::pow(b, a - 1)},
        {"%b root %a", std::pow(a, 1 / b - 1) / b, -std::pow(a, 1 / b) * std::log(a) / (b * b)},
        {"exp(%a)", std::exp(a), 0},
        {"ln(%a)", 1 / a, 0},
        {"lg10(%a)", 1 / (a * std::log(10)), 0},
        {"log(%b,%a)", 1 / (a * std::log(b)), -std::log(a) / (b * std::log(b) * std::log(b))},
        {"sqrt(%a)", 0.5 / std::sqrt(a), 0},
        {"sin(%a)", std::cos(a), 0},
        {"cos(%a)", -std::sin(a), 0},
        {"tan(%a)", 1 / (std::cos(a) * std::cos(a)), 0},
        {"asin(%a)", 1 / std::sqrt(1 - a * a), 0},
        {"acos(%a)", -1 / std::sqrt(1 - a * a), 0},
        {"atan(%a)", 1 / (1 + a * a), 0},
        {"atanr(%b,%a)", b / (a * a + b * b), -a / (a * a + b * b)},
        {"abs(%a-%b)", -1, 1},
        {"Re(%a*i)", 0, 0},
        {"Im(%a*i)", 1, 0},
        {"conj(%a*i)*i", 1, 0},
        {"phase(%b+%a*i)", b / (a * a + b * b), -a / (a * a + b * b)},
        {"%a min %b", 1, 0},
        {"%a max %b", 0, 1},
        {"%a zer %b", 1, 0},
        {"(%a*10)!", 0, 0},
    };
    for (const auto &c : CASES) {
        setvar('a', a, 0, sa);
        setvar('b', b, 0, sb);
        qev({"mc66", "-g", "-u", plainunits(), "-q", c.formula});
        double want = std::hypot(c.da * sa, c.db * sb);
        EXPECT_NEAR((double)varib[0].err, want, 1e-12 + 1e-12 * want) << c.formula;
    }
}

// Complex values: the error of a formula of two complex variables, each deviating along
// its own direction, against central differences of the formula's value.
TEST_F(gauss, complexAgainstFiniteDifferences)
{
    std::mt19937 rng(20261208);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    std::function<std::string(int)> expr = [&](int depth) -> std::string {
        static const char *const ATOMS[] = {"%a", "%b", "%a", "%b", "1.5", "i", "(2-i)"};
        static const char *const FN[] = {"sqrt", "ln", "exp", "sin", "cos", "tan", "asin", "acos", "atan",
                                         "abs", "conj", "Re", "Im", "phase", "lg10"};
        static const char *const OPS[] = {"+", "-", "*", "/", "^", " root "};
        if (depth == 0 || pick(3) == 0) return ATOMS[pick(7)];
        if (pick(3) == 0) return std::string(FN[pick(15)]) + "(" + expr(depth - 1) + ")";
        return "(" + expr(depth - 1) + ")" + OPS[pick(6)] + "(" + expr(depth - 1) + ")";
    };
    const long double ra = 1.3L, pa = 0.6L, sa = 0.02L, rb = 0.8L, pb = -2.1L, sb = 0.01L;
    // the value with 'a' and 'b' at the given magnitudes, without errors
    auto value = [&](const std::string &f, long double ma, long double mb) {
        setvar('a', ma, pa, 0);
        setvar('b', mb, pb, 0);
        qev({"mc66", "-u", plainunits(), "-q", f});
        return lastvalue();
    };
    int checked = 0;
    for (int n = 0; n < 400; n++) {
        std::string f = expr(4);
        if (f.find('%') == std::string::npos) continue;
        // the derivative along each variable's direction, by two step sizes; a formula
        // on a branch cut or at a kink, where they disagree, is left out
        std::complex<long double> d[2][2];
        bool smooth = true;
        for (int v = 0; v < 2; v++)
            for (int s = 0; s < 2; s++) {
                long double h = s ? 1e-6L : 1e-5L, r = v ? rb : ra;
                auto up = v ? value(f, ra, r + h) : value(f, r + h, rb);
                auto down = v ? value(f, ra, r - h) : value(f, r - h, rb);
                d[v][s] = (up - down) / (2 * h);
            }
        for (int v = 0; v < 2; v++)
            smooth = smooth && std::isfinite(std::abs(d[v][1])) &&
                     std::abs(d[v][0] - d[v][1]) <= 1e-6L * (1 + std::abs(d[v][1]));
        std::complex<long double> center = value(f, ra, rb);
        if (!smooth || !std::isfinite(std::abs(center)) || std::abs(center) > 1e6L) continue;
        long double want = std::hypot(std::abs(d[0][1]) * sa, std::abs(d[1][1]) * sb);
        setvar('a', ra, pa, sa);
        setvar('b', rb, pb, sb);
        qev({"mc66", "-g", "-u", plainunits(), "-q", f});
        EXPECT_NEAR((double)varib[0].err, (double)want, 1e-6 * (1e-3 + (double)want)) << f;
        EXPECT_NEAR((double)std::abs(lastvalue() - center), 0, 1e-12 * (1 + (double)std::abs(center))) << f;
        checked++;
    }
    EXPECT_GT(checked, 200);
}

// An error written in a library entry is one source for every use of the entry, in one
// formula and across formulas; an error typed in a formula or argument is new each time.
TEST_F(gauss, libraryErrors)
{
    std::string units = tmpfile_("Units\n#Meter= _$m_1_\n#G= _~_c(_6.674_err_0.015_c)_\n"
                                 "#G2= _~_c(_1_G_c*_1_G_c)_\n#two= _~_c(_2_err_0.1_c)_~_c(_3_err_0.1_c)_\n");
    std::string usys = tmpfile_("lib  Meter  Kg  Second  K  C  mol  " + units);
    std::string fns = tmpfile_("Functions\n#k= (%0_*_(2\xB1" "0.1))_func_1_\n");
    auto run = [&](const std::string &f, bool g) {
        std::vector<std::string> args = {"mc66", "-u", usys, "-f", fns, "-S1", "-p", "6", "-q", f};
        if (g) args.insert(args.begin() + 1, "-g");
        return bothways(args);
    };
    static const twomodels CASES[] = {
        {"1 G - 1 G", "(0)  ", "(0 ±0.03)  "},
        {"1 G * 1 G", "(44.5423 ±0.20022)  ", "(44.5423 ±0.20022)  "},
        {"1 G2 - 1 G * 1 G", "(0)  ", "(0 ±0.40044)  "},
        {"1 G=g", "(6.674 ±0.015)  ", "(6.674 ±0.015)  "},
        {"%g - 1 G", "(0)  ", "(0 ±0.03)  "},
        {"1 two", "(6 ±0.360555)  ", "(6 ±0.5)  "},                      // two errors of one entry
        {"1 two - 1 two", "(0)  ", "(0 ±1)  "},
        {"k(1) - k(1)", "(0)  ", "(0 ±0.2)  "},                          // the body's error
        {"k(1±0.1) - k(1±0.1)", "(0 ±0.282843)  ", "(0 ±0.6)  "},       // the arguments' errors
        {"plot 0 1 2 1 G", "0 6.674 ;  0.5 6.674 ", "0 6.674 ;  0.5 6.674 "},
    };
    bothmodels(CASES, run);
}

// The analysis words sample one expression: its sources are the same at every sample,
// so an integral adds their sensitivities, and a chosen sample keeps its own.
TEST_F(gauss, analysis)
{
    static const struct { const char *formula, *answer; } CASES[] = {
        {"integ 0 1 4 (2±0.1)*x", "1 ±0.05 "},
        {"(1±0.1)=a", "(1 ±0.1)  "},
        {"integ 0 1 4 %a*x", "0.5 ±0.05 "},
        {"=c", "(0.5 ±0.05)  "},
        {"%c-%a/2", "(0)  "},
        {"findmin 0 4 4 (x-1)^2+%a", "1 ±0.1 "},
        {"=m", "(1 ±0.1)  "},
        {"%m-%a", "(0)  "},
        {"findmax 0 4 4 x*%a", "3 ±0.3 "},
        {"findzer 0 4 4 x-2+%a", "0 ±0.1 "},
        {"findx 0 4 4 x-%a", "1 "},
        {"plot 0 1 2 x*%a", "0 0 ;  0.5 0.5 "},
        {"integ 0 1 2 (x±0.1)", "0.5 ±0.1 "},  // one error written: one source at every sample
    };
    for (const auto &c : CASES) EXPECT_EQ(quad(c.formula), c.answer) << c.formula;
}

// A variable stored with linear errors becomes one source at its first use with errors
// in quadrature; a result made with linear errors keeps no stale sensitivities.
TEST_F(gauss, variablesAcrossModels)
{
    EXPECT_EQ(calc("(5±0.1)=a"), "(5 ±0.1)  ");
    EXPECT_EQ(quad("%a-%a"), "(0)  ");
    EXPECT_EQ(quad("(3±0.4)=b"), "(3 ±0.4)  ");
    EXPECT_EQ(calc("%b-%b"), "(0 ±0.8)  ");
    EXPECT_EQ(calc("(%b*3)=c"), "(9 ±1.2)  ");
    EXPECT_EQ(varib['c'].nsens, 0u);
    EXPECT_EQ(quad("%c-3*%b"), "(0 ±1.69706)  ");  // c's linear error is a source of its own
    EXPECT_EQ(quad("%b*2"), "(6 ±0.8)  ");
    EXPECT_EQ(calc("=d"), "(6 ±0.8)  ");           // the last result keeps its sensitivities
    EXPECT_EQ(quad("%d-2*%b"), "(0)  ");
    // a complex value deviates along its direction: its real and imaginary parts share it
    EXPECT_EQ(quad("((3*exp(i*0.5)) ± 0.1)=z"), "(3*exp(i*0.5) ±0.1)  ");
    EXPECT_EQ(quad("Re(%z)"), "(2.63275 ±0.0877583)  ");
    EXPECT_EQ(quad("Im(%z)"), "(1.43828 ±0.0479426)  ");
    EXPECT_EQ(quad("abs(%z)-3"), "(0 ±0.1)  ");
    EXPECT_EQ(quad("phase(%z)"), "(0.5)  ");
}

// The option takes no value (the formula may follow it) and lasts one call; the unit
// listing takes it for the value it keeps as the last result.
TEST_F(gauss, option)
{
    EXPECT_EQ(qev({"mc66", "-u", plainunits(), "-S1", "-p", "6", "-g", "(2±0.1)*(3±0.2)"}), "(6 ±0.5)  ");
    EXPECT_EQ(qev({"mc66", "-u", plainunits(), "-S1", "-p", "6", "(2±0.1)*(3±0.2)", "-g"}), "(6 ±0.5)  ");
    EXPECT_EQ(qev({"mc66", "-u", plainunits(), "-S1", "-p", "6", "(2±0.1)*(3±0.2)"}), "(6 ±0.7)  ");
    EXPECT_EQ(qev({"mc66", "-u", plainunits(), "-S1", "-p", "6", "-R", "(2±0.1)*(3±0.2)"}), "");
    EXPECT_EQ(qev({"mc66", "-u", plainunits(), "-S1", "-p", "6", "-gx", "(2±0.1)*(3±0.2)"}), "");

    std::string units = tmpfile_("Units\n#Meter= _$m_1_\n#sq= _~_c(_2_err_0.1_c)_~_c(_3_err_0.2_c)_\n");
    std::string usys = tmpfile_("lib  Meter  Kg  Second  K  C  mol  " + units);
    EXPECT_EQ(qev({"bru", "-u", usys, "-S1", "-p", "6", "-g", "2"}), "sq  6 ");
    EXPECT_NEAR((double)varib[0].err, 0.5, 1e-15);
    EXPECT_EQ(varib[0].nsens, 2u);
    EXPECT_EQ(qev({"bru", "-u", usys, "-S1", "-p", "6", "2"}), "sq  6 ");
    EXPECT_NEAR((double)varib[0].err, 0.7, 1e-15);
    EXPECT_EQ(qev({"bru", "-u", usys, "-S1", "-p", "6", "-g", "-n", "1", "2"}), "sq  ");  // -n takes 1
    EXPECT_EQ(qev({"mtu", "-u", usys, "-g", "(1)   {Meter^(1)} "}), "");                  // no such option
}

// The arena keeps only what is in use: a long sampling with errors stays small, and a
// saved state holds the variables' sensitivities.
TEST_F(gauss, arenaAndState)
{
    setvar('a', 1, 0, 0.1);
    EXPECT_EQ(qev({"mc66", "-g", "-u", plainunits(), "-S1", "-p", "6", "-q", "integ 0 1 300000 x*(2±0.1)+%a*0"}),
              "1 ±0.05 ");
    EXPECT_LT(sensterms(), 1u << 20);

    enginestate before;
    quad("(7±0.2)=q");
    savestate(before);
    quad("(8±0.3)=q");
    EXPECT_FALSE(samenow(before));
    loadstate(before);
    EXPECT_TRUE(samenow(before));
    EXPECT_EQ(quad("%q-%q"), "(0)  ");
    EXPECT_EQ(quad("%q"), "(7 ±0.2)  ");
    enginestate changed = before;
    changed.sens[changed.varib['q'].sens].re += 1;
    EXPECT_FALSE(samestate(before, changed));
}
