// appinit.cpp - application initialisation of the desktop program.
#include <tk.h>

#include "app/qevinit.h"

/*
 * Tcl_AppInit --
 *   Initialises Tcl and Tk and creates the qev commands.
 * Results:
 *   TCL_OK, or TCL_ERROR when Tcl or Tk cannot be initialised.
 * Side effects:
 *   Sets tcl_rcFileName; creates the commands through Qev_Init.
 */
int Tcl_AppInit(Tcl_Interp *interp)
{
    if (Tcl_Init(interp) == TCL_ERROR) return TCL_ERROR;
    if (Tk_Init(interp) == TCL_ERROR) return TCL_ERROR;
    Tcl_StaticPackage(interp, "Tk", Tk_Init, nullptr);
    Tcl_SetVar(interp, "tcl_rcFileName", "~/.wishrc", TCL_GLOBAL_ONLY);
    if (Qev_Init(interp) == TCL_ERROR) return TCL_ERROR;
    Tcl_StaticPackage(interp, "Qev", Qev_Init, nullptr);
    return TCL_OK;
}
