// plot.cpp - "plot a b n f": the table of x and the real part of f(x) on the grid.
#include "analysis/frame.h"
#include "engine/numeric.h"
#include "engine/ops.h"
#include "engine/priority.h"
#include "engine/state.h"

void plot1() { firstphase(PLOT); }

// Marker "qlot": the marker becomes x, a new node the real part of the value (without
// its error and units); a new marker "qlot" follows, then the next copy.
void plot2()
{
    lm *V = takevalue(PLOT);
    if (!V) return;
    takepair(T);
    setnum(T, repx);
    lm *y = numberafter(T, repart(V->mag, V->phase));
    if (!y) return;
    lm *marker = wordafter(y, "qlot", PRIO_SAMPLEMARK);
    if (!marker) return;
    removelm(V);
    nextpass(marker);
}
