// libfile.h - writing and checking entries of the library files (units, functions).
#ifndef QEV_LIBFILE_H
#define QEV_LIBFILE_H

#include <string>

// Appends 'entry' to the file at 'path' (created with mode 0664) on a descriptor opened
// for appending and locked, so that entries of concurrent writers never interleave.
// Writes only to a regular file. An entry that cannot be written whole is cut off
// again, leaving the file as it was. On failure writes a message naming the file to
// 'cout2' and returns false.
bool appendentry(const std::string &path, const std::string &entry);

// True when 's' holds one of the characters of 'set'.
bool holdsany(const std::string &s, const char *set);

#endif
