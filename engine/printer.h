// printer.h - writing what is left of a formula.
#ifndef QEV_PRINTER_H
#define QEV_PRINTER_H

#include <string>

#include "engine/node.h"

// Appends the text of the number node 'n' as the printer writes it to 'out'; in table
// mode steps 'flagrep' from one member of a pair to the other.
void numbertext(const lm *n, std::string &out);

// Notes the number node 'n' in 'lastprint' as written (the analysis words note the
// pairs they take out of the list, the printer every other number).
void notenumber(const lm *n);

// Writes every node of the list at 'S' to 'cout2', keeps the last number in
// 'varib'[0], notes what it wrote in 'lastprint', frees the list and leaves 'S', 'C'
// and 'T' null.
void printlist();

// Brings a phase into [-pi/2, pi/2] by half turns, negating 'mag' at each.
void displaynormal(long double &mag, long double &phase);

// The display form of a written number: the phase brought into [-pi/2, pi/2], the real
// part only under 'Realonly', and a phase below 1e-14 in size taken as 0.
void displayform(long double &mag, long double &phase);

// Writes the value: real, exponential ('how223') or rectangular form.
void printvalue(long double mag, long double phase);

// Writes the unit groups of 'n' in the order length, mass, time, temperature, charge, amount.
void printunits(const lm *n);

#endif
