// functions_test.cpp - the elementary functions: principal values, branch cuts, error
// rules, units and messages.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <cstring>
#include <functional>

#include "engine/state.h"
#include "support.h"

typedef std::complex<double> cplx;
typedef std::function<cplx(cplx)> cfunc;

#define PM "\xC2\xB1"  // the plus-minus sign in the UTF-8 answer
#define I "((-1)^0.5)"  // the imaginary unit, made without the constant "i"

struct textcase {
    const char *formula;
    const char *text;
};

static void expectall(const std::vector<textcase> &cases)
{
    for (const textcase &c : cases) EXPECT_EQ(calc(c.formula), c.text) << c.formula;
}

// mc66 with complex results as real part "+i * " imaginary part.
static std::string rect(const std::string &formula)
{
    std::string r = qev({"mc66", "-u", plainunits(), "-S1", "-p", "6", "-cr", "-q", formula});
    qev({"mc66", "-u", plainunits(), "-ce", "-q", "0"});
    return r;
}

// A formula for the complex number z (exact decimal digits of both parts).
static std::string number(cplx z)
{
    char buf[100];
    if (z.imag() == 0) std::snprintf(buf, sizeof buf, "(%.17g)", z.real());
    else std::snprintf(buf, sizeof buf, "(%.17g+(%.17g)*" I ")", z.real(), z.imag());
    return buf;
}

// Evaluates a formula and returns the last result as a complex number.
static cplx value(const std::string &formula)
{
    std::string text = calc(formula);
    EXPECT_EQ(text.find("error"), std::string::npos) << formula << " => " << text;
    return std::polar((double)varib[0].mag, (double)varib[0].phase);
}

static void expectnear(cplx got, cplx want, const std::string &what)
{
    double tol = 1e-12 * std::max(1.0, std::abs(want));
    EXPECT_LE(std::abs(got - want), tol) << what << ": got " << got << ", want " << want;
}

static const struct { const char *word; cfunc f; } ONEARG[] = {
    {"exp", [](cplx z) { return std::exp(z); }},
    {"ln", [](cplx z) { return std::log(z); }},
    {"lg10", [](cplx z) { return std::log10(z); }},
    {"sqrt", [](cplx z) { return std::sqrt(z); }},
    {"sin", [](cplx z) { return std::sin(z); }},
    {"cos", [](cplx z) { return std::cos(z); }},
    {"tan", [](cplx z) { return std::tan(z); }},
    {"tg", [](cplx z) { return std::tan(z); }},
    {"asin", [](cplx z) { return std::asin(z); }},
    {"acos", [](cplx z) { return std::acos(z); }},
    {"atan", [](cplx z) { return std::atan(z); }},
    {"abs", [](cplx z) { return cplx(std::abs(z)); }},
    {"conj", [](cplx z) { return std::conj(z); }},
    {"Re", [](cplx z) { return cplx(z.real()); }},
    {"Im", [](cplx z) { return cplx(z.imag()); }},
};

// Every quadrant, both real half-axes and the imaginary axis; -1+i is held with the
// phase -5pi/4, outside (-pi, pi].
static const cplx POINTS[] = {{0.5, 0.5}, {-0.5, 0.5}, {-0.5, -0.5}, {0.5, -0.5}, {-1, 1}, {2, -3},
                              {-3, 0.25}, {0.3, 0},    {-0.7, 0},   {0, 0.8},    {1.7, 0}};

TEST(functions, principalvalues)
{
    for (const auto &fn : ONEARG)
        for (cplx z : POINTS) {
            std::string f = std::string(fn.word) + number(z);
            expectnear(value(f), fn.f(z), f);
        }
}

TEST(functions, logtobase)
{
    const cplx bases[] = {{2, 0}, {0.5, 0}, {10, 0}, {-2, 0}, {1, 1}, {0, 3}};
    for (cplx a : bases)
        for (cplx b : POINTS) {
            std::string f = "log " + number(a) + " " + number(b);
            expectnear(value(f), std::log(b) / std::log(a), f);
        }
}

