// attach_test.cpp - the unit words "$m" "$k" "$s" "$d" "$c" "$n" and the error words.
#include <gtest/gtest.h>

#include <cstring>

#include "base/output.h"
#include "engine/driver.h"
#include "engine/state.h"
#include "support.h"

#define PM "\xC2\xB1"  // the plus-minus sign in the UTF-8 answer

struct textcase {
    const char *formula;
    const char *text;
};

static void expectall(const std::vector<textcase> &cases)
{
    for (const textcase &c : cases) EXPECT_EQ(calc(c.formula), c.text) << c.formula;
}

TEST(attach, units)
{
    expectall({
        {"3 $m 1", "(3)   {Meter^(1)} "},
        {"3 $m 2 $s -1", "(3)   {Meter^(2)} {Second^(-1)} "},
        {"3 $m 1 $m -1", "(3)  "},
        {"1 $k 1 $s 2 $d 3 $c 4 $n 5", "(1)  {Kg^(1)} {Second^(2)} {\xC2\xB0k^(3)} {Coulomb^(4)} {MOLE^(5)} "},
        {"4 $m 0.5", "(4)   {Meter^(0.5)} "},
        // only the real part of the exponent counts: cos(pi/2) in double precision
        {"2 $k ((-1)^0.5)", "(2)  {Kg^(6.12323e-17)} "},
        // the unit binds tighter than the product and the power
        {"2*3 $m 1", "(6)   {Meter^(1)} "},
        {"2 $m 1^3", "(8)   {Meter^(3)} "},
    });
}

TEST(attach, errors)
{
    expectall({
        {"5 err 0.1", "(5 " PM "0.1)  "},
        {"5 err 0.1 err 0.2", "(5 " PM "0.2)  "},
        {"5 err (-0.1)", "(5 " PM "0.1)  "},
        {"(1 err 0.1)+(2 err 0.2)", "(3 " PM "0.3)  "},
        {"(1 err 0.1)-(2 err 0.2)", "(-1 " PM "0.3)  "},
        {"(2 err 0.1)*(3 err 0.2)", "(6 " PM "0.7)  "},
        {"5 $m 1 err 0.1", "unit's error in error addition : (5 " PM "0.1)   {Meter^(1)} "},
        {"5 $m 1 err 0.1 $m 1", "unit's error in error addition : (5 " PM "0.1)   {Meter^(2)} "},
        {"5 $m 1 err (0.1 $m 1)", "(5 " PM "0.1)   {Meter^(1)} "},
    });
}

TEST(attach, messages)
{
    expectall({
        {"3 $m", "nothing to unit (M) : error #1"},
        {"$m 3", "nothing to unit (M) : error #1"},
        {"3 $k", "nothing to unit (k): error #1"},
        {"3 $s", "nothing to unit (s): error #1"},
        {"3 $d", "nothing to unit (degrees K): error #1"},
        {"3 $c", "nothing to unit (coulomb) : error #1"},
        {"3 $n", "nothing to unit (n): error #1"},
        {"sin $m 1", "cant unit comands : error #1"},
        {"3 $n stop", "cant unit comands : error #1"},
        {"5 err", "nothing to error : error #1"},
        {"err 5", "nothing to error : error #1"},
        {"sin err 1", "err error , error addition must be numbers! : error #1"},
        {"5 err stop", "err error , error addition must be numbers! : error #1"},
        {"1+1", "(2)  "},
    });
}

// The word "c" followed by the byte 0xB1 (which a typed sign never becomes: the scanner
// makes it "err") attaches the error as "err" does; the list 5 c± 0.1 is built by hand.
TEST(attach, plusminusword)
{
    renewstreams();
    S = newlm();
    setnum(S, 5);
    lm *w = newlm();
    w->kind = LM_WORD;
    std::strcpy(w->text, "c\xB1");
    insertafter(S, w);
    lm *e = newlm();
    setnum(e, 0.1);
    insertafter(w, e);
    reduce(HANDLESTR_REDUCE);
    EXPECT_EQ(cout2->str(), "(5 \xB1" "0.1)  ");
    EXPECT_EQ(S, nullptr);
}
