// unitvariant.h - the evaluator of the unit commands: listing ('bru') and matching ('mtu').
#ifndef QEV_UNITVARIANT_H
#define QEV_UNITVARIANT_H

#include <string>

enum { ENTRY_NAMED, ENTRY_END, ENTRY_NOFILE };

// Reads the name of entry 'n' (counted from 1) of the units file 'MACNAME': the
// non-blank characters after its "#" up to the "=". For n <= 0 the name runs from the
// start of the file. ENTRY_END when the file ends before the "=" (the name read so far
// is kept), ENTRY_NOFILE when it cannot be opened.
int entryname(long n, std::string &name);

// Evaluates 'formula' the way the unit listing does and writes its values (nothing
// when 'NAME55' is 0). The list at 'S' is empty afterwards.
void evaluate1c(char *formula);

// Evaluates 'formula' the way the unit matching does and writes nothing of the result.
// True when the reduction ran to its end; false after an error exit (message written).
bool evaluate1d(char *formula);

#endif
