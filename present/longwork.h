// longwork.h - long evaluations seen from Tcl: the progress callback of qev::answer,
// Tcl's asynchronous handlers while the engine works, qev::cancel, and the answer to a
// command called while another one runs in the same thread.
#ifndef QEV_LONGWORK_H
#define QEV_LONGWORK_H

#include <tcl.h>

// Around every engine command of 'interp', under the engine's lock: meanwhile the
// engine's watcher runs the asynchronous handlers of Tcl_AsyncMark that are due (one of
// them may call qev::cancel) and the progress callback, then the watcher set before.
void beginwatch(Tcl_Interp *interp);
void endwatch();

// The progress callback of the evaluation that follows: a command prefix, called with
// the fraction done appended every PROGRESSMS while an analysis word samples (the first
// time PROGRESSMS after the command began); null for none. Its result is ignored; a
// break, or an error (reported as a background error), stops the evaluation.
enum { PROGRESSMS = 100 };
void watchprogress(Tcl_Obj *cmd);

// qev::cancel: asks the evaluation under way, in whatever thread, to stop.
int cancelcmd(ClientData, Tcl_Interp *interp, int objc, Tcl_Obj *const objv[]);

// Answers a command that is refused because another command of the engine runs in the
// same thread (called from its progress callback or an asynchronous handler): the text
// BUSY, as a dict of qev::answer for 'answerdict'. TCL_OK.
extern const char BUSY[];
int busyanswer(Tcl_Interp *interp, bool answerdict);

#endif
