// answercmd.h - the Tcl command of the answer layer.
#ifndef QEV_ANSWERCMD_H
#define QEV_ANSWERCMD_H

#include <tcl.h>

struct answer;

int answercmd(ClientData, Tcl_Interp *interp, int objc, Tcl_Obj *const objv[]);

// Sets the dict of qev::answer for 'a' as the result of 'interp'.
void answerresult(Tcl_Interp *interp, const answer &a);

#endif
