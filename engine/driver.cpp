// driver.cpp - the reduction driver of 'handlestr'.
//
// Every word gets a priority from its rank and the bracket level L (100 at the start,
// +10 for each bracket, +1000 for the argument list of "func" and of the analysis
// keywords); brackets are then removed, and the leftmost word of greatest priority
// above -3 is reduced first, until none is left. Priorities are single-precision.
#include "engine/driver.h"

#include <cmath>
#include <cstring>
#include <string_view>
#include <deque>
#include <vector>

#include "base/output.h"
#include "engine/numeric.h"
#include "engine/state.h"

static const char *const FUNCWORDS[] = {"sin", "cos", "tan", "asin", "acos", "atan", "sqrt", "log10", "atanr",
                                        "ln", "abs", "Re", "Im", "conj", "phase", "exp", "azeret", nullptr};
static const char *const ANALYSIS[] = {"plot", "setxy", "integ", "setrandf", "findmin", "findx", "findmax",
                                       "findzer", nullptr};

wordset::wordset(const char *const *list)
{
    for (; *list; list++) words.add(*list, true);
}

// A new word node with the given text and priority, linked after 'x'; it belongs to the
// same call as 'from'.
static lm *newword(lm *x, const char *text, float prio, const lm *from)
{
    lm *n = newlm();
    if (!n) return nullptr;
    n->kind = LM_WORD;
    std::strcpy(n->text, text);
    setowner(n, getowner(from));
    n->prio = prio;
    insertafter(x, n);
    return n;
}

// The priority of a word that is not a bracket (rules 5 to 21). The whole words of the
// rules between the tests of their first and second characters come from one table.
static float rank(const char *w, float L)
{
    enum { NONE, ERRW, KEYW, LOWLIST, ANALYSISW, LOWMARK, CHAIN, VALUE };
    static const struct table : wordtable<int> {
        table()
        {
            static const struct { const char *w; int rule; } ROWS[] = {
                {"err", ERRW}, {"c\xB1", ERRW},
                {"func", KEYW}, {"plot", KEYW}, {"setrandf", KEYW}, {"setxy", KEYW},
                {"qlot", LOWLIST}, {"qetrandf", LOWLIST}, {"qddd", LOWLIST},
                {"integ", ANALYSISW}, {"findmin", ANALYSISW}, {"findx", ANALYSISW}, {"findmax", ANALYSISW}, {"findzer", ANALYSISW},
                {"qrot", LOWMARK}, {"qnteg", LOWMARK}, {"qrom", LOWMARK}, {"qindmin", LOWMARK}, {"qindmax", LOWMARK}, {"qindzer", LOWMARK},
                {"min", CHAIN}, {"max", CHAIN}, {"zer", CHAIN},
                {"rnd", VALUE}, {"x", VALUE}, {"y", VALUE}, {"pi", VALUE}, {"e", VALUE}, {"E", VALUE}, {"i", VALUE}};
            for (const auto &r : ROWS) add(r.w, r.rule);
        }
    } WORDS;
    if (w[0] && (w[1] == '+' || w[1] == '-')) return L - 2;
    if (w[0] == '$') return L + 6;
    const int *found = WORDS.find(w);
    int rule = found ? *found : NONE;
    if (rule == ERRW) return L + 6;
    if (w[0] == '~') return L + 6.1;
    switch (rule) {
    case KEYW: return L + 980;
    case LOWLIST: return -2.99;
    case ANALYSISW: return L + 980;
    case LOWMARK: return -2.95;
    case CHAIN: return -2.98;
    case VALUE: return L + 7.1;
    }
    if (w[0] == '@') return L + 4;
    if (w[0] && w[1] == '=') return L + 3;
    if (w[0] && w[1] == '%') return L + 7;
    if (w[0] && (w[1] == '*' || w[1] == '/')) return L - 1;
    if (w[0] && w[1] == ',') return L - 2.1;
    return L;
}

