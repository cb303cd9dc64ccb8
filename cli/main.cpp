// main.cpp - qev, the calculator for terminals, scripts and headless machines: one
// formula from the arguments, a batch from standard input, or an interactive session;
// the subcommands live in subcmds.cpp. Every answer is the answer of a qev command
// run in one Tcl interpreter, so variables persist from formula to formula.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/session.h"
#include "engine/engine.h"
#include "present/answer.h"

static const char HELP[] = R"(Usage: qev [OPTIONS] [FORMULA...]
  or:  qev [OPTIONS] SUBCOMMAND [ARGUMENTS...]

Evaluates FORMULA (several words are joined with blanks) with units and errors and
prints the answer. Without a formula, reads formulas from standard input, one per line,
all in one engine, so variables persist ('5=a', then '%a*2'); one answer line per
input line. On a terminal this is an interactive session with line editing, history
and Tab completion of names; there the subcommands and options work too ('-p 4',
'--to km/h' change the settings of the formulas that follow; 'show' lists them),
'help' and 'help WORD' explain, Ctrl-C abandons the line typed, and 'quit', 'exit'
or Ctrl-D ends it.

Formulas are read as textbooks write them: pasted symbols (µF, kΩ, 25°C, 3×4, 2π,
√2, m², s⁻¹) become the engine's words, a power after a unit is the unit's power
('1500 ft^2' is 1500 square feet), and a formula the engine refuses is tried once more
with a number before a lone unit ('5 km/h' as '5 km / 1 h') and minutes for 'min'.
Warnings about what may be meant otherwise ('+-', 'in', words read as products), and
hints after an error, go to standard error; the exit status does not change.

A single value is written in a named unit (6 J, 3.183 kohm) or in the unit system's
base units (m/s), with the digits its error allows (4.00 ± 0.18 m/s). A formula that
ends in '-> UNIT' or 'to UNIT' is answered in that unit: '60 mph -> km/h',
'98.6 degF to degC', '1.8034 m -> ft+in'. An error may be relative: '100 ohm ±5%'.

Errors propagate linearly by default: each operation adds the contributions of its
operands' errors, a bound that also holds for correlated errors ((2±0.1)*(3±0.2) is
6 ± 0.7). With -g every error written is an independent Gaussian source, added in
quadrature, and a stored variable used twice is one source (6 ± 0.5; '%a-%a' is 0);
such answers end in '(Gaussian errors)'.

