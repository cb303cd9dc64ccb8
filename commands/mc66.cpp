// mc66.cpp - the calculate command.
#include <cstring>

#include "base/output.h"
#include "commands/commands.h"
#include "commands/frame.h"
#include "engine/engine.h"
#include "engine/state.h"

/*
 * mc66 --
 *   Evaluates the first formula among its arguments with the display options
 *   "-cr" "-ce" "-R" "-S1" "-S2" "-S3" "-p" "-u" "-f" "-q", and "-g": errors in
 *   quadrature (independent sources, correlations kept) instead of linear sums.
 * Results:
 *   TCL_OK; the result is the engine's text (result or error messages).
 * Side effects:
 *   Sets how223, Realonly, gaussmode, flagrep, the unit system and function file,
 *   variables.
 */
int mc66(ClientData, Tcl_Interp *interp, int argc, const char *argv[])
{
    static cmdargs a;
    begincommand(a, argc, argv);
    char **v = a.argv.data();
    cout2->precision(12);
    cout2->setf(std::ios::scientific, std::ios::floatfield);
    FORMNAME.clear();
    Realonly = 0;
    flagrep = 0;

    // Display options take effect wherever they stand; the last occurrence wins.
    for (int i = 1; i < argc; i++) {
        bool last = i == argc - 1;
        if (!last && isopt(v[i], "-cr")) how223 = 0;
        if (!last && isopt(v[i], "-ce")) how223 = 1;
    }
    for (int i = 1; i < argc; i++)
        if (std::strcmp(v[i], "-R") == 0) Realonly = 1;
    gaussoption(a);
    formatoptions(a);
    argumentpass(
        a,
        [](char *formula) {
            handlestr(formula);
            return false;  // only the first formula is evaluated
        },
        GAUSSFLAG);
    return endcommand(interp);
}
