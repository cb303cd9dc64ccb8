// engine.h - what the layers above ask of the engine: start-up, evaluating one formula,
// and when the library files are looked at again.
#ifndef QEV_ENGINE_H
#define QEV_ENGINE_H

// Fills the random-density table as at start-up (once per process).
void initengine();

// Notes the folder of the shipped library, which start-up finds from where the running
// code lies (SHIPPED).
void setshipped(const char *folder);

// Evaluates one formula (writable, NUL-terminated) and writes its result to 'cout2'.
void handlestr(char *formula);

// Every library file is looked at again at the first lookup of every formula. While
// checks are held, a new formula does not look again, until 'libcheckall' starts a new
// check. A batch may hold them from one read of its input to the next: its answers to
// the lines of one read are written after all of them, so no one can tell them from
// answers made at the moment of the check.
void libholdchecks(bool hold);
void libcheckall();

// Long work. While an analysis word samples its expression, it looks every few hundred
// samples at the stop request and calls the watcher, when one is set, with the word,
// the samples taken and the samples it takes in all. A stopped evaluation ends with
// "<word> stopped after N of M samples : " and error exit 1.
typedef void watchproc(const char *word, long done, long all);

// Sets the watcher (null: none) and returns the one before.
watchproc *setwatcher(watchproc *w);

// Asks the evaluation under way to stop at its next look; a later evaluation forgets
// the request. Safe in a signal handler, from a watcher and from any thread.
void requeststop();

#endif
