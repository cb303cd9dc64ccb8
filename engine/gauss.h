// gauss.h - evaluation with errors in quadrature: the operations that carry
// sensitivities (sens.h), and the reduction rules that use them.
#ifndef QEV_GAUSS_H
#define QEV_GAUSS_H

#include "engine/driver.h"

// The operation with errors in quadrature for the operation 'op' of the linear model;
// 'op' itself when it makes no value of its operands (unit words, constants, calls,
// the analysis words).
void (*gaussop(void (*op)()))();

// The operation to run for 'op' now: 'gaussop'(op) in quadrature mode, else 'op'.
void (*modeop(void (*op)()))();

// The rules 'r' with the operations in quadrature; made once for each 'r'.
const reducerules &gaussrules(const reducerules &r);

// The rules to reduce with now: 'gaussrules'(r) in quadrature mode, else 'r'.
const reducerules &moderules(const reducerules &r);

// A number with an error but no sensitivities (a value stored before with linear
// errors) becomes a source of its own, along its direction.
void givesource(lm *n);

#endif
