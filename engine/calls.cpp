// calls.cpp - the user-function call: "func" binds the arguments, "," keeps them side by
// side, "dln" drops the word after it.
#include <cmath>

#include "base/output.h"
#include "engine/ops.h"
#include "engine/state.h"

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
    removelm(N);
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
        copylm(&varib[k++], N->next);
        removelm(N->next);
    }
    unsigned call = T->call;
    for (lm *b = T->prev; call && b && b->call >= call; b = b->prev) {
        unsigned char d = b->text[2];
        if (b->call == call && b->kind == LM_WORD && b->text[0] == 'c' && b->text[1] == '%' &&
            d >= '0' && d - '0' < bound)
            copylm(b, &varib[d]);
    }
    removelm(N);
    removelm(T);
    T = nullptr;
}

void C_dln()
{
    if (T->next) removelm(T->next);
    removelm(T);
    T = nullptr;
}
