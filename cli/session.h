// session.h - the Tcl interpreter of the command line with the qev commands, the
// user's library, and the conversions between the terminal's encoding and Tcl's.
#ifndef QEV_CLI_SESSION_H
#define QEV_CLI_SESSION_H

#include <map>
#include <string>
#include <vector>

struct answer;

// The per-user library as the shared library script reports it.
struct userlibrary {
    bool ok = false;                               // false: it could not be set up
    bool readonly = false;                         // the shipped library stands in
    std::string dir;                               // the per-user data folder; "" if none
    std::string units;                             // the user's units file
    std::string functions;                         // the user's function file
    std::map<std::string, std::string> systems;    // unit-system name -> file
};

// Creates the interpreter and the commands; false (message on standard error) on failure.
bool opensession(const char *argv0);

// Deletes the interpreter and releases Tcl.
void closesession();

// Runs one command with each element of 'args' as one word (UTF-8); sets 'answer' to its
// result. False when the command raised a Tcl error (the message is in 'answer').
bool command(const std::vector<std::string> &args, std::string &answer);

// Evaluates a formula through the answer layer: 'args' are the calculate command's
// words (its name, options, formula); 'target' is used when the formula names none;
// 'raw' keeps the command's own text; 'literal' hands the formula over as it is.
void answerline(const std::vector<std::string> &args, const std::string &target, bool raw, answer &a,
                bool literal = false);

// The same without a target, the user's state (variables, the last answer, settings)
// left as before.
void answeraside(const std::vector<std::string> &args, answer &a);

// The units file that the unit-system file 'usys' names; "" when it is none.
std::string unitsfileof(const std::string &usys);

// The per-user library, set up on first use. When it cannot be had, the shipped library
// stands in, read-only; that, or a failure, is reported once on standard error.
const userlibrary &library();

// The unit-system file used when none is given: "SI" if the library has it, else the
// first one; empty when there is none.
std::string defaultsystem();

// True when every byte is ASCII, which reads the same in every encoding.
bool ascii(const std::string &text);

// Text between the system encoding (arguments, terminal, files) and UTF-8.
std::string fromsystem(const std::string &text);
std::string tosystem(const std::string &text);

#endif
