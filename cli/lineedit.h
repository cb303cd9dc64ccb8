// lineedit.h - line input of the interactive session: editing, a history file, Tab
// completion and Ctrl-C.
#ifndef QEV_CLI_LINEEDIT_H
#define QEV_CLI_LINEEDIT_H

#include <string>
#include <vector>

// The words that may complete 'word', which begins at 'start' of the line typed so far
// ('line', up to the cursor).
typedef std::vector<std::string> completer(const std::string &line, size_t start, const std::string &word);

// Starts line editing with the history kept in 'historyfile' (none when empty); Tab
// offers the words of 'complete', and a byte arriving on 'interruptfd' (Ctrl-C; -1 for
// none) abandons the line typed so far for a fresh prompt.
void openlines(const std::string &historyfile, completer *complete, int interruptfd);

// Reads one line after 'prompt' into 'line'; false at the end of input.
bool readline_(const char *prompt, std::string &line);

// Adds a non-empty line to the history and to the history file.
void remember(const std::string &line);

// Cuts the history file to its last lines and ends line editing.
void closelines();

#endif
