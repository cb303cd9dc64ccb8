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

#endif
