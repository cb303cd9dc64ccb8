// unitvariant.cpp - the evaluator of the unit commands, and everything in which it
// differs from 'handlestr'.
//
// The unit listing ('bru', handlestr1c) and the unit matching ('mtu', handlestr1d) run
// the same scanner and reduction driver as 'handlestr'; only these rules differ:
// - scanning (UNIT_SCAN): quotes are not looked at, the plus-minus sign becomes "c±",
//   "," is not an operator, a sign after "E" is an operator, 5 blanks are appended,
//   the user-function file is never read and a missing units file is not reported;
// - priorities (unitpriorities): ranks of its own (priority.h), the level kept in
//   double; "func" brackets lift the level by UNIT_ARGUMENT_LIFT; a minus after a word
//   is a sign binding at RANK_SIGN; the product made of "{" has RANK_PRODUCT; no bonus
//   for "atanr"; the matching gives "err", "c±" and "errpct" the plain level;
// - no operand normalisation: operations see negative magnitudes and errors, but for
//   the arguments of the functions (fn);
// - dispatch (BRU_WORDS, MTU_WORDS): fewer words; the matching adds "c+" with 'addmt'
//   and ends on "exitno" where the listing ends on "exit";
// - printing (printvalues): the value and unit groups only, without brackets and error,
//   nothing when 'NAME55' is 0; the matching prints nothing (endmatch).
#include "engine/unitvariant.h"

#include <cstring>

#include "base/output.h"
#include "engine/driver.h"
#include "engine/gauss.h"
#include "engine/library.h"
#include "engine/numeric.h"
#include "engine/ops.h"
#include "engine/printer.h"
#include "engine/priority.h"
#include "engine/scanner.h"
#include "engine/sens.h"
#include "engine/state.h"
#include "engine/words.h"

static const scanrules UNIT_SCAN = {false, "c\xB1", false, false, 5, false, false};

// ---- entry selection ----

int entryname(long n, std::string &name)
{
    const libtext *lt = libcontent(MACNAME.c_str());
    if (!lt) return ENTRY_NOFILE;
    return libname(*lt, libentry(*lt, n), false, name) ? ENTRY_NAMED : ENTRY_END;
}

// ---- priorities ----

// Agrees with the other word tables (words.h).
const char *const UNITFUNCS[] = {"sin", "cos", "tan", "asin", "acos", "atan", "sqrt", "log10", "ln",
                                 "abs", "Re", "Im", "conj", "phase", "exp", "azeret", nullptr};

// Constants are read before any operator of their level takes them as operands.
const char *const UNITCONSTANTS[] = {"pi", "e", "i", nullptr};

// The priority of a word that is not a bracket, at level L.
static double unitrank(const char *w, double L, bool errrow)
{
    char second = w[0] ? w[1] : 0;
    if (second == '+' || second == '-') return L + RANK_SUM;
    if (w[0] == '$') return L + RANK_UNIT;
    if (errrow && (comps(w, "err") || comps(w, "c\xB1") || comps(w, "errpct"))) return L + UNIT_RANK_ERR;
    if (w[0] == '~') return L + UNIT_RANK_TILDE;
    if (comps(w, "func")) return L + UNIT_RANK_CALL;
    if (w[0] == '@') return L + RANK_AT;
    if (second == '=') return L + RANK_STORE;
    if (second == '%') return L + RANK_RECALL;
    if (second == '*' || second == '/') return L + RANK_PRODUCT;
    static const wordset constants(UNITCONSTANTS);
    if (constants.has(w)) return L + RANK_VALUE;
    return L + RANK_WORD;
}

// Minus as a sign: "c-" at the head or after a word other than "c_i", "pi", "e" becomes
// -1 times what follows, at level + 7; after a closing bracket too, so there it does not
// subtract. Returns the node the cursor moves to (null after an error exit).
static lm *unitminus(lm *w, double L)
{
    lm *P = w->prev;
    bool sign = !P || (P->kind == LM_WORD && !comps(P->text, "c_i") && !comps(P->text, "pi") && !comps(P->text, "e"));
    if (!sign) return w;
    setnum(w, -1);
    for (long double &u : w->units) u = 0;
    w->prio = PRIO_NUMBER;
    return wordafter(w, "c*", (float)(L + RANK_SIGN));
}

