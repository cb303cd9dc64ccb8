// lineedit.h - line input of the interactive session: editing and a history file.
#ifndef QEV_CLI_LINEEDIT_H
#define QEV_CLI_LINEEDIT_H

#include <string>

// Starts line editing with the history kept in 'historyfile' (none when empty).
void openlines(const std::string &historyfile);

// Reads one line after 'prompt' into 'line'; false at the end of input.
bool readline_(const char *prompt, std::string &line);

// Adds a non-empty line to the history and to the history file.
void remember(const std::string &line);

// Cuts the history file to its last lines and ends line editing.
void closelines();

#endif
