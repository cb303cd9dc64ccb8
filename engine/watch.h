// watch.h - the stop request and the watcher of long work, as the sampling of the
// analysis words looks at them (engine.h has what the front ends set).
#ifndef QEV_WATCH_H
#define QEV_WATCH_H

#include <atomic>

#include "engine/engine.h"

// A sampling looks at the stop request and calls the watcher once every WATCHEVERY
// samples: a test of a counter per sample, nothing more.
enum { WATCHEVERY = 256 };

extern std::atomic<bool> stoprequest;  // set by 'requeststop', cleared by 'clearstop'
extern watchproc *watcher;             // the front end's watcher; null: none

// True when the evaluation under way is asked to stop.
inline bool stopasked() { return stoprequest.load(std::memory_order_relaxed); }

// Forgets a stop request made before the evaluation that now begins.
void clearstop();

#endif
