// qevinit.cpp - the package initialisation: one table of commands for every front end.
#include "app/qevinit.h"

#include "commands/commands.h"
#include "engine/engine.h"

static const struct {
    const char *name;
    Tcl_CmdProc *proc;
} COMMANDS[] = {
    {"mc66", mc66},
    {"fbr", fbr},
    {"anf", anf},
    {"anu", anu},
    {"bru", bru},
    {"mtu", mtu},
    {"regres", regres},
    {"libedit", libedit},
};

/*
 * Qev_Init --
 *   Initialises the engine state and creates the qev commands in 'interp'.
 * Results:
 *   TCL_OK, or TCL_ERROR when the interpreter is not Tcl 8.6.
 * Side effects:
 *   Provides the package qev; creates mc66 and the other commands of the table;
 *   sets ::qev::library to the folder of the shipped library.
 */
extern "C" __attribute__((visibility("default"))) int Qev_Init(Tcl_Interp *interp)
{
    if (!Tcl_InitStubs(interp, "8.6", 0)) return TCL_ERROR;
    if (Tcl_PkgProvide(interp, "qev", QEV_VERSION) != TCL_OK) return TCL_ERROR;
    initengine();
    if (Tcl_Eval(interp, "namespace eval ::qev {}") != TCL_OK) return TCL_ERROR;
    Tcl_SetVar(interp, "::qev::library", QEV_DATADIR, TCL_GLOBAL_ONLY);
    for (const auto &c : COMMANDS) Tcl_CreateCommand(interp, c.name, c.proc, nullptr, nullptr);
    return TCL_OK;
}
