// constants.cpp - the words that stand for a value: the constants "pi", "e", "i"; the
// abscissa and ordinate "x", "y" and "setxy", which sets them; the random number "rnd".
#include <cstdlib>

#include "base/output.h"
#include "engine/numeric.h"
#include "engine/ops.h"
#include "engine/state.h"

void pi() { setnum(T, PI); }

// e as the double value widened, like pi.
void e() { setnum(T, (long double)2.718281828459045235); }

void c_i()
{
    setnum(T, 1);
    T->phase = PI2;
}

void X() { setnum(T, repx); }
void Y() { setnum(T, repy); }

enum { MAXDRAWS = 10000000 };  // far beyond what any density with a positive entry needs

// A value of density 'randfunc'[0..249] on [randcenter - randfactor/2, randcenter +
// randfactor/2), by rejection: u is accepted when rand()*2^-31*randmax <= randfunc[250u].
void rnd2()
{
    bool positive = false;
    for (int j = 0; j < 250; j++)
        if (randfunc[j] > 0) positive = true;
    if (!positive || !(randmax > 0)) {
        *cout2 << "rnd has no positive density , see setrandf : ";
        exitno(1);
        return;
    }
    const double scale = 1.0 / 2147483648.0;
    for (long draws = 0;; draws++) {
        if (draws == MAXDRAWS) {
            *cout2 << "rnd found no value after " << (long)MAXDRAWS << " draws , see setrandf : ";
            exitno(1);
            return;
        }
        randdraws += 2;
        double u = std::rand() * scale;
        float f = randfunc[(int)(u * 250)];
        double v = std::rand() * scale * randmax;
        if (v <= f) {
            setnum(T, (long double)(u - 0.5) * randfactor + randcenter);
            return;
        }
    }
}

// "setxy a b": sets the abscissa and ordinate; the formula goes on after b, and
// everything before is dropped.
void setxy()
{
    lm *A = T->next, *B = A ? A->next : nullptr;
    if (!A || !B || A->kind != LM_NUMBER || B->kind != LM_NUMBER) {
        *cout2 << (A && B ? "setxy must have 2 numerical parameters : " : "nothing to setxy : ");
        exitno0(1);
        return;
    }
    repy = B->mag * dcos(B->phase);
    repx = A->mag * dcos(A->phase);
    lm *rest = B->next;
    B->next = nullptr;
    freelist(S);
    S = rest;
    if (S) S->prev = nullptr;
    T = nullptr;
}
