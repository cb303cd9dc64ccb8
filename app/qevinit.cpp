// qevinit.cpp - the package initialisation: one table of commands for every front end.
#include "app/qevinit.h"

#include <mutex>
#include <string>

#include "app/shared.h"

#include "commands/commands.h"
#include "engine/engine.h"
#include "present/answercmd.h"

// The seven commands take their arguments as strings; the answer layer's as objects.
struct command {
    const char *name;
    Tcl_CmdProc *proc;
    Tcl_ObjCmdProc *objproc;
};

static const command COMMANDS[] = {
    {"mc66", mc66, nullptr},
    {"fbr", fbr, nullptr},
    {"anf", anf, nullptr},
    {"anu", anu, nullptr},
    {"bru", bru, nullptr},
    {"mtu", mtu, nullptr},
    {"regres", regres, nullptr},
    {"libedit", libedit, nullptr},
    {"qev::answer", nullptr, answercmd},
};

// The engine's state is one per process, shared by every interpreter of every thread:
// one command runs at a time.
static std::mutex enginelock;

// Runs the command of the table row 'row' alone.
static int locked(ClientData row, Tcl_Interp *interp, int argc, const char *argv[])
{
    std::lock_guard<std::mutex> hold(enginelock);
    return static_cast<const command *>(row)->proc(nullptr, interp, argc, argv);
}

// The same for a command of object arguments.
static int lockedobj(ClientData row, Tcl_Interp *interp, int objc, Tcl_Obj *const objv[])
{
    std::lock_guard<std::mutex> hold(enginelock);
    return static_cast<const command *>(row)->objproc(nullptr, interp, objc, objv);
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
 *   threads may call them; sets ::qev::library to the folder of the shipped library,
 *   found from the program or library that holds this code.
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
        if (c.proc) Tcl_CreateCommand(interp, c.name, locked, (ClientData)&c, nullptr);
        else Tcl_CreateObjCommand(interp, c.name, lockedobj, (ClientData)&c, nullptr);
    }
    return TCL_OK;
}
