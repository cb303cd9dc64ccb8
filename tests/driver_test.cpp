// driver_test.cpp - priorities, brackets, unary minus and the reduction order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

#include "support.h"

namespace {

struct answer {
    const char *formula;
    const char *expected;
};

// Binary operators by how tightly they bind: a higher rank is reduced first, equal
// ranks from the left; "min", "max" and "zer" wait until every other word has gone.
// 'value' is what each computes on real operands.
struct binop {
    const char *text;
    int rank;
    double (*value)(double, double);
};
const binop OPS[] = {
    {" min ", 0, [](double a, double b) { return std::min(a, b); }},
    {" max ", 0, [](double a, double b) { return std::max(a, b); }},
    {" zer ", 0, [](double a, double b) { return std::abs(b) < std::abs(a) ? b : a; }},
    {"+", 1, [](double a, double b) { return a + b; }},
    {"-", 1, [](double a, double b) { return a - b; }},
    {"*", 2, [](double a, double b) { return a * b; }},
    {"/", 2, [](double a, double b) { return a / b; }},
    {"^", 3, [](double a, double b) { return a > 0 ? std::pow(a, b) : NAN; }},
    {" root ", 3, [](double a, double b) { return b > 0 ? std::pow(b, 1 / a) : NAN; }},
    {" @ ", 4, [](double a, double b) { return a + b; }},
    {" ~ ", 5, [](double a, double b) { return a * b; }},
};

// The value of an answer "(v)  ", NaN for any other answer.
double valueof(const std::string &answer)
{
    if (answer.empty() || answer[0] != '(') return NAN;
    char *end;
    double v = std::strtod(answer.c_str() + 1, &end);
    return std::string(end) == ")  " ? v : NAN;
}

}  // namespace

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

// "a op1 b op2 c" groups as the ranks say, for the first operands with which the two
// groupings differ.
TEST(driver, operatorPairs)
{
    static const double TRIPLES[][3] = {{7, 3, 2}, {2, 3, 5}, {5, 0.5, 3}, {3, 4, 0.25}};
    int decisive = 0;
    for (const binop &l : OPS)
        for (const binop &r : OPS)
            for (const auto &t : TRIPLES) {
                double left = r.value(l.value(t[0], t[1]), t[2]), right = l.value(t[0], r.value(t[1], t[2]));
                if (!std::isfinite(left) || !std::isfinite(right) || std::abs(left - right) <= 1e-4 * std::abs(left))
                    continue;
                decisive++;
                std::ostringstream f;
                f << t[0] << l.text << t[1] << r.text << t[2];
                double want = l.rank >= r.rank ? left : right;
                std::string got = calc(f.str());
                EXPECT_NEAR(valueof(got), want, 1e-5 * std::abs(want)) << f.str() << " gave " << got;
                break;
            }
    EXPECT_GT(decisive, 90);
}

// A minus after a word is the number -1 times what follows, binding like "*"; after
// ")", "}", "x" and "y" a "+" goes before it; after "%" words, "pi" and "e" it subtracts;
// at the head it binds tighter than every operator.
TEST(driver, minusRewriting)
{
    static const answer CASES[] = {
        {"-3+5", "(2)  "},          {"-2^2", "(4)  "},          {"-(2+3)", "(-5)  "},
        {"2^-1", "(0.5)  "},        {"3--2", "(5)  "},          {"2*-(1+1)", "(-4)  "},
        {"(-2)^2", "(4)  "},        {"sin-1", "(-0.841471)  "}, {"(1)-3", "(-2)  "},
        {"setxy 5 0 x-3", "(2)  "}, {"setxy 0 5 y-1", "(4)  "}, {"pi-1", "(2.14159)  "},
        {"e - 1", "(1.71828)  "},   {"2 {$m 1}-1", "unit's error in adding : (1)   {Meter^(1)} "},
        {"4-1-1", "(2)  "},         {"4-(1-1)", "(4)  "},
    };
    for (const answer &c : CASES) EXPECT_EQ(calc(c.formula), c.expected) << c.formula;
    EXPECT_EQ(calc("5=a"), "(5)  ");
    EXPECT_EQ(calc("%a-1"), "(4)  ");
}

// "{" reads as a product with the number 1: the unit words inside act on that 1, and
// the product with the value before the brace comes after all inside, but before "+".
TEST(driver, braces)
{
    static const answer CASES[] = {
        {"2 {$m 1}", "(2)   {Meter^(1)} "},
        {"2 {$m 1 $s -1}", "(2)   {Meter^(1)} {Second^(-1)} "},
        {"2^2 {$m 1}", "(4)   {Meter^(1)} "},
        {"2+3 {$m 1}", "unit's error in adding : (5)  "},
        {"3 {2+1}", "(3)  (3)  "},
        {"2 {$m 2} {$k 1}", "(2)   {Meter^(2)} {Kg^(1)} "},
        {"}2", "(2)  "},
    };
    for (const answer &c : CASES) EXPECT_EQ(calc(c.formula), c.expected) << c.formula;
}

// A call reduces its argument list first and binds its own placeholders before anything
// else can read them, nested calls and calls in operands included.
TEST(driver, callPriorities)
{
    std::string f = tmpfile_("Functions\n#sq= (%0^2_+_1)_func_1_\n#add2= (%0_+_%1)_func_2_\n");
    static const answer CASES[] = {
        {"add2(sq(2), sq(3))", "(15)  "}, {"sq(add2(1,2))", "(10)  "}, {"add2(1, add2(2,3))", "(6)  "},
        {"2^sq(1)", "(4)  "},             {"sq(2)^2", "(25)  "},       {"sq(2)-1", "(4)  "},
        {"1-sq(2)", "(-4)  "},            {"add2(2,3)*add2(1,1)", "(10)  "},
        {"sq(add2(sq(1),1))", "(10)  "},
    };
    for (const answer &c : CASES) EXPECT_EQ(calc(c.formula, f), c.expected) << c.formula;
}

// Words at -3 and below (eleven unbalanced closing brackets bring "+" there) are printed
// as text; a word without an operation stops the evaluation with the syntax error.
TEST(driver, leftoversAndUnknownWords)
{
    EXPECT_EQ(calc("2))))))))))+3"), "(5)  ");
    EXPECT_EQ(calc("2)))))))))))+3"), "(2)  c+ (3)  ");
    EXPECT_EQ(calc("2+frob"), "syntax error , dont know how to frob : error #1");
    EXPECT_EQ(calc("1+1 stop"), "error #1");
    EXPECT_EQ(calc("log10 2"), "syntax error , dont know how to log10 : error #1");
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
