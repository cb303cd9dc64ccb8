// cli.h - what the parts of the command line share: argument parsing, the default
// library files, and writing answers.
#ifndef QEV_CLI_H
#define QEV_CLI_H

#include <string>
#include <utility>
#include <vector>

// Exit statuses.
enum { EXIT_ANSWER = 0, EXIT_ENGINEERROR = 1, EXIT_USAGE = 2 };

// The arguments of a call, options separated from the rest. Every word is UTF-8.
struct parsedargs {
    std::vector<std::pair<std::string, std::string>> options;  // in order; flags have ""
    std::vector<std::string> words;                            // the other arguments
    std::string error;                                         // non-empty: wrong usage
    bool help = false;                                         // "--help" or "-h" was given
    // The value of the last occurrence of 'opt', or 'absent'.
    std::string value(const std::string &opt, const std::string &absent = "") const;
    bool has(const std::string &opt) const;
};

// Splits 'args' by the option words of 'flags' (no value) and 'valued' (one value).
// "--" makes every later argument a word; "--help" and "-h" set 'help'; "-q" (when in 'valued') makes its value a word.
// An argument that begins with "-" and a letter and is no option is wrong usage.
parsedargs parseargs(const std::vector<std::string> &args, const std::vector<std::string> &flags,
                     const std::vector<std::string> &valued);

// Writes the help text to standard output; returns 0.
int help();

// Writes "qev: " and 'message' to standard error with a pointer to --help; returns 2.
int usage(const std::string &message);

// Checks that 'text' is a whole number from 0 to 'max'.
bool wholenumber(const std::string &text, long max);

// Checks the value of "-p" (0 to 65535); when it is wrong, says so as wrong usage.
bool precisionok(const std::string &text);

// The unit-system file for "-u": 'given' when it is a readable unit-system file, else
// the library's system of that name; the default system when 'given' is empty. Sets
// 'error' when there is none, or when it is for 'writing' and the library is read-only.
std::string unitsystem(const std::string &given, std::string &error, bool writing = false);

// The function file for "-f": 'given' (it must be readable unless it is for 'writing'),
// or the library's when 'given' is empty (empty when the library has none; an error
// when it is for 'writing' and the library is read-only).
std::string functionfile(const std::string &given, bool writing, std::string &error);

// 'text' without the blanks and line ends at its end.
std::string trimend(const std::string &text);

// An answer that holds an engine error.
bool iserror(const std::string &answer);

// Standard input and output (streams.cpp). Every write is checked: a write error is
// reported on standard error and ends the program with status 1.
// Holds closed standard descriptors open on /dev/null (a write to a closed standard
// output still fails); call first.
void guardstreams();
// Restores the default action of SIGPIPE (Tcl ignores it), so that a closed pipe ends
// the program at once.
void defaultsigpipe();
// Writes 'n' bytes to standard output.
void out(const char *text, size_t n);
// Writes 'text' (UTF-8) and a line end to standard output in the system encoding.
void emit(const std::string &text, bool flush = true);
// Flushes standard output.
void flushout();
// The next line of standard input without its line end: 1, 0 at the end, -1 after a
// read error (errno tells which).
int nextline(std::string &line);
// All of standard input; false after a read error (errno tells which).
bool readall(std::string &text);
// Reports a failed read of standard input; returns status 1.
int readfailed();

// Notes about formulas on standard error (notes.cpp): 'tellbefore' keeps the notes of an
// answer and writes its rewrites when verbose; 'tellafter' writes its warnings and hints,
// to be called after its answer line. In a batch every note names its line.
struct answer;
void tellverbose(bool on);
void tellline(long number);
void tellbefore(const answer &a);
void tellafter();

// Runs a command; on a Tcl error writes it to standard error and returns false.
bool run(const std::vector<std::string> &args, std::string &answer);

// The subcommands: 'args' are the arguments after the subcommand's name. Each returns
// the exit status. 'subcommandof' answers null for a word that is no subcommand.
typedef int subcommandproc(const std::vector<std::string> &args);
subcommandproc *subcommandof(const std::string &word);

#endif
