// output.cpp - command output streams, the result buffer and the error exits.
#include "app/output.h"

#include <cstdio>
#include <cstring>

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
    renew(cerr2);
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
    char buf[400];
    int n = std::snprintf(buf, sizeof buf, format, (int)precision, (double)x);
    if (n < 0 || n >= (int)sizeof buf || cout2->flags() & (std::ios::showpos | std::ios::showpoint | std::ios::uppercase)) {
        *cout2 << (double)x;
        return;
    }
    cout2->write(buf, n);
}
