// find.cpp - "findx a b n f", the grid abscissa where |f| is smallest, and "findzer a b
// n f", the sample of smallest modulus itself. The first of equal candidates wins.
#include "analysis/frame.h"
#include "engine/ops.h"
#include "engine/state.h"

void findx1()
{
    if (!firstphase(FINDX)) return;
    repres3 = 9e99;
    represx = reps;
}

// Marker "qindx": keeps the best modulus in 'repres3' and its abscissa in 'represx';
// the marker stays for the next copy and finally becomes 'represx'.
void findx2()
{
    lm *V = takevalue(FINDX);
    if (!V) return;
    if (V->mag < repres3) {
        repres3 = V->mag;
        represx = repx;
    }
    removelm(V);
    if (nextsample()) {
        resplice(T);
        return;
    }
    setnum(T, represx);
    endsampling();
}

void findzer1() { firstphase(FINDZER); }

// Marker "qindzer": the samples are chained with "zer", which the driver reduces at the end.
void findzer2a() { chainsample(FINDZER, "zer", "qindzer", ZERO2); }
