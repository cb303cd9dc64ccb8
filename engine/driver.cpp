// driver.cpp - the reduction driver of 'handlestr'.
//
// Every word gets a priority from its rank and the bracket level L (priority.h);
// brackets are then removed, and the leftmost word of greatest priority above PRIO_STOP
// is reduced first, until none is left. Priorities are single-precision.
#include "engine/driver.h"

#include <cmath>
#include <cstring>
#include <string_view>
#include <deque>
#include <vector>

#include "base/output.h"
#include "engine/numeric.h"
#include "engine/priority.h"
#include "engine/state.h"
#include "engine/words.h"

// Agrees with the other word tables (words.h).
const char *const FUNCWORDS[] = {"sin", "cos", "tan", "asin", "acos", "atan", "sqrt", "log10", "atanr",
                                 "ln", "abs", "Re", "Im", "conj", "phase", "exp", "azeret", nullptr};
const char *const ARGUMENTWORDS[] = {"plot", "setxy", "integ", "setrandf", "findmin", "findx", "findmax",
                                     "findzer", nullptr};
const rankword RANKWORDS[] = {
    {"err", RULE_ERR}, {"c\xB1", RULE_ERR}, {"errpct", RULE_ERR},
    {"func", RULE_KEYWORD}, {"plot", RULE_KEYWORD}, {"setrandf", RULE_KEYWORD}, {"setxy", RULE_KEYWORD},
    {"qlot", RULE_TABLEMARK}, {"qetrandf", RULE_TABLEMARK}, {"qddd", RULE_TABLEMARK},
    {"integ", RULE_ANALYSIS}, {"findmin", RULE_ANALYSIS}, {"findx", RULE_ANALYSIS}, {"findmax", RULE_ANALYSIS},
    {"findzer", RULE_ANALYSIS},
    {"qrot", RULE_SEARCHMARK}, {"qnteg", RULE_SEARCHMARK}, {"qrom", RULE_SEARCHMARK}, {"qindmin", RULE_SEARCHMARK},
    {"qindmax", RULE_SEARCHMARK}, {"qindzer", RULE_SEARCHMARK},
    {"min", RULE_CHAIN}, {"max", RULE_CHAIN}, {"zer", RULE_CHAIN},
    {"rnd", RULE_VALUE}, {"x", RULE_VALUE}, {"y", RULE_VALUE}, {"pi", RULE_VALUE}, {"e", RULE_VALUE},
    {"E", RULE_VALUE}, {"i", RULE_VALUE}, {nullptr, 0}};

wordset::wordset(const char *const *list)
{
    for (; *list; list++) words.add(*list, true);
}

// The priority of a word that is not a bracket. The whole words among the rules, tested
// between the rules of first and second characters, come from RANKWORDS.
static float rank(const char *w, float L)
{
    static const struct table : wordtable<int> {
        table()
        {
            for (const rankword *r = RANKWORDS; r->word; r++) add(r->word, r->rule);
        }
    } WORDS;
    if (w[0] && (w[1] == '+' || w[1] == '-')) return L + RANK_SUM;
    if (w[0] == '$') return L + RANK_UNIT;
    const int *found = WORDS.find(w);
    int rule = found ? *found : 0;
    if (rule == RULE_ERR) return L + RANK_UNIT;
    if (w[0] == '~') return L + RANK_TILDE;
    switch (rule) {
    case RULE_KEYWORD: return L + RANK_KEYWORD;
    case RULE_TABLEMARK: return PRIO_TABLEMARK;
    case RULE_ANALYSIS: return L + RANK_KEYWORD;
    case RULE_SEARCHMARK: return PRIO_SEARCHMARK;
    case RULE_CHAIN: return PRIO_CHAIN;
    case RULE_VALUE: return L + RANK_VALUE;
    }
    if (w[0] == '@') return L + RANK_AT;
    if (w[0] && w[1] == '=') return L + RANK_STORE;
    if (w[0] && w[1] == '%') return L + RANK_RECALL;
    if (w[0] && (w[1] == '*' || w[1] == '/')) return L + RANK_PRODUCT;
    if (w[0] && w[1] == ',') return L + RANK_COMMA;
    return L + RANK_WORD;
}

// True for the "*" that 'minus' puts after a sign right after "^" at level L.
static bool exponentsign(const lm *w, float L)
{
    return comps(w->text, "c*") && w->prio == L + RANK_EXPONENTSIGN;
}