Options for formulas (also allowed after the formula; the last one wins):
  -ce, -cr         complex results as magnitude*exp(i*phase), or real+imaginary i
  -R               real parts only
  -g, --errors=gauss  errors in quadrature (Gaussian, independent sources)
  --errors=linear  errors added linearly, the default (the last of these wins)
  -S1, -S2, -S3    general (the default), scientific or fixed number format
  -p N             N digits (12 unless given)
  -u SYSTEM        a unit-system file, or the name of one in your library (SI, long)
  -f FILE          a function file instead of your library's
  -o, --to UNIT    answers in UNIT (a formula's own '-> UNIT' comes first)
  --raw            answers as the engine writes them: (6)   {m^(2)} {kg^(1)} {s^(-2)}
  -v, --verbose    shows each rewrite of the formula on standard error
  --literal        the formula goes to the engine exactly as typed: no rewrites, no
                   second try, no warnings or hints
  -q FORMULA       FORMULA even if it begins with "-" or is a subcommand's name
  --               the arguments after it are the formula

Long work: an analysis word with many samples ('integ 0 1 3e7 x') shows how far it
has come on standard error when that is a terminal, from half a second on; Ctrl-C
stops it, and the answer is '<word> stopped after N of M samples : error #1'.

Subcommands (your library is the default for -u and -f):
  units [-n] [-u SYSTEM] [-S1|-S2|-S3] [-p N] [-cr] [FILTER]
      every unit of the units file with its value in base units; -n names only;
      FILTER keeps the names that contain it (or match it, when it holds * ? or [)
  unitof [-t N] [-u SYSTEM] [-f FILE] RESULT|FORMULA
      the name of the unit of a result text or of a formula's answer; -t N the N-th
      unit of the same dimensions
  fit [-p N] DEGREE [X Y ...]
      the least-squares polynomial of DEGREE through the pairs X Y, read from
      standard input when none are given; -p N digits of the coefficients (6)
  addunit [-u SYSTEM] NAME [-unit U] [-mult M] [-add1 A] [-add2 B] [--replace] [--force]
      defines a unit: a number x followed by NAME is ((x + A) * M + B) U (M is 1
      unless given); it must evaluate to a finite value, and a NAME that is defined
      is refused unless --replace; --force writes it untried (for a unit that uses
      units defined later)
  addfunc [-f FILE] [-u SYSTEM] NAME BODY [--replace] [--force]
      defines a function; %0 to %9 in BODY stand for its arguments; it must evaluate
      with every argument 1
  delunit [-u SYSTEM] NAME [--force], delfunc [-f FILE] NAME [--force]
      removes your definition of NAME (a shipped one comes back in its place);
      refused when other definitions of yours need it, unless --force
  renameunit [-u SYSTEM] OLD NEW [--force], renamefunc [-f FILE] OLD NEW [--force]
      gives your definition OLD the name NEW
  functions [-f FILE]
      the names of the user functions
  help [WORD]
      what qev knows of WORD: a subcommand, an option, a word of formulas, a unit or
      a function of your library; without WORD, the words there are
Options of formulas before a subcommand go to it where it takes them: -p to fit
and units, -u to units and the others, -f to the functions' subcommands.

Your library lives in $XDG_DATA_HOME/qev (or ~/.local/share/qev); it is made from the
shipped library on first use, keeps your definitions and the session history, and
takes in the entries of a newer shipped library, your definitions kept.

Exit status: 0 for an answer, 1 when the answer is an error ("error #"), a stopped
evaluation or a conversion to a unit that does not fit, 2 for wrong usage.
)";

// Option words of formula evaluation, as the calculate command takes them.
const std::vector<std::string> FLAGS = {"-ce", "-cr", "-R", "-S1", "-S2", "-S3", "--raw", "--literal", "-v",
                                        "--verbose", "-g", "--errors=gauss", "--errors=linear"};
const std::vector<std::string> VALUED = {"-p", "-u", "-f", "-q", "--to", "-o"};
bool insession = false;

/* ---- shared helpers (cli.h) ---- */

std::string parsedargs::value(const std::string &opt, const std::string &absent) const
{
    std::string v = absent;
    for (const auto &o : options)
        if (o.first == opt) v = o.second;
    return v;
}

bool parsedargs::has(const std::string &opt) const
{
    for (const auto &o : options)
        if (o.first == opt) return true;
    return false;
}

bool member(const std::vector<std::string> &list, const std::string &word)
{
    return std::find(list.begin(), list.end(), word) != list.end();
}

parsedargs parseargs(const std::vector<std::string> &args, const std::vector<std::string> &flags,
                     const std::vector<std::string> &valued)
{
    parsedargs p;
    for (size_t i = 0; i < args.size(); i++) {
        const std::string &a = args[i];
        if (a == "--help" || a == "-h") {
            p.help = true;
            continue;
        }
        if (a == "--") {
            p.words.insert(p.words.end(), args.begin() + i + 1, args.end());
            break;
        }
        if (member(flags, a)) {
            p.options.emplace_back(a, "");
        } else if (member(valued, a)) {
            if (i + 1 == args.size()) {
                p.error = "option " + a + " needs a value";
                return p;
            }
            if (a == "-q")
                p.words.push_back(args[++i]);
            else
                p.options.emplace_back(a, args[++i]);
        } else if (a.size() >= 2 && a[0] == '-' && (std::isalpha((unsigned char)a[1]) || a[1] == '-')) {
            p.error = "unknown option " + a + " (a formula that begins with \"-\" goes after -q or --)";
            return p;
        } else {
            p.words.push_back(a);
        }
    }
    return p;
}

int help()
{
    const std::string text = tosystem(HELP);  // its "±" in the terminal's encoding
    out(text.data(), text.size());
    return EXIT_ANSWER;
}

int usage(const std::string &message)
{
    std::fprintf(stderr, "qev: %s\n%s\n", tosystem(message).c_str(),
                 insession ? "Type 'help' for more information." : "Try 'qev --help' for more information.");
    return EXIT_USAGE;
}

bool wholenumber(const std::string &text, long max)
{
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return std::stol(text) <= max;
}

bool precisionok(const std::string &text)
{
    if (wholenumber(text, 65535)) return true;
    usage("-p needs a whole number from 0 to 65535, not " + text);
    return false;
}

// A regular file that can be read (a folder or a device is none).
static bool readable(const std::string &utf8path)
{
    struct stat st;
    std::string path = tosystem(utf8path);
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), R_OK) == 0;
}

// A readable unit-system file, as the library script reads one.
static bool isunitsystem(const std::string &utf8path)
{
    std::string answer;
    return readable(utf8path) && command({"qev::readsystem", utf8path}, answer);
}

