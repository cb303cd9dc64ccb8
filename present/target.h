// target.h - conversion targets: the unit expression an answer is to be written in.
#ifndef QEV_TARGET_H
#define QEV_TARGET_H

#include <string>
#include <vector>

// A target read with the names of the current units file. One target unit is 'slope'
// base units, and zero of them 'offset' (an offset scale written alone, as "degC";
// within an expression a unit counts by its slope only, so "degC/s" is "K/s").
struct target {
    std::string text;   // as written (UTF-8), without outer blanks
    std::string error;  // why it cannot be used; empty when it can
    long double slope = 1, offset = 0;
    long double units[6] = {};
    // A mixed target such as "ft+in" or "h+minute+s": the text and slope of each part.
    std::vector<std::pair<std::string, long double>> parts;
};

// Takes a trailing target off a formula: the text after its last "->", or the last
// word when the word before it is "to" and the formula has more before that. True when
// there was one ('target' then holds it, 'formula' the rest).
bool splittarget(std::string &formula, std::string &target);

// Reads a target: names of the units file, numbers, "^" with a whole or decimal
// exponent, brackets, "*" and "/" (left to right), blanks between factors (binding
// more tightly than "*" and "/": "J/kg K" is J/(kg K)), and "+" between the parts of a
// mixed target. Kept by text until the units file changes.
const target &readtarget(const std::string &text);

#endif
