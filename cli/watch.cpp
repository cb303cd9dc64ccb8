// watch.cpp - long work at the command line: Ctrl-C (SIGINT) stops the formula under
// evaluation, and a line on standard error, when it is a terminal, shows how far a
// long sampling has come.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "engine/engine.h"

typedef std::chrono::steady_clock clock_;

static volatile sig_atomic_t working;      // a formula is under evaluation
static volatile sig_atomic_t interrupted;  // Ctrl-C came since 'takeinterrupt'
static bool session;                       // Ctrl-C outside a formula is the session's
static int wake[2] = {-1, -1};             // Ctrl-C writes a byte to wake[1]

static bool terminal;                      // standard error is a terminal
static clock_::time_point started, due;    // the evaluation's start; the next line
static bool shown;                         // a progress line stands on the terminal

// Ctrl-C: the formula under way is asked to stop. Outside a formula a batch or a single
// formula ends as it would without the handler; the session takes it as the end of
// the line typed.
static void onsigint(int)
{
    int saved = errno;
    interrupted = 1;
    if (working) {
        requeststop();
    } else if (!session) {
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
    }
    if (wake[1] >= 0) {
        ssize_t ignored = write(wake[1], "", 1);
        (void)ignored;
    }
    errno = saved;
}

// Writes 'text' to standard error as it is.
static void toerr(const std::string &text)
{
    for (size_t at = 0; at < text.size();) {
        ssize_t n = write(2, text.data() + at, text.size() - at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        at += (size_t)n;
    }
}

// The engine's watcher: from half a second on, the percentage done and the time left,
// renewed every tenth of a second.
static void progress(const char *word, long done, long all)
{
    if (!terminal) return;
    clock_::time_point now = clock_::now();
    if (now - started < std::chrono::milliseconds(500) || now < due) return;
    due = now + std::chrono::milliseconds(100);
    double seconds = std::chrono::duration<double>(now - started).count();
    long left = done > 0 ? (long)(seconds * (all - done) / done + 0.5) : 0;
    char line[200];
    std::snprintf(line, sizeof line, "\r%s: %.1f%% of %ld samples, about %ld s left (Ctrl-C stops)\033[K", word,
                  all > 0 ? 100.0 * done / all : 0.0, all, left);
    toerr(line);
    shown = true;
}

void watchsignals(bool interactive)
{
    terminal = isatty(2);
    setwatcher(progress);
    struct sigaction old;
    // Ignored by whoever started qev (a background job of a shell): it stays ignored.
    if (sigaction(SIGINT, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) return;
    session = interactive;
    if (interactive && pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) wake[0] = wake[1] = -1;
    struct sigaction sa = {};
    sa.sa_handler = onsigint;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
}

void beginwork()
{
    started = clock_::now();
    due = started;
    working = 1;
}

void endwork()
{
    working = 0;
    if (shown) toerr("\r\033[K");
    shown = false;
}

int interruptfd() { return wake[0]; }

bool takeinterrupt()
{
    char drain[64];
    if (wake[0] >= 0)
        while (read(wake[0], drain, sizeof drain) > 0) {
        }
    bool was = interrupted;
    interrupted = 0;
    return was;
}

bool interruptpending() { return interrupted; }