// Step 1 of the driver for the unit commands; 'errrow' gives the error words level + 7.
static void unitpriorities(bool errrow)
{
    double L = LEVEL_START;
    int fb = 0;  // function brackets: 1 after "func", 100 + depth inside its brackets
    for (C = S; C; C = C->next) {
        if (C->kind == LM_NUMBER) {
            C->prio = PRIO_NUMBER;
            continue;
        }
        const char *w = C->text;
        char second = w[0] ? w[1] : 0;
        if (second == '(') {
            L = L + BRACKET_STEP;
            if (fb == 1) {
                fb = 100;
                L = L + UNIT_ARGUMENT_LIFT;
            }
            if (fb > 20) fb++;
        } else if (second == ')') {
            L = L - BRACKET_STEP;
            if (fb == 1) {
                fb = 0;
            } else if (fb > 100 && --fb == 100) {
                L = L - UNIT_ARGUMENT_LIFT;
                fb = 0;
            }
        } else if (second == '{') {
            L = L + BRACKET_STEP;
            if (w[0] == 'c') {
                // "{" multiplies by the number 1 that the unit words inside act on
                C->text[1] = '*';
                C->prio = (float)(L + RANK_PRODUCT);
                lm *one = numberafter(C, 1);
                if (!one) return;
                C = one;
            }
        } else if (second == '}') {
            L = L - BRACKET_STEP;
        } else {
            double p = unitrank(w, L, errrow);
            if (comps(w, "func")) fb = 1;
            static const wordset functions(UNITFUNCS);
            if (functions.has(w)) p = p + FUNCTION_BONUS;
            C->prio = (float)p;
            if (comps(w, "c-")) {
                C = unitminus(C, L);
                if (!C) return;
            }
        }
    }
}

static void brupriorities() { unitpriorities(true); }
static void mtupriorities() { unitpriorities(false); }

// ---- dispatch ----

// The evaluation ends at the user's request.
static void stopword() { exitno(1); }

// A function takes its arguments (one, two for "log") with a non-negative magnitude and
// error, as 'handlestr' gives them: this evaluator leaves the signs of all other
// operands as they are, but abs, phase, sqrt and ln of a negative magnitude are wrong.
template <void (*F)(), int ARGS = 1>
static void fn()
{
    lm *n = T->next;
    for (int k = 0; k < ARGS && n; k++, n = n->next) normalised(n);
    modeop(F)();
}

// The words both commands reduce alike.
#define UNIT_COMMON_WORDS                                             \
    {"plus", add}, {"@", add},                                        \
    {"c-", sub}, {"minus", sub},                                      \
    {"c*", mult}, {"~", mult},                                        \
    {"c/", div}, {"c^", pow}, {"root", root}, {"c!", Azeret},         \
    {"sqrt", fn<C_sqrt>},                                             \
    {"sin", fn<C_sin>}, {"cos", fn<C_cos>},                           \
    {"tan", fn<C_tan>}, {"tg", fn<C_tan>},                            \
    {"asin", fn<C_asin>}, {"acos", fn<C_acos>}, {"atan", fn<C_atan>}, \
    {"exp", fn<C_exp>}, {"ln", fn<C_ln>}, {"abs", fn<C_abs>},         \
    {"Re", fn<C_Re>}, {"Im", fn<C_Im>}, {"conj", fn<C_Conj>},         \
    {"phase", fn<C_phase>}, {"lg10", fn<C_log10>},                    \
    {"log", fn<C_log, 2>},                                            \
    {"err", UE}, {"c\xB1", UE}, {"errpct", UEP},                     \
    {"$m", UM}, {"$k", UK}, {"$c", UQ}, {"$s", US}, {"$d", UD},       \
    {"$n", Un},                                                       \
    {"func", C_func}, {"dln", C_dln},                                 \
    {"pi", pi}, {"i", c_i}, {"e", e},                                 \
    {"quit", stopword}, {"stop", stopword}

// The listing adds with 'add' and stops on "exit"; the matching adds "c+" with
// 'addmt' and stops on "exitno". Both agree with the other word tables (words.h).
const dispatchrow BRU_WORDS[] = {{"c+", add}, {"exit", stopword}, UNIT_COMMON_WORDS, {nullptr, nullptr}};
const dispatchrow MTU_WORDS[] = {{"c+", addmt}, {"exitno", stopword}, UNIT_COMMON_WORDS, {nullptr, nullptr}};

// ---- printing ----

// The listing's result: each number as its value and unit groups and a blank (kept in
// 'varib'[0] first), each word as its text and a blank; then the list is freed.
static void printvalues()
{
    for (lm *n = S; NAME55 && n; n = n->next) {
        if (n->kind == LM_WORD) {
            *cout2 << n->text << " ";
        } else if (n->kind == LM_NUMBER) {
            copylm(&varib[0], n);
            long double mag = n->mag, phase = n->phase;
            displaynormal(mag, phase);
            printvalue(mag, phase);
            printunits(n);
            *cout2 << " ";
        }
    }
    freelist(S);
    S = C = T = nullptr;
}

static bool matchended;  // the matching's reduction reached its end without an error exit

// The matching's end of reduction: nothing is printed.
static void endmatch()
{
    matchended = true;
    freelist(S);
    S = C = T = nullptr;
}

static const reducerules BRU_REDUCE = {brupriorities, false, BRU_WORDS, C_varib, C_varibp, printvalues};
static const reducerules MTU_REDUCE = {mtupriorities, false, MTU_WORDS, C_varib, C_varibp, endmatch};

// ---- evaluation ----

void evaluate1c(char *formula)
{
    if (gaussmode) sensgc();
    if (!scanformula(formula, UNIT_SCAN)) return;
    if (S) reduce(moderules(BRU_REDUCE));
}

bool evaluate1d(char *formula)
{
    matchended = false;
    if (!scanformula(formula, UNIT_SCAN)) return false;
    if (!S) return true;
    reduce(MTU_REDUCE);
    return matchended;
}
