// scanner_test.cpp - preparing formula text: operator words, numbers, quotes, line
// ends, long tokens, name expansion from the library files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "engine/state.h"
#include "support.h"

// A unit system whose units file holds 'entries'.
static std::string unitsystem(const std::string &entries)
{
    return tmpfile_("test Meter Kg Second K Coulomb MOLE " + tmpfile_("Units\n" + entries));
}

static std::string withunits(const std::string &entries, const std::string &formula)
{
    return qev({"mc66", "-u", unitsystem(entries), "-S1", "-p", "6", "-q", formula});
}

TEST(scanner, numbers)
{
    EXPECT_EQ(calc("1e-5"), "(1e-05)  ");
    EXPECT_EQ(calc("2E+3"), "(2000)  ");
    EXPECT_EQ(calc(".5*4"), "(2)  ");
    EXPECT_EQ(calc("e+1"), "syntax error , dont know how to e+1 : error #1");
}

TEST(scanner, quotesAndLineEnds)
{
    EXPECT_EQ(calc("\"2+3\""), "(5)  ");
    EXPECT_EQ(calc("1+2\n+5"), "(3)  ");
    EXPECT_EQ(calc("1+2\r+5"), "(3)  ");
    EXPECT_EQ(calc("\n5"), "(5)  ");
    EXPECT_EQ(calc("  "), "");
    EXPECT_EQ(calc("()"), "");
}

TEST(scanner, longTokensLoseTheir50thCharacter)
{
    std::string name(60, 'a');
    for (int k = 0; k < 60; k++) name[k] = "abcdefghij"[k % 10];
    EXPECT_EQ(calc(name), "syntax error , dont know how to " + name.substr(0, 49) + " : error #1");
}

TEST(scanner, degreeSign)
{
    std::string f = tmpfile_("Functions\n#Dg= (2)_func_0_\n");
    EXPECT_EQ(qev({"mc66", "-u", plainunits(), "-S1", "-p", "6", "-f", f, "3*\xC2\xB0g"}), "(6)  ");
    EXPECT_EQ(calc("3*\xC2\xB0g"), "syntax error , dont know how to g : error #1");
    EXPECT_EQ(calc("5\xC2\xB0"), "(5)  ");
}

TEST(scanner, missingUnitsFileIsReportedPerLetter)
{
    std::string usys = tmpfile_("test Meter Kg Second K Coulomb MOLE /nonexistent/units");
    EXPECT_EQ(qev({"mc66", "-u", usys, "-S1", "-p", "6", "2+3*4"}),
              "Could'nt open units file /nonexistent/units\n"
              "Could'nt open units file /nonexistent/units\n(14)  ");
}

TEST(scanner, unitNamesExpand)
{
    EXPECT_EQ(withunits("#dozen= _~_12_\n", "2 dozen"), "(24)  ");
    // names are also found at the tail of a longer word
    EXPECT_EQ(withunits("#zen= _~_12_\n", "2 dozen"), "cant * comands : error #1");
    // a body may use further names
    EXPECT_EQ(withunits("#dozen= _~_12_\n#gross= _~_12_dozen_\n", "1 gross"), "(144)  ");
}

TEST(scanner, lookupComparesWholeEntries)
{
    // a short entry must not hide the entry after it from longer names
    EXPECT_EQ(withunits("#k=3#kmh=9", "kmh"), "(9)  ");
    EXPECT_EQ(withunits("#k=3#kmh=9", "2*k"), "(6)  ");
    // the first entry of a name wins
    EXPECT_EQ(withunits("#w= _2_\n#w= _3_\n", "w"), "(2)  ");
}

TEST(scanner, engineWordsAreNotSplitByNames)
{
    // a unit "p" must not turn "stop" into "sto" and a unit
    EXPECT_EQ(withunits("#p= _~_2_\n", "1 stop"), "error #1");
    EXPECT_EQ(withunits("#p= _~_2_\n", "1 p"), "(2)  ");
}

