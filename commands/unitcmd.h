// unitcmd.h - what the unit listing ('bru') and unit matching ('mtu') commands share.
#ifndef QEV_UNITCMD_H
#define QEV_UNITCMD_H

#include "commands/frame.h"

// Applies the options "-cr" "-S1" "-S2" "-S3" "-p" "-n" "-u" "-f" "-q" (the last
// occurrence wins) and hands every argument that is neither an option nor an option's
// value, and not empty, to 'evaluate' in order. Sets precision 12, scientific notation,
// clears FORMNAME; 'NAME55' is 1 unless this call has "-n". With 'gauss' the option "-g"
// (errors in quadrature, no value) is taken too; 'gaussmode' is 0 without it.
void unitcommand(cmdargs &a, void (*evaluate)(char *text), bool gauss = false);

// The number at the start of 'arg' (0 when there is none) truncated toward zero, at most
// 10^9; 'low' for -10^9 and below, and for a number that is not one.
long wholearg(const char *arg, long low);

// Writes the name of the units-file entry numbered by 'text', two blanks, and the value
// of one such unit in base units.
void handlestr1c(char *text);

// Writes the name of the first units-file entry (or the 'Matchcnt'-th) with the
// dimensions of the brace groups of the result text 'text', and a blank; or
// "No next match" and error 0.
void handlestr1d(char *text);

#endif
