// notes.cpp - what qev says about a formula besides its answer, on standard error: the
// rewrites made before the engine saw it (with -v), warnings, and hints after an error.
// Standard output keeps one answer line per formula.
#include <cstdio>

#include "cli/cli.h"
#include "cli/session.h"
#include "present/answer.h"

static bool verbose;
static long linenumber;      // the line of a batch being answered; 0 outside a batch
static notes pending;        // warnings and hints of the last formula, not yet written

void tellverbose(bool on) { verbose = on; }

void tellline(long number) { linenumber = number; }

// Writes one note, after the answers so far.
static void say(const char *label, const std::string &text)
{
    flushout();
    std::string line = "qev: ";
    if (linenumber > 0) line += "line " + std::to_string(linenumber) + ": ";
    line += label;
    line += text;
    std::fprintf(stderr, "%s\n", tosystem(line).c_str());
}

void tellbefore(const answer &a)
{
    pending = a.told;
    if (!verbose || a.told.rewrites.empty()) return;
    for (const std::string &r : a.told.rewrites) say("rewrote ", r);
    size_t first = a.formula.find_first_not_of(' ');
    if (a.told.rewrites.size() > 1) say("read as ", trimend(a.formula.substr(first == std::string::npos ? 0 : first)));
}

void tellafter()
{
    for (const std::string &w : pending.warnings) say("warning: ", w);
    for (const std::string &h : pending.hints) say("hint: ", h);
    pending = notes();
}
