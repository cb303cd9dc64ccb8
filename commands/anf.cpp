// anf.cpp - adding a user function to the function library file.
//
// An entry reads '#name= (body)_func_N_' on a line of its own, every blank of the body
// written as "_"; N is one more than the highest argument digit after a "%".
#include <string>

#include "base/output.h"
#include "commands/commands.h"
#include "commands/frame.h"
#include "commands/libfile.h"

// One more than the largest character code, less that of "0", after a "%" among the
// body's characters but its last; 0 when there is none.
int argcount(const std::string &body)
{
    int high = -1;
    for (size_t k = 0; k + 1 < body.size(); k++)
        if (body[k] == '%') {
            int d = (unsigned char)body[k + 1] - '0';
            if (d > high) high = d;
        }
    return high + 1;
}

std::string functionentry(const std::string &name, std::string body)
{
    int n = argcount(body);
    for (char &c : body)
        if (c == ' ') c = '_';
    return "#" + name + "= (" + body + ")_func_" + std::to_string(n) + "_\n";
}

/*
 * anf --
 *   Appends the function entry of name (cut at its first blank) and body to the file.
 *   Arguments: file, name, body; further arguments are ignored.
 * Results:
 *   TCL_OK; empty when the entry was appended, else the reason: missing arguments,
 *   a name that is empty or holds "#" or "=", a body that holds "#", or a file that
 *   cannot be written.
 * Side effects:
 *   The function file grows by one line (created with mode 0664).
 */
int anf(ClientData, Tcl_Interp *interp, int argc, const char *argv[])
{
    static cmdargs a;
    begincommand(a, argc, argv);
    if (argc < 4) {
        *cout2 << "Please complete all the details";
        return endcommand(interp);
    }
    std::string name = a.argv[2];
    name = name.substr(0, name.find(' '));
    std::string body = a.argv[3];
    if (name.empty() || holdsany(name, "#=")) {
        *cout2 << "Function name must not be empty or hold # or = , nothing written\n";
        return endcommand(interp);
    }
    if (holdsany(body, "#")) {
        *cout2 << "Function body must not hold # , nothing written\n";
        return endcommand(interp);
    }
    appendentry(pathof(a, 1), functionentry(name, body));
    return endcommand(interp);
}
