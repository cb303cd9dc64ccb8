// qevinit.h - the package initialisation that every front end calls.
#ifndef QEV_QEVINIT_H
#define QEV_QEVINIT_H

#include <tcl.h>

// Creates the qev commands in 'interp' and provides the package qev.
extern "C" int Qev_Init(Tcl_Interp *interp);

#endif
