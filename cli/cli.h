// cli.h - what the parts of the command line share: argument parsing, the default
// library files, and writing answers.
#ifndef QEV_CLI_H
#define QEV_CLI_H

#include <string>
#include <utility>
#include <vector>

// Exit statuses.
enum { EXIT_ANSWER = 0, EXIT_ENGINEERROR = 1, EXIT_USAGE = 2 };

// The option words of formula evaluation: flags, and options with a value.
extern const std::vector<std::string> FLAGS, VALUED;

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

// Whether 'word' is one of 'list'.
bool member(const std::vector<std::string> &list, const std::string &word);

// Splits 'args' by the option words of 'flags' (no value) and 'valued' (one value).
// "--" makes every later argument a word; "--help" and "-h" set 'help'; "-q" (when in 'valued') makes its value a word.
// An argument that begins with "-" and a letter and is no option is wrong usage.
parsedargs parseargs(const std::vector<std::string> &args, const std::vector<std::string> &flags,
                     const std::vector<std::string> &valued);

// Writes the help text to standard output; returns 0.
int help();

// Writes "qev: " and 'message' to standard error with a pointer to --help (in the
// session to 'help'); returns 2.
int usage(const std::string &message);
extern bool insession;  // the interactive session runs

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

// Sets up the evaluation of formulas with the options of 'p' (main.cpp); false, with
// the wrong usage written, when they are wrong.
bool setupcalc(const parsedargs &p);

// Whether the options choose errors in quadrature: "-g" or "--errors=gauss" after any
// "--errors=linear".
bool gaussof(const parsedargs &p);

// Evaluates one formula as set up; the answer is one line: line ends inside it become
// blanks. 'error' is set when the answer is an engine error, a stop or a conversion
// that failed. Ctrl-C stops it (watch.cpp).
void evaluate(const std::string &formula, std::string &text, bool &error);

// The answer to 'formula' with the settings of formulas but a target and --raw, the
// user's state (variables, the last answer) left as it was: for help.
std::string lookup(const std::string &formula);

// The units file and the function file that formulas read as set up ("" for none).
std::string currentunits();
std::string currentfunctions();

// The interactive session on a terminal, started with the options of 'p'
// (interactive.cpp); returns the exit status.
int interactive(const parsedargs &p);

// The subcommands: 'args' are the arguments after the subcommand's name. Each returns
// the exit status. 'subcommandof' answers null for a word that is no subcommand.
typedef int subcommandproc(const std::vector<std::string> &args);
subcommandproc *subcommandof(const std::string &word);

// The names of the subcommands, in the order of the help.
std::vector<std::string> subcommandnames();

// The options among 'p' that subcommand 'name' takes too, as arguments: the options of
// a call or a session that go before the subcommand's own.
std::vector<std::string> takenoptions(const std::string &name, const parsedargs &p);

// Help (help.cpp): the overview, or the text about 'word' (a subcommand, an option, a
// word of formulas, a unit or function of the library); false when there is none.
std::string helpoverview();
bool helpabout(const std::string &word, std::string &text);

// The words of formulas that help knows, for completion.
std::vector<std::string> formulawords();

// Long work (watch.cpp). 'watchsignals' installs the handler of Ctrl-C (SIGINT), which
// stops the formula under evaluation; outside one it ends a batch or a single formula
// as before, and in the 'interactive' session abandons the line typed. The progress
// line of long work goes to standard error when it is a terminal.
void watchsignals(bool interactive);
// Around every evaluation: the progress line is cleared at its end.
void beginwork();
void endwork();
// The pipe Ctrl-C writes to in the session (-1: none); whether Ctrl-C came since the
// last call (which forgets it), or whether it came and is not taken yet.
int interruptfd();
bool takeinterrupt();
bool interruptpending();

#endif
