// lineedit.cpp - line input of the interactive session through the readline library.
#include "cli/lineedit.h"

#include <clocale>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <langinfo.h>
#include <unistd.h>

#include <readline/history.h>
#include <readline/readline.h>

static const int KEEP = 1000;    // lines kept in the history file
static std::string histfile;

void openlines(const std::string &historyfile)
{
    // Editing works on the characters of the terminal's encoding; the C locale is taken
    // as UTF-8, as everywhere in qev.
    std::setlocale(LC_CTYPE, "");
    const char *codeset = nl_langinfo(CODESET);
    if (std::strcmp(codeset, "ANSI_X3.4-1968") == 0 || std::strcmp(codeset, "ASCII") == 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
    rl_readline_name = "qev";
    rl_bind_key('\t', rl_insert);  // a tab is text: no file-name completion in formulas
    using_history();
    stifle_history(KEEP);
    histfile = historyfile;
    if (!histfile.empty()) read_history(histfile.c_str());
}

bool readline_(const char *prompt, std::string &line)
{
    char *text = readline(prompt);
    if (!text) return false;
    line = text;
    std::free(text);
    return true;
}

void remember(const std::string &line)
{
    if (line.find_first_not_of(" \t") == std::string::npos) return;
    HIST_ENTRY *last = history_length > 0 ? history_get(history_base + history_length - 1) : nullptr;
    if (last && line == last->line) return;
    add_history(line.c_str());
    if (histfile.empty()) return;
    // Appending line by line keeps what was typed even when the session is killed; the
    // file is the user's own (mode 0600), as formulas can hold private numbers.
    int fd = open(histfile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0) return;
    close(fd);
    append_history(1, histfile.c_str());
}

void closelines()
{
    if (!histfile.empty()) history_truncate_file(histfile.c_str(), KEEP);
    clear_history();
}
