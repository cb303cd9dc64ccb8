// formulawords.h - a formula cut into the words the engine's scanner makes of it, and
// what the library makes of a name.
#ifndef QEV_FORMULAWORDS_H
#define QEV_FORMULAWORDS_H

#include <string>
#include <vector>

// One word of a formula. Words are cut where the scanner cuts them: at blanks and around
// operator characters, but a "+" or "-" right after the letter e or E stays in its word
// (as in 1e-5); a word that begins with a number is cut once more after the number, so
// that "5km" is the number 5 and the name "km", glued.
struct fword {
    enum { NUMBER, NAME, UNITWORD, OPERATOR, VARIABLE, OTHER };
    int kind;
    size_t start, end;    // its bytes in the text
    bool glued;           // no blank between it and the word before
    char op;              // an operator's character; '#' for the plus-minus sign

    bool is(char c) const { return kind == OPERATOR && op == c; }
};

// The words of 'text' (UTF-8). Kinds: a number ("2.5e-3"), a name (a word that begins
// with an ASCII letter), a unit word ("$m", "~", "@"), an operator ("+ - * / ^ ! ( ) { } ,"
// and the plus-minus sign), a variable word ("=a", "%a"), anything else. The text ends at
// a line end, as a formula does. 'words' is emptied first.
void cutformula(const std::string &text, std::vector<fword> &words);

// The text of a word.
inline std::string wordtext(const std::string &text, const fword &w) { return text.substr(w.start, w.end - w.start); }

// Index of the word that closes the bracket opened at 'open' ("(" or "{"), or -1.
int closing(const std::vector<fword> &w, int open);

// Whether a number is needed at word 'k': at the start, or after an operator that takes
// a value on its right.
bool wantsnumber(const std::vector<fword> &w, size_t k);

// Checks whether the library files changed since names were last asked about (what was
// learnt of names is kept until then); to be called before asking, once per formula.
void namesnow();

// Names as the engine reads them with the current library (the unit system's units file
// and the function file): an entry of the units file that is neither an engine word nor
// a user function, which the function file would replace first.
bool isunit(const std::string &name);
bool isfunction(const std::string &name);
bool isengine(const std::string &name);

// What the body of the unit 'name' does where it is spliced in (its names followed to
// their own bodies): it begins with a factor ("~" or "@", so that it multiplies what
// stands before it), or it ends with the exponent of a unit word ("$s 1": a factor right
// after it would take that exponent for its left side).
enum { FACTORFIRST = 1, EXPONENTLAST = 2 };
int unitshape(const std::string &name);

// How the scanner reads a name that the library does not define: a unit name found at
// its end, the letters before it read again in the same way. The parts in order when
// every part is a name of the units file; empty otherwise (also for a defined name).
std::vector<std::string> tailparts(const std::string &name);

// Where the scanner finds a unit name at the end of 'name', which it does not know
// whole: the position of its first letter; 0 when it finds none.
size_t tailat(const std::string &name);

#endif
