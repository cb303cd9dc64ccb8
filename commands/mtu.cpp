// mtu.cpp - the unit matching command: names the unit of a printed result.
//
// For entry k = 1, 2, ... of the units file the formula "0 <name> + 1 <brace groups>"
// is evaluated; its "+" ('addmt') marks a sum of different dimensions as a mismatch.
// The first entry (or the 'Matchcnt'-th) that sums without a mismatch is the answer.
#include <string>

#include "base/output.h"
#include "commands/commands.h"
#include "commands/unitcmd.h"
#include "engine/state.h"
#include "engine/unitvariant.h"

enum { UNITTEXT_SCAN = 1000 };  // characters of the result text looked at

// "1 " followed by every brace group of the result text, each followed by a blank.
static std::string unittext(const char *result)
{
    std::string u = "1 ";
    int depth = 0;
    for (int k = 0; k < UNITTEXT_SCAN && result[k]; k++) {
        char c = result[k];
        if (c == '{') depth++;
        if (depth > 0) u += c;
        if (c == '}') {
            if (depth > 0) depth--;
            u += ' ';
        }
    }
    return u;
}

void handlestr1d(char *text)
{
    std::string unit = unittext(text);
    for (long k = 1;; k++) {
        Match99 = 0;
        std::string name;
        if (entryname(k, name) != ENTRY_NAMED) {
            *cout2 << "No next match";
            exitno(0);
            return;
        }
        std::string formula = "0 " + name + " + " + unit;
        if (evaluate1d(&formula[0])) {
            if (Matchcnt > 1 && Match99 == 0) {
                Match99 = 1;
                Matchcnt--;
            }
            if (Match99 == 0) {
                *cout2 << name << " ";
                return;
            }
        } else if (Match99 == 0) {
            return;  // an entry that cannot be evaluated ends the search
        }
    }
}

/*
 * mtu --
 *   Names the unit of each result-text argument: the first units-file entry with the
 *   dimensions of the text's brace groups. Options as bru, and "-t N" to report the
 *   N-th matching entry instead of the first.
 * Results:
 *   TCL_OK; the result is the entry name and a blank, or "No next match" with
 *   "error #0", or the engine's message for an entry that cannot be evaluated.
 * Side effects:
 *   Sets Matchcnt (1 unless "-t"), how223 with "-cr", the unit system with "-u".
 */
int mtu(ClientData, Tcl_Interp *interp, int argc, const char *argv[])
{
    static cmdargs a;
    begincommand(a, argc, argv);
    Matchcnt = 1;
    for (int i = 1; i < argc - 1; i++)
        if (isopt(a.argv[i], "-t")) Matchcnt = (int)wholearg(a.argv[i + 1], 1);
    unitcommand(a, handlestr1d);
    return endcommand(interp);
}
