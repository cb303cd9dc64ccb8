// attach.cpp - the unit words "$m" "$k" "$s" "$d" "$c" "$n" and the error words "err",
// "c±" and "errpct".
//
// Each reads L = T.prev (the quantity) and R = T.next (a number), changes L and frees
// R and T. A unit word adds the real part of R to one exponent of L; an error word
// replaces L's error by the magnitude of R ("errpct": by that many hundredths of L's
// magnitude).
#include "base/output.h"
#include "engine/numeric.h"
#include "engine/operand.h"
#include "engine/ops.h"
#include "engine/state.h"

// Raises exponent 'slot' of L by the real part of R.
static void attach(int slot, const char *nothing)
{
    if (!operands(nothing, "cant unit comands : ")) return;
    lm *L = T->prev, *R = T->next;
    L->units[slot] = L->units[slot] + repart(R->mag, R->phase);
    keepleft();
}

void UM() { attach(2, "nothing to unit (M) : "); }
void UK() { attach(0, "nothing to unit (k): "); }
void US() { attach(1, "nothing to unit (s): "); }
void UD() { attach(3, "nothing to unit (degrees K): "); }
void UQ() { attach(4, "nothing to unit (coulomb) : "); }
void Un() { attach(5, "nothing to unit (n): "); }

// The error of L becomes |R.mag|, or with 'relative' |R.mag| hundredths of |L.mag|; R's
// phase, error and units are ignored, and units that differ from L's are only a warning
// (for an absolute error).
static void attacherror(bool relative)
{
    if (!operands("nothing to error : ", "err error , error addition must be numbers! : ")) return;
    lm *L = T->prev, *R = T->next;
    if (!relative && !sameunits(L, R)) *cout2 << "unit's error in error addition : ";
    L->err = relative ? std::abs(R->mag) / 100 * std::abs(L->mag) : std::abs(R->mag);
    keepleft();
}

void UE() { attacherror(false); }
void UEP() { attacherror(true); }
