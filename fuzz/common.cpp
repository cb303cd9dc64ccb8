// common.cpp - the interpreter, private folder, state reset and invariants of the fuzz
// targets.
#include "fuzz/common.h"

#include <tcl.h>

#include <ftw.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "analysis/frame.h"
#include "app/qevinit.h"
#include "base/output.h"
#include "engine/library.h"
#include "engine/state.h"
#include "present/latin1.h"

static Tcl_Interp *interp;
static std::string folder;

// The engine globals as Qev_Init leaves them, and as a call found them, to run the call
// again.
static enginestate start, before;

static int removeentry(const char *path, const struct stat *, int, struct FTW *)
{
    return std::remove(path);
}

static void removefolder()
{
    if (chdir("/") == 0 && !folder.empty()) nftw(folder.c_str(), removeentry, 16, FTW_DEPTH | FTW_PHYS);
}

void fuzzinit()
{
    if (interp) return;
    Tcl_FindExecutable(nullptr);
    interp = Tcl_CreateInterp();
    require(Qev_Init(interp) == TCL_OK, "Qev_Init failed");
    const char *tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && tmp[0] ? tmp : "/tmp") + "/qevfuzzXXXXXX";
    require(mkdtemp(&pattern[0]) != nullptr, "no private folder");
    folder = pattern;
    require(chdir(folder.c_str()) == 0, "cannot enter the private folder");
    std::atexit(removefolder);
    // A sampling's time grows with its grid; a long one is slow, not wrong.
    maxsteps = 200;
    savestate(start);
}

void fuzzreset()
{
    loadstate(start);
    deleteS2();
    libchanged();
    std::srand(1);
}

void keepstate() { savestate(before); }

// Whether the engine state is now the state 'then'.
static bool sameas(const enginestate &then)
{
    static enginestate now;
    savestate(now);
    return samestate(then, now);
}

bool unchanged() { return sameas(before); }

void restorestate()
{
    loadstate(before);
    deleteS2();
}

std::vector<std::string> sections(const uint8_t *data, size_t size)
{
    std::vector<std::string> s(1);
    for (size_t k = 0; k < size; k++) {
        if (data[k] == 0) s.emplace_back();
        else s.back() += (char)data[k];
    }
    return s;
}

std::string fuzzfile(const std::string &name, const std::string &text)
{
    std::string path = folder + "/" + name;
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << text;
    require((bool)f, "cannot write a file of the private folder");
    return path;
}

std::string readfile(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string unitsystem(const std::string &units)
{
    return fuzzfile("s", "fuzz m kg s K C mol " + units + "\n");
}

// ISO-8859-1 bytes as a Tcl string: every byte one character.
static Tcl_Obj *latin1obj(const std::string &bytes)
{
    static Tcl_Encoding latin1 = Tcl_GetEncoding(nullptr, "iso8859-1");
    Tcl_DString ds;
    Tcl_ExternalToUtfDString(latin1, bytes.data(), (int)bytes.size(), &ds);
    Tcl_Obj *o = Tcl_NewStringObj(Tcl_DStringValue(&ds), Tcl_DStringLength(&ds));
    Tcl_DStringFree(&ds);
    return o;
}

// Evaluates the command 'args', each a word of ISO-8859-1 bytes; the Tcl return code.
static int evaluate(const std::vector<std::string> &args)
{
    std::vector<Tcl_Obj *> objs;
    for (const std::string &a : args) {
        Tcl_Obj *o = latin1obj(a);
        Tcl_IncrRefCount(o);
        objs.push_back(o);
    }
    int code = Tcl_EvalObjv(interp, (int)objs.size(), objs.data(), 0);
    for (Tcl_Obj *o : objs) Tcl_DecrRefCount(o);
    return code;
}

// With QEV_FUZZ_TRACE set, writes a call and its answer to stderr.
static void trace(const std::vector<std::string> &args, const std::string &answer)
{
    if (!std::getenv("QEV_FUZZ_TRACE")) return;
    for (const std::string &a : args) std::fprintf(stderr, "[%s] ", a.c_str());
    std::fprintf(stderr, "\n  -> [%s]\n", answer.c_str());
}

std::string run(const std::vector<std::string> &args)
{
    int code = evaluate(args);
    if (code != TCL_OK) std::fprintf(stderr, "%s: %s\n", args[0].c_str(), Tcl_GetStringResult(interp));
    require(code == TCL_OK, "the command did not return TCL_OK");
    size_t n = strnlen(Fixfinlin, sizeof Fixfinlin);
    require(n < sizeof Fixfinlin, "the result buffer holds no NUL");
    Tcl_Obj *r = Tcl_GetObjResult(interp);
    require((size_t)Tcl_GetCharLength(r) == n, "the result is not the text of the result buffer");
    std::string answer(Fixfinlin, n);
    Tcl_ResetResult(interp);
    trace(args, answer);
    return answer;
}

std::string runanswer(const std::vector<std::string> &args, std::string *formula)
{
    require(evaluate(args) == TCL_OK, "qev::answer did not return TCL_OK");
    Tcl_Obj *r = Tcl_GetObjResult(interp);
    int n = 0;
    require(Tcl_DictObjSize(nullptr, r, &n) == TCL_OK && n == 13, "the answer is not a dict of thirteen keys");
    for (const char *key : {"display", "engine", "status", "value", "error", "unit", "table", "formula", "rewrites",
                            "warnings", "hints", "errors", "note"}) {
        Tcl_Obj *k = Tcl_NewStringObj(key, -1), *v = nullptr;
        Tcl_IncrRefCount(k);
        Tcl_DictObjGet(nullptr, r, k, &v);
        Tcl_DecrRefCount(k);
        require(v != nullptr, "a key of the answer is missing");
        if (std::strcmp(key, "status") == 0) {
            std::string st = Tcl_GetString(v);
            require(st == "ok" || st == "error" || st == "conversion", "an unknown status");
        }
        // The formula in the alphabet of the inputs: the layer writes none beyond Latin-1.
        if (std::strcmp(key, "formula") == 0 && formula)
            require(utf8tolatin1(Tcl_GetString(v), *formula), "the formula holds a character beyond Latin-1");
    }
    std::string answer = Tcl_GetString(r);
    Tcl_ResetResult(interp);
    trace(args, answer);
    return answer;
}

// The engine's state after a call, to compare with the state after another.
static enginestate kept;

void keepuserstate() { savestate(kept); }

bool sameuserstate() { return sameas(kept); }

std::string nonblank(const std::string &text)
{
    std::string t;
    for (char c : text)
        if (!std::strchr(" \t\n\v\f\r", c) || c == 0) t += c;
    return t;
}

void require(bool ok, const char *what)
{
    if (ok) return;
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}
