// numformat.cpp - quick decimal conversions of doubles.
//
// The digits are those of |x| * 10^k rounded to an integer, k chosen so that the
// integer has the digits asked for. 10^k is exact in long double for |k| <= 27, so the
// scaled value carries one rounding (relative error at most 2^-64); when that leaves
// doubt about the rounding (the value lies too near a half) or about the number of
// digits, the caller's printf decides.
#include "base/numformat.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

enum { MAXPOW = 27, MAXDIGITS = 17 };

struct powers {
    long double p[MAXPOW + 1] = {};
    constexpr powers()
    {
        p[0] = 1;
        for (int k = 1; k <= MAXPOW; k++) p[k] = p[k - 1] * 10;
    }
};
constexpr powers TEN;

// |x| * 10^k, or -1 when 10^k is not exact.
long double scaled(double a, int k)
{
    if (k > MAXPOW || k < -MAXPOW) return -1;
    return k >= 0 ? a * TEN.p[k] : a / TEN.p[-k];
}

// 's' rounded to the nearest integer; false when it lies too near a half to be sure.
bool nearest(long double s, uint64_t &r)
{
    long double whole = std::floor(s), frac = s - whole;
    long double doubt = s * 0x1p-60L + 0x1p-100L;
    if (std::fabs(frac - 0.5L) <= doubt) return false;
    r = (uint64_t)whole + (frac > 0.5L ? 1 : 0);
    return true;
}

// The decimal digits of 'r', at least 'width' of them (leading zeros), into 'out'.
int digitsof(uint64_t r, int width, char *out)
{
    char tmp[24];
    int n = 0;
    do {
        tmp[n++] = (char)('0' + r % 10);
        r /= 10;
    } while (r);
    while (n < width) tmp[n++] = '0';
    for (int k = 0; k < n; k++) out[k] = tmp[n - 1 - k];
    return n;
}

// The 'n' significant digits of |x| and its decimal exponent (|x| ~ d.ddd * 10^exp).
bool significant(double a, int n, char *digits, int &exp)
{
    int e2;
    std::frexp(a, &e2);
    exp = (int)std::floor((e2 - 1) * 0.30102999566398120);
    long double lo = TEN.p[n - 1], hi = TEN.p[n], s = -1;
    for (int tries = 0; tries < 3; tries++) {
        s = scaled(a, n - 1 - exp);
        if (s < 0) return false;
        if (s < lo) exp--;
        else if (s >= hi) exp++;
        else break;
    }
    uint64_t r;
    if (!(s >= lo && s < hi) || !nearest(s, r)) return false;
    if (r == (uint64_t)hi) {
        r = (uint64_t)lo;
        exp++;
    }
    digitsof(r, n, digits);
    return true;
}

// "e+dd" / "e-ddd".
int exponent(int exp, char *out)
{
    out[0] = 'e';
    out[1] = exp < 0 ? '-' : '+';
    return 2 + digitsof((uint64_t)(exp < 0 ? -exp : exp), 2, out + 2);
}

// Drops the zeros at the end of the fraction of out[from, n), and a point left bare.
int trimzeros(char *out, int from, int n)
{
    const char *point = (const char *)std::memchr(out + from, '.', n - from);
    if (!point) return n;
    while (n > 0 && out[n - 1] == '0') n--;
    if (out + n - 1 == point) n--;
    return n;
}

}  // namespace

int quickformat(double x, char conversion, int precision, char *out)
{
    if (!std::isfinite(x) || x == 0 || precision < 0) return -1;
    double a = std::fabs(x);
    int n = 0;
    if (std::signbit(x)) out[n++] = '-';

    if (conversion == 'f') {
        if (precision > MAXPOW) return -1;
        long double s = scaled(a, precision);
        uint64_t r;
        if (s < 0 || s >= 0x1p62L || !nearest(s, r)) return -1;
        char d[24];
        int m = digitsof(r, precision + 1, d);
        std::memcpy(out + n, d, m - precision);
        n += m - precision;
        if (precision > 0) {
            out[n++] = '.';
            std::memcpy(out + n, d + m - precision, precision);
            n += precision;
        }
        out[n] = 0;
        return n;
    }

    int count = conversion == 'e' ? precision + 1 : precision == 0 ? 1 : precision;
    if (count > MAXDIGITS || (conversion != 'e' && conversion != 'g')) return -1;
    char d[MAXDIGITS + 1];
    int exp;
    if (!significant(a, count, d, exp)) return -1;

    if (conversion == 'g' && exp < count && exp >= -4) {
        int start = n;
        if (exp >= 0) {
            std::memcpy(out + n, d, exp + 1);
            n += exp + 1;
            if (count - 1 - exp > 0) {
                out[n++] = '.';
                std::memcpy(out + n, d + exp + 1, count - 1 - exp);
                n += count - 1 - exp;
            }
        } else {
            out[n++] = '0';
            out[n++] = '.';
            for (int k = 0; k < -exp - 1; k++) out[n++] = '0';
            std::memcpy(out + n, d, count);
            n += count;
        }
        n = trimzeros(out, start, n);
        out[n] = 0;
        return n;
    }

    int start = n;
    out[n++] = d[0];
    if (count > 1) {
        out[n++] = '.';
        std::memcpy(out + n, d + 1, count - 1);
        n += count - 1;
    }
    if (conversion == 'g') n = trimzeros(out, start, n);
    n += exponent(exp, out + n);
    out[n] = 0;
    return n;
}
