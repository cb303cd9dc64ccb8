// lineedit.cpp - line input of the interactive session through the readline library.
//
// The library is loaded when a session starts, so that a batch or a single formula does
// not pay for loading it; without it, lines are read plainly.
#include "cli/lineedit.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dlfcn.h>
#include <fcntl.h>
#include <langinfo.h>
#include <unistd.h>

#include <readline/history.h>
#include <readline/readline.h>

static const int KEEP = 1000;    // lines kept in the history file
static std::string histfile;

// The parts of the library the session uses.
static struct {
    char *(*readline)(const char *);
    int (*bind_key)(int, rl_command_func_t *);
    rl_command_func_t *insert;
    const char **name;
    void (*using_history)();
    void (*stifle_history)(int);
    int (*read_history)(const char *);
    HIST_ENTRY *(*history_get)(int);
    int *length, *base;
    void (*add_history)(const char *);
    int (*append_history)(int, const char *);
    int (*history_truncate_file)(const char *, int);
    void (*clear_history)();
} rl;

template <class T> static bool bind(void *lib, const char *name, T &to)
{
    to = reinterpret_cast<T>(dlsym(lib, name));
    return to != nullptr;
}

static bool loadreadline()
{
    void *lib = dlopen(READLINE_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!lib) return false;
    bool ok = bind(lib, "readline", rl.readline) && bind(lib, "rl_bind_key", rl.bind_key) &&
              bind(lib, "rl_insert", rl.insert) && bind(lib, "rl_readline_name", rl.name) &&
              bind(lib, "using_history", rl.using_history) && bind(lib, "stifle_history", rl.stifle_history) &&
              bind(lib, "read_history", rl.read_history) && bind(lib, "history_get", rl.history_get) &&
              bind(lib, "history_length", rl.length) && bind(lib, "history_base", rl.base) &&
              bind(lib, "add_history", rl.add_history) && bind(lib, "append_history", rl.append_history) &&
              bind(lib, "history_truncate_file", rl.history_truncate_file) &&
              bind(lib, "clear_history", rl.clear_history);
    if (!ok) {
        dlclose(lib);
        rl.readline = nullptr;
    }
    return ok;
}

void openlines(const std::string &historyfile)
{
    if (!loadreadline()) return;
    // Editing works on the characters of the terminal's encoding; the C locale is taken
    // as UTF-8, as everywhere in qev.
    std::setlocale(LC_CTYPE, "");
    const char *codeset = nl_langinfo(CODESET);
    if (std::strcmp(codeset, "ANSI_X3.4-1968") == 0 || std::strcmp(codeset, "ASCII") == 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
    *rl.name = "qev";
    rl.bind_key('\t', rl.insert);  // a tab is text: no file-name completion in formulas
    rl.using_history();
    rl.stifle_history(KEEP);
    histfile = historyfile;
    if (!histfile.empty()) rl.read_history(histfile.c_str());
}

bool readline_(const char *prompt, std::string &line)
{
    if (!rl.readline) {
        std::fputs(prompt, stdout);
        std::fflush(stdout);
        char buf[4096];
        line.clear();
        while (std::fgets(buf, sizeof buf, stdin)) {
            line += buf;
            if (line.back() == '\n') {
                line.pop_back();
                return true;
            }
        }
        return !line.empty();
    }
    char *text = rl.readline(prompt);
    if (!text) return false;
    line = text;
    std::free(text);
    return true;
}

void remember(const std::string &line)
{
    if (!rl.readline || line.find_first_not_of(" \t") == std::string::npos) return;
    HIST_ENTRY *last = *rl.length > 0 ? rl.history_get(*rl.base + *rl.length - 1) : nullptr;
    if (last && line == last->line) return;
    rl.add_history(line.c_str());
    if (histfile.empty()) return;
    // Appending line by line keeps what was typed even when the session is killed; the
    // file is the user's own (mode 0600), as formulas can hold private numbers.
    int fd = open(histfile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0) return;
    close(fd);
    rl.append_history(1, histfile.c_str());
}

void closelines()
{
    if (!rl.readline) return;
    if (!histfile.empty()) rl.history_truncate_file(histfile.c_str(), KEEP);
    rl.clear_history();
}
