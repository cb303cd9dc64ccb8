// session.cpp - the Tcl interpreter of the command line: creation, command calls, the
// per-user library through the shared library script, and encodings.
#include "cli/session.h"

#include <clocale>
#include <cstdio>

#include <langinfo.h>

#include <tcl.h>

#include "app/qevinit.h"
#include "base/ascii.h"
#include "present/answer.h"
#include "userlib.h"

static Tcl_Interp *interp = nullptr;

bool opensession(const char *argv0)
{
    Tcl_FindExecutable(argv0);
    // The C locale names plain ASCII; text typed there is UTF-8 nearly always (a "±"
    // read as two Latin-1 characters would be two unknown characters to the engine).
    std::string before = std::setlocale(LC_CTYPE, nullptr);
    std::setlocale(LC_CTYPE, "");
    std::string codeset = nl_langinfo(CODESET);
    std::setlocale(LC_CTYPE, before.c_str());
    if (codeset == "ANSI_X3.4-1968" || codeset == "ASCII") Tcl_SetSystemEncoding(nullptr, "utf-8");
    interp = Tcl_CreateInterp();
    if (Qev_Init(interp) != TCL_OK || Tcl_Eval(interp, USERLIB_TCL) != TCL_OK) {
        std::fprintf(stderr, "qev: cannot start the engine: %s\n", Tcl_GetStringResult(interp));
        return false;
    }
    return true;
}

void closesession()
{
    // Taking the interpreter apart only returns memory to a process about to end; the
    // sanitizer builds do it, and show that everything is freed.
#if defined(__SANITIZE_ADDRESS__)
    if (interp) Tcl_DeleteInterp(interp);
    interp = nullptr;
    Tcl_Finalize();
#endif
}

// The qev commands are string procedures: they are called as Tcl would call them, with
// the same argument strings, without building Tcl objects for every call.
bool command(const std::vector<std::string> &args, std::string &answer)
{
    static std::string name;  // the command of the last call, most often the next one's
    static Tcl_CmdInfo info;
    if (args[0] != name) {
        if (!Tcl_GetCommandInfo(interp, args[0].c_str(), &info)) info.proc = nullptr;
        name = args[0];
    }
    if (info.proc && !info.isNativeObjectProc) {
        static std::vector<const char *> argv;
        argv.clear();
        for (const std::string &a : args) argv.push_back(a.c_str());
        argv.push_back(nullptr);
        int code = info.proc(info.clientData, interp, (int)args.size(), argv.data());
        answer.assign(Tcl_GetStringResult(interp));
        Tcl_ResetResult(interp);
        return code == TCL_OK;
    }
    std::vector<Tcl_Obj *> objs;
    for (const std::string &a : args) {
        Tcl_Obj *o = Tcl_NewStringObj(a.data(), (int)a.size());
        Tcl_IncrRefCount(o);
        objs.push_back(o);
    }
    int code = Tcl_EvalObjv(interp, (int)objs.size(), objs.data(), TCL_EVAL_GLOBAL);
    answer = Tcl_GetStringResult(interp);
    for (Tcl_Obj *o : objs) Tcl_DecrRefCount(o);
    Tcl_ResetResult(interp);
    return code == TCL_OK;
}

void answerline(const std::vector<std::string> &args, const std::string &target, bool raw, answer &a, bool literal)
{
    static std::vector<const char *> argv;
    argv.clear();
    for (const std::string &w : args) argv.push_back(w.c_str());
    answerof(interp, (int)argv.size(), argv.data(), target, raw, a, literal);
    Tcl_ResetResult(interp);
}

void answeraside(const std::vector<std::string> &args, answer &a)
{
    std::vector<const char *> argv;
    for (const std::string &w : args) argv.push_back(w.c_str());
    answerofaside(interp, (int)argv.size(), argv.data(), a);
    Tcl_ResetResult(interp);
}

std::string unitsfileof(const std::string &usys)
{
    std::string answer;
    if (!command({"qev::readsystem", usys}, answer)) return "";
    int count = 0;
    const char **items = nullptr;
    if (Tcl_SplitList(nullptr, answer.c_str(), &count, &items) != TCL_OK) return "";
    std::string units = count >= 8 ? items[7] : "";
    Tcl_Free((char *)items);
    return units;
}

