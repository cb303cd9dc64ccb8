// bru.cpp - the unit listing command, and the argument frame it shares with 'mtu'.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/output.h"
#include "commands/commands.h"
#include "commands/unitcmd.h"
#include "engine/state.h"
#include "engine/unitvariant.h"

static void (*unitevaluate)(char *text);  // the evaluator of the running command

void unitcommand(cmdargs &a, void (*evaluate)(char *text), bool gauss)
{
    int argc = a.argc;
    char **v = a.argv.data();
    cout2->precision(12);
    cout2->setf(std::ios::scientific, std::ios::floatfield);
    FORMNAME.clear();
    NAME55 = 1;
    gaussmode = 0;
    if (gauss) gaussoption(a);

    for (int i = 1; i < argc - 1; i++)
        if (isopt(v[i], "-cr")) how223 = 0;
    formatoptions(a);
    for (int i = 1; i < argc; i++)
        if (isopt(v[i], "-n")) NAME55 = 0;

    // every argument that is not an option is evaluated, in order
    unitevaluate = evaluate;
    argumentpass(
        a,
        [](char *text) {
            unitevaluate(text);
            return true;
        },
        gauss ? GAUSSFLAG : nullptr);
}

long wholearg(const char *arg, long low)
{
    double n = std::trunc(std::atof(arg));
    if (!(n > -1e9)) return low;
    return n < 1e9 ? (long)n : 1000000000L;
}

void handlestr1c(char *text)
{
    std::string name;
    entryname(wholearg(text, 0), name);
    *cout2 << name << "  ";
    std::string formula = "1 " + name + " ";
    evaluate1c(&formula[0]);
}

/*
 * bru --
 *   Lists units-file entries: for each entry-number argument the entry's name, two
 *   blanks and the value of one such unit in base units. Options "-cr" "-S1" "-S2"
 *   "-S3" "-p" "-n" (names only) "-u" "-f" "-q", "-g" (errors of the entries in
 *   quadrature: the value kept as the last result carries them so).
 * Results:
 *   TCL_OK; the result is the listing, engine messages included.
 * Side effects:
 *   Sets how223 with "-cr", the unit system with "-u", varib[0] to the last value.
 */
int bru(ClientData, Tcl_Interp *interp, int argc, const char *argv[])
{
    static cmdargs a;
    begincommand(a, argc, argv);
    unitcommand(a, handlestr1c, true);
    return endcommand(interp);
}
