// watch.cpp - the stop request and the watcher of long work.
#include "engine/watch.h"

std::atomic<bool> stoprequest{false};
watchproc *watcher = nullptr;

static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler sets the stop request");

void requeststop() { stoprequest.store(true, std::memory_order_relaxed); }

void clearstop() { stoprequest.store(false, std::memory_order_relaxed); }

watchproc *setwatcher(watchproc *w)
{
    watchproc *before = watcher;
    watcher = w;
    return before;
}
