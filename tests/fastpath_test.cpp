// fastpath_test.cpp - the fast paths (kept library entries, the settled prefix of the
// reduction driver, folded analysis samples) against the plain evaluation, on
// generated formulas, with the library edited between formulas.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/state.h"
#include "support.h"

namespace {

// A generator of formulas: numbers, constants, units, variables, user functions,
// functions, operators, errors, brackets, and now and then an analysis word or a fault.
struct generator {
    std::mt19937 rng{20261208};
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    std::string number()
    {
        static const char *const N[] = {"0", "1", "2", "3", "0.5", "1e-3", "2.5E+2", "7", "10", "0.25", "-1", "-2.5"};
        return N[pick(12)];
    }
    std::string atom(int depth)
    {
        static const char *const A[] = {"pi", "e", "i", "x", "%a", "%b", "5 ft", "2 km", "3 kg", "1 s",
                                        "4 N", "100 degC", "2 mph", "1 u1", "3 u2", "%q", "5ft", "2kft",
                                        "2 u3", "tw(3)", "\xC2\xB0q(2)", "1 loop", "3 ue", "pe(2)"};
        switch (pick(depth > 2 ? 4 : 10)) {
        case 0: case 1: return number();
        case 2: return A[pick(24)];
        case 3: return "x";
        case 4: {
            static const char *const F[] = {"sin", "cos", "sqrt", "ln", "exp", "abs", "Re", "Im", "atan", "conj"};
            return std::string(F[pick(10)]) + "(" + expr(depth + 1) + ")";
        }
        case 5: return "(" + expr(depth + 1) + ")";
        case 6: return "sq(" + expr(depth + 1) + ")";
        case 7: return "add2(" + expr(depth + 1) + "," + expr(depth + 1) + ")";
        case 8: return "-" + atom(depth + 1);
        default: return number() + " err " + number();
        }
    }
    std::string expr(int depth)
    {
        static const char *const OPS[] = {"+", "-", "*", "/", "^", "+", "*", "-", " min ", " max ", " zer ",
                                          " $m ", "\xC2\xB1", " root ", "*", "/"};
        std::string s = atom(depth);
        int terms = pick(depth > 2 ? 2 : 4);
        for (int k = 0; k < terms; k++) s += OPS[pick(16)] + atom(depth + 1);
        return s;
    }
    std::string formula()
    {
        static const char *const KW[] = {"plot", "setrandf", "findx", "findzer", "findmin", "findmax", "integ"};
        static const char *const N[] = {"0", "1", "2", "3", "4", "7", "2.5", "10", "33"};
        switch (pick(12)) {
        case 0: case 1: case 2:
            return std::string(KW[pick(7)]) + " " + N[pick(9)] + " " + N[pick(9)] + " " + N[pick(9)] + " " + expr(1);
        case 3: return expr(0) + "=a";
        case 4: return expr(0) + "=b";
        case 5: return expr(0) + " , " + expr(1);
        case 6: return expr(0) + (pick(2) ? ")" : "(");
        case 7: {  // long ones, to or beyond the size of the working buffer
            std::string s = "1";
            for (int k = 8 + pick(30); k > 0; k--) s += pick(3) ? "+2 ft" : "+tw(1)";
            return s;
        }
        default: return expr(0);
        }
    }
};

}  // namespace

TEST(fastpath, sameAnswersAsPlainEvaluation)
{
    std::ifstream shipped(QEV_BUILD "/data/qev.units");
    std::stringstream units;
    units << shipped.rdbuf();
    std::string unitsfile = tmpfile_(units.str() + "#u1= _~_3_m_\n#u3= _~_2_u1_\n#kft= _~_1000_ft_\n#loop= _~_2_loop_\n"
                                                    "#ue= _~_c(_2_err_0.1_c)_u1_\n");
    std::string usys = tmpfile_("SI m kg s K C mol " + unitsfile);
    std::string fns = tmpfile_("Functions\n#sq= (%0^2_+_1)_func_1_\n#add2= (%0_+_%1)_func_2_\n"
                               "#tw= (%0_*_2ft_+_1_u3)_func_1_\n#Dq= (%0_*_3)_func_1_\n"
                               "#pe= (%0_*_(3\xB1" "0.2)_+_1_ue)_func_1_\n");

    generator g;
    enginestate start, fast, plain;
    int analysed = 0;
    for (int n = 0; n < 3000; n++) {
        if (n % 97 == 0) qev({"anu", "-u", usys, "-name", "u" + std::to_string(n + 2), "-mult", std::to_string(n), "-unit", "m/s"});
        if (n % 250 == 125) {  // the same entries written anew: same size, new time
            std::ifstream in(unitsfile);
            std::stringstream all;
            all << in.rdbuf();
            in.close();
            std::ofstream(unitsfile) << all.str();
        }
        std::string f = g.formula();
        std::vector<std::string> args = {"mc66", "-u", usys, "-f", fns, "-S1", "-p", "15", "-q", f};
        if (n % 5 == 0) args.insert(args.begin() + 1, "-cr");
        if (n % 7 == 0) args.insert(args.begin() + 1, "-R");
        if (n % 3 == 1) args.insert(args.begin() + 1, "-g");  // errors in quadrature

        savestate(start);
        plainmode = true;
        std::srand(n);
        std::string expected = qev(args);
        savestate(plain);
        loadstate(start);
        plainmode = false;
        std::srand(n);
        std::string answer = qev(args);
        savestate(fast);
        if (std::getenv("QEV_SHOW")) std::printf("%s\n   => %s\n", f.c_str(), answer.c_str());
        ASSERT_EQ(answer, expected) << f;
        ASSERT_TRUE(samestate(fast, plain)) << f;
        if (f.find(' ') < 9 && f[0] != '-' && answer.find("error") == std::string::npos && answer[0] != '(') analysed++;
    }
    EXPECT_GT(analysed, 300);
    qev({"mc66", "-ce", "-q", "setrandf 0 1 500 1"});
}
