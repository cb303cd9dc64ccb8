// digits.cpp - numbers of answers in the number format, the complex form, and the
// digits an error allows.
#include "present/digits.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/output.h"
#include "engine/numeric.h"

namespace {

const char PLUSMINUS[] = " \xC2\xB1 ";  // " ± " in UTF-8

// The digits of |x| * 10^-place rounded to a whole number (no sign, no point).
std::string digitsat(long double x, int place)
{
    char buf[128];
    int n;
    if (place < 0) n = std::snprintf(buf, sizeof buf, "%.*Lf", -place, std::fabs(x));
    else n = std::snprintf(buf, sizeof buf, "%.0Lf", std::round(std::fabs(x) / std::pow(10.0L, place)));
    std::string d;
    for (int k = 0; k < n && k < (int)sizeof buf - 1; k++)
        if (buf[k] != '.') d += buf[k];
    size_t first = d.find_first_not_of('0');
    return first == std::string::npos ? "0" : d.substr(first);
}

// The power of ten of the first digit of 'digits' * 10^place; a very low number for 0.
int leading(const std::string &digits, int place)
{
    return digits == "0" ? -100000 : (int)digits.size() - 1 + place;
}

// 'digits' * 10^place written with 'decimals' digits after the point (place >= -decimals).
std::string withpoint(const std::string &digits, int place, int decimals)
{
    std::string d = digits + std::string(place + (decimals > 0 ? decimals : 0), '0');
    if (decimals <= 0) return digits == "0" ? digits : d;
    if ((int)d.size() <= decimals) d.insert(0, decimals + 1 - d.size(), '0');
    d.insert(d.size() - decimals, 1, '.');
    return d;
}

// A complex value in the chosen form: "a+bi" (or "a-bi"), or "r*exp(i*phi)".
void complextext(long double mag, long double phase, const numstyle &s, std::string &out)
{
    if (s.expform) {
        numtext(mag, s.flags, s.precision, out);
        out += "*exp(i*";
        numtext(phase, s.flags, s.precision, out);
        out += ")";
        return;
    }
    long double im = exactim(mag, phase);
    numtext(exactre(mag, phase), s.flags, s.precision, out);
    out += im < 0 ? "-" : "+";
    numtext(std::fabs(im), s.flags, s.precision, out);
    out += "i";
}

} // namespace

int significant(const numstyle &style)
{
    std::ios::fmtflags f = style.flags & std::ios::floatfield;
    int p = (int)(style.precision < 0 ? 6 : style.precision > 40 ? 40 : style.precision);
    if (f == std::ios::scientific) return p + 1;
    if (f == std::ios::fixed) return 12;
    return p < 1 ? 1 : p;
}

bool errortext(long double value, long double err, const numstyle &style, std::string &out)
{
    if (!std::isfinite(value) || !std::isfinite(err) || err == 0) return false;
    err = std::fabs(err);
    // The error's three leading digits and the power of ten of the first, read from
    // twelve significant digits (an error of 0.355 is 0.35499999999999998 in binary).
    char lead[40];
    std::snprintf(lead, sizeof lead, "%.11Le", err);
    int three = (lead[0] - '0') * 100 + (lead[2] - '0') * 10 + (lead[3] - '0');
    int power = std::atoi(std::strchr(lead, 'e') + 1);
    int place = three <= 354 ? power - 1 : power;
    std::string e = three >= 950 ? "10" : digitsat(err, place);
    std::string v = digitsat(value, place);
    int first = std::max(leading(v, place), leading(e, place));
    if (first - place > 25) return false;  // more digits than the value holds
    std::ios::fmtflags f = style.flags & std::ios::floatfield;
    bool grouped = f == std::ios::scientific || (f != std::ios::fixed && (first >= 4 || first <= -3));
    int shift = grouped ? first : 0;
    int decimals = shift - place;
    std::string sign = value < 0 && v != "0" ? "-" : "";
    if (grouped) out += "(";
    out += sign + withpoint(v, place - shift, decimals) + PLUSMINUS + withpoint(e, place - shift, decimals);
    if (grouped) out += ")e" + std::to_string(shift);
    return true;
}

void quantitytext(long double mag, long double phase, long double err, const std::string &unit,
                  const numstyle &style, std::string &out)
{
    if (mag == 0) mag = 0;  // a zero without a sign
    bool real = exactim(mag, phase) == 0 || phase == 0;
    if (!real) {
        if (!unit.empty() || err != 0) out += "(";
        complextext(mag, phase, style, out);
        if (err != 0) {
            out += PLUSMINUS;
            numtext(err, style.flags, style.precision, out);
        }
        if (!unit.empty() || err != 0) out += ")";
    } else if (err == 0 || !errortext(mag, err, style, out)) {
        numtext(mag, style.flags, style.precision, out);
        if (err != 0) {
            out += PLUSMINUS;
            numtext(err, style.flags, style.precision, out);
        }
    }
    if (!unit.empty()) out += " " + unit;
}
