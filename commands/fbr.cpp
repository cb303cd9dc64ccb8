// fbr.cpp - the library entry names command.
#include <cmath>
#include <cstdlib>
#include <string>

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
    const libtext *lt = libcontent(pathof(a, 1).c_str());
    // Entry 0 is the start of the text: its first character whatever it is (but "#",
    // which is entry 1), and all up to the next "=". A number that no entry has names
    // nothing.
    if (lt && n >= 0 && n <= (double)lt->hashes.size() && n == std::floor(n)) {
        const std::string &text = lt->text;
        std::string name;
        if (n > 0) libname(*lt, libentry(*lt, (long)n), true, name);
        else if (!text.empty() && text[0] != '#') libname(*lt, 1, true, name = text[0]);
        *cout2 << name;
    }
    *cout2 << ' ';
    return endcommand(interp);
}
