// frame.cpp - argument copies, encodings, streams and the result of a command.
#include "commands/frame.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>

#include "base/ascii.h"
#include "base/output.h"
#include "engine/library.h"
#include "engine/state.h"

static Tcl_Encoding latin1()
{
    static Tcl_Encoding enc = nullptr;
    if (!enc) enc = Tcl_GetEncoding(nullptr, "iso8859-1");
    return enc;
}

// Converts a UTF-8 argument into 'out' in the given encoding (null: the system's).
static void external(Tcl_Encoding enc, const char *utf, std::string &out)
{
    size_t n = std::strlen(utf);
    if (asciionly(utf, n)) {  // ASCII is the same in every encoding we use
        out.assign(utf, n);
        return;
    }
    Tcl_DString ds;
    Tcl_UtfToExternalDString(enc, utf, -1, &ds);
    out.assign(Tcl_DStringValue(&ds), Tcl_DStringLength(&ds));
    Tcl_DStringFree(&ds);
}

// The strings of 'a' are kept from call to call, so that their storage is reused.
void begincommand(cmdargs &a, int argc, const char *argv[])
{
    a.argc = argc;
    a.utf = argv;
    if (a.text.size() < (size_t)argc + 3) a.text.resize(argc + 3);
    for (int k = 0; k < argc; k++) external(latin1(), argv[k], a.text[k]);
    for (int k = argc; k < argc + 3; k++) a.text[k].clear();
    a.argv.resize(argc + 3);
    for (int k = 0; k < argc + 3; k++) {
        a.text[k].reserve(a.text[k].size() + 1);
        a.argv[k] = &a.text[k][0];
    }
    renewstreams();
    libnewformula();
}

const std::string &pathof(cmdargs &a, int k)
{
    if (a.path.size() < (size_t)a.argc) a.path.resize(a.argc);
    external(nullptr, a.utf[k], a.path[k]);
    return a.path[k];
}

int endcommand(Tcl_Interp *interp)
{
    fixfinlin();
    if (asciionly(Fixfinlin, std::strlen(Fixfinlin))) {  // ASCII needs no conversion
        Tcl_SetResult(interp, Fixfinlin, TCL_VOLATILE);
        return TCL_OK;
    }
    Tcl_DString ds;
    Tcl_ExternalToUtfDString(latin1(), Fixfinlin, -1, &ds);
    Tcl_DStringResult(interp, &ds);
    return TCL_OK;
}

bool isopt(const char *arg, const char *opt)
{
    for (; *opt; arg++, opt++)
        if (*arg != *opt) return false;
    return true;
}

// Copies a word into a fixed field, cut to the field's size.
static void setfield(char *field, size_t size, const std::string &w)
{
    size_t n = w.size() < size - 1 ? w.size() : size - 1;
    std::memcpy(field, w.data(), n);
    field[n] = 0;
}

std::string besidesystem(const char *usys, const char *name)
{
    const char *slash = std::strrchr(usys, '/');
    if (!slash || !*name || name[0] == '/') return name;
    std::string beside = std::string(usys, slash + 1 - usys) + name;
    struct stat st;
    return stat(beside.c_str(), &st) == 0 ? beside : name;
}

void readunitsystem(const char *path)
{
    const std::vector<std::string> *head = libhead(path);
    if (!head) return;
    const std::vector<std::string> &words = *head;
    struct { char *field; size_t size; } fields[] = {
        {UNAME, sizeof UNAME}, {LENGTH, sizeof LENGTH}, {MASS, sizeof MASS}, {TIME, sizeof TIME},
        {TEMP, sizeof TEMP}, {CHARGE, sizeof CHARGE}, {MOLE, sizeof MOLE}};
    for (size_t k = 0; k < words.size() && k < 7; k++) setfield(fields[k].field, fields[k].size, words[k]);
    if (words.size() == HEADWORDS) MACNAME = besidesystem(path, words[7].c_str());  // a path ends at a NUL byte
}

void readfunctionfile(const char *path)
{
    FORMNAME.assign(path);
    const std::vector<std::string> *head = libhead(path);
    if (head && !head->empty()) setfield(FORMTYTLE, sizeof FORMTYTLE, (*head)[0]);
}

void formatoptions(const cmdargs &a)
{
    char *const *v = a.argv.data();
    for (int i = 1; i < a.argc - 1; i++) {
        if (isopt(v[i], "-S1")) cout2->unsetf(std::ios::floatfield);
        if (isopt(v[i], "-S2")) cout2->setf(std::ios::scientific, std::ios::floatfield);
        if (isopt(v[i], "-S3")) cout2->setf(std::ios::fixed, std::ios::floatfield);
    }
    for (int i = 1; i < a.argc - 1; i++)
        if (isopt(v[i], "-p")) cout2->precision(precisionarg(v[i + 1]));
}

const char *const GAUSSFLAG = "-g";

void gaussoption(const cmdargs &a)
{
    gaussmode = 0;
    for (int i = 1; i < a.argc; i++)
        if (std::strcmp(a.argv[i], GAUSSFLAG) == 0) gaussmode = 1;
}

bool argumentpass(cmdargs &a, bool (*each)(char *arg), const char *flag)
{
    char **v = a.argv.data();
    for (int i = 1; i < a.argc; i++) {
        bool last = i == a.argc - 1;
        if (!last && isopt(v[i], "-u")) {
            readunitsystem(pathof(a, ++i).c_str());
            continue;
        }
        if (!last && isopt(v[i], "-f")) {
            readfunctionfile(pathof(a, ++i).c_str());
            continue;
        }
        if (formulaarg(v[i - 1], v[i], flag) && v[i][0] && !each(v[i])) return false;
    }
    return true;
}

void readfileoptions(int argc, const char *const argv[])
{
    FORMNAME.clear();
    std::string path;
    for (int i = 1; i < argc; i++) {
        bool last = i == argc - 1;
        if (!last && (isopt(argv[i], "-u") || isopt(argv[i], "-f"))) {
            external(nullptr, argv[i + 1], path);
            if (argv[i][1] == 'u') readunitsystem(path.c_str());
            else FORMNAME = path;  // its title is the command's business
            i++;
            continue;
        }
        if (formulaarg(argv[i - 1], argv[i], GAUSSFLAG) && argv[i][0]) return;
    }
}

bool formulaarg(const char *prev, const char *arg, const char *flag)
{
    bool value = prev[0] == '-' && !(flag && std::strcmp(prev, flag) == 0);
    return isopt(prev, "-q") || (!value && arg[0] != '-');
}

int precisionarg(const char *arg)
{
    double v = std::trunc(std::atof(arg));
    if (!std::isfinite(v)) return 0;
    v = std::fmod(v, 65536.0);
    if (v < 0) v += 65536;
    return (int)v;
}
