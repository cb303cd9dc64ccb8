// streams.cpp - standard input and output of qev: every write to standard output is
// checked (a failed one ends the program with status 1, a closed pipe ends it by
// SIGPIPE), and a failed read of standard input is an error, never its end.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/cli.h"
#include "cli/session.h"
#include "engine/engine.h"

static bool stdoutclosed;  // descriptor 1 was closed when the program started

void guardstreams()
{
    // A closed standard descriptor would be taken by the next file opened, and answers
    // would go into it: each is held open on /dev/null instead.
    for (int fd = 0; fd <= 2; fd++) {
        if (fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);  // the lowest free descriptor: fd
        if (fd == 1) stdoutclosed = true;
    }
}

void defaultsigpipe() { std::signal(SIGPIPE, SIG_DFL); }

// Ends the program after a write to standard output failed with 'err'.
[[noreturn]] static void writefailed(int err)
{
    std::fprintf(stderr, "qev: write error: %s\n", std::strerror(err));
    std::_Exit(EXIT_ENGINEERROR);
}

void flushout()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) writefailed(errno ? errno : EIO);
}

void out(const char *text, size_t n)
{
    if (stdoutclosed) writefailed(EBADF);
    if (std::fwrite(text, 1, n, stdout) != n || std::ferror(stdout)) writefailed(errno ? errno : EIO);
}

void emit(const std::string &text, bool flush)
{
    if (ascii(text)) {
        out(text.data(), text.size());
    } else {
        const std::string converted = tosystem(text);
        out(converted.data(), converted.size());
    }
    out("\n", 1);
    if (flush) flushout();
}

int readfailed()
{
    std::fprintf(stderr, "qev: cannot read standard input: %s\n", std::strerror(errno));
    return EXIT_ENGINEERROR;
}

// The answers so far are flushed before every read that may wait, so a program that
// writes a line and waits for its answer gets it at once, while a file of formulas is
// answered in large writes.
int nextline(std::string &line)
{
    static char buf[65536];
    static size_t pos, end;
    static bool eof;
    line.clear();
    for (;;) {
        if (pos == end) {
            if (eof) return line.empty() ? 0 : 1;
            flushout();
            ssize_t got = read(0, buf, sizeof buf);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) return -1;
            libcheckall();
            if (got == 0) {
                eof = true;
                continue;
            }
            pos = 0;
            end = (size_t)got;
        }
        char *nl = (char *)std::memchr(buf + pos, '\n', end - pos);
        size_t stop = nl ? (size_t)(nl - buf) : end;
        line.append(buf + pos, stop - pos);
        pos = nl ? stop + 1 : stop;
        if (nl) return 1;
    }
}

bool readall(std::string &text)
{
    char buf[65536];
    for (;;) {
        ssize_t got = read(0, buf, sizeof buf);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        text.append(buf, (size_t)got);
    }
}
