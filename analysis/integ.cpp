// integ.cpp - "integ a b n f": the trapezoidal integral of f from a to b over the grid
// and the end value b. Each sample leaves the term "w c* f(x)" with its trapezoid
// weight w (half the distance between its neighbours), joined by "c+"; the driver
// reduces the products and then the sums, carrying phases, errors and units.
#include "analysis/frame.h"
#include "engine/ops.h"
#include "engine/state.h"

void integ1()
{
    repflag = 1;
    firstphase(INTEG);
}

// Trapezoid weight of sample k: half the distance from the sample before to the one
// after (the sample itself at either end).
static long double weight(long k)
{
    long last = samplecount() - 1;
    return (samplex(k < last ? k + 1 : k) - samplex(k > 0 ? k - 1 : k)) / 2;
}

// Markers "qnteg", "qrot": the marker becomes the weight, followed by "c*" (-2.96), a copy
// of the value, "c+" (-2.97) and a new marker "qrot".
void integ2()
{
    lm *V = takevalue(INTEG);
    if (!V) return;
    setnum(T, weight(sampleindex()));
    lm *times = wordafter(T, "c*", -2.96f);
    if (!times) return;
    lm *A = newlm();
    if (!A) return;
    copylm(A, V);
    insertafter(times, A);
    repflag = 0;
    repold = V->mag;
    repph = V->phase;
    lm *plus = wordafter(A, "c+", -2.97f);
    if (!plus) return;
    lm *marker = wordafter(plus, "qrot", 0.0f);
    if (!marker) return;
    removelm(V);
    if (nextsample()) {
        resplice(marker);
        return;
    }
    removelm(marker);
    removelm(plus);
    endsampling();
}
