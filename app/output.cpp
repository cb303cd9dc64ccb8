// output.cpp - command output streams, the result buffer and the error exits.
#include "app/output.h"

#include <cstdio>
#include <cstring>

#include "app/numformat.h"
#include "engine/node.h"
#include "engine/state.h"

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

static void errorexit(int n)
{
    *cout2 << "error #" << n;
    freelist(S);
    S = C = T = nullptr;
}

void exitno(int n) { errorexit(n); }
void exitno0(int n) { errorexit(n); }

// Whole numbers below 10^15 in size (unit exponents, counts, most small results), as
// printf writes them, without its general conversion; false for any other number.
static bool putwhole(double x, char format, int precision)
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
    std::memmove(digits, q, d + 1);
    std::string out = v < 0 ? "-" : "";
    if (format == 'g') {
        if (d > precision) return false;
        out += digits;
    } else if (format == 'f') {
        out += digits;
        if (precision > 0) out += '.' + std::string(precision, '0');
    } else {
        if (d - 1 > precision) return false;
        out += digits[0];
        if (precision > 0) out += '.' + std::string(digits + 1) + std::string(precision - (d - 1), '0');
        out += "e+";
        out += (char)('0' + (d - 1) / 10);
        out += (char)('0' + (d - 1) % 10);
    }
    cout2->write(out.data(), out.size());
    return true;
}

// As the stream's own output of a double (the "C" locale's printf conversion for the
// stream's notation and precision), without its locale machinery.
void putnum(long double x)
{
    std::ios::fmtflags f = cout2->flags() & std::ios::floatfield;
    const char *format = f == std::ios::scientific ? "%.*e" : f == std::ios::fixed ? "%.*f" : "%.*g";
    if (f == (std::ios::fixed | std::ios::scientific)) {
        *cout2 << (double)x;
        return;
    }
    std::streamsize precision = cout2->precision();
    if (precision < 0) precision = 6;
    if (f != std::ios::fixed && f != std::ios::scientific && precision == 0) precision = 1;
    if (cout2->flags() & (std::ios::showpos | std::ios::showpoint | std::ios::uppercase)) {
        *cout2 << (double)x;
        return;
    }
    if (precision < 400 && putwhole((double)x, format[3], (int)precision)) return;
    char buf[400];
    int n = quickformat((double)x, format[3], (int)precision, buf);
    if (n < 0) n = std::snprintf(buf, sizeof buf, format, (int)precision, (double)x);
    if (n < 0 || n >= (int)sizeof buf) {
        *cout2 << (double)x;
        return;
    }
    cout2->write(buf, n);
}
