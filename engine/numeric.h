// numeric.h - the engine's numeric helpers and precision rules.
//
// Quantities are long double. Sine, cosine, exponential, logarithm, power, square
// root and arcsine are taken in double precision on arguments rounded to double;
// pi is the double value widened. 'abs' is the library's long double overload.
#ifndef QEV_NUMERIC_H
#define QEV_NUMERIC_H

#include <cmath>
#include <cstdlib>

const long double PI = (long double)3.14159265358979323846;  // double pi, widened
const long double PI2 = PI / 2;
const long double TWOPI = PI * 2;

inline long double dsin(long double x) { return std::sin((double)x); }
inline long double dcos(long double x) { return std::cos((double)x); }
inline long double dexp(long double x) { return std::exp((double)x); }
inline long double dsqrt(long double x) { return std::sqrt((double)x); }
inline long double dpow(long double x, long double y) { return std::pow((double)x, (double)y); }

// Real part: mag times the double-precision cosine of phase.
inline long double repart(long double mag, long double phase) { return mag * dcos(phase); }

// Real and imaginary part of mag*e^(i*phase). At a whole number of the engine's quarter
// turns (0, pi/2, pi, ... as i, -1 and their products and sums make them) the cosine
// and sine are exactly 0, 1 or -1, and a part with the factor 0 is 0 whatever the
// magnitude; at every other phase the double-precision cosine and sine.
long double exactre(long double mag, long double phase);
long double exactim(long double mag, long double phase);

// An error term: 0 when the operand's error is 0, whatever the factor (exact stays exact).
inline long double term(long double e, long double factor) { return e == 0 ? 0 : e * factor; }

// Natural logarithm in double precision; -9e307 for 0. A negative argument writes the
// internal-error message and takes error exit 2 (the caller must return at once).
long double mlog(long double x);

// Phase of x + i*y (imaginary part first), in (-3pi/2, pi/2].
long double atanr(long double y, long double x);

// A phase brought into (-pi, pi] by whole turns (exactly, by the IEEE remainder).
long double principal(long double theta);

// Brings a phase into [0, 2pi] as repeated steps of 2pi would; infinite or NaN stays.
long double turnphase(long double phase);

#endif
