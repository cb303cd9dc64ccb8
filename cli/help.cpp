// help.cpp - what 'help' and 'help WORD' say: the session, the subcommands, the
// options, the words of formulas, and the units and functions of the user's library.
#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/session.h"

static const char OVERVIEW[] = R"(At the prompt:
  a formula                 its answer: 5 ft + 3 m, (2±0.1)*(3±0.2), 60 mph -> km/h
  -p 4, -cr, -g, --to km/h  settings of the formulas that follow; -R off, --raw off,
                            --to off, --literal off and -v off undo theirs; 'show' lists
                            them, 'reset' restores them
  units deg, unitof 3 N * 2 m, fit 1  0 1  1 3  2 5
                            the subcommands: units unitof fit addunit addfunc delunit
                            delfunc renameunit renamefunc functions
  help WORD                 about a subcommand, an option, a word of formulas, a unit
                            or a function of your library
  Tab                       completes the names of units, functions and words
  Ctrl-C                    abandons the line typed, or stops the formula under way
  quit, exit, Ctrl-D        end the session
Words of formulas:
  operators   + - * / ^ ! root , ± err errpct  and  -> or to for a unit of the answer
  functions   sqrt exp ln lg10 log sin cos tan asin acos atan atanr abs phase Re Im conj
  constants   pi e i         variables  =a %a %         values  x y rnd setxy
  comparisons min max zer    analysis   plot setrandf findx findzer findmin findmax integ
  units       $m $k $s $d $c $n, and the names of your library ('units' lists them)
  stop, quit  end the evaluation of a formula (error #1)
)";

// One entry of the help: the words it is about (blank-separated), whether they are
// words of formulas (offered by completion), and its text.
struct helpentry {
    const char *words;
    bool formula;
    const char *text;
};

