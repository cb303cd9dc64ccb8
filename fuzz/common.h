// common.h - what the fuzz targets share: a Tcl interpreter with the qev commands, a
// private folder for the files of a run, the engine state as at start-up before every
// input, and the invariants checked after every command.
//
// An input is cut into sections at its NUL bytes; each target says what its sections
// mean (file contents, command arguments).
#ifndef QEV_FUZZ_COMMON_H
#define QEV_FUZZ_COMMON_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Creates the interpreter and the private folder (made in $TMPDIR, the working folder
// from then on, removed at exit); lowers the analysis grid bound. Once per process.
void fuzzinit();

// The engine state as after start-up: variables, flags, unit names, file names, the
// random table and seed; the library cache is forgotten. Called before every input.
void fuzzreset();

// Keeps the engine state, and brings it back, to run a call a second time from the
// same start.
void keepstate();
void restorestate();

// Whether the engine state is as 'keepstate' kept it.
bool unchanged();

// The input cut at every NUL byte (n NULs give n + 1 sections).
std::vector<std::string> sections(const uint8_t *data, size_t size);

// Writes 'text' to the file 'name' of the private folder; returns its absolute path.
std::string fuzzfile(const std::string &name, const std::string &text);

// The bytes of a file ("" when it cannot be read).
std::string readfile(const std::string &path);

// A unit-system file "s" naming 'units' as its units file; returns its path.
std::string unitsystem(const std::string &units);

// Runs one command (args[0] its name) and returns its answer as ISO-8859-1 bytes. Aborts
// when the command does not return TCL_OK or its answer is not the text of the result
// buffer, NUL-terminated within it. With QEV_FUZZ_TRACE set, writes the call and its
// answer to stderr.
std::string run(const std::vector<std::string> &args);

// Runs qev::answer (args[0] its name) and returns its dict as text (UTF-8). Aborts
// unless it returns TCL_OK with a dict of the keys of an answer and a known status.
std::string runanswer(const std::vector<std::string> &args, std::string *formula = nullptr);

// Keeps the engine's state (variables and the last result, flags, names, the slots of
// the analysis words), and tells whether the state is now the same.
void keepuserstate();
bool sameuserstate();

// The text without its blanks, tabs and line ends, as the library readers see it.
std::string nonblank(const std::string &text);

// Aborts with 'what' when 'ok' is false.
void require(bool ok, const char *what);

#endif
