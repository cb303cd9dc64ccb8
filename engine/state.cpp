// state.cpp - the engine's global state and its start-up values.
#include "engine/state.h"

#include <cstring>

#include "engine/engine.h"

lm *S, *C, *T, *T1, *S2;
lm varib[256];

char how223 = 1;
char Realonly = 0;
char flagrep = 0;
char gaussmode = 0;
unsigned long long nextsource = 0;

char LENGTH[10] = " Meter ";
char MASS[10] = " Kg ";
char TIME[10] = " Second ";
char TEMP[10] = " \xB0k";
char CHARGE[10] = " Coulomb ";
char MOLE[10] = " MOLE ";
std::string MACNAME;
char UNAME[352];
std::string FORMNAME;
char FORMTYTLE[352];
std::string SHIPPED;

char NAME55 = 1;
char Match99 = 0;
int Matchcnt = 1;

float randcenter = 0.5f, randfactor = 1.0f, randmax = 1.0f;
float randfunc[1010];
unsigned long randdraws;

long double repx, repy, reps, repe, repj, repold, repph, represx, repres3;
int repflag;

printrecord lastprint;

void newprintrecord()
{
    std::vector<double> reals;
    reals.swap(lastprint.reals);
    reals.clear();
    lastprint = printrecord();
    lastprint.reals.swap(reals);
}

bool plainmode = false;

void initengine()
{
    static bool done = false;
    if (done) return;
    done = true;
    for (int k = 0; k <= 1000; k++) randfunc[k] = 1.0f;
}

void setshipped(const char *folder) { SHIPPED = folder; }

// Every field of 'enginestate' but the variables and the slots, with its global: one
// list for the three routines below.
#define FLAGS(F)                                                                                \
    F(how223); F(Realonly); F(flagrep); F(gaussmode); F(nextsource); F(LENGTH); F(MASS); F(TIME); F(TEMP); F(CHARGE); F(MOLE); \
    F(MACNAME); F(UNAME); F(FORMNAME); F(FORMTYTLE); F(NAME55); F(Match99); F(Matchcnt);        \
    F(randcenter); F(randfactor); F(randmax); F(randfunc); F(repflag)

// The analysis slots, in the order of 'enginestate'.rep.
static long double *const REP[] = {&repx, &repy, &reps, &repe, &repj, &repold, &repph, &represx, &repres3};

// A field copied bytewise, or a path by assignment.
template <class V> static void copyfield(V &to, const V &from) { std::memcpy(&to, &from, sizeof to); }
static void copyfield(std::string &to, const std::string &from) { to = from; }

void savestate(enginestate &to)
{
#define SAVE(x) copyfield(to.x, x)
    SAVE(varib);
    FLAGS(SAVE);
#undef SAVE
    savesens(to.varib, to.sens);
    for (int k = 0; k < 9; k++) to.rep[k] = *REP[k];
}

void loadstate(const enginestate &from)
{
#define LOAD(x) copyfield(x, from.x)
    LOAD(varib);
    FLAGS(LOAD);
#undef LOAD
    loadsens(from.sens);
    for (int k = 0; k < 9; k++) *REP[k] = from.rep[k];
}

// Numbers and tables of numbers compare by their bytes; long doubles by their 80 value
// bits, not the padding after them; texts up to their end.
template <class V> static bool same(const V &a, const V &b) { return std::memcmp(&a, &b, sizeof a) == 0; }
static bool same(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }
template <size_t N> static bool same(const char (&a)[N], const char (&b)[N]) { return std::strncmp(a, b, N) == 0; }
static bool same(const std::string &a, const std::string &b) { return a == b; }

static bool same(const lm &a, const lm &b)
{
    if (!same(a.mag, b.mag) || !same(a.phase, b.phase) || !same(a.err, b.err) || a.kind != b.kind ||
        a.call != b.call || !same(a.text, b.text))
        return false;
    for (int u = 0; u < 6; u++)
        if (!same(a.units[u], b.units[u])) return false;
    return true;
}

bool samestate(const enginestate &a, const enginestate &b)
{
    for (int k = 0; k < 256; k++)
        if (!same(a.varib[k], b.varib[k]) || !samesens(a.varib[k], a.sens, b.varib[k], b.sens)) return false;
    for (int k = 0; k < 9; k++)
        if (!same(a.rep[k], b.rep[k])) return false;
#define SAME(x) if (!same(a.x, b.x)) return false
    FLAGS(SAME);
#undef SAME
    return true;
}
