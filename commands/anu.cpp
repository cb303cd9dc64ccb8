// anu.cpp - adding a user unit to the units file.
//
// An entry is '#name= ' and a body of formula tokens, "_" standing for a blank, such
// that a number x written before the name becomes ((x + add1)*mult + add2) in the
// given unit:
//   plain factor    '#ft= _~_0.3048_m_'                   x ~ mult unit
//   offset after    '#degC= _~_1_K_@_273.15_K_'           x ~ mult unit @ add2 unit
//   offset before   '_~_m_K_@_a1_~_m_K_' (then add2)      x ~ m K @ a1 ~ m K
// "~" (a product binding tighter than "$" words) takes x first; "@" (a sum binding
// looser than both) adds the terms, so (x + add1)*mult is written x*mult + add1*mult.
// A negative value is a signed number token, which binds as tightly as any number.
#include <cstring>
#include <string>

#include "base/output.h"
#include "commands/commands.h"
#include "commands/frame.h"
#include "commands/libfile.h"
#include "engine/library.h"
#include "engine/state.h"

// The unit expression as body tokens: unchanged when it holds no blank, "/", "*" or
// "^"; else '~_c(_1_' and the expression with each such operator spaced out as a word
// and a literal 1 put before every unit after it (not after "^"), closed by '_c)'.
static std::string encodeunit(const std::string &u)
{
    std::string buf;
    bool oper = false;
    for (char c : u) {
        if (c == ' ' || c == '/' || c == '*' || c == '^') {
            buf += "_c";
            buf += c == ' ' ? std::string("*_") : std::string(1, c);
            buf += "_";
            if (c != '^') buf += "1_";
            oper = true;
        } else {
            buf += c;
        }
    }
    buf += "_c)";
    return oper ? "~_c(_1_" + buf : u;
}

// A value as a number token. A value beginning with "-" becomes one signed number
// ('-0' before a fraction point); when no number follows the sign, 0 minus the rest
// in brackets. Other values stay as they are.
static std::string signedvalue(const std::string &v)
{
    if (v.empty() || v[0] != '-') return v;
    std::string rest = v.substr(1);
    if (!rest.empty() && rest[0] >= '0' && rest[0] <= '9') return v;
    if (!rest.empty() && rest[0] == '.') return "-0" + rest;
    return "c(_0_c-_" + rest + "_c)";
}

std::string unitentry(const unitdef &d)
{
    std::string u = d.hasunit ? "_" + encodeunit(d.unit) : "";
    std::string entry = "#" + d.name + "= ";
    if (d.hasadd1) {
        std::string m = d.hasmult ? signedvalue(d.mult) : "1";
        entry += "_~_" + m + u + "_@_" + signedvalue(d.add1) + "_~_" + m + u;
    } else if (d.hasmult) {
        entry += "_~_" + signedvalue(d.mult) + u;
    }
    if (d.hasadd2) entry += "_@_" + signedvalue(d.add2) + u;
    return entry + "_\n";
}

// The fields of a unit-system file (the eighth the units file path, as besidesystem
// finds it); the fields read replace those of earlier files, and fields that cannot be
// read leave them as they are.
static void readsettings(const std::string &path, std::string words[8])
{
    const std::vector<std::string> *read = libhead(path.c_str());
    for (size_t k = 0; read && k < read->size(); k++) words[k] = (*read)[k];
    if (read && read->size() == HEADWORDS) words[7] = besidesystem(path.c_str(), words[7].c_str());
}

// Each option is looked for in a pass of its own, its value being the next argument;
// the last occurrence wins. 'found' tells whether it was given.
static std::string option(const cmdargs &a, const char *opt, bool &found)
{
    std::string v;
    found = false;
    for (int i = 1; i + 1 < a.argc; i++)
        if (std::strcmp(a.argv[i], opt) == 0) {
            v = a.argv[i + 1];
            found = true;
        }
    return v;
}

/*
 * anu --
 *   Appends a unit entry to the units file named by the unit-system file of "-u".
 *   Options: "-u" file, "-name" name, "-unit" expression in known units, "-mult"
 *   factor, "-add1" offset before the factor, "-add2" offset after it.
 * Results:
 *   TCL_OK; empty when the entry was appended, else the reason: the name is missing,
 *   not one word, holds "#" or "=", or is already defined; a value holds "#"; the
 *   units file is unknown or cannot be written.
 * Side effects:
 *   The units file grows by one line (created with mode 0664).
 */
int anu(ClientData, Tcl_Interp *interp, int argc, const char *argv[])
{
    static cmdargs a;
    begincommand(a, argc, argv);
    std::string words[8];
    for (int i = 1; i + 1 < argc; i++)
        if (std::strcmp(a.argv[i], "-u") == 0) readsettings(pathof(a, ++i), words);
    bool hasadd1, hasadd2, hasmult, hasunit, hasname;
    std::string add1 = option(a, "-add1", hasadd1);
    std::string add2 = option(a, "-add2", hasadd2);
    std::string mult = option(a, "-mult", hasmult);
    std::string unit = option(a, "-unit", hasunit);
    std::string name = option(a, "-name", hasname);
    if (add2.empty()) hasadd2 = false;

    if (!hasname) {
        *cout2 << "\nUnit name not defined\n";
        return endcommand(interp);
    }
    if (name.empty() || holdsany(name, " \t\n\v\f\r#=")) {
        *cout2 << "Unit name must be one word without # or = , nothing written\n";
        return endcommand(interp);
    }
    if (holdsany(unit + add1 + add2 + mult, "#")) {
        *cout2 << "Values of -unit , -mult , -add1 and -add2 must not hold # , nothing written\n";
        return endcommand(interp);
    }
    // The units file path as the calculate command keeps it.
    std::string units = words[7].c_str();
    if (units.empty()) {
        *cout2 << "Units file unknown : give -u and a readable unit-system file , nothing written\n";
        return endcommand(interp);
    }

    std::string text;
    if (libread(units.c_str(), text) && text.find("#" + name + "=") != std::string::npos) {
        *cout2 << "This unit is allready defined in " << units << " delete old entry and retry\n";
        return endcommand(interp);
    }

    unitdef d;
    d.name = name;
    d.unit = unit, d.hasunit = hasunit;
    d.mult = mult, d.hasmult = hasmult;
    d.add1 = add1, d.hasadd1 = hasadd1;
    d.add2 = add2, d.hasadd2 = hasadd2;
    std::string entry = unitentry(d);
    appendentry(units, entry);
    return endcommand(interp);
}