static const helpentry ENTRIES[] = {
    // the session
    {"help", false, "help WORD: what qev knows of WORD; help alone lists the words there are."},
    {"show", false, "show: the settings of the formulas at the prompt (digits, format, complex form, "
                    "unit system, functions, target unit, error model)."},
    {"reset", false, "reset: the settings as the session began."},
    {"quit exit", false, "quit or exit alone on a line ends the session, as Ctrl-D does. Inside a formula, "
                         "quit ends its evaluation (error #1)."},
    // subcommands
    {"units", false, "units [-n] [FILTER]: every unit of your library with the value of one such unit in "
                     "base units; FILTER keeps the names that contain it (or match it: * ? [ ]); -n names "
                     "only. Example: units deg"},
    {"unitof", false, "unitof [-t N] FORMULA: the name of the unit of the formula's answer (or of a pasted "
                      "result text); -t N the N-th unit of the same dimensions. Example: unitof 3 N * 2 m"},
    {"fit", false, "fit [-p N] DEGREE X Y X Y ...: the least-squares polynomial of DEGREE through the pairs, "
                   "lowest power first, with N digits (6). Example: fit 1  0 1  1 3  2 5"},
    {"addunit", false, "addunit NAME [-unit U] [-mult M] [-add1 A] [-add2 B] [--replace] [--force]: defines "
                       "a unit of your library, a number x before NAME meaning ((x + A)*M + B) U; it is tried "
                       "first. Example: addunit smoot -mult 1.7018 -unit m"},
    {"addfunc", false, "addfunc NAME BODY [--replace] [--force]: defines a function; %0 to %9 in BODY are its "
                       "arguments. Example: addfunc sq %0^2+1, then sq(3)"},
    {"delunit delfunc", false, "delunit NAME, delfunc NAME [--force]: removes your definition of NAME (a "
                               "shipped one comes back)."},
    {"renameunit renamefunc", false, "renameunit OLD NEW, renamefunc OLD NEW [--force]: gives your "
                                     "definition another name."},
    {"functions", false, "functions: the names of the functions of your library."},
    // options
    {"-ce -cr", false, "-ce: complex answers as magnitude*exp(i*phase) (the default); -cr: as real part and "
                       "imaginary part, 0+2i."},
    {"-R", false, "-R: real parts only. At the prompt, -R off shows complex values again."},
    {"-S1 -S2 -S3", false, "-S1 general number format (the default), -S2 scientific, -S3 fixed (the digits "
                           "of -p after the point)."},
    {"-p", false, "-p N: N significant digits (12 unless given); a value with an error gets the digits its "
                  "error allows."},
    {"-u", false, "-u SYSTEM: a unit system of your library by name (SI, long) or a unit-system file; it "
                  "names the units file and the printed names of the base units."},
    {"-f", false, "-f FILE: a function file instead of your library's."},
    {"--to -o", false, "--to UNIT (-o UNIT): every answer in UNIT; a formula's own -> UNIT comes first. At "
                       "the prompt, --to off answers in named units again."},
    {"-g --errors=gauss --errors=linear", false, "-g (--errors=gauss): errors in quadrature: every error "
                       "written is an independent Gaussian source, a stored variable used twice is one "
                       "source, and the answer says (Gaussian errors); --errors=linear: errors add "
                       "linearly (a bound), the default."},
    {"--raw", false, "--raw: answers as the engine writes them, (6)   {m^(2)} {kg^(1)} {s^(-2)}. At the "
                     "prompt, --raw off undoes it."},
    {"-q --", false, "-q FORMULA, -- FORMULA: FORMULA even when it begins with - or is a subcommand's name."},
    {"-v --verbose", false, "-v: tells each rewrite of a formula before its answer: pasted symbols (5 µF as "
                            "5 uF), a power after a unit (1500 ft^2 as (1500 {ft^2})), a number before a lone "
                            "unit (5 km/h as 5 km/1 h). At the prompt, -v off stops it."},
    {"--literal", false, "--literal: formulas go to the engine exactly as typed, with no rewrite, second try, "
                         "warning or hint. At the prompt, --literal off undoes it."},
    // words of formulas
    {"+ - plus minus", true, "a + b, a - b: sum and difference; errors add; different units give a warning "
                             "and keep the left one's. A minus after an operator or a function name is a "
                             "sign; at the start of a formula it binds tightest: -2^2 is 4."},
    {"* /", true, "a * b, a / b: product and quotient; relative errors add. Division by zero gives inf."},
    {"^", true, "a ^ b: power; operators of one rank go from left to right, so 2^3^2 is 64; 10^-3 is 0.001."},
    {"!", true, "n!: the factorial of the whole part of n: 3! is 6."},
    {"root", true, "n root x: the n-th root of x: 2 root 9 is 3."},
    {",", true, "a , b: both values are printed; in a call it separates the arguments: hypot(3, 4)."},
    {"± err errpct", true, "x ± e, x err e: x with the error e; x ± 5% (x errpct 5): an error of 5 "
                           "hundredths of x; a second error replaces the first. Errors are carried to "
                           "first order and add in sums and products (a bound, not a standard "
                           "deviation); with -g they add in quadrature."},
    {"-> to", true, "FORMULA -> UNIT, FORMULA to UNIT: the answer in UNIT: 60 mph -> km/h; units joined by + "
                    "split it: 1.8034 m -> ft+in."},
    {"sqrt", true, "sqrt x: the square root; it halves the unit exponents: sqrt(4 $m 2) is 2 m."},
    {"exp", true, "exp x: e to the power x."},
    {"ln", true, "ln x: the natural logarithm."},
    {"lg10", true, "lg10 x: the common logarithm: lg10(1000) is 3."},
    {"log", true, "log b x: the logarithm of x to the base b: log 2 8 is 3."},
    {"sin cos tan tg", true, "sin x, cos x, tan x (also tg): trigonometric functions of x in radians."},
    {"asin acos atan", true, "asin x, acos x, atan x: the inverse trigonometric functions, in radians."},
    {"atanr", true, "atanr X Y: the angle of the point (X, Y) in radians."},
    {"abs", true, "abs z: the magnitude of z: abs(3+4*i) is 5."},
    {"phase", true, "phase z: the angle of z in radians."},
    {"Re Im", true, "Re z, Im z: the real and the imaginary part of z."},
    {"conj", true, "conj z: the complex conjugate of z."},
    {"pi", true, "pi: 3.14159265359."},
    {"e E", true, "e (or E): 2.71828182846, the base of the natural logarithm."},
    {"i", true, "i: the imaginary unit: i*i is -1."},
    {"=", true, "x =a: stores x in the variable a (one letter) and answers x; %a reads it back."},
    {"%", true, "%a: the variable a; % alone: the last answer."},
    {"x y setxy", true, "x, y: the abscissa of an analysis word's grid, and the values setxy X Y gives them "
                        "(setxy 1 2 x+y is 3)."},
    {"rnd", true, "rnd: a random number; uniform on [0, 1) until setrandf gives it another density."},
    {"min max", true, "a min b, a max b: the one of smaller or larger real part."},
    {"zer", true, "a zer b: the one of smaller magnitude."},
    {"plot", true, "plot a b n f(x): the table of x and f(x) on the grid x = a, a+(b-a)/n, ... (n points); "
                   "computed bounds go in brackets: plot(0 2*pi 4) sin(x)."},
    {"setrandf", true, "setrandf a b n f(x): f becomes the density of rnd on [a, b]; the answer is its table."},
    {"findx", true, "findx a b n f(x): the grid point where |f| is smallest."},
    {"findzer", true, "findzer a b n f(x): the value of f of smallest magnitude on the grid."},
    {"findmin findmax", true, "findmin a b n f(x), findmax a b n f(x): the smallest or largest value of f on "
                              "the grid, by real part."},
    {"integ", true, "integ a b n f(x): the integral of f from a to b by the trapezoid rule on n steps; units "
                    "and errors are carried: integ 0 2 100 3 m is 6 m."},
    {"$m $k $s $d $c $n", true, "x $m n: x with its exponent of length raised by n ($k mass, $s time, $d "
                                "temperature, $c charge, $n amount of substance): 3 $m 2 $s -1 is 3 m^2/s. "
                                "Every unit of the library is made of them."},
    {"stop", true, "stop (also quit, exitno): ends the evaluation of the formula with error #1."},
};

