// variables.cpp - the variables: "c=" followed by a name stores, "c%" followed by a
// name recalls.
//
// A variable keeps the sensitivities of the value stored (sens.h). Outside quadrature
// mode a recalled value leaves them behind: the operations there do not carry them, so
// a result made of it would hold stale ones.
#include "engine/ops.h"
#include "engine/state.h"

// The copy of a variable in the list: without sensitivities outside quadrature mode.
static void recalled(lm *n)
{
    if (!gaussmode) n->nsens = n->sens = 0;
}

// "c=" + name: stores the node before it (which stays) or, at the head, the last result.
void C_varib()
{
    lm &v = varib[(unsigned char)T->text[2]];
    lm *P = T->prev;
    if (P) {
        copylm(&v, P);
        removelm(T);
        T = nullptr;
    } else {
        copylm(&v, &varib[0]);
        copylm(T, &varib[0]);
        recalled(T);
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
    recalled(T);
    if (v.kind == LM_WORD && v.text[0] == 'c' && v.text[1] == '%') {
        T->kind = LM_EMPTY;
        T->text[0] = 0;
    }
}
