// output.h - the command output streams, the result buffer and number text.
#ifndef QEV_OUTPUT_H
#define QEV_OUTPUT_H

#include <sstream>
#include <string>

extern std::ostringstream *cout2;  // all engine text of the running command
extern std::ostringstream *cerr2;  // renewed with cout2; nothing is written to it
extern char Fixfinlin[40000];      // finalised text of the last command

// Destroys the previous call's streams and makes new empty ones.
void renewstreams();

// Copies the text of 'cout2' up to its first "@@@" into 'Fixfinlin'; a text that does
// not fit is cut and ends with the cut mark.
void fixfinlin();

// Appends a double in the current format of 'cout2' (the "C" locale's printf conversion
// for its notation and precision) to 'out'.
void numtext(long double x, std::string &out);

// The same in the given stream format (flags and precision of a stream).
void numtext(long double x, std::ios::fmtflags flags, std::streamsize precision, std::string &out);

#endif
