// constants.cpp - constants, the random number, abscissa and ordinate, the comma,
// variables, the function-call frame "func", "setxy" and "dln".
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
        double u = std::rand() * scale;
        float f = randfunc[(int)(u * 250)];
        double v = std::rand() * scale * randmax;
        if (v <= f) {
            setnum(T, (long double)(u - 0.5) * randfactor + randcenter);
            return;
        }
    }
}

// "a , b": the comma takes over the number after it, so both values stay side by side.
void C_comma()
{
    lm *N = T->next;
    if (!N || N->kind != LM_NUMBER) {
        *cout2 << (N ? "comma error try not to use the comma : " : "nothing after , : ");
        exitno0(1);
        return;
    }
    for (int k = 0; k < 6; k++) T->units[k] = N->units[k];
    T->mag = N->mag;
    T->phase = N->phase;
    T->err = std::abs(N->err);
    T->kind = LM_NUMBER;
    T->next = N->next;
    if (N->next) N->next->prev = T;
    delete N;
}

// "c=" + name: stores the node before it (which stays) or, at the head, the last result.
void C_varib()
{
    lm &v = varib[(unsigned char)T->text[2]];
    lm *P = T->prev;
    if (P) {
        copylm(&v, P);
        P->next = T->next;
        if (T->next) T->next->prev = P;
        delete T;
        T = nullptr;
    } else {
        copylm(&v, &varib[0]);
        copylm(T, &varib[0]);
        // A store word kept as the last result (as in "=(=)") would store itself again
        // without end: it reads as never stored.
        if (T->kind == LM_WORD && T->text[0] == 'c' && T->text[1] == '=') {
            T->kind = LM_EMPTY;
            T->text[0] = 0;
        }
    }
}

// "c%" + name: becomes a copy of the variable. A variable holding a recall word reads
// as never stored, so a recall can never reproduce itself and loop.
void C_varibp()
{
    const lm &v = varib[(unsigned char)T->text[2]];
    copylm(T, &v);
    if (v.kind == LM_WORD && v.text[0] == 'c' && v.text[1] == '%') {
        T->kind = LM_EMPTY;
        T->text[0] = 0;
    }
}

// body "func" n a0 … a(n-1): the n values after the count become the variables "0", "1", …
// The placeholders of the call's own body (spliced in with it, so standing before "func"
// with its call tag) take their values at once: later calls cannot overwrite them.
void C_func()
{
    lm *N = T->next;
    if (!N) {
        *cout2 << "nothing after func : ";
        exitno0(1);
        return;
    }
    long double c = N->mag;
    long n = c >= 2147483647.0L ? 2147483647L : c <= -2147483648.0L ? 0 : (long)c;
    unsigned char k = '0';
    long bound = 0;
    for (; bound < n && N->next; bound++) {
        lm *P = N->next;
        copylm(&varib[k++], P);
        N->next = P->next;
        if (P->next) P->next->prev = N;
        delete P;
    }
    unsigned call = getowner(T);
    for (lm *b = T->prev; call && b && getowner(b) >= call; b = b->prev) {
        unsigned char d = b->text[2];
        if (getowner(b) == call && b->kind == LM_WORD && b->text[0] == 'c' && b->text[1] == '%' &&
            d >= '0' && d - '0' < bound)
            copylm(b, &varib[d]);
    }
    removelm(N);
    removelm(T);
    T = nullptr;
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

void C_dln()
{
    if (T->next) removelm(T->next);
    removelm(T);
    T = nullptr;
}
