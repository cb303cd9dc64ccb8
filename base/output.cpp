// output.cpp - the command output streams, the result buffer and number text.
#include "base/output.h"

#include <cstdio>
#include <cstring>

#include "base/numformat.h"

std::ostringstream *cout2;
std::ostringstream *cerr2;
char Fixfinlin[40000];

static const char CUTMARK[] = "\n... (answer cut)";

// A stream as new: empty, good, precision 6, general format. The two streams are made
// once and emptied for every command, which is cheaper than making them anew.
static void renew(std::ostringstream *&s)
{
    static const std::ios::fmtflags fresh = std::ostringstream().flags();
    if (!s) s = new std::ostringstream;
    s->str("");
    s->clear();
    s->flags(fresh);
    s->precision(6);
    s->width(0);
    s->fill(' ');
}

void renewstreams()
{
    if (!cerr2) renew(cerr2);  // nothing writes to it: it stays as new
    renew(cout2);
}

void fixfinlin()
{
    *cout2 << "@@@";
    const std::string text = cout2->str();
    size_t n = text.find("@@@");
    if (n >= sizeof Fixfinlin) {
        n = sizeof Fixfinlin - sizeof CUTMARK;
        std::memcpy(Fixfinlin, text.data(), n);
        std::memcpy(Fixfinlin + n, CUTMARK, sizeof CUTMARK);
        return;
    }
    std::memcpy(Fixfinlin, text.data(), n);
    Fixfinlin[n] = 0;
}

// Whole numbers below 10^15 in size (unit exponents, counts, most small results), as
// printf writes them, without its general conversion; false for any other number.
static bool wholetext(double x, char format, int precision, std::string &out)
{
    if (x == 0 || !(x > -1e15 && x < 1e15) || x != (double)(long long)x) return false;
    long long v = (long long)x, u = v < 0 ? -v : v;
    char digits[24], *end = digits + sizeof digits - 1, *q = end;
    *q = 0;
    do {
        *--q = (char)('0' + u % 10);
        u /= 10;
    } while (u);
    int d = (int)(end - q);
    if ((format == 'g' && d > precision) || (format == 'e' && d - 1 > precision)) return false;
    if (v < 0) out += '-';
    if (format == 'g') {
        out.append(q, d);
    } else if (format == 'f') {
        out.append(q, d);
        if (precision > 0) out.append(1, '.').append(precision, '0');
    } else {
        out += q[0];
        if (precision > 0) out.append(1, '.').append(q + 1, d - 1).append(precision - (d - 1), '0');
        out += "e+";
        out += (char)('0' + (d - 1) / 10);
        out += (char)('0' + (d - 1) % 10);
    }
    return true;
}

// A stream's own output of a double, in the given format.
static void streamtext(long double x, std::ios::fmtflags flags, std::streamsize precision, std::string &out)
{
    std::ostringstream s;
    s.flags(flags);
    s.precision(precision);
    s << (double)x;
    out += s.str();
}

void numtext(long double x, std::string &out) { numtext(x, cout2->flags(), cout2->precision(), out); }

void numtext(long double x, std::ios::fmtflags flags, std::streamsize precision, std::string &out)
{
    std::ios::fmtflags f = flags & std::ios::floatfield;
    const char *format = f == std::ios::scientific ? "%.*e" : f == std::ios::fixed ? "%.*f" : "%.*g";
    if (f == (std::ios::fixed | std::ios::scientific) ||
        (flags & (std::ios::showpos | std::ios::showpoint | std::ios::uppercase)))
        return streamtext(x, flags, precision, out);
    if (precision < 0) precision = 6;
    if (f != std::ios::fixed && f != std::ios::scientific && precision == 0) precision = 1;
    if (precision < 400 && wholetext((double)x, format[3], (int)precision, out)) return;
    char buf[400];
    int n = quickformat((double)x, format[3], (int)precision, buf);
    if (n < 0) n = std::snprintf(buf, sizeof buf, format, (int)precision, (double)x);
    if (n < 0 || n >= (int)sizeof buf) return streamtext(x, flags, precision, out);
    out.append(buf, n);
}
