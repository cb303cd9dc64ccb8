// shared.h - where the shipped files lie: found from the running program or library.
#ifndef QEV_SHARED_H
#define QEV_SHARED_H

#include <string>

// The folder of the program or shared library that holds the code at 'code', resolved
// to a real path; "" when it cannot be told.
std::string modulefolder(const void *code);

// The folder of the shipped files (the window scripts and data/, the shipped library)
// for code in the folder 'module', the first that holds 'entry': 'module' itself (the
// build folder), else share/qev in the nearest of the four folders above 'module'
// (an installed program in bin/, or the Tcl package in lib/tcltk/...). "" when none.
std::string sharedfolder(const std::string &module, const char *entry);

#endif