// Minus rewriting. After a word (but for "%" words, "c_i", "pi", "x0…", "y0…", "e") the
// minus becomes the number -1 times what follows: one operand, binding like "*", with a
// "+" put in front of it after ")", "}", "x" or "y". Right after "^" (or after such a
// sign) it binds just above the "^", so that it negates the exponent only: below every
// word of a higher rank, above every word of the level's own rank. At the head it binds
// tighter than every operator. Returns the node the cursor moves to.
static lm *minus(lm *w, float L)
{
    lm *P = w->prev;
    if (P && P->kind == LM_WORD) {
        const char *t = P->text;
        bool excepted = (t[0] && t[1] == '%') || comps(t, "c_i") || comps(t, "pi") ||
                        std::strncmp(t, "x0", 2) == 0 || std::strncmp(t, "y0", 2) == 0 || comps(t, "e");
        if (!excepted) {
            if (comps(t, "c)") || comps(t, "c}") || comps(t, "x") || comps(t, "y"))
                if (!wordafter(P, "c+", L + RANK_SUM, w->call)) return nullptr;
            setnum(w, -1);
            for (long double &u : w->units) u = 0;
            bool exponent = comps(t, "c^") || exponentsign(P, L);
            return wordafter(w, "c*", exponent ? L + RANK_EXPONENTSIGN : L + RANK_PRODUCT, w->call);
        }
    } else if (!P) {
        setnum(w, -1);
        for (long double &u : w->units) u = 0;
        return wordafter(w, "c*", L + RANK_SIGN, w->call);
    }
    return w;
}

// The "func" of a spliced call reduces before everything of its own body (which stands
// before it and carries its call tag or a later one, nested calls included), and its
// argument list, in turn, before it: so it binds its own placeholders before any of
// them can be read, even inside the argument list of a nested call.
static void callpriority(lm *func)
{
    unsigned call = func->call;
    if (!call) return;
    for (lm *b = func->prev; b && b->call >= call; b = b->prev)
        if (b->kind == LM_WORD && b->prio >= func->prio) func->prio = b->prio + ABOVE;
}

// An analysis keyword at the head of the formula is reduced before every word of the
// expression after it, which is evaluated anew at each sample. When a word there stands
// as high (in the argument list of a call, say the "x" of "sq(x)"), the keyword and the
// words of its bracket of parameters that stand at least as high are lifted above it,
// keeping their order among themselves.
static void keywordfirst(const wordset &keywords)
{
    lm *k = S;
    while (k && k->kind == LM_WORD && k->text[0] && (k->text[1] == '(' || k->text[1] == ')')) k = k->next;
    if (!k || k->kind != LM_WORD || !keywords.has(k->text) || comps(k->text, "setxy")) return;
    lm *e = k->next;
    if (e && comps(e->text, "c(")) {
        for (int depth = 0; e; e = e->next) {
            char c = e->kind == LM_WORD && e->text[0] ? e->text[1] : 0;
            if (c == '(') depth++;
            if (c == ')' && --depth == 0) {
                e = e->next;
                break;
            }
        }
    }
    float most = -HUGE_VALF;
    for (lm *n = e; n; n = n->next)
        if (n->kind == LM_WORD && n->prio > most) most = n->prio;
    if (most < k->prio) return;
    float from = k->prio, lift = most + ABOVE - from;
    for (lm *n = k; n != e; n = n->next)
        if (n->kind == LM_WORD && n->prio >= from) n->prio += lift;
}

void priorities()
{
    static const wordset functions(FUNCWORDS), arguments(ARGUMENTWORDS);
    float L = LEVEL_START;
    std::vector<float> opened;  // the level before each open "("
    for (C = S; C; C = C->next) {
        if (C->kind == LM_NUMBER) {
            C->prio = PRIO_NUMBER;
            continue;
        }
        const char *w = C->text;
        if (w[0] && w[1] == '(') {
            opened.push_back(L);
            L = L + BRACKET_STEP;
            bool exact = comps(w, "c(");
            lm *func = C->prev ? C->prev->prev : nullptr;
            if (exact && func && comps(func->text, "func")) {
                L = L + ARGUMENT_LIFT;
                if (func->call && L < func->prio + CALL_ARGUMENTS) L = func->prio + CALL_ARGUMENTS;
            }
            if (exact && C->prev && arguments.has(C->prev->text)) L = L + ARGUMENT_LIFT;
        } else if (w[0] && w[1] == ')') {
            if (opened.empty()) {
                L = L - BRACKET_STEP;
            } else {
                L = opened.back();
                opened.pop_back();
            }
        } else if (w[0] && w[1] == '{') {
            L = L + BRACE_STEP;
        } else if (w[0] && w[1] == '}') {
            L = L - BRACE_STEP;
        } else {
            C->prio = rank(w, L);
            if (comps(w, "func")) callpriority(C);
        }

        if (w[0] == 'c' && w[1] == '-') {
            C = minus(C, L);
            if (!C) return;
        }
        if (C->text[0] == 'c' && C->text[1] == '{') {
            C->text[1] = '*';
            C->prio = L + RANK_BRACE;
            lm *one = numberafter(C, 1, C->call);
            if (!one) return;
            C = one;
        } else if (C->kind == LM_WORD && functions.has(C->text)) {
            C->prio = C->prio + FUNCTION_BONUS;
        }
    }
    keywordfirst(arguments);
}

