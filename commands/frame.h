// frame.h - the frame every command procedure shares: its own copies of the
// arguments, fresh output streams, and the result handed to the interpreter.
#ifndef QEV_FRAME_H
#define QEV_FRAME_H

#include <string>
#include <vector>

#include <tcl.h>

// The arguments of one call. 'argv' holds writable ISO-8859-1 copies (the engine's
// byte alphabet, entry argc an empty string).
struct cmdargs {
    int argc = 0;
    std::vector<std::string> text;  // storage of argv
    std::vector<char *> argv;
    const char **utf = nullptr;     // the arguments as given (UTF-8), during the call
    std::vector<std::string> path;  // storage of 'pathof'
};

// Copies the arguments and renews 'cout2' (and 'cerr2', which stays as new).
void begincommand(cmdargs &a, int argc, const char *argv[]);

// Argument k in the system encoding, for one used as a file name.
const std::string &pathof(cmdargs &a, int k);

// Finalises 'cout2' into 'Fixfinlin' and sets it, converted to UTF-8, as the result.
int endcommand(Tcl_Interp *interp);

// The option tests shared by the calculate and unit commands: 'arg' begins with 'opt'
// (its first strlen(opt) characters).
bool isopt(const char *arg, const char *opt);

// The units file 'name' of the unit-system file 'usys': a relative name that exists in
// the folder of 'usys' is taken from there (a unit system and its units file may move
// together); any other name is used as it is, a relative one from the working folder.
std::string besidesystem(const char *usys, const char *name);

// Reads a unit-system file into UNAME, the six unit names and MACNAME (the units file
// as besidesystem finds it).
void readunitsystem(const char *path);

// Sets FORMNAME to 'path' and reads the file's first word into FORMTYTLE.
void readfunctionfile(const char *path);

// The number format options "-S1" "-S2" "-S3" and the precision "-p" on 'cout2', each
// when it is not the last argument; the last occurrence wins.
void formatoptions(const cmdargs &a);

// The pass over the arguments in order: "-u" and "-f" (when not the last argument) read
// their file and take the next argument along; an argument that neither is an option
// nor follows one (but "-q" and the option 'flag', which takes no value), and is not
// empty, is handed to 'each', which returns false to end the pass. Returns false when
// 'each' ended it.
bool argumentpass(cmdargs &a, bool (*each)(char *arg), const char *flag = nullptr);

// The option "-g", exactly: errors in quadrature ('gaussmode'); it takes no value.
extern const char *const GAUSSFLAG;

// Sets 'gaussmode' from the arguments: 1 when one of them is "-g", else 0.
void gaussoption(const cmdargs &a);

// Reads the unit system and sets the function file that the calculate command's
// arguments 'argv' (UTF-8, argv[0] its name) name before their formula, as the command
// will: the function file is cleared when none is named there.
void readfileoptions(int argc, const char *const argv[]);

// Whether 'arg' stands where a formula may: after "-q", or neither it nor 'prev' (the
// argument before it) begins with "-" (then it is no option, nor an option's value);
// 'prev' may be the option 'flag', which takes no value.
bool formulaarg(const char *prev, const char *arg, const char *flag = nullptr);

// Precision for the option "-p": the integer part of 'arg', modulo 65536.
int precisionarg(const char *arg);

#endif
