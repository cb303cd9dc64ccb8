// library.h - looking a name up in a library file (units or user functions).
#ifndef QEV_LIBRARY_H
#define QEV_LIBRARY_H

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

enum { LIB_FOUND, LIB_NOTFOUND, LIB_NOFILE };

// Looks for the entry "#name=" in the file at 'path', reading its non-blank characters.
// On LIB_FOUND 'body' holds the non-blank characters after "=" up to the next "#" or
// the end of the file. The first entry of that name wins.
int libfind(const char *path, const char *name, size_t n, std::string &body);

// Starts a new formula: every file is checked again at its next lookup.
void libnewformula();

// Forgets every file read so far (after a definition was appended).
void libchanged();

// The non-blank characters of a file; false when it cannot be opened or read.
bool libread(const char *path, std::string &text);

// The non-blank characters of the file at 'path' as it is now, and the position of
// every "#" in them; null when it cannot be opened or read. Valid until the next call
// of a library routine.
struct libtext {
    std::string text;
    std::vector<size_t> hashes;
};
const libtext *libcontent(const char *path);

// Opens a file for reading only when it is a regular file (never waiting on a pipe or
// device); null otherwise. The caller closes it.
std::FILE *openregular(const char *path);

// The first 'count' white-space separated words of a regular file (fewer when it has
// fewer); false when it cannot be opened.
bool readwords(const char *path, size_t count, std::vector<std::string> &words);

#endif
