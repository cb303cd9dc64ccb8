// printer.h - writing what is left of a formula.
#ifndef QEV_PRINTER_H
#define QEV_PRINTER_H

#include "engine/node.h"

// Writes every node of the list at 'S' to 'cout2', keeps the last number in
// 'varib'[0], notes what it wrote in 'lastprint', frees the list and leaves 'S', 'C'
// and 'T' null.
void printlist();

// Brings a phase into [-pi/2, pi/2] by half turns, negating 'mag' at each.
void displaynormal(long double &mag, long double &phase);

// The display form of a printed number: the phase brought into [-pi/2, pi/2], the real
// part only under 'Realonly', and a phase below 1e-14 in size taken as 0.
void displayform(long double &mag, long double &phase);

// Writes the value: real, exponential ('how223') or rectangular form.
void printvalue(long double mag, long double phase);

// Writes the unit groups of 'n' in the order length, mass, time, temperature, charge, amount.
void printunits(const lm *n);

#endif
