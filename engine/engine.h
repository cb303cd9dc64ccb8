// engine.h - evaluating one formula: scan, reduce, print.
#ifndef QEV_ENGINE_H
#define QEV_ENGINE_H

// Evaluates one formula (writable, NUL-terminated) and writes its result to 'cout2'.
void handlestr(char *formula);

#endif
