// lineedit.cpp - line input of the interactive session through the readline library:
// editing, history, Tab completion, and Ctrl-C that abandons the line typed.
//
// The library is loaded when a session starts, so that a batch or a single formula does
// not pay for loading it; without it, lines are read plainly. Ctrl-C reaches the
// session as a byte on a pipe (watch.cpp): while a line is read, it is waited for beside
// the terminal, and turns into a key that abandons the line.
#include "cli/lineedit.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dlfcn.h>
#include <fcntl.h>
#include <langinfo.h>
#include <poll.h>
#include <unistd.h>

#include <readline/history.h>
#include <readline/readline.h>

static const int KEEP = 1000;    // lines kept in the history file
static const int ABANDON = 3;    // the key that Ctrl-C becomes (what the terminal sends in raw mode)
static std::string histfile;
static completer *completewith;
static int interrupts = -1;      // Ctrl-C writes a byte here

// The parts of the library the session uses.
static struct {
    char *(*readline)(const char *);
    int (*bind_key)(int, rl_command_func_t *);
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
    rl_getc_func_t **getc;
    int *catch_signals;
    rl_completion_func_t **attempted_completion;
    char **(*completion_matches)(const char *, rl_compentry_func_t *);
    const char **word_breaks;
    int *completion_over;
    char **line_buffer;
    int *point, *end;
    void (*replace_line)(const char *, int);
    void (*free_line_state)();
    int (*crlf)();
    int (*on_new_line)();
    void (*redisplay)();
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
              bind(lib, "rl_readline_name", rl.name) && bind(lib, "using_history", rl.using_history) &&
              bind(lib, "stifle_history", rl.stifle_history) && bind(lib, "read_history", rl.read_history) &&
              bind(lib, "history_get", rl.history_get) && bind(lib, "history_length", rl.length) &&
              bind(lib, "history_base", rl.base) && bind(lib, "add_history", rl.add_history) &&
              bind(lib, "append_history", rl.append_history) &&
              bind(lib, "history_truncate_file", rl.history_truncate_file) &&
              bind(lib, "clear_history", rl.clear_history) && bind(lib, "rl_getc_function", rl.getc) &&
              bind(lib, "rl_catch_signals", rl.catch_signals) &&
              bind(lib, "rl_attempted_completion_function", rl.attempted_completion) &&
              bind(lib, "rl_completion_matches", rl.completion_matches) &&
              bind(lib, "rl_completer_word_break_characters", rl.word_breaks) &&
              bind(lib, "rl_attempted_completion_over", rl.completion_over) &&
              bind(lib, "rl_line_buffer", rl.line_buffer) && bind(lib, "rl_point", rl.point) &&
              bind(lib, "rl_end", rl.end) && bind(lib, "rl_replace_line", rl.replace_line) &&
              bind(lib, "rl_free_line_state", rl.free_line_state) && bind(lib, "rl_crlf", rl.crlf) &&
              bind(lib, "rl_on_new_line", rl.on_new_line) && bind(lib, "rl_redisplay", rl.redisplay);
    if (!ok) {
        dlclose(lib);
        rl.readline = nullptr;
    }
    return ok;
}

// Waits until the terminal 'fd' has input (true) or Ctrl-C came (false, the pipe
// drained); an error or the end of input counts as input, for the read to tell.
static bool waitinput(int fd)
{
    for (;;) {
        struct pollfd p[2] = {{fd, POLLIN, 0}, {interrupts, POLLIN, 0}};
        int n = poll(p, interrupts >= 0 ? 2 : 1, -1);
        if (n < 0) continue;  // interrupted: the pipe tells whether by Ctrl-C
        if (interrupts >= 0 && p[1].revents) {
            char drain[64];
            while (read(interrupts, drain, sizeof drain) > 0) {
            }
            return false;
        }
        if (p[0].revents) return true;
    }
}

// Readline's reading of a key: Ctrl-C becomes the key ABANDON.
static int getkey(FILE *in)
{
    int fd = fileno(in);
    for (;;) {
        if (!waitinput(fd)) return ABANDON;
        unsigned char c;
        ssize_t n = read(fd, &c, 1);
        if (n == 1) return c;
        if (n == 0 || errno != EINTR) return EOF;
    }
}

// The key ABANDON: as in a shell, the line typed stays on the screen, marked "^C", and
// a fresh prompt follows on the next line.
static int abandon(int, int)
{
    *rl.point = *rl.end;
    rl.redisplay();
    std::fputs("^C", stdout);
    std::fflush(stdout);
    rl.crlf();
    rl.free_line_state();
    rl.replace_line("", 1);
    rl.using_history();
    rl.on_new_line();
    rl.redisplay();
    return 0;
}

// The words offered for the word before the cursor, and the next one to hand out.
static std::vector<std::string> offered;
static size_t handed;

static char *nextoffered(const char *, int state)
{
    if (state == 0) handed = 0;
    return handed < offered.size() ? strdup(offered[handed++].c_str()) : nullptr;
}

// Tab: the words of 'completewith' that begin with the word before the cursor; never
// names of files.
static char **completion(const char *text, int start, int end)
{
    *rl.completion_over = 1;
    offered.clear();
    size_t n = std::strlen(text);
    for (std::string &w : completewith(std::string(*rl.line_buffer, end), start, text))
        if (w.compare(0, n, text) == 0) offered.push_back(std::move(w));
    return offered.empty() ? nullptr : rl.completion_matches(text, nextoffered);
}

void openlines(const std::string &historyfile, completer *complete, int interruptfd)
{
    interrupts = interruptfd;
    completewith = complete;
    if (!loadreadline()) return;
    // Editing works on the characters of the terminal's encoding; the C locale is taken
    // as UTF-8, as everywhere in qev.
    std::setlocale(LC_CTYPE, "");
    const char *codeset = nl_langinfo(CODESET);
    if (std::strcmp(codeset, "ANSI_X3.4-1968") == 0 || std::strcmp(codeset, "ASCII") == 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
    *rl.name = "qev";
    *rl.catch_signals = 0;  // Ctrl-C is the session's (watch.cpp)
    *rl.getc = getkey;
    rl.bind_key(ABANDON, abandon);
    // Words end at blanks and at the characters of operators, brackets and variables.
    *rl.word_breaks = " \t\n\"'()+-*/^{},;=%@~!<>|&";
    *rl.attempted_completion = completion;
    rl.using_history();
    rl.stifle_history(KEEP);
    histfile = historyfile;
    if (!histfile.empty()) rl.read_history(histfile.c_str());
}

// A line without the library: read as the terminal hands it over; Ctrl-C abandons it.
static bool plainline(const char *prompt, std::string &line)
{
    std::fputs(prompt, stdout);
    std::fflush(stdout);
    line.clear();
    for (;;) {
        if (!waitinput(0)) {
            std::fputs("\n", stdout);
            std::fputs(prompt, stdout);
            std::fflush(stdout);
            line.clear();
            continue;
        }
        char c;
        ssize_t n = read(0, &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return !line.empty();
        if (c == '\n') return true;
        line += c;
    }
}

bool readline_(const char *prompt, std::string &line)
{
    if (!rl.readline) return plainline(prompt, line);
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
