// libcheck.cpp - trying a library definition before it is written: the text the file
// would hold is written to a temporary file, and one unit of the name (or a call of the
// function) is evaluated with it in place of the library file. Everything the
// evaluation may change is kept beforehand and put back, so that a session goes on as
// if nothing had been evaluated.
#include "commands/libcheck.h"

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "base/output.h"
#include "commands/libfile.h"
#include "engine/engine.h"
#include "engine/library.h"
#include "engine/state.h"
#include "engine/unitvariant.h"

namespace {

enginestate kept;  // the engine as it was before a trial

// A new file in the temporary folder holding 'text'; its path, "" when it cannot be made.
std::string tempfile(const std::string &text)
{
    const char *dir = std::getenv("TMPDIR");
    std::string path = std::string(dir && *dir ? dir : "/tmp") + "/qevtryXXXXXX";
    int fd = mkostemp(&path[0], O_CLOEXEC);
    if (fd < 0) return "";
    bool written = writeall(fd, text);
    close(fd);
    if (written) return path;
    unlink(path.c_str());
    return "";
}

// The temporary file of a trial, removed and forgotten at the end.
struct trialfile {
    std::string path;
    explicit trialfile(const std::string &text) : path(tempfile(text)) {}
    ~trialfile()
    {
        if (path.empty()) return;
        unlink(path.c_str());
        libforget(path.c_str());
    }
};

// Runs 'evaluate' on 'formula' with the output going to a stream of its own; what it wrote.
template <class F> std::string evaluated(F evaluate, std::string formula, bool *ended = nullptr)
{
    std::ostringstream probe;
    probe.precision(12);
    std::ostringstream *out = cout2;
    cout2 = &probe;
    bool done = evaluate(&formula[0]);
    if (ended) *ended = done;
    cout2 = out;
    std::string text = probe.str();
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n')) text.pop_back();
    return text;
}

// Whether a printed answer is one result (its brackets) and nothing before it.
bool oneresult(const std::string &answer)
{
    int depth = 0, braces = 0, results = 0;
    for (char c : answer) {
        if (c == '{') braces++;
        if (c == '}') braces--;
        if (braces) continue;
        if (c == '(' && depth++ == 0) results++;
        if (c == ')') depth--;
    }
    return !answer.empty() && answer[0] == '(' && results == 1;
}

bool finite(const lm &n)
{
    bool ok = n.kind == LM_NUMBER && std::isfinite(n.mag) && std::isfinite(n.phase) && std::isfinite(n.err);
    for (long double u : n.units) ok = ok && std::isfinite(u);
    return ok;
}

}  // namespace

// What is wrong with one unit of 'name' in the units file in use; "" when it is good.
static std::string unitproblem(const std::string &name)
{
    varib[0].kind = LM_EMPTY;
    std::string formula = "1 " + name;
    std::string answer = evaluated([](char *f) { handlestr(f); return true; }, formula);
    if (answer.find("error #") != std::string::npos || !oneresult(answer) || !finite(varib[0]))
        return formula + " gives " + answer;
    NAME55 = 0;
    answer = evaluated([](char *f) { evaluate1c(f); return true; }, formula + " ");
    if (answer.find("error #") != std::string::npos) return formula + " fails in the unit listing: " + answer;
    bool ended;
    answer = evaluated([](char *f) { return evaluate1d(f); }, "0 " + name + " + 1 ", &ended);
    if (!ended) return "0 " + name + " + 1 fails in unit matching: " + answer;
    return "";
}

std::vector<std::string> unitproblems(const std::string &text, const std::vector<std::string> &names)
{
    trialfile file(text);
    if (file.path.empty()) return std::vector<std::string>(names.size(), "it cannot be tried : no temporary file could be written");
    savestate(kept);
    MACNAME = file.path;
    FORMNAME.clear();
    std::vector<std::string> problems;
    for (const std::string &n : names) problems.push_back(unitproblem(n));
    loadstate(kept);
    return problems;
}

std::vector<std::string> functionproblems(const std::string &text, const std::vector<funccall> &calls,
                                          const std::string &units)
{
    trialfile file(text);
    if (file.path.empty()) return std::vector<std::string>(calls.size(), "it cannot be tried : no temporary file could be written");
    savestate(kept);
    FORMNAME = file.path;
    if (!units.empty()) MACNAME = units;
    std::vector<std::string> problems;
    for (const funccall &c : calls) {
        std::string call = c.name;
        for (int k = 0; k < c.args; k++) call += k ? ",1" : "(1";
        if (c.args > 0) call += ")";
        std::string answer = evaluated([](char *f) { handlestr(f); return true; }, call);
        problems.push_back(answer.find("error #") != std::string::npos ? call + " gives " + answer : "");
    }
    loadstate(kept);
    return problems;
}