// r*e^(i*theta) as a formula, for values close to a cut.
static std::string polar(double r, double theta)
{
    char buf[100];
    std::snprintf(buf, sizeof buf, "(%.17g*exp((%.17g)*" I "))", r, theta);
    return buf;
}

// Values on each side of every cut, compared at the value the engine holds.
TEST(functions, branchcuts)
{
    const double d = 1e-9, h = M_PI / 2;
    const struct { const char *word; cfunc f; std::string z[4]; } SIDES[] = {
        {"ln", [](cplx z) { return std::log(z); }, {polar(1, M_PI - d), polar(1, d - M_PI), polar(4, M_PI - d), polar(4, d - M_PI)}},
        {"sqrt", [](cplx z) { return std::sqrt(z); }, {polar(1, M_PI - d), polar(1, d - M_PI), polar(4, M_PI - d), polar(4, d - M_PI)}},
        {"asin", [](cplx z) { return std::asin(z); }, {polar(2, d), polar(2, -d), polar(2, M_PI - d), polar(2, d - M_PI)}},
        {"acos", [](cplx z) { return std::acos(z); }, {polar(2, d), polar(2, -d), polar(2, M_PI - d), polar(2, d - M_PI)}},
        {"atan", [](cplx z) { return std::atan(z); }, {polar(2, h - d), polar(2, h + d), polar(2, d - h), polar(2, -h - d)}},
    };
    for (const auto &c : SIDES)
        for (const std::string &arg : c.z) {
            cplx z = value(arg);
            std::string f = c.word + arg;
            expectnear(value(f), c.f(z), f);
        }
}

// On a cut a real number counts as lying on its upper side and an imaginary one on its
// right side (a zero part of +0), whatever phase the engine holds: -1 made by 2-3 has
// the phase -pi, -2i made by (-2)*i the phase 3pi/2.
TEST(functions, oncut)
{
    const struct { const char *formula; cplx want; } CASES[] = {
        {"ln(-1)", std::log(cplx(-1, 0.0))},       {"ln(2-3)", std::log(cplx(-1, 0.0))},
        {"sqrt(-4)", std::sqrt(cplx(-4, 0.0))},    {"sqrt(2-6)", std::sqrt(cplx(-4, 0.0))},
        {"asin(2)", std::asin(cplx(2, 0.0))},      {"asin(-2)", std::asin(cplx(-2, 0.0))},
        {"asin(1-3)", std::asin(cplx(-2, 0.0))},   {"acos(2)", std::acos(cplx(2, 0.0))},
        {"acos(-2)", std::acos(cplx(-2, 0.0))},    {"acos(1-3)", std::acos(cplx(-2, 0.0))},
        {"atan(2*" I ")", std::atan(cplx(0.0, 2))}, {"atan((-2)*" I ")", std::atan(cplx(0.0, -2))},
    };
    for (const auto &c : CASES) expectnear(value(c.formula), c.want, c.formula);
}