// Refuses a file of the user's library for writing when the shipped library stands in.
static std::string writable(const std::string &file, bool writing, std::string &error)
{
    if (writing && library().readonly && !file.empty())
        error = "the shipped library is read-only (no user library): give a file of your own";
    return error.empty() ? file : "";
}

std::string unitsystem(const std::string &given, std::string &error, bool writing)
{
    if (given.empty()) return writable(defaultsystem(), writing, error);
    if (isunitsystem(given)) return given;
    const userlibrary &lib = library();
    auto s = lib.systems.find(given);
    if (s != lib.systems.end()) return writable(s->second, writing, error);
    struct stat st;
    if (stat(tosystem(given).c_str(), &st) == 0) {
        error = given + " is not a unit-system file (a name, six unit names and the path of a units file)";
        return "";
    }
    std::string names;
    for (const auto &n : lib.systems) names += " " + n.first;
    error = "no unit system " + given + " (not a readable file" +
            (names.empty() ? std::string(")") : ", nor one of your library's:" + names + ")");
    return "";
}

std::string functionfile(const std::string &given, bool writing, std::string &error)
{
    if (given.empty()) return writable(library().functions, writing, error);
    if (!writing && !readable(given)) error = "cannot read the function file " + given;
    return given;
}

std::string trimend(const std::string &text)
{
    size_t n = text.size();
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == '\t')) n--;
    return text.substr(0, n);
}

// 'text' on one line: its line ends become blanks, and the blanks at its end go.
static std::string oneline(std::string text)
{
    for (char &c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return trimend(text);
}

bool iserror(const std::string &answer) { return answer.find("error #") != std::string::npos; }

bool run(const std::vector<std::string> &args, std::string &answer)
{
    if (command(args, answer)) return true;
    std::fprintf(stderr, "qev: %s\n", tosystem(answer).c_str());
    return false;
}

/* ---- formulas ---- */

// What every formula of this run is evaluated with: the calculate command's words
// before the formula (with "-g" when errors add in quadrature), the target of "--to"
// and whether answers are the engine's text. The unit system stays in the engine once
// read: its option is dropped after the first formula.
static std::vector<std::string> calcwords;
static std::string totarget;
static bool rawanswers, literal;
static bool systemread;
static std::string usysfile, funcsfile;  // the unit-system and function files set up

bool gaussof(const parsedargs &p)
{
    bool gauss = false;
    for (const auto &o : p.options) {
        if (o.first == "-g" || o.first == "--errors=gauss") gauss = true;
        if (o.first == "--errors=linear") gauss = false;
    }
    return gauss;
}

bool setupcalc(const parsedargs &p)
{
    std::string error;
    systemread = false;
    // The complex form stays in the engine too: the default is given when none is.
    calcwords = {"mc66", "-S1"};
    if (!p.has("-cr") && !p.has("-ce")) calcwords.push_back("-ce");
    for (const auto &o : p.options) {
        if (o.first == "-u" || o.first == "-f" || o.first == "--to" || o.first == "-o" || o.first == "--raw" ||
            o.first == "--literal" || o.first == "-v" || o.first == "--verbose" || o.first == "-g" ||
            o.first.compare(0, 9, "--errors=") == 0)
            continue;
        if (o.first == "-p" && !precisionok(o.second)) return false;
        calcwords.push_back(o.first);
        if (!o.second.empty() || o.first == "-p") calcwords.push_back(o.second);
    }
    if (gaussof(p)) calcwords.push_back("-g");
    rawanswers = p.has("--raw");
    literal = p.has("--literal");
    tellverbose(p.has("-v") || p.has("--verbose"));
    totarget = p.value("--to");
    for (const auto &o : p.options)
        if (o.first == "-o" || o.first == "--to") totarget = o.second;
    if (rawanswers && (p.has("--to") || p.has("-o"))) {
        usage("--raw answers in the engine's text, which has no target: give one of them");
        return false;
    }
    std::string usys = unitsystem(p.value("-u"), error);
    std::string funcs = error.empty() ? functionfile(p.value("-f"), false, error) : "";
    if (!error.empty()) {
        usage(error);
        return false;
    }
    if (!usys.empty()) calcwords.insert(calcwords.end(), {"-u", usys});
    if (!funcs.empty()) calcwords.insert(calcwords.end(), {"-f", funcs});
    calcwords.push_back("-q");
    usysfile = usys;
    funcsfile = funcs;
    return true;
}

std::string lookup(const std::string &formula)
{
    std::vector<std::string> words = calcwords;
    if (systemread && !usysfile.empty()) words.insert(words.end() - 1, {"-u", usysfile});
    words.push_back(formula);
    static answer a;
    answeraside(words, a);
    return oneline(a.display);
}

std::string currentunits() { return usysfile.empty() ? "" : unitsfileof(usysfile); }

std::string currentfunctions() { return funcsfile; }

void evaluate(const std::string &formula, std::string &text, bool &error)
{
    static answer a;
    calcwords.push_back(formula);
    beginwork();
    answerline(calcwords, totarget, rawanswers, a, literal);
    endwork();
    calcwords.pop_back();
    tellbefore(a);
    // The engine keeps the unit system: it is read with the first formula of the run.
    for (size_t k = 0; !systemread && k + 1 < calcwords.size(); k++)
        if (calcwords[k] == "-u") {
            calcwords.erase(calcwords.begin() + k, calcwords.begin() + k + 2);
            break;
        }
    systemread = true;
    text = oneline(a.display);
    if (!rawanswers && !a.note.empty()) text += "  (" + a.note + ")";
    error = a.status != answer::OK;
}

// One formula from the arguments.
static int oneformula(const std::string &formula)
{
    std::string answer;
    bool error;
    evaluate(formula, answer, error);
    emit(answer, true);
    tellafter();
    return error || takeinterrupt() ? EXIT_ENGINEERROR : EXIT_ANSWER;
}

// Formulas from standard input, one answer line per line; 1 if any answer is an error,
// a line holds a NUL byte (it is not evaluated: its answer line is empty), or standard
// input cannot be read.
static int batch()
{
    std::string line, converted, answer;
    int status = EXIT_ANSWER, got;
    libholdchecks(true);
    for (long number = 1; (got = nextline(line)) > 0; number++) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find('\0') != std::string::npos) {
            flushout();
            std::fprintf(stderr, "qev: line %ld holds a NUL byte: not evaluated\n", number);
            emit("", false);
            status = EXIT_ENGINEERROR;
            continue;
        }
        bool error;
        tellline(number);
        evaluate(ascii(line) ? line : (converted = fromsystem(line)), answer, error);
        emit(answer, false);
        tellafter();
        if (error) status = EXIT_ENGINEERROR;
        // Ctrl-C during a formula: its answer is the last
        if (takeinterrupt()) return EXIT_ENGINEERROR;
    }
    if (got < 0) {
        flushout();
        return readfailed();
    }
    return status;
}

