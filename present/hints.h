// hints.h - hints in plain words after an engine error or a failed conversion: what
// went wrong and how to write it, and the names nearest to a word that is unknown.
#ifndef QEV_HINTS_H
#define QEV_HINTS_H

#include <string>
#include <vector>

#include "present/notes.h"

// Hints for the engine error in 'engine' (the engine's text, UTF-8) of 'formula' (the
// formula the engine was given, UTF-8), added to 'n'.
void enginehints(const std::string &formula, const std::string &engine, notes &n);

// Hints for a target that could not be read: the names nearest to an unknown unit.
void targethints(const std::string &error, notes &n);

// The names of the units file, the function file and the engine's own words nearest to
// 'word' by edit distance (letter case counting little), at most 'most', nearest first.
std::vector<std::string> nearestnames(const std::string &word, size_t most = 3);

#endif
