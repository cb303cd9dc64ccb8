// integ.cpp - "integ a b n f": the trapezoidal integral of f from a to b over the grid
// and the end value b. Each sample leaves the term "w c* f(x)" with its trapezoid
// weight w (half the distance between its neighbours), joined by "c+"; the driver
// reduces the products and then the sums, carrying phases, errors and units.
#include "analysis/frame.h"
#include "engine/ops.h"
#include "engine/priority.h"
#include "engine/state.h"

void integ1() { firstphase(INTEG); }

// Trapezoid weight of sample k: half the distance from the sample before to the one
// after (the sample itself at either end).
static long double weight(long k)
{
    long last = samplecount() - 1;
    return (samplex(k < last ? k + 1 : k) - samplex(k > 0 ? k - 1 : k)) / 2;
}

// Markers "qnteg", "qrot": the marker becomes the weight, followed by "c*" (PRIO_TERM), a
// copy of the value, "c+" (PRIO_SUM) and a new marker "qrot". Outside 'plainmode' the term is
// multiplied out and added to the sum of the terms before at once, the keyword node
// holding the sum: the same reductions in the same order as the driver's at the end.
void integ2()
{
    lm *V = takevalue(INTEG);
    if (!V) return;
    long k = sampleindex();
    long double w = weight(k);
    repflag = 0;
    repold = V->mag;
    repph = V->phase;
    lm *marker = T;
    if (foldable(V)) {
        T->next = nullptr;
        if (k == 0) {
            setnum(T, w);
            if (!fold(T, "c*", mult, V)) return;
            marker = wordafter(T, "qrot", PRIO_SAMPLEMARK);
            if (!marker) return;
        } else {
            lm *term = newlm();
            if (!term) {
                delete V;
                return;
            }
            setnum(term, w);
            if (!fold(term, "c*", mult, V)) {
                delete term;
                return;
            }
            if (!fold(T->prev, "c+", add, term)) return;
        }
        nextpass(marker);
        return;
    }
    // After folded terms the list goes on as the driver would reduce it. A term that is
    // not a number makes its product fail before any sum is formed: the sums folded so
    // far would never have been reduced.
    if (k > 0 && T->prev->kind == LM_NUMBER) {
        if (!wordafter(T->prev, "c+", PRIO_SUM)) return;
        dropfolded();
    }
    setnum(T, w);
    lm *times = wordafter(T, "c*", PRIO_TERM);
    if (!times) return;
    lm *A = newlm();
    if (!A) return;
    copylm(A, V);
    insertafter(times, A);
    lm *plus = wordafter(A, "c+", PRIO_SUM);
    if (!plus) return;
    marker = wordafter(plus, "qrot", PRIO_SAMPLEMARK);
    if (!marker) return;
    removelm(V);
    if (!nextpass(marker)) removelm(plus);
}
