// commands.h - the Tcl command procedures.
#ifndef QEV_COMMANDS_H
#define QEV_COMMANDS_H

#include <tcl.h>

int mc66(ClientData, Tcl_Interp *interp, int argc, const char *argv[]);
int fbr(ClientData, Tcl_Interp *interp, int argc, const char *argv[]);
int anf(ClientData, Tcl_Interp *interp, int argc, const char *argv[]);
int anu(ClientData, Tcl_Interp *interp, int argc, const char *argv[]);
int bru(ClientData, Tcl_Interp *interp, int argc, const char *argv[]);
int mtu(ClientData, Tcl_Interp *interp, int argc, const char *argv[]);
int libedit(ClientData, Tcl_Interp *interp, int argc, const char *argv[]);
int regres(ClientData, Tcl_Interp *interp, int argc, const char *argv[]);

#endif