void removebrackets()
{
    for (lm *n = S; n;) {
        lm *next = n->next;
        char c = n->text[0] ? n->text[1] : 0;
        if (c == '(' || c == ')' || c == '{' || c == '}') removelm(n);
        n = next;
    }
}

void syntaxerror()
{
    *cout2 << "syntax error , dont know how to " << T->text << " : ";
    exitno(1);
}

// A number gets a non-negative magnitude (a negative one turns into a half turn of
// phase), and any node a non-negative error.
void normalised(lm *n)
{
    if (n->kind == LM_NUMBER && n->mag < 0) {
        n->mag = -n->mag;
        n->phase = turnphase(n->phase + PI);
    }
    if (n->err < 0) n->err = -n->err;
}

void normalise()
{
    normalised(T);
    if (lm *p = T->prev) {
        normalised(p);
        if (p->prev) normalised(p->prev);
    }
    if (lm *n = T->next) {
        normalised(n);
        if (n->next) normalised(n->next);
    }
}

// The operation of 'T', from a word table made of the dispatch table at its first use.
static void dispatch(const reducerules &r)
{
    struct made {
        const dispatchrow *rows = nullptr;
        wordtable<void (*)()> words;
    };
    static std::deque<made> tables;
    made *t = nullptr;
    for (made &m : tables)
        if (m.rows == r.table) t = &m;
    if (!t) {
        t = &tables.emplace_back();
        t->rows = r.table;
        for (const dispatchrow *row = r.table; row->word; row++) t->words.add(row->word, row->op);
    }
    const char *w = T->text;
    if (void (*const *op)() = t->words.find(w)) return (*op)();
    if (r.store && w[0] == 'c' && w[1] == '=') return r.store();
    if (r.recall && w[0] == 'c' && w[1] == '%') return r.recall();
    syntaxerror();
}

// The leftmost word of greatest priority above PRIO_STOP, searched from 'from' (null: 'S').
static lm *leftmostmax(lm *from)
{
    lm *best = nullptr;
    float most = PRIO_STOP;
    for (lm *n = from ? from : S; n; n = n->next)
        if (n->kind == LM_WORD && n->prio > most) {
            best = n;
            most = n->prio;
        }
    return best;
}

// The greatest priority of the words from 'from' up to 'to' (not included); false when
// 'stop' comes first.
static bool maxbetween(lm *from, lm *to, lm *stop, float &max)
{
    float most = PRIO_STOP;  // the words at PRIO_STOP and below are never reduced
    for (lm *n = from ? from : S; n != to; n = n->next) {
        if (n == stop) return false;
        if (n->kind == LM_WORD && n->prio > most) most = n->prio;
    }
    max = most > PRIO_STOP ? most : -HUGE_VALF;
    return true;
}

// Selects 'T'. Every word before 'from' has a priority below 'bound', so a word after
// it that reaches 'bound' is the leftmost of greatest priority of the whole list; only
// otherwise is the whole list searched. Operations change nothing before the second
// node in front of 'T' but for 'setxy', which drops the start of the list (the caller
// then starts afresh), so the words before that node become the new prefix.
static lm *select(lm *&from, float &bound)
{
    lm *best = nullptr, *start = nullptr;
    if (from && !plainmode) {
        best = leftmostmax(from);
        if (best && best->prio > bound) start = from;
        else best = nullptr;
    }
    if (!best) {
        best = leftmostmax(nullptr);
        bound = -HUGE_VALF;
    }
    // The words before the second node in front of 'T' are the new prefix. When it ends
    // before the old one, the old bound holds for it all the more.
    lm *to = best && best->prev ? best->prev->prev : nullptr;
    float max;
    if (!to) bound = -HUGE_VALF;
    else if (maxbetween(start, to, best, max) && max > bound) bound = max;
    from = to;
    return best;
}

void reduce(const reducerules &r)
{
    r.priorities();
    if (!S) return;
    removebrackets();
    lm *from = nullptr;
    float bound = -HUGE_VALF;
    while (S) {
        T = select(from, bound);
        if (!T) {
            r.print();
            return;
        }
        lm *first = S;
        if (r.normalise) normalise();
        dispatch(r);
        if (S != first) from = nullptr;
    }
}