TEST(functions, results)
{
    expectall({
        {"exp(0)", "(1)  "},
        {"exp(4*atan(1)*" I ")", "(-1)  "},
        {"ln(1)", "(0)  "},
        {"ln(-1)", "(3.14159*exp(i*1.5708))  "},
        {"ln(0)", "(-inf)  "},
        {"lg10(0.01)", "(-2)  "},
        {"log 2 8", "(3)  "},
        {"log(2)(8)", "(3)  "},
        {"log 0.5 8", "(-3)  "},
        {"sqrt(4 $m 2)", "(2)   {Meter^(1)} "},
        {"sqrt(-4)", "(2*exp(i*1.5708))  "},
        {"sqrt(0)", "(0)  "},
        {"sin(" I ")", "(1.1752*exp(i*1.5708))  "},
        {"cos(" I ")", "(1.54308)  "},
        {"sin(2*atan(1))", "(1)  "},
        {"asin(0.5)", "(0.523599)  "},
        {"acos(0.5)", "(1.0472)  "},
        {"asin(-0.5)", "(-0.523599)  "},
        {"atan(1)", "(0.785398)  "},
        {"atan(-1)", "(-0.785398)  "},
        {"tg(4*atan(1)/4)", "(1)  "},
        {"atanr(-1) 0", "(-3.14159)  "},
        {"atanr 0 1", "(1.5708)  "},
        {"atanr(-1) 1", "(-3.92699)  "},
        {"atanr 1 (-1)", "(-0.785398)  "},
        {"atanr(3*" I ") 1", "(1.5708)  "},
        {"Re(-3)", "(-3)  "},
        {"Im(2*" I ")", "(2)  "},
        {"abs(-3)", "(3)  "},
        {"conj(2*" I ")", "(2*exp(i*-1.5708))  "},
        {"phase(" I ")", "(1.5708)  "},
        {"phase(2-5)", "(-3.14159)  "},
        {"abs(3 $m 1)", "(3)  "},
        {"Re(3 $m 1) conj(3 $m 1) Im(3 $m 1) phase(3 $m 1)", "(3)  (3)  (0)  (0)  "},
        {"sin 0.5+1", "(1.47943)  "},
    });
    EXPECT_EQ(rect("sin(1+" I ")"), "(1.29846+i * 0.634964)  ");
    EXPECT_EQ(rect("cos(1+" I ")"), "(0.83373+i * -0.988898)  ");
    EXPECT_EQ(rect("asin(0.5+0.5*" I ")"), "(0.452278+i * 0.530638)  ");
    EXPECT_EQ(rect("acos(0.5+0.5*" I ")"), "(1.11852+i * -0.530638)  ");
    EXPECT_EQ(qev({"mc66", "-u", plainunits(), "lg10(1000)"}), "(3.000000000000e+00)  ");
    EXPECT_EQ(qev({"mc66", "-u", plainunits(), "ln(10)/lg10(10)"}), "(2.302585092994e+00)  ");
}

TEST(functions, errors)
{
    expectall({
        {"exp(1 err 0.1)", "(2.71828 " PM "0.271828)  "},
        {"ln(2 err 0.1)", "(0.693147 " PM "0.05)  "},
        {"ln(-2 err 0.1)", "(3.21715*exp(i*1.35364) " PM "0.05)  "},
        {"lg10(100 err 1)", "(2 " PM "0.00434294)  "},
        {"log 2 (8 err 1)", "(3 " PM "0.180337)  "},
        {"log (2 err 0.1) 8", "(3 " PM "0.216404)  "},
        {"log (2 err 0.1) (8 err 1)", "(3 " PM "0.396741)  "},
        {"sqrt(4 err 0.4)", "(2 " PM "0.1)  "},
        {"sin(1 err 0.1)", "(0.841471 " PM "0.0540302)  "},
        {"cos(1 err 0.1)", "(0.540302 " PM "0.0841471)  "},
        {"tan(1 err 0.1)", "(1.55741 " PM "0.342552)  "},
        {"asin(0.6 err 0.1)", "(0.643501 " PM "0.125)  "},
        {"acos(0.6 err 0.1)", "(0.927295 " PM "0.125)  "},
        {"asin(2 err 0.1)", "(2.04982*exp(i*0.697722) " PM "1.5708)  "},
        {"atan(1 err 0.1)", "(0.785398 " PM "0.05)  "},
        {"atanr (1 err 0.1) (1 err 0.1)", "(0.785398)  "},
        {"abs(-3 err 0.1)", "(3 " PM "0.1)  "},
        {"Re(-3 err 0.1)", "(-3 " PM "0.1)  "},
        {"phase((2*" I ") err 0.1)", "(1.5708 " PM "0.05)  "},
        // exact arguments give exact results, also where the derivative is infinite
        {"ln(0) sqrt(0) asin(1) acos(1) phase(0)", "(-inf)  (0)  (1.5708)  (0)  (0)  "},
        {"asin(2) atan(2) exp(1000) tan(2*atan(1))", "(2.04982*exp(i*0.697722))  (1.10715)  (inf)  (1.63312e+16)  "},
    });
}

// A phase beyond 2pi is reduced for the logarithm: e^(i*7pi/2) is -i.
TEST(functions, storedphase)
{
    expectnear(value("ln(" I "^7)"), cplx(0, -M_PI / 2), "ln(i^7)");
    expectnear(value("sqrt(" I "^7)"), std::sqrt(cplx(0, -1)), "sqrt(i^7)");
    EXPECT_EQ(calc("phase(" I "^7)"), "(10.9956)  ");
}

