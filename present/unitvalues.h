// unitvalues.h - the values of the units file's names, evaluated without touching the
// user's state and kept until the file changes.
#ifndef QEV_UNITVALUES_H
#define QEV_UNITVALUES_H

#include <string>

// One unit of a name in base units: 'zero' units of it are 'offset', each further unit
// adds 'slope' (an offset scale such as degC has both; most units have offset 0).
struct unitvalue {
    bool ok = false;             // an entry of the units file whose value is one real number
    long double slope = 0, offset = 0;
    long double units[6] = {};   // its dimensions, in the engine's slot order
};

// The value of the entry 'name' (Latin-1) of the current units file 'MACNAME'.
const unitvalue &valueof(const std::string &name);

// A number that changes whenever what 'valueof' answers may change (another units file,
// or the file changed); what callers derive from the values is kept under it.
unsigned long valuesgeneration();

// The user's state that evaluating names may change (variables, the last result, the
// slots of the analysis words) is saved before the first evaluation and put back here.
// Every caller of 'valueof' calls it before it returns to the user.
void restoreuserstate();

// Dimensions are equal when no exponent differs by more than this.
const long double DIMTOLERANCE = 1e-9L;
bool samedims(const long double a[6], const long double b[6]);

#endif
