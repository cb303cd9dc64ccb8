// frame.cpp - argument copies, encodings, streams and the result of a command.
#include "commands/frame.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/output.h"
#include "engine/library.h"
#include "engine/state.h"

static Tcl_Encoding latin1()
{
    static Tcl_Encoding enc = nullptr;
    if (!enc) enc = Tcl_GetEncoding(nullptr, "iso8859-1");
    return enc;
}

static std::string external(Tcl_Encoding enc, const char *utf)
{
    Tcl_DString ds;
    Tcl_UtfToExternalDString(enc, utf, -1, &ds);
    std::string s(Tcl_DStringValue(&ds), Tcl_DStringLength(&ds));
    Tcl_DStringFree(&ds);
    return s;
}

void begincommand(cmdargs &a, int argc, const char *argv[])
{
    a.argc = argc;
    a.text.clear();
    a.path.clear();
    for (int k = 0; k < argc; k++) {
        a.text.push_back(external(latin1(), argv[k]));
        a.path.push_back(external(nullptr, argv[k]));
    }
    a.text.resize(argc + 3);
    a.argv.clear();
    for (std::string &s : a.text) {
        s.reserve(s.size() + 1);
        a.argv.push_back(&s[0]);
    }
    renewstreams();
}

int endcommand(Tcl_Interp *interp)
{
    fixfinlin();
    Tcl_DString ds;
    Tcl_ExternalToUtfDString(latin1(), Fixfinlin, -1, &ds);
    Tcl_DStringResult(interp, &ds);
    return TCL_OK;
}

bool isopt(const char *arg, const char *opt) { return std::strncmp(arg, opt, std::strlen(opt)) == 0; }

// Copies a word into a fixed field, cut to the field's size.
static void setfield(char *field, size_t size, const std::string &w)
{
    size_t n = w.size() < size - 1 ? w.size() : size - 1;
    std::memcpy(field, w.data(), n);
    field[n] = 0;
}

void readunitsystem(const char *path)
{
    std::vector<std::string> read;
    readwords(path, 8, read);
    struct { char *field; size_t size; } words[] = {
        {UNAME, sizeof UNAME}, {LENGTH, sizeof LENGTH}, {MASS, sizeof MASS}, {TIME, sizeof TIME},
        {TEMP, sizeof TEMP}, {CHARGE, sizeof CHARGE}, {MOLE, sizeof MOLE}, {MACNAME, sizeof MACNAME}};
    for (size_t k = 0; k < read.size(); k++) setfield(words[k].field, words[k].size, read[k]);
}

void readfunctionfile(const char *path)
{
    setfield(FORMNAME, sizeof FORMNAME, path);
    std::vector<std::string> title;
    if (readwords(path, 1, title) && !title.empty()) setfield(FORMTYTLE, sizeof FORMTYTLE, title[0]);
}

int precisionarg(const char *arg)
{
    double v = std::trunc(std::atof(arg));
    if (!std::isfinite(v)) return 0;
    v = std::fmod(v, 65536.0);
    if (v < 0) v += 65536;
    return (int)v;
}
