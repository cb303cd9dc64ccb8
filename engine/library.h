// library.h - looking a name up in a library file (units or user functions).
#ifndef QEV_LIBRARY_H
#define QEV_LIBRARY_H

#include <cstddef>
#include <cstdio>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/wordhash.h"

enum { LIB_FOUND, LIB_NOTFOUND, LIB_NOFILE };

// Looks for the entry "#name=" in the file at 'path', reading its non-blank characters.
// On LIB_FOUND 'body' holds the non-blank characters after "=" up to the next "#" or
// the end of the file. The first entry of that name wins.
int libfind(const char *path, const char *name, size_t n, std::string &body);

// Starts a new formula: every file is checked again at its next lookup.
void libnewformula();

// Forgets every file read so far (after a definition was appended).
void libchanged();

// Forgets the file at 'path' and all that was kept of it (a file that is gone for good).
void libforget(const char *path);

// What a whole word became in one pass of the scanner over a file: the text that took
// its place, the number of replacements made, and the most the text grew meanwhile.
struct expansion {
    std::string text;
    int replacements = 0;
    int growth = 0;
};
class expansions {
  public:
    const expansion *find(std::string_view word) const;
    // Keeps a word; when many are kept, they are all forgotten first.
    void add(std::string_view word, expansion e);
    void clear();

  private:
    std::deque<std::pair<std::string, expansion>> kept;
    std::unordered_map<std::string_view, const expansion *, wordhash> index;  // into 'kept'
};

// The expansions remembered for the file at 'path' in a pass (0: as the units file,
// 1: as the user-function file; 2 and 3 the same in quadrature mode, where error words
// carry their sources); forgotten whenever the file is read again. Null in plain mode
// and when the file cannot be read.
expansions *libexpansions(const char *path, int pass);

// A number that changes whenever a file may be looked at again (a new formula outside
// held checks, 'libcheckall', 'libchanged'; always in plain mode): while it stays, so
// does every 'libgeneration'.
unsigned long libepoch();

// A number that changes whenever the file at 'path' was read anew (checked as for a
// lookup), so that what a caller derives from the file can be kept until it changes;
// 0 when the file cannot be read. Always a new number in plain mode.
unsigned long libgeneration(const char *path);

// The non-blank characters of a file, and in 'head' its first HEADWORDS - 1 words (runs
// of non-blank characters) and the rest of the line after them, trailing blanks cut (a
// unit-system file: its name, six unit names and the path of its units file); false
// when it cannot be opened.
enum { HEADWORDS = 8 };
bool libread(const char *path, std::string &text, std::vector<std::string> *head = nullptr);

// The head of a file as 'libread' reads it (a unit system, the title of a function
// file), as read now; null when it cannot be opened. Valid until the next lookup.
const std::vector<std::string> *libhead(const char *path);

// The non-blank characters of the file at 'path' as it is now, and the position of
// every "#" in them; null when it cannot be opened or read. Valid until the next call
// of a library routine.
struct libtext {
    std::string text;
    std::vector<size_t> hashes;
};
const libtext *libcontent(const char *path);

// Where entry n (counted from 1) of a library text begins: just after its "#"; the end
// of the text when there is no such entry, its start for n <= 0.
size_t libentry(const libtext &t, long n);

// Appends the name that begins at 'p' to 'name': the characters up to the next "=", the
// "#" among them left out when 'drophashes'. False when the text ends first.
bool libname(const libtext &t, size_t p, bool drophashes, std::string &name);

// Opens a file for reading only when it is a regular file (never waiting on a pipe or
// device); null otherwise. The caller closes it.
std::FILE *openregular(const char *path);

#endif