TEST(functions, units)
{
    const char *warned[][2] = {
        {"exp", "exp of units : devide the power by something with the same units a good example is "
                "exp(4 Joule/(503.15 {\xC3\xB8k^(1)} R))"},
        {"ln", "ln of units :devide by something with the same units example is "
               "ln(4 Joule/(503.15 {\xC3\xB8k^(1)} R)) "},
        {"lg10", "log10 of units :devide by something with the same units example is "
                 "log(4 Joule/(503.15 {\xC3\xB8k^(1)} R)) "},
    };
    for (const auto &w : warned)
        EXPECT_EQ(calc(std::string(w[0]) + "(1 $m 1)").substr(0, std::strlen(w[1])), w[1]) << w[0];
    EXPECT_EQ(calc("exp(1 $m 1)"), std::string(warned[0][1]) + "(2.71828)  ");
    for (const char *f : {"sin", "cos", "tan", "asin", "acos", "atan"}) {
        std::string hint = std::string(f) + " of units :devide by something with the same units example is " + f +
                           "(4 Joule/(503.15 {\xC3\xB8k^(1)} R)) ";
        std::string word = std::string(f) == "tan" ? "tg" : f;
        EXPECT_EQ(calc(word + "(0.5 $s -1)"), hint + calc(word + "(0.5)")) << f;
    }
    for (const char *f : {"log 2", "sqrt", "abs", "conj", "Re", "Im", "phase", "atanr 1"}) {
        std::string text = calc(std::string(f) + " (4 $k 1)");
        EXPECT_EQ(text.find("units"), std::string::npos) << f << " => " << text;
    }
    EXPECT_EQ(calc("sqrt(9 $m 1 $s (-3))"), "(3)   {Meter^(0.5)} {Second^(-1.5)} ");
}

TEST(functions, messages)
{
    expectall({
        {"exp", "nothing to exp : error #1"},         {"exp stop", "cant exp comands : error #1"},
        {"ln", "nothing to ln : error #1"},           {"ln stop", "cant ln comands : error #1"},
        {"lg10", "nothing to log10 : error #1"},      {"lg10 stop", "cant log10 comands : error #1"},
        {"sqrt", "nothing to sqrt : error #1"},       {"sqrt stop", "cant sqrt comands : error #1"},
        {"sin", "nothing to sin : error #1"},         {"sin stop", "cant sin comands : error #1"},
        {"cos", "nothing to cos : error #1"},         {"cos stop", "cant cos comands : error #1"},
        {"tan", "nothing to tan : error #1"},         {"tan stop", "cant tan comands : error #1"},
        {"tg", "nothing to tan : error #1"},          {"tg stop", "cant tan comands : error #1"},
        {"asin", "nothing to asin : error #1"},       {"asin stop", "cant asin comands : error #1"},
        {"acos", "nothing to acos : error #1"},       {"acos stop", "cant acos comands : error #1"},
        {"atan", "nothing to atan : error #1"},       {"atan stop", "cant atan comands : error #1"},
        {"abs", "nothing to abs : error #1"},         {"abs stop", "cant abs comands : error #1"},
        {"conj", "nothing to Conj : error #1"},       {"conj stop", "cant Conj comands : error #1"},
        {"Re", "nothing to Re : error #1"},           {"Re stop", "cant Re comands : error #1"},
        {"Im", "nothing to Im : error #1"},           {"Im stop", "cant Im comands : error #1"},
        {"phase", "phase of nothing : error #1"},     {"phase stop", "cant get phase of comands use (): error #1"},
        {"log", "nothing to log : error #1"},         {"log 2", "nothing to log : error #1"},
        {"log stop", "nothing to log : error #1"},    {"log 2 stop", "cant log comands : error #1"},
        {"log stop 2", "cant log comands : error #1"},
        {"atanr", "nothing to log : error #1"},       {"atanr 1", "nothing to log : error #1"},
        {"atanr 1 stop", "cant atanr comands : error #1"},
        {"log10 100", "syntax error , dont know how to log10 : error #1"},
        {"sin(0)", "(0)  "},
    });
}
