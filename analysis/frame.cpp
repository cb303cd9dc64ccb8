// frame.cpp - the sampling frame shared by the analysis words: parameter intake, the
// stored copy of the expression, the grid and the re-splicing of fresh copies.
#include "analysis/frame.h"

#include <cmath>
#include <cstring>
#include <sstream>

#include "base/output.h"
#include "engine/driver.h"
#include "engine/gauss.h"
#include "engine/numeric.h"
#include "engine/printer.h"
#include "engine/sens.h"
#include "engine/priority.h"
#include "engine/state.h"
#include "engine/watch.h"

// "integ" starts with its first sample; "setrandf" with no largest density seen, also
// when its parameters are refused.
static void firstsample() { repflag = 1; }
static void nodensity() { randmax = 0; }

const analysisword PLOT = {"plot", "plot", "Nothing to plot", PRIO_TABLEMARK, false, nullptr};
const analysisword SETRANDF = {"setrandf", "plot", "Nothing to plot", PRIO_TABLEMARK, false, nodensity};
const analysisword FINDX = {"findx", "findx", "Nothing to findx", PRIO_TABLEMARK, false, nullptr};
const analysisword FINDZER = {"findzer", "findzer", "Nothing to findzer", PRIO_SEARCHMARK, false, nullptr};
const analysisword FINDMIN = {"findmin", "findmin", "Nothing to findmin", PRIO_SEARCHMARK, false, nullptr};
const analysisword FINDMAX = {"findmax", "findmax", "Nothing to findmax", PRIO_SEARCHMARK, false, nullptr};
const analysisword INTEG = {"integ", "integ", "Nothing to integrate", PRIO_SEARCHMARK, true, firstsample};

// Keywords and markers: at most one analysis may run in a formula. Agrees with the
// engine's word tables (engine/words.h).
const char *const ANALYSISWORDS[] = {"plot", "setrandf", "findx", "findzer", "findmin", "findmax",
                                            "integ", "qlot", "qetrandf", "qddd", "qindx", "qindzer",
                                            "qindmin", "qrom", "qindmax", "qnteg", "qrot", nullptr};

long maxsteps = 1000000000L;

static const analysisword *active;  // the word whose sampling runs while 'S2' is set
static std::ostringstream folded;   // what the folded operators wrote, for the end
static std::string table;           // text of the pairs taken out of the list, for the end
static bool folding;                // samples are folded as they come
static long gridpoints;             // points a + k*'repj' of the grid
static long samples;                // samples in all: the grid, and b for integration
static long current;                // index of the sample under evaluation
static long double steps;           // the third parameter n

// The slots of the analysis words and the density of "rnd" before the running sampling
// began, put back when it is stopped.
static struct {
    long double repx, repy, reps, repe, repj, repold, repph, represx, repres3;
    int repflag;
    char flagrep;
    float randcenter, randfactor, randmax, randfunc[1010];
} kept;

#define SLOTS(F)                                                                          \
    F(repx); F(repy); F(reps); F(repe); F(repj); F(repold); F(repph); F(represx); F(repres3); \
    F(repflag); F(flagrep); F(randcenter); F(randfactor); F(randmax); F(randfunc)

static void keepslots()
{
#define KEEP(x) std::memcpy(&kept.x, &x, sizeof x)
    SLOTS(KEEP);
#undef KEEP
}

static void putbackslots()
{
#define PUTBACK(x) std::memcpy(&x, &kept.x, sizeof x)
    SLOTS(PUTBACK);
#undef PUTBACK
}

// Looks at the stop request, and lets the watcher see the sampling (it may ask to stop).
// When asked: writes the message, puts the slots back and takes error exit 1; false.
// Kept out of line: the sampling itself stays as small as without it.
__attribute__((noinline, cold)) static bool keepgoing()
{
    if (!stopasked() && watcher) watcher(active->keyword, current, samples);
    if (!stopasked()) return true;
    *cout2 << active->keyword << " stopped after " << current << " of " << samples << " samples : ";
    putbackslots();
    lastprint.stopped = true;
    exitno(1);
    return false;
}

// Writes "<keyword> <text>" and takes error exit n.
static bool refuse(const analysisword &w, const char *text, int n)
{
    *cout2 << w.keyword << text;
    exitno(n);
    return false;
}

// The three parameter checks, then the refusals of formulas that cannot be sampled.
static bool checkformula(const analysisword &w, lm *a, lm *b, lm *c)
{
    if (!a || !b || !c) {
        *cout2 << w.msgname << " must have 3 numerical parameters after it";
        exitno(2);
        return false;
    }
    if (a->kind != LM_NUMBER || b->kind != LM_NUMBER || c->kind != LM_NUMBER) {
        *cout2 << w.msgname << " must have 3 NUMERICAL parameters after it";
        exitno(3);
        return false;
    }
    if (!c->next) {
        *cout2 << w.nothing;
        exitno(4);
        return false;
    }
    if (T != S) return refuse(w, " must be the first word of the formula : ", 2);
    static const wordset analysis(ANALYSISWORDS);
    for (lm *n = c->next; n; n = n->next)
        if (n->kind == LM_WORD && analysis.has(n->text)) {
            *cout2 << w.keyword << " can't be used with " << n->text << " in one formula : ";
            exitno(2);
            return false;
        }
    return true;
}

// Refuses parameters with which the sampling would never end.
static bool checkgrid(const analysisword &w, long double a, long double b, long double n)
{
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(n) || (n != 0 && !std::isfinite((b - a) / n)))
        return refuse(w, " parameters must be finite numbers : ", 3);
    if (a == b) return refuse(w, " needs different start and end values : ", 3);
    if (n < 0) return refuse(w, " can't take a negative number of steps : ", 3);
    if (std::ceil(n) > maxsteps) {
        *cout2 << w.keyword << " can't take more than " << maxsteps << " steps : ";
        exitno(3);
        return false;
    }
    return true;
}

