// answercmd.h - the Tcl command of the answer layer.
#ifndef QEV_ANSWERCMD_H
#define QEV_ANSWERCMD_H

#include <tcl.h>

int answercmd(ClientData, Tcl_Interp *interp, int objc, Tcl_Obj *const objv[]);

#endif
