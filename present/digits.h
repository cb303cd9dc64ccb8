// digits.h - writing the number of an answer: its value in the chosen number format and
// complex form, and a value with an error in the digits the error allows.
#ifndef QEV_DIGITS_H
#define QEV_DIGITS_H

#include <ios>
#include <string>

// How numbers are written: the number format and precision of the calculate options,
// and the complex form.
struct numstyle {
    std::ios::fmtflags flags = std::ios::fmtflags();  // general, scientific or fixed
    std::streamsize precision = 12;
    bool expform = true;  // complex values as r*exp(i*phi), else a+bi
};

// The number of significant digits a value is written with in 'style'.
int significant(const numstyle &style);

// Appends a quantity: the value mag*e^(i*phase) with error 'err' (0: none) followed by
// a blank and 'unit' when it is not empty. A real value with an error is written with
// the digits the error allows ('errortext'); other numbers in the chosen format.
void quantitytext(long double mag, long double phase, long double err, const std::string &unit,
                  const numstyle &style, std::string &out);

// Appends a real value with a non-zero error, both rounded to the last digit the error
// keeps: the error's three leading digits 100 to 354 keep two significant digits, 355
// to 949 one, and 950 to 999 are rounded up to 1000 and keep two. Trailing zeros stay.
// The pair is grouped under a power of ten, "(1.2345 ± 0.0067)e4", in the scientific
// format, and in the general format when the larger of the two has its first digit at
// 10^4 or above or at 10^-3 or below; never in the fixed format. False (nothing
// appended) when the value or the error is not finite.
bool errortext(long double value, long double err, const numstyle &style, std::string &out);

#endif
