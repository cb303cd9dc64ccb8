// output.cpp - command output streams, the result buffer and the error exits.
#include "app/output.h"

#include <cstring>

#include "engine/node.h"
#include "engine/state.h"

std::ostringstream *cout2;
std::ostringstream *cerr2;
char Fixfinlin[40000];

static const char CUTMARK[] = "\n... (answer cut)";

void renewstreams()
{
    delete cerr2;
    cerr2 = new std::ostringstream;
    delete cout2;
    cout2 = new std::ostringstream;
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

void putnum(long double x) { *cout2 << (double)x; }
