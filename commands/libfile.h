// libfile.h - writing library files (units, functions): locked appends, locked atomic
// rewrites, and the text of the entries that the definition commands write.
#ifndef QEV_LIBFILE_H
#define QEV_LIBFILE_H

#include <functional>
#include <string>

// Every writer of a library file holds an exclusive lock (flock) on it while it reads
// what it needs and writes: appends and rewrites of other processes wait, and none is
// lost. A rewrite writes a new file beside the old one and renames it over the old, so
// that readers see the old text or the new one, never a part.

// Writes all of 'text' to the descriptor 'fd', again after an interrupted write; false
// (errno set, 0 for a write that wrote nothing) on an error.
bool writeall(int fd, const std::string &text);

// Appends 'entry' to the file at 'path' (created with mode 0664) on a descriptor opened
// for appending, holding the file's lock. Writes only to a regular file. An entry that
// cannot be written whole is cut off again, leaving the file as it was. On failure
// writes a message naming the file to 'cout2' and returns false.
bool appendentry(const std::string &path, const std::string &entry);

// What an edit of a library file does with the text it was given.
enum { EDIT_KEEP, EDIT_APPEND, EDIT_REWRITE };

// Holds the lock of the file at 'path' ('create': a missing file is made, mode 0664,
// and reads as empty), hands its text to 'edit', and then appends 'out' to it
// (EDIT_APPEND) or puts the file 'out' in its place (EDIT_REWRITE): written beside it,
// synced, renamed over it, the folder synced; the mode of the old file is kept. False
// when the file could not be read or written (a message naming it is written to
// 'cout2'); nothing is then changed.
bool editfile(const std::string &path, bool create,
              const std::function<int(const std::string &text, std::string &out)> &edit);

// True when 's' holds one of the characters of 'set'.
bool holdsany(const std::string &s, const char *set);

// A unit definition as the options of 'anu' give it; 'has...' tells which were given.
struct unitdef {
    std::string name, unit, mult, add1, add2;
    bool hasunit = false, hasmult = false, hasadd1 = false, hasadd2 = false;
};

// The entry of a unit definition, ending with a line end: '#name= ' and the body, such
// that a number x before the name becomes ((x + add1)*mult + add2) in the unit.
std::string unitentry(const unitdef &d);

// One more than the largest argument digit after a "%" of a function body.
int argcount(const std::string &body);

// The entry of a function, ending with a line end: '#name= (body)_func_N_', blanks of
// the body written as "_".
std::string functionentry(const std::string &name, std::string body);

#endif