// A plus-minus sign in a function body attaches its error, as in a typed formula.
TEST(scanner, plusMinusInBodies)
{
    const std::string fns = tmpfile_("Functions\n#pm= (%0\xB1" "0.1)_func_1_\n#cst= (2\xB1" "0.5)_func_0_\n"
                                     "#tw= (%0_*_%1\xB1%1)_func_2_\n");
    static const struct { const char *formula, *answer; } CASES[] = {
        {"pm(5)", "(5 \xC2\xB1" "0.1)  "},
        {"pm(5)+pm(1)", "(6 \xC2\xB1" "0.2)  "},
        {"cst*2", "(4 \xC2\xB1" "1)  "},
        {"tw(3,0.1)", "(0.3 \xC2\xB1" "0.3)  "},
        {"pm(5) err 0.3", "(5 \xC2\xB1" "0.3)  "},
    };
    for (const auto &c : CASES) EXPECT_EQ(calcboth(c.formula, fns), c.answer) << c.formula;
}

TEST(scanner, endlessExpansionIsRefused)
{
    std::string r = withunits("#zz= _zz_\n", "zz");
    EXPECT_NE(r.find("error #1"), std::string::npos) << r;
    EXPECT_EQ(withunits("#zz= _1_\n", "1+1"), "(2)  ");
}

TEST(scanner, tooLongFormulaIsRefused)
{
    std::string f;
    for (int k = 0; k < 300; k++) f += "1+";
    f += "1";
    EXPECT_EQ(calc(f), "formula too long : error #1");
    EXPECT_EQ(withunits("#big= _" + std::string(990, '1') + "_\n", "big"), "formula too long : error #1");
    EXPECT_EQ(calc("1+1"), "(2)  ");
}

// Numbers convert exactly as the library's decimal conversion does.
TEST(scanner, numbersConvertAsTheLibraryDoes)
{
    std::mt19937 rng(7);
    std::vector<std::string> texts = {"0", "0.0", "00012", "1.", ".5", "0.1", "0.3", "123456789012345",
                                      "1234567890123456", "0.000000000000000000001", "9007199254740993",
                                      "3.141592653589793", "2.2250738585072014", "1e-5", "2E+3", "5.5.5", "7abc"};
    for (int k = 0; k < 2000; k++) {
        std::string t = std::to_string(rng() % 100000000);
        t.insert(rng() % (t.size() + 1), ".");
        texts.push_back(t);
    }
    for (const std::string &t : texts) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "(%.20e)  ", std::atof(t.c_str()));
        EXPECT_EQ(qev({"mc66", "-u", plainunits(), "-S2", "-p", "20", "-q", t}), expected) << t;
    }
}

// What the tokeniser passes over is noted: characters that begin no token, and the ends
// of numbers the decimal conversion does not read; what a name expansion takes is not.
TEST(scanner, passedOverIsNoted)
{
    struct {
        const char *formula;
        std::vector<std::pair<std::string, size_t>> passed;
    } cases[] = {
        {"2 & 3", {{"&", 0}}},
        {"5.3.2", {{"5.3.2", 3}}},
        {"2pi", {{"2pi", 1}}},
        {"4i+1", {{"4i", 1}}},
        {"5\xC2\xB5m", {{"5\xB5", 1}}},  // the name at the end of the word is expanded
        {"5 \xC2\xB5" "F", {{"\xB5", 0}}},  // µ at the start of a word
        {"1e-5 * 2E+3", {}},
        {"5m", {}},
    };
    for (const auto &c : cases) {
        withunits("#m= _$m_1_\n#F= _$c_1_\n", c.formula);
        std::vector<std::pair<std::string, size_t>> got;
        for (const printrecord::passed &p : lastprint.passedover) got.emplace_back(p.text, p.read);
        EXPECT_EQ(got, c.passed) << c.formula;
    }
    calc(std::string(100, '&'));
    EXPECT_EQ(lastprint.passedover.size(), (size_t)printrecord::MAXPASSED);
}
