// dispatch.cpp - the words of 'handlestr' and the operations they call.
#include "base/output.h"
#include "engine/driver.h"
#include "engine/ops.h"
#include "engine/printer.h"
#include "engine/state.h"
#include "engine/words.h"

// The evaluation ends at the user's request.
static void stopword() { exitno(1); }

// Agrees with the other word tables (words.h).
const dispatchrow HANDLESTR_WORDS[] = {
    {"plus", add}, {"c+", add}, {"@", add},
    {"c-", sub}, {"minus", sub},
    {"c*", mult}, {"~", mult},
    {"c/", div},
    {"c^", pow},
    {"root", root},
    {"c!", Azeret},
    {"min", MIN2}, {"max", MAX2}, {"zer", ZERO2},
    {"err", UE}, {"c\xB1", UE}, {"errpct", UEP},
    {"$m", UM}, {"$k", UK}, {"$c", UQ}, {"$s", US}, {"$d", UD}, {"$n", Un},
    {"sqrt", C_sqrt},
    {"sin", C_sin}, {"cos", C_cos}, {"asin", C_asin}, {"acos", C_acos}, {"atan", C_atan},
    {"exp", C_exp}, {"ln", C_ln}, {"abs", C_abs}, {"Re", C_Re}, {"Im", C_Im}, {"conj", C_Conj},
    {"phase", C_phase}, {"log", C_log}, {"atanr", C_atanr},
    {"tan", C_tan}, {"tg", C_tan},
    {"lg10", C_log10},
    {"c,", C_comma},
    {"func", C_func},
    {"dln", C_dln},
    {"pi", pi}, {"e", e}, {"E", e}, {"i", c_i},
    {"rnd", rnd2}, {"x", X}, {"y", Y},
    {"setxy", setxy},
    {"plot", plot1}, {"qlot", plot2},
    {"setrandf", setrandf1}, {"qetrandf", setrandf2}, {"qddd", setrandf2},
    {"findx", findx1}, {"qindx", findx2},
    {"findzer", findzer1}, {"qindzer", findzer2a},
    {"findmin", findmin1}, {"qindmin", findmin2a}, {"qrom", findmin2a},
    {"findmax", findmax1}, {"qindmax", findmax2a},
    {"integ", integ1}, {"qnteg", integ2}, {"qrot", integ2},
    {"exitno", stopword}, {"quit", stopword}, {"stop", stopword},
    {nullptr, nullptr}};

const reducerules HANDLESTR_REDUCE = {priorities, true, HANDLESTR_WORDS, C_varib, C_varibp, printlist};
