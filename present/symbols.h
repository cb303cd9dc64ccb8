// symbols.h - the symbols people paste into a formula (µ, Ω, °C, ×, −, √, π, ², …),
// rewritten into the words the engine knows.
#ifndef QEV_SYMBOLS_H
#define QEV_SYMBOLS_H

#include <string>

#include "present/notes.h"

// 'text' (UTF-8) with every symbol the engine does not know rewritten, each rewrite noted
// in 'n': µ and μ as the micro prefix "u", Ω as "ohm", °C °F ℃ ℉ and ° as "degC",
// "degF" and "deg", × · ⋅ as "*", ÷ as "/", − as "-", √ as "sqrt", π as "pi" (after a
// number, times it), superscript digits and signs as a power ("m²" is "m^2"), +/- as ±,
// the arrow → as "->", Greek names of the library's constants (ε0 as eps0, ħ as hbar),
// and unusual blanks as blanks. A character beyond Latin-1 that is none of these is read
// as a blank, with a warning naming it. A 'target' (a unit to convert to) takes a micro
// prefix the library does not define as the factor 1e-6, not as a product word.
std::string symbols(const std::string &text, bool target, notes &n);

// True when 'text' holds a byte that 'symbols' may rewrite (cheap to ask).
bool mayhavesymbols(const std::string &text);

#endif