// Analysis words: what long work does.
static const char LONGWORK[] = " With many samples it shows on a terminal how far it has come; Ctrl-C stops it.";

// The entry about 'word', or null.
static const helpentry *entryof(const std::string &word)
{
    for (const helpentry &e : ENTRIES) {
        std::istringstream words(e.words);
        for (std::string w; words >> w;)
            if (w == word) return &e;
    }
    return nullptr;
}

std::string helpoverview() { return OVERVIEW; }

std::vector<std::string> formulawords()
{
    std::vector<std::string> all = {"quit", "exitno"};
    for (const helpentry &e : ENTRIES) {
        if (!e.formula) continue;
        std::istringstream words(e.words);
        for (std::string w; words >> w;)
            if (std::isalpha((unsigned char)w[0]) || w[0] == '$') all.push_back(w);
    }
    return all;
}

// The text of the file at 'path' (UTF-8); false when it cannot be read.
static bool readfile(const std::string &path, std::string &text)
{
    std::ifstream in(tosystem(path), std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return in.good() || in.eof();
}

// The entry of 'name' in a library file: its non-blank characters after "#name=" up
// to the next "#", as the engine reads it; false when the file has none.
static bool libraryentry(const std::string &file, const std::string &name, std::string &body)
{
    std::string text;
    if (!readfile(file, text)) return false;
    std::string compact;
    for (char c : text)
        if (!std::isspace((unsigned char)c)) compact += c;
    size_t at = compact.find("#" + name + "=");
    if (at == std::string::npos) return false;
    size_t from = at + name.size() + 2, to = compact.find('#', from);
    body = compact.substr(from, to == std::string::npos ? std::string::npos : to - from);
    for (char &c : body)
        if (c == '_') c = ' ';
    return true;
}

// A function of the library: its body "(B) func N" as "NAME: B, of N arguments".
static bool functionhelp(const std::string &name, std::string &text)
{
    std::string body;
    if (!libraryentry(currentfunctions(), name, body)) return false;
    size_t open = body.find('('), close = body.rfind(')'), func = body.rfind(" func ");
    if (open != std::string::npos && close != std::string::npos && func != std::string::npos && open < close &&
        close < func) {
        std::string n = body.substr(func + 6);
        n.erase(n.find_last_not_of(' ') + 1);
        text = name + ": a function of your library, of " + n + (n == "1" ? " argument" : " arguments") +
               " (%0 the first): " + body.substr(open + 1, close - open - 1);
    } else {
        text = name + ": a function of your library: " + body;
    }
    return true;
}

// A unit of the library: the value of one such unit, in a named unit.
static bool unithelp(const std::string &name, std::string &text)
{
    std::string body;
    if (!libraryentry(currentunits(), name, body)) return false;
    text = name + ": a unit of your library, 1 " + name + " = " + lookup("1 " + name);
    return true;
}

bool helpabout(const std::string &word, std::string &text)
{
    static const char *const ANALYSIS[] = {"plot", "setrandf", "findx", "findzer", "findmin", "findmax", "integ"};
    if (const helpentry *e = entryof(word)) {
        text = e->text;
        for (const char *a : ANALYSIS)
            if (word == a) text += LONGWORK;
        return true;
    }
    return functionhelp(word, text) || unithelp(word, text);
}