bool firstphase(const analysisword &w)
{
    keepslots();
    if (w.before) w.before();
    lm *K = T;
    lm *a = K->next, *b = a ? a->next : nullptr, *c = b ? b->next : nullptr;
    if (!checkformula(w, a, b, c)) return false;
    long double ra = repart(a->mag, a->phase), rb = repart(b->mag, b->phase), rn = repart(c->mag, c->phase);
    if (!checkgrid(w, ra, rb, rn)) return false;

    flagrep = 1;
    folded.str("");
    table.clear();
    folding = !plainmode;
    reps = repx = ra;
    repe = rb;
    repj = (rb - ra) / rn;  // n = 0: an infinite step, one sample
    gridpoints = rn == 0 ? 1 : (long)std::ceil(rn);
    samples = gridpoints + (w.sampleend ? 1 : 0);
    current = 0;
    steps = rn;

    K->text[0] = 'q';
    K->prio = w.marker;
    lm *E0 = c->next;
    delete c;
    delete b;
    delete a;
    K->next = E0;
    E0->prev = K;

    deleteS2();
    lm *tail = nullptr;
    for (lm *n = E0; n; n = n->next) {
        lm *copy = newlm();
        if (!copy) {
            deleteS2();
            return false;
        }
        copylm(copy, n);
        copy->prio = n->prio;
        if (tail) {
            tail->next = copy;
            copy->prev = tail;
        } else {
            S2 = copy;
        }
        tail = copy;
    }
    active = &w;
    return true;
}

lm *takevalue(const analysisword &w)
{
    if (active != &w || !S2) {
        syntaxerror();
        return nullptr;
    }
    if ((current & (WATCHEVERY - 1)) == 0 && current && !keepgoing()) return nullptr;
    lm *V = T->next;
    if (!V) {
        *cout2 << w.nothing;
        exitno(4);
        return nullptr;
    }
    freelist(V->next);
    V->next = nullptr;
    return V;
}

long sampleindex() { return current; }
long samplecount() { return samples; }
long double samplesteps() { return steps; }

long double samplex(long k)
{
    if (k == 0) return reps;
    if (k < gridpoints) return reps + k * repj;
    return repe;
}

bool nextsample()
{
    if (current + 1 >= samples) return false;
    current++;
    repx = samplex(current);
    return true;
}

bool resplice(lm *tail)
{
    if (gaussmode) sensgc();  // the samples before left their lists behind
    for (lm *s = S2; s; s = s->next) {
        lm *n = newlm();
        if (!n) return false;
        copylm(n, s);
        n->prio = s->prio;
        tail->next = n;
        n->prev = tail;
        tail = n;
    }
    T = tail;
    return true;
}

bool nextpass(lm *marker)
{
    if (nextsample()) {
        resplice(marker);
        return true;
    }
    removelm(marker);
    endsampling();
    return false;
}

void endsampling()
{
    deleteS2();
    active = nullptr;
    *cout2 << folded.str();
    folded.str("");
    cout2->write(table.data(), table.size());
    table.clear();
}

void takepair(lm *marker)
{
    lm *y = marker->prev, *x = y ? y->prev : nullptr;
    if (plainmode || !x || x->kind != LM_NUMBER || y->kind != LM_NUMBER) return;
    notenumber(x);
    notenumber(y);
    // Past the longest answer the text is cut anyway: the pair only leaves the list.
    if (table.size() < sizeof Fixfinlin) {
        numbertext(x, table);
        numbertext(y, table);
    }
    removelm(x);
    removelm(y);
}

bool fold(lm *acc, const char *word, void (*op)(), lm *R)
{
    lm *W = newlm();
    if (!W) {
        delete R;
        return false;
    }
    W->kind = LM_WORD;
    std::strcpy(W->text, word);
    lm *marker = T, *after = acc->next;
    acc->next = W;
    W->prev = acc;
    W->next = R;
    R->prev = W;
    R->next = nullptr;
    T = W;
    normalise();
    std::ostringstream *out = cout2;
    cout2 = &folded;
    modeop(op)();
    cout2 = out;
    acc->next = after;
    if (after) after->prev = acc;
    T = marker;
    return true;
}

bool foldable(const lm *V)
{
    if (folding && V->kind != LM_NUMBER) folding = false;
    return folding;
}

void dropfolded() { folded.str(""); }

void chainsample(const analysisword &w, const char *chain, const char *marker, void (*op)())
{
    lm *V = takevalue(w);
    if (!V) return;
    bool first = sampleindex() == 0;
    bool fold_ = foldable(V);
    if (!first && fold_) {
        // the samples so far are folded into the node before the marker
        T->next = nullptr;
        if (!fold(T->prev, chain, op, V)) return;
        nextpass(T);
        return;
    }
    // after folded samples, the chain goes on from their result
    if (!first && T->prev->kind == LM_NUMBER && !wordafter(T->prev, chain, PRIO_CHAIN)) return;
    lm *t = T;
    t->kind = LM_NUMBER;
    t->mag = V->mag;
    t->phase = V->phase;
    t->err = V->err;
    t->sens = V->sens;
    t->nsens = V->nsens;
    for (int k = 0; k < 6; k++) t->units[k] = V->units[k];
    bool chained = !(first && fold_);
    lm *n1 = chained ? wordafter(t, chain, PRIO_CHAIN) : t;
    if (!n1) return;
    lm *n2 = wordafter(n1, marker, PRIO_CHAINMARK);
    if (!n2) return;
    removelm(V);
    if (!nextpass(n2) && chained) removelm(n1);
}
