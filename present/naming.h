// naming.h - the unit an answer is written in when no target is given: a named unit of
// the preferred list (with a prefix the library defines), or the unit system's base
// names composed.
#ifndef QEV_NAMING_H
#define QEV_NAMING_H

#include <string>

// A unit to write a quantity in: its text (UTF-8) and the value of one such unit in
// base units (1, or the factor of its prefix).
struct unitname {
    std::string text;
    long double factor = 1;
};

// The unit for a quantity of the dimensions 'units' (the engine's slot order) whose
// size in base units is 'size' (magnitude, or the error when larger); 'digits' is the
// number of significant digits the value is written with, so that a prefix is chosen
// for the size as it will read. The empty text for a plain number.
unitname nameunits(const long double units[6], long double size, int digits);

// The dimensions in words, as "length/time" or "mass length^2/time^2"; "number" for a
// plain number.
std::string dimensionwords(const long double units[6]);

// The file of preferred names for the current units file: "named.list" beside it, or
// the shipped one.
const std::string &namedlistpath();

#endif
