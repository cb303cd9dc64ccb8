// fbr.cpp - the library entry names command.
#include <cstdio>
#include <cstdlib>

#include "base/output.h"
#include "commands/commands.h"
#include "commands/frame.h"
#include "engine/library.h"

/*
 * fbr --
 *   Answers with the name of entry N of a library file: the non-blank characters
 *   from the N-th "#" up to the next "=", and one blank. Arguments: file, N.
 * Results:
 *   TCL_OK; the name and a blank, " " when there is no such entry, empty when the
 *   number of arguments is not two.
 * Side effects:
 *   None but the output streams.
 */
int fbr(ClientData, Tcl_Interp *interp, int argc, const char *argv[])
{
    static cmdargs a;
    begincommand(a, argc, argv);
    if (argc != 3) return endcommand(interp);
    double n = std::atof(a.argv[2]);
    std::FILE *f = openregular(pathof(a, 1).c_str());
    if (f) {
        long count = 0;
        bool copying = false;
        for (int c; (c = std::getc(f)) != EOF;) {
            if (c == ' ' || (c >= '\t' && c <= '\r')) continue;
            if (c == '#') count++;
            if (c == '=' && copying) break;
            if ((double)count == n) {
                count++;
                copying = true;
            }
            if (copying && c != '#') cout2->put((char)c);
        }
        std::fclose(f);
    }
    *cout2 << ' ';
    return endcommand(interp);
}
