// state.cpp - the engine's global state and its start-up values.
#include "engine/state.h"

#include "engine/engine.h"

lm *S, *C, *T, *T1, *S2;
lm varib[256];

char how223 = 1;
char Realonly = 0;
char flagrep = 0;

char LENGTH[10] = " Meter ";
char MASS[10] = " Kg ";
char TIME[10] = " Second ";
char TEMP[10] = " \xB0k";
char CHARGE[10] = " Coulomb ";
char MOLE[10] = " MOLE ";
char MACNAME[320];
char UNAME[352];
char FORMNAME[352];
char FORMTYTLE[352];

char NAME55 = 1;
char Match99 = 0;
int Matchcnt = 1;

float randcenter = 0.5f, randfactor = 1.0f, randmax = 1.0f;
float randfunc[1010];

long double repx, repy, reps, repe, repj, repold, repph, represx, repres3;
int repflag;

bool plainmode = false;

void initengine()
{
    static bool done = false;
    if (done) return;
    done = true;
    for (int k = 0; k <= 1000; k++) randfunc[k] = 1.0f;
}
