// state.h - the global state of the engine, and where the rest of the program's state
// lives.
//
// The formula list runs from 'S' along 'next' to a node whose 'next' is null; each
// node's 'prev' is the node before it, null at 'S'. A null 'S' means no formula is
// under evaluation: an error exit leaves it null and the reduction loop stops there.
//
// Everything below lives here. The rest of the mutable state stays beside the one
// routine family that uses it, private to its file:
//   base/output.cpp       'cout2', 'cerr2', 'Fixfinlin' (output.h): the running command's text
//   engine/node.cpp       the pool of freed nodes; the allocation-failure count of the tests
//   engine/scanner.cpp    the call each buffer character belongs to, and the calls so far
//                         (for the 'call' field of the tokens): one formula's
//   engine/library.cpp    every library file read, with its entries and identity, the
//                         formula and command counts that say when to look again, the
//                         last file looked up, the head words and text read in plain mode:
//                         a cache that answers as if the files were read at each lookup
//   engine/driver.cpp     the word tables made of the dispatch tables at their first use
//   engine/unitvariant.cpp  whether the matching's reduction reached its end: one call's
//   engine/state.cpp      whether 'initengine' ran
//   engine/sens.cpp       the arena of sensitivity terms: the variables' lists, which
//                         'savestate' copies, and the lists of the running evaluation
//   engine/gauss.cpp      the reduction rules of quadrature mode, made once for each
//   engine/watch.cpp      the stop request and the watcher of long work (watch.h)
//   analysis/frame.cpp    the running sampling: its analysis word, grid, sample index and
//                         folded text; 'maxsteps' (frame.h), lowered by the fuzz targets
//   commands/*.cpp        each command's copies of its arguments, kept for their storage;
//                         the evaluator of the running unit command (bru.cpp); the
//                         ISO-8859-1 encoding (frame.cpp)
//   present/unitvalues.cpp  the values of the units file's names, kept per file; the
//                         user's state while an answer evaluates names
//   present/naming.cpp    the list of named units and the names chosen, kept per units
//                         file, list and unit system
//   present/target.cpp    the targets read, kept per units file
// None of these carries a value from one command to the next that changes an answer.
#ifndef QEV_STATE_H
#define QEV_STATE_H

#include <cstddef>
#include <string>
#include <vector>

#include "engine/node.h"
#include "engine/sens.h"

extern lm *S;              // first node of the formula list
extern lm *C;              // cursor: the tail while scanning, a walking position later
extern lm *T;              // the word node under reduction
extern lm *T1;             // a second cursor for operations
extern lm *S2;             // first node of the stored copy of an analysed expression

extern lm varib[256];      // variables by name code; [0] is the last printed result

extern char how223;        // 1: complex results as mag*exp(i*phase); 0: re+i * im
extern char Realonly;      // 1: print real parts only
extern char flagrep;       // 0 ordinary result; 1/2 table mode of the analysis words
extern char gaussmode;     // 1: errors add in quadrature through sensitivities (sens.h); 0: linearly
extern unsigned long long nextsource;  // the last error source numbered (sens.h)

extern char LENGTH[10], MASS[10], TIME[10], TEMP[10], CHARGE[10], MOLE[10];  // printed unit names
extern std::string MACNAME;   // units file, any length
extern char UNAME[352];    // name of the unit system
extern std::string FORMNAME;  // user-function file, any length; empty: no user functions
extern char FORMTYTLE[352];// first word of the user-function file
extern std::string SHIPPED;   // folder of the shipped library; "" until start-up sets it

extern char NAME55;        // 0: unit listing prints names only
extern char Match99;       // 1: the entry under test did not match
extern int Matchcnt;       // number of the match to report (1: the first)

extern float randcenter, randfactor, randmax;  // shape of the random word 'rnd'
extern float randfunc[1010];                   // its density table
extern unsigned long randdraws;                // numbers drawn for 'rnd' so far (the
                                               // generator's state cannot be saved)

// Slots of the analysis words.
extern long double repx, repy, reps, repe, repj, repold, repph, represx, repres3;
extern int repflag;

// Evaluation without the fast paths (library files read at every lookup, the whole list
// searched at every reduction, analysis chains reduced at the end); tests compare both.
extern bool plainmode;

// What the last formula of 'handlestr' left, for callers that take its answer as numbers
// rather than as text. The printer fills it; an error exit marks it. When every number
// written was real, 'reals' holds their values in order (the first MAXREALS of them).
struct printrecord {
    bool printed = false;       // the printer ran
    bool exited = false;        // an error exit was taken
    bool stopped = false;       // ... because the evaluation was asked to stop
    bool table = false;         // the numbers were written in table mode
    int numbers = 0;            // numbers written
    int words = 0;              // words written (left unreduced)
    size_t start = 0;           // where the printer's text begins in 'cout2'
    bool allreal = true;        // every number written was real
    std::vector<double> reals;  // their values, while 'allreal'
    enum { MAXREALS = 1 << 17 };
    // What the scanner passed over, in order (the first MAXPASSED): a character that
    // begins no token ('read' 0), or a number token whose decimal conversion stopped
    // after 'read' of its characters. Latin-1, as the engine reads it.
    struct passed {
        std::string text;
        size_t read;
    };
    std::vector<passed> passedover;
    enum { MAXPASSED = 32 };
};
extern printrecord lastprint;

// Empties 'lastprint' for a new formula (keeping the room of 'reals').
void newprintrecord();

// A copy of every global above that outlives an evaluation: variables with their
// sensitivities, flags, unit names, file names, the matching's state, the random
// density and the slots of the analysis words. To run a command twice from the same
// start, or to go back to the state after start-up.
struct enginestate {
    lm varib[256];
    std::vector<sterm> sens;  // the lists of 'varib', which name their terms here
    unsigned long long nextsource;
    char how223, Realonly, flagrep, gaussmode;
    char LENGTH[10], MASS[10], TIME[10], TEMP[10], CHARGE[10], MOLE[10];
    std::string MACNAME, FORMNAME;
    char UNAME[352], FORMTYTLE[352];
    char NAME55, Match99;
    int Matchcnt;
    float randcenter, randfactor, randmax, randfunc[1010];
    long double rep[9];  // repx, repy, reps, repe, repj, repold, repph, represx, repres3
    int repflag;
};
void savestate(enginestate &to);
void loadstate(const enginestate &from);

// True when two copies hold the same values, compared as the engine reads them (the
// 80 bits of a long double, the text of a variable up to its end, links left out).
bool samestate(const enginestate &a, const enginestate &b);

#endif
