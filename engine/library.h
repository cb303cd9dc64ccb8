// library.h - looking a name up in a library file (units or user functions).
#ifndef QEV_LIBRARY_H
#define QEV_LIBRARY_H

#include <cstddef>
#include <string>

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

#endif
