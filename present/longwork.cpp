// longwork.cpp - long evaluations seen from Tcl: the engine's watcher while a command
// of 'interp' runs, the progress callback, qev::cancel and the refusal of a command
// called from inside another.
#include "present/longwork.h"

#include <chrono>

#include "engine/engine.h"
#include "present/answer.h"
#include "present/answercmd.h"

const char BUSY[] = "the engine is busy with another evaluation : error #1";

typedef std::chrono::steady_clock clock_;

// The command under way: its interpreter, the watcher before it, its progress callback
// and when that is due next. Used under the engine's lock only.
static Tcl_Interp *watched;
static watchproc *outer;
static Tcl_Obj *progress;
static clock_::time_point due;

// Calls the progress callback with the fraction done; a break or an error stops.
static void callprogress(long done, long all)
{
    Tcl_Obj *call = Tcl_DuplicateObj(progress);
    Tcl_IncrRefCount(call);
    Tcl_InterpState before = Tcl_SaveInterpState(watched, TCL_OK);
    int code = Tcl_ListObjAppendElement(watched, call, Tcl_NewDoubleObj(all > 0 ? (double)done / all : 0));
    if (code == TCL_OK) code = Tcl_EvalObjEx(watched, call, TCL_EVAL_GLOBAL);
    if (code == TCL_ERROR) Tcl_BackgroundException(watched, code);
    if (code == TCL_ERROR || code == TCL_BREAK) requeststop();
    Tcl_RestoreInterpState(watched, before);
    Tcl_DecrRefCount(call);
}

// The engine's watcher while a command of 'watched' runs.
static void tclwatch(const char *word, long done, long all)
{
    if (Tcl_AsyncReady()) {
        Tcl_InterpState before = Tcl_SaveInterpState(watched, TCL_OK);
        Tcl_AsyncInvoke(watched, TCL_OK);
        Tcl_RestoreInterpState(watched, before);
    }
    if (progress) {
        clock_::time_point now = clock_::now();
        if (now >= due) {
            due = now + std::chrono::milliseconds(PROGRESSMS);
            callprogress(done, all);
        }
    }
    if (outer) outer(word, done, all);
}

void beginwatch(Tcl_Interp *interp)
{
    watched = interp;
    due = clock_::now() + std::chrono::milliseconds(PROGRESSMS);
    outer = setwatcher(tclwatch);
}

void endwatch()
{
    setwatcher(outer);
    watchprogress(nullptr);
    watched = nullptr;
}

void watchprogress(Tcl_Obj *cmd)
{
    if (cmd) Tcl_IncrRefCount(cmd);
    if (progress) Tcl_DecrRefCount(progress);
    progress = cmd;
}

/*
 * cancelcmd --
 *   qev::cancel: asks the evaluation under way to stop, in this thread (from a progress
 *   callback or an asynchronous handler) or in another; does nothing when none runs.
 * Results:
 *   TCL_OK and an empty result, or the message that it takes no arguments.
 * Side effects:
 *   The evaluation ends at its next look at the request, within a few hundred samples,
 *   with "<word> stopped after N of M samples : error #1".
 */
int cancelcmd(ClientData, Tcl_Interp *interp, int objc, Tcl_Obj *const[])
{
    if (objc != 1) {
        Tcl_SetResult(interp, const_cast<char *>("qev::cancel takes no arguments"), TCL_STATIC);
        return TCL_OK;
    }
    requeststop();
    Tcl_ResetResult(interp);
    return TCL_OK;
}

int busyanswer(Tcl_Interp *interp, bool answerdict)
{
    if (!answerdict) {
        Tcl_SetResult(interp, const_cast<char *>(BUSY), TCL_STATIC);
        return TCL_OK;
    }
    answer a;
    a.status = answer::ENGINEERROR;
    a.display = a.engine = BUSY;
    answerresult(interp, a);
    return TCL_OK;
}
