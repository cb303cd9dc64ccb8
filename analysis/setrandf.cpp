// setrandf.cpp - "setrandf a b n f": f on the grid becomes the density of "rnd" on the
// interval from a to b; the answer is the table of "plot", with x shifted by 0.001.
#include "analysis/frame.h"
#include "engine/numeric.h"
#include "engine/ops.h"
#include "engine/priority.h"
#include "engine/state.h"

// The largest density seen starts at 0 (SETRANDF), even when the parameters are refused.
void setrandf1()
{
    if (!firstphase(SETRANDF)) return;
    randfactor = (float)(repe - reps);
    randcenter = (float)((reps + repe) * 0.5);
}

// Entry of 'randfunc' for the current sample: its slice of 250 over the interval, taken
// from the sample's number so that no rounding of x moves it into the slice before;
// never outside the entries 0 to 249 that "rnd" reads.
static int densityindex()
{
    long double n = samplesteps();
    long double k = n == 0 ? 0 : sampleindex() * 250 / n;
    if (!(k >= 0)) return 0;
    if (k >= 249) return 249;
    return (int)k;
}

// Markers "qetrandf", "qddd": records the real part r of the value (negative values and
// NaN as 0) and leaves the pair x + 0.001, r.
void setrandf2()
{
    lm *V = takevalue(SETRANDF);
    if (!V) return;
    takepair(T);
    long double r = repart(V->mag, V->phase);
    setnum(T, repx + (long double)0.001);
    randfunc[densityindex()] = r >= 0 ? (float)r : 0.0f;
    if (r >= randmax) randmax = (float)r;
    lm *y = numberafter(T, r);
    if (!y) return;
    lm *marker = wordafter(y, "qddd", PRIO_SAMPLEMARK);
    if (!marker) return;
    removelm(V);
    nextpass(marker);
}