// The index of the first argument that is no option (nor an option's value) of
// formulas, or args.size(); at "-q" or "--" (a formula follows) -1.
static long firstword(const std::vector<std::string> &args)
{
    for (size_t i = 0; i < args.size(); i++) {
        const std::string &a = args[i];
        if (a == "-q" || a == "--") return -1;
        bool flag = member(FLAGS, a) || a == "--help" || a == "-h";
        if (member(VALUED, a)) i++;
        else if (!flag) return (long)i;
    }
    return (long)args.size();
}

static int qevmain(const std::vector<std::string> &args)
{
    if (!args.empty() && args[0] == "--version") {
        emit(std::string("qev ") + QEV_VERSION);
        return EXIT_ANSWER;
    }
    // A subcommand, after options of formulas that it takes where they mean something
    long w = firstword(args);
    if (w >= 0 && (size_t)w < args.size())
        if (subcommandproc *sub = subcommandof(args[w])) {
            parsedargs before = parseargs(std::vector<std::string>(args.begin(), args.begin() + w), FLAGS, VALUED);
            if (before.help) return help();
            if (!before.error.empty()) return usage(before.error);
            std::vector<std::string> subargs = takenoptions(args[w], before);
            subargs.insert(subargs.end(), args.begin() + w + 1, args.end());
            return sub(subargs);
        }
    parsedargs p = parseargs(args, FLAGS, VALUED);
    if (p.help) return help();
    if (!p.error.empty()) return usage(p.error);
    if (!setupcalc(p)) return EXIT_USAGE;
    bool session = p.words.empty() && isatty(0);
    watchsignals(session);
    if (!p.words.empty()) {
        std::string formula;
        for (const std::string &word : p.words) formula += (formula.empty() ? "" : " ") + word;
        return oneformula(formula);
    }
    return session ? interactive(p) : batch();
}

int main(int argc, char *argv[])
{
    guardstreams();
    if (!opensession(argv[0])) return EXIT_USAGE;
    defaultsigpipe();
    std::vector<std::string> args;
    for (int i = 1; i < argc; i++) args.push_back(fromsystem(argv[i]));
    int status = qevmain(args);
    flushout();
    closesession();
    return status;
}