// Minus rewriting. After a word (but for "%" words, "c_i", "pi", "x0…", "y0…", "e") the
// minus becomes the number -1 times what follows: one operand, binding like "*", with a
// "+" put in front of it after ")", "}", "x" or "y". At the head it binds tighter than
// every operator. Returns the node the cursor moves to.
static lm *minus(lm *w, float L)
{
    lm *P = w->prev;
    if (P && P->kind == LM_WORD) {
        const char *t = P->text;
        bool excepted = (t[0] && t[1] == '%') || comps(t, "c_i") || comps(t, "pi") ||
                        std::strncmp(t, "x0", 2) == 0 || std::strncmp(t, "y0", 2) == 0 || comps(t, "e");
        if (!excepted) {
            if (comps(t, "c)") || comps(t, "c}") || comps(t, "x") || comps(t, "y"))
                if (!newword(P, "c+", L - 2, w)) return nullptr;
            setnum(w, -1);
            for (long double &u : w->units) u = 0;
            return newword(w, "c*", L - 1, w);
        }
    } else if (!P) {
        setnum(w, -1);
        for (long double &u : w->units) u = 0;
        return newword(w, "c*", L + 7, w);
    }
    return w;
}

// The "func" of a spliced call reduces before everything of its own body (which stands
// before it and carries its call tag or a later one, nested calls included), and its
// argument list, in turn, before it: so it binds its own placeholders before any of
// them can be read, even inside the argument list of a nested call.
static void callpriority(lm *func)
{
    unsigned call = getowner(func);
    if (!call) return;
    for (lm *b = func->prev; b && getowner(b) >= call; b = b->prev)
        if (b->kind == LM_WORD && b->prio >= func->prio) func->prio = b->prio + 1;
}

void priorities()
{
    static const wordset functions(FUNCWORDS), analysis(ANALYSIS);
    float L = 100.0f;
    std::vector<float> opened;  // the level before each open "("
    for (C = S; C; C = C->next) {
        if (C->kind == LM_NUMBER) {
            C->prio = -5;
            continue;
        }
        const char *w = C->text;
        if (w[0] && w[1] == '(') {
            opened.push_back(L);
            L = L + 10;
            bool exact = comps(w, "c(");
            lm *func = C->prev ? C->prev->prev : nullptr;
            if (exact && func && comps(func->text, "func")) {
                L = L + 990;
                if (getowner(func) && L < func->prio + 20) L = func->prio + 20;
            }
            if (exact && C->prev && analysis.has(C->prev->text)) L = L + 990;
        } else if (w[0] && w[1] == ')') {
            if (opened.empty()) {
                L = L - 10;
            } else {
                L = opened.back();
                opened.pop_back();
            }
        } else if (w[0] && w[1] == '{') {
            L = L + 9.99;
        } else if (w[0] && w[1] == '}') {
            L = L - 9.99;
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
            C->prio = L - 11;
            lm *one = newlm();
            if (!one) return;
            setnum(one, 1);
            setowner(one, getowner(C));
            insertafter(C, one);
            C = one;
        } else if (C->kind == LM_WORD && functions.has(C->text)) {
            C->prio = C->prio + 1;
        }
    }
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

// Before each operation the numbers around it get a non-negative magnitude (a negative
// one turns into a half turn of phase) and every node a non-negative error.
static void normalised(lm *n)
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

// The leftmost word of greatest priority above -3, searched from 'from' (null: 'S').
static lm *leftmostmax(lm *from)
{
    lm *best = nullptr;
    float most = -3;
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
    float most = -3;  // the words at -3 and below are never reduced
    for (lm *n = from ? from : S; n != to; n = n->next) {
        if (n == stop) return false;
        if (n->kind == LM_WORD && n->prio > most) most = n->prio;
    }
    max = most > -3 ? most : -HUGE_VALF;
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