// The value of 'key' in the dict 'd', null when absent.
static Tcl_Obj *dictvalue(Tcl_Obj *d, const char *key)
{
    Tcl_Obj *k = Tcl_NewStringObj(key, -1), *v = nullptr;
    Tcl_IncrRefCount(k);
    Tcl_DictObjGet(nullptr, d, k, &v);
    Tcl_DecrRefCount(k);
    return v;
}

// The string value of 'key' in the dict 'd', empty when absent.
static std::string dictget(Tcl_Obj *d, const char *key)
{
    Tcl_Obj *v = dictvalue(d, key);
    return v ? Tcl_GetString(v) : "";
}

const userlibrary &library()
{
    static userlibrary lib;
    static bool done = false;
    if (done) return lib;
    done = true;
    Tcl_Obj *cmd = Tcl_NewStringObj("qev::userlib", -1);
    Tcl_IncrRefCount(cmd);
    int code = Tcl_EvalObjv(interp, 1, &cmd, TCL_EVAL_GLOBAL);
    Tcl_DecrRefCount(cmd);
    if (code != TCL_OK) {
        std::fprintf(stderr, "qev: cannot set up the user library: %s\n",
                     tosystem(Tcl_GetStringResult(interp)).c_str());
        Tcl_ResetResult(interp);
        return lib;
    }
    Tcl_Obj *d = Tcl_GetObjResult(interp);
    Tcl_IncrRefCount(d);
    lib.ok = true;
    lib.readonly = dictget(d, "readonly") == "1";
    std::string warning = dictget(d, "warning");
    if (!warning.empty()) std::fprintf(stderr, "qev: %s\n", tosystem(warning).c_str());
    lib.dir = dictget(d, "dir");
    lib.units = dictget(d, "units");
    lib.functions = dictget(d, "functions");
    // What could not be brought up to date is said, and the library used as it is.
    Tcl_Obj *problems = dictvalue(d, "problems");
    int count = 0;
    Tcl_Obj **items = nullptr;
    if (problems && Tcl_ListObjGetElements(nullptr, problems, &count, &items) == TCL_OK)
        for (int i = 0; i < count; i++) std::fprintf(stderr, "qev: %s\n", tosystem(Tcl_GetString(items[i])).c_str());
    if (Tcl_Obj *systems = dictvalue(d, "systems")) {
        Tcl_DictSearch search;
        Tcl_Obj *name, *path;
        int end = 0;
        if (Tcl_DictObjFirst(nullptr, systems, &search, &name, &path, &end) == TCL_OK) {
            for (; !end; Tcl_DictObjNext(&search, &name, &path, &end))
                lib.systems[Tcl_GetString(name)] = Tcl_GetString(path);
            Tcl_DictObjDone(&search);
        }
    }
    Tcl_DecrRefCount(d);
    Tcl_ResetResult(interp);
    return lib;
}

std::string defaultsystem()
{
    const userlibrary &lib = library();
    auto si = lib.systems.find("SI");
    if (si != lib.systems.end()) return si->second;
    return lib.systems.empty() ? "" : lib.systems.begin()->second;
}

bool ascii(const std::string &text) { return asciionly(text.data(), text.size()); }

// Converts with one of Tcl's two conversions to or from the system encoding.
static std::string convert(const std::string &text,
                           char *(*conversion)(Tcl_Encoding, const char *, int, Tcl_DString *))
{
    if (ascii(text)) return text;
    Tcl_DString ds;
    conversion(nullptr, text.data(), (int)text.size(), &ds);
    std::string s(Tcl_DStringValue(&ds), Tcl_DStringLength(&ds));
    Tcl_DStringFree(&ds);
    return s;
}

std::string fromsystem(const std::string &text) { return convert(text, Tcl_ExternalToUtfDString); }

std::string tosystem(const std::string &text) { return convert(text, Tcl_UtfToExternalDString); }
