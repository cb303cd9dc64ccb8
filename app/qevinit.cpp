// qevinit.cpp - the package initialisation: one table of commands for every front end.
#include "app/qevinit.h"

#include <mutex>
#include <string>

#include "app/shared.h"

#include "commands/commands.h"
#include "engine/engine.h"
#include "present/answercmd.h"
#include "present/longwork.h"

// The seven commands take their arguments as strings; the answer layer's as objects.
// A free command touches no engine state and runs without the lock.
struct command {
    const char *name;
    Tcl_CmdProc *proc;
    Tcl_ObjCmdProc *objproc;
    bool free;
};

static const command COMMANDS[] = {
    {"mc66", mc66, nullptr, false},
    {"fbr", fbr, nullptr, false},
    {"anf", anf, nullptr, false},
    {"anu", anu, nullptr, false},
    {"bru", bru, nullptr, false},
    {"mtu", mtu, nullptr, false},
    {"regres", regres, nullptr, false},
    {"libedit", libedit, nullptr, false},
    {"qev::answer", nullptr, answercmd, false},
    {"qev::cancel", nullptr, cancelcmd, true},
};

// The engine's state is one per process, shared by every interpreter of every thread:
// one command runs at a time.
static std::mutex enginelock;

// A command of the table runs in this thread. Another one called meanwhile (from a
// progress callback or an asynchronous handler) would wait for the lock it holds
// itself, or change the state under its feet: it is refused.
static thread_local bool running;

// Runs 'call', the command of the table row 'row', alone, with Tcl's watch of long work.
template <class F> static int alone(const command *row, Tcl_Interp *interp, F call)
{
    if (running) return busyanswer(interp, row->objproc != nullptr);
    std::lock_guard<std::mutex> hold(enginelock);
    running = true;
    beginwatch(interp);
    int code = call();
    endwatch();
    running = false;
    return code;
}

static int locked(ClientData row, Tcl_Interp *interp, int argc, const char *argv[])
{
    const command *c = static_cast<const command *>(row);
    return alone(c, interp, [&] { return c->proc(nullptr, interp, argc, argv); });
}

// The same for a command of object arguments.
static int lockedobj(ClientData row, Tcl_Interp *interp, int objc, Tcl_Obj *const objv[])
{
    const command *c = static_cast<const command *>(row);
    return alone(c, interp, [&] { return c->objproc(nullptr, interp, objc, objv); });
}

// The folder of the shipped library: data/ in the shared folder of the module that holds
// this code. When there is none, a folder that does not exist (beside the module), so
// that no other folder is taken for the library.
static std::string shippedlibrary()
{
    static const std::string library = [] {
        std::string module = modulefolder(reinterpret_cast<const void *>(&shippedlibrary));
        std::string shared = sharedfolder(module, "data");
        if (shared.empty()) shared = module.empty() ? "/nonexistent" : module;
        return shared + "/data";
    }();
    return library;
}

/*
 * Qev_Init --
 *   Initialises the engine state and creates the qev commands in 'interp'.
 * Results:
 *   TCL_OK, or TCL_ERROR when the interpreter is not Tcl 8.6.
 * Side effects:
 *   Provides the package qev; creates mc66, the other commands of the table and
 *   qev::answer, each run under one lock of the process, so interpreters in several
 *   threads may call them (one called while another runs in the same thread is
 *   refused), and qev::cancel, which needs no lock; sets ::qev::library to the folder
 *   of the shipped library, found from the program or library that holds this code.
 */
extern "C" __attribute__((visibility("default"))) int Qev_Init(Tcl_Interp *interp)
{
    if (!Tcl_InitStubs(interp, "8.6", 0)) return TCL_ERROR;
    if (Tcl_PkgProvide(interp, "qev", QEV_VERSION) != TCL_OK) return TCL_ERROR;
    {
        std::lock_guard<std::mutex> hold(enginelock);
        initengine();
        setshipped(shippedlibrary().c_str());
    }
    if (Tcl_Eval(interp, "namespace eval ::qev {}") != TCL_OK) return TCL_ERROR;
    Tcl_SetVar(interp, "::qev::library", shippedlibrary().c_str(), TCL_GLOBAL_ONLY);
    for (const command &c : COMMANDS) {
        if (c.free) Tcl_CreateObjCommand(interp, c.name, c.objproc, nullptr, nullptr);
        else if (c.proc) Tcl_CreateCommand(interp, c.name, locked, (ClientData)&c, nullptr);
        else Tcl_CreateObjCommand(interp, c.name, lockedobj, (ClientData)&c, nullptr);
    }
    return TCL_OK;
}
