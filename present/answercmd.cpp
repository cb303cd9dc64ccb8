// answercmd.cpp - the Tcl command qev::answer.
#include "present/answercmd.h"

#include <cstring>
#include <vector>

#include "present/answer.h"
#include "present/longwork.h"

static Tcl_Obj *number(long double x) { return Tcl_NewDoubleObj((double)x); }

// Whether the calculate command takes the argument after 'arg' as its value (its
// options are known by their first letters).
static bool valuefollows(const char *arg)
{
    return arg[0] == '-' && std::strchr("qufp", arg[1]) && arg[1];
}

void answerresult(Tcl_Interp *interp, const answer &a)
{
    static const char *const STATUS[] = {"ok", "error", "conversion", "stopped"};  // ORDER answer status
    Tcl_Obj *d = Tcl_NewDictObj();
    auto put = [&](const char *key, Tcl_Obj *v) { Tcl_DictObjPut(nullptr, d, Tcl_NewStringObj(key, -1), v); };
    auto text = [](const std::string &s) { return Tcl_NewStringObj(s.data(), (int)s.size()); };
    put("display", text(a.display));
    put("engine", text(a.engine));
    put("status", Tcl_NewStringObj(STATUS[a.status], -1));
    Tcl_Obj *value = Tcl_NewObj(), *error = Tcl_NewObj();
    if (a.number) {
        if (a.im == 0) {
            value = number(a.re);
        } else {
            Tcl_Obj *parts[2] = {number(a.re), number(a.im)};
            value = Tcl_NewListObj(2, parts);
        }
        error = number(a.err);
    }
    put("value", value);
    put("error", error);
    put("unit", text(a.unit));
    auto list = [&](const std::vector<std::string> &items) {
        Tcl_Obj *l = Tcl_NewListObj(0, nullptr);
        for (const std::string &x : items) Tcl_ListObjAppendElement(nullptr, l, text(x));
        return l;
    };
    put("table", list(a.table));
    put("formula", text(a.formula));
    put("rewrites", list(a.told.rewrites));
    put("warnings", list(a.told.warnings));
    put("hints", list(a.told.hints));
    put("errors", Tcl_NewStringObj(a.gauss ? "gauss" : "linear", -1));
    put("note", text(a.note));
    Tcl_SetObjResult(interp, d);
}

/*
 * answercmd --
 *   qev::answer ?-progress CMD? ?options? ?-literal? formula ?target?: evaluates the
 *   formula with the options of mc66 and answers with its value in a named unit, or in
 *   the target unit when one is given after the formula or at its end ("-> T", "to T").
 *   The formula is rewritten into the engine's notation first (pasted symbols, powers
 *   and braces of units), and rescued once when the engine refuses it, unless -literal
 *   is given (where an option may stand). With -progress, CMD is called with the
 *   fraction done appended while an analysis word samples (longwork.h); a break or an
 *   error of it, or qev::cancel, stops the work.
 * Results:
 *   TCL_OK and a dict: display (the text to show), engine (mc66's text), status (ok,
 *   error for an engine error, conversion for a target that does not fit, stopped for
 *   an evaluation that was asked to stop), value (a number, or {re im} for a complex
 *   value), error and unit (these three empty when the answer is not a single value),
 *   table (x y ... of a table of pairs in the number format, else empty), formula (the
 *   formula mc66 was given, without its target), rewrites (a list of "from → to", one
 *   for each rewrite made), warnings (a list of what may not mean what it seems), hints
 *   (after an error or a failed conversion, a list of what went wrong and how to write
 *   it), errors (gauss with "-g", else linear) and note (which error model the answer
 *   used, when it is not the default and the answer shows an error, else empty).
 * Side effects:
 *   Those of mc66 for the formula alone: variables and the last result are as if only
 *   the formula mc66 answered had been evaluated.
 */
int answercmd(ClientData, Tcl_Interp *interp, int objc, Tcl_Obj *const objv[])
{
    std::vector<const char *> argv = {Tcl_GetString(objv[0])};
    int first = 1;
    bool literal = false;
    if (objc >= 3 && std::strcmp(Tcl_GetString(objv[1]), "-progress") == 0) {
        watchprogress(objv[2]);
        first = 3;
    }
    for (int k = first; k < objc; k++) {
        const char *arg = Tcl_GetString(objv[k]);
        // "-literal" is this command's own option, where an option may stand (never the
        // value of an option that takes one).
        if (std::strcmp(arg, "-literal") == 0 && !valuefollows(argv.back())) {
            literal = true;
            continue;
        }
        argv.push_back(arg);
    }
    // The strings of 'objv' stay valid: the objects are held by the caller.
    answer a;
    answerof(interp, (int)argv.size(), argv.data(), "", false, a, literal);
    watchprogress(nullptr);
    answerresult(interp, a);
    return TCL_OK;
}
