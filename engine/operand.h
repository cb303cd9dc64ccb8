// operand.h - the checks and the unlinking that the binary operations share.
#ifndef QEV_OPERAND_H
#define QEV_OPERAND_H

#include "engine/node.h"

// Checks two operands: writes 'nothing' when one is missing, 'cant' when one is not a
// number, and takes error exit 1; false then.
bool numberpair(const lm *a, const lm *b, const char *nothing, const char *cant);

// The same for L = T.prev and R = T.next.
bool operands(const char *nothing, const char *cant);

// Keeps L as the result (a number): unlinks and frees R and T.
void keepleft();

// True when the six unit exponents of a and b are equal; when any of n's is not 0.
bool sameunits(const lm *a, const lm *b);
bool hasunits(const lm *n);

#endif
