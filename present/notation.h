// notation.h - everyday notation made plain for the engine: rewrites that hold always,
// rewrites that rescue a formula the engine refused, and warnings for what stays
// ambiguous. Formulas are UTF-8; names are read with the current library (the unit
// system and function file of the call, read before).
#ifndef QEV_NOTATION_H
#define QEV_NOTATION_H

#include <string>

#include "engine/state.h"
#include "present/notes.h"

// Reads a formula for the engine, each rewrite noted in 'n':
//   'formula' is rewritten in place with the textbook reading of units made explicit:
//   a power after a unit name is the unit's ("1500 ft^2" is "(1500 {ft^2})", also for
//   several units: "5 kg m^2 s^-2" is "(5 kg {m^2} {s^-2})");
//   a unit after a power is the power's ("3*10^8 m" is "3*(10^8) m");
//   a unit in braces after "/" keeps its number ("6 m / 2 {m^2}" is "6 m / (2 {m^2})");
//   an error and a bracket keep their units ("(5 ± 0.1) m^2" is "((5 ± 0.1) {m^2})");
//   a number glued to i, pi, x or y is a product ("4i" is "4*i").
// Warnings go to 'n' for what the engine reads otherwise than it may be meant, in the
// formula as it was given: "+-" (a plus and a minus, not ±), "in" between a quantity and
// a unit (the inch, not a conversion), and a word the library does not define that is
// read as a product of names found at its end.
// 'rescued' is the rewritten formula rescued for a second attempt after the engine
// refuses it, its rewrites noted in 'rescuing': "1 " before a unit name (or a unit in
// braces) that stands where a number is needed ("5 km/h" is "5 km/1 h"), and "minute"
// for "min" after a number with nothing after it. False when there is nothing to rescue.
bool readformula(std::string &formula, notes &n, std::string &rescued, notes &rescuing);

// Warnings for what the engine's scanner passed over in 'r': characters that mean
// nothing in a formula, and the ends of numbers that the decimal conversion left.
void passedover(const printrecord &r, notes &n);

#endif
