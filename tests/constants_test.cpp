// constants_test.cpp - constants, the random word, the comma, variables, function
// calls, "setxy" and "dln".
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/state.h"
#include "support.h"

TEST(constants, values)
{
    EXPECT_EQ(calc("pi"), "(3.14159)  ");
    EXPECT_EQ(calc("e"), "(2.71828)  ");
    EXPECT_EQ(calc("E"), "(2.71828)  ");
    EXPECT_EQ(calc("i"), "(1*exp(i*1.5708))  ");
    EXPECT_EQ(qev({"mc66", "-u", plainunits(), "-q", "e"}), "(2.718281828459e+00)  ");
    // constants bind before any operator of their level
    EXPECT_EQ(calc("2^pi/pi^2"), calc("(2^pi)/(pi^2)"));
}

TEST(constants, commaLeavesTwoValues)
{
    EXPECT_EQ(calc("3 , 4"), "(3)  (4)  ");
    EXPECT_EQ(calc("3 ,"), "nothing after , : error #1");
    EXPECT_EQ(calc("3 , %z"), "comma error try not to use the comma : error #1");
}

TEST(constants, variables)
{
    EXPECT_EQ(calc("5=a"), "(5)  ");
    EXPECT_EQ(calc("%a*2"), "(10)  ");
    EXPECT_EQ(calc("=b"), "(10)  ");      // at the head: the last result
    EXPECT_EQ(calc("%b+%a"), "(15)  ");
    EXPECT_EQ(calc("7=\xC3\xA9"), "(7)  ");  // a name above 127
    EXPECT_EQ(calc("%\xC3\xA9"), "(7)  ");
    EXPECT_EQ(varib[0xE9].mag, 7);
    EXPECT_EQ(calc("%w"), "");            // never stored: an empty node
    // a variable stored before an error keeps its value
    EXPECT_EQ(calc("3=c+stop"), "error #1");
    EXPECT_EQ(calc("%c"), "(3)  ");
}

TEST(constants, recallOfARecallWordEnds)
{
    EXPECT_EQ(calc("%v(=v)"), "");
    EXPECT_EQ(calc("1+1"), "(2)  ");
}

TEST(constants, functionCalls)
{
    std::string f = tmpfile_("Functions\n#sq= (%0^2_+_1)_func_1_\n#add2= (%0_+_%1)_func_2_\n");
    auto fcalc = [&](const std::string &x) { return calc(x, f); };
    EXPECT_EQ(fcalc("sq(3)"), "(10)  ");
    EXPECT_EQ(fcalc("add2(1,2)"), "(3)  ");
    // the closing bracket of an argument list restores the level before it
    EXPECT_EQ(fcalc("1+sq(1)*3"), "(7)  ");
    EXPECT_EQ(fcalc("2*sq(1)^2"), "(8)  ");
    EXPECT_EQ(fcalc("sq(sq(1))*2"), "(10)  ");
    // a count larger than the values that follow stops at the end of the list; the
    // missing argument reads the digit variable
    EXPECT_EQ(fcalc("add2(5)"), "(7)  ");
    EXPECT_EQ(calc("2 func"), "nothing after func : error #1");
    EXPECT_EQ(calc("(2) func 1e12"), "(2)  ");
    // without -f the name is unknown
    EXPECT_EQ(calc("sq(3)"), "syntax error , dont know how to sq : error #1");
}

// Each call reads its own arguments, also when calls nest or sit in another call's
// argument list; afterwards the digit variables hold the last call's arguments.
TEST(constants, callsReadTheirOwnArguments)
{
    std::string f = tmpfile_("Functions\n#sq= (%0^2_+_1)_func_1_\n#add2= (%0_+_%1)_func_2_\n"
                             "#f= (sq(%0)*2)_func_1_\n#g= (%0-%1)_func_2_\n#h= (sq(%0+1)-%1)_func_2_\n");
    auto fcalc = [&](const std::string &x) { return calc(x, f); };
    const char *cases[][2] = {
        {"sq(3)+sq(4)", "(27)  "},      {"sq(sq(2))", "(26)  "},     {"add2(sq(1),sq(2))", "(7)  "},
        {"f(3)", "(20)  "},             {"f(1)+f(2)", "(14)  "},     {"g(5,2)+g(1,1)", "(3)  "},
        {"h(1,3)*h(2,0)", "(20)  "},    {"sq(f(1))", "(17)  "},      {"2*sq(3)-sq(2)", "(15)  "},
    };
    for (auto &c : cases) EXPECT_EQ(fcalc(c[0]), c[1]) << c[0];
    EXPECT_EQ(fcalc("sq(2) + (%0)"), "(7)  ");
}

TEST(constants, setxyAndDln)
{
    EXPECT_EQ(calc("setxy 1 2 x+y"), "(3)  ");
    EXPECT_EQ(calc("setxy 1 2"), "");
    EXPECT_EQ(calc("5 + setxy 1 2 x*y"), "(2)  ");
    EXPECT_EQ(calc("setxy 1"), "nothing to setxy : error #1");
    EXPECT_EQ(calc("setxy 1 %z"), "setxy must have 2 numerical parameters : error #1");
    EXPECT_EQ(calc("2 dln 3"), "(2)  ");
    EXPECT_EQ(calc("2 dln"), "(2)  ");
}

// Draws with the start-up table are uniform on [0, 1).
TEST(constants, rndIsUniform)
{
    std::srand(12345);
    int bins[10] = {};
    const int n = 4000;
    for (int k = 0; k < n; k++) {
        std::string drawn = calc("rnd=r");
        ASSERT_EQ(drawn, calc("%r"));
        double v = (double)varib[(unsigned char)'r'].mag;
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 1);
        bins[(int)(v * 10)]++;
    }
    // each bin expects 400 with a standard deviation of 19: 120 is over six of them
    for (int b : bins) EXPECT_NEAR(b, n / 10, 120);
}

TEST(constants, rndWithoutDensityEnds)
{
    float saved = randmax;
    randmax = 0;
    EXPECT_EQ(calc("rnd"), "rnd has no positive density , see setrandf : error #1");
    randmax = saved;
    EXPECT_EQ(calc("1+1"), "(2)  ");
}
