// state.h - all global state of the engine.
//
// The formula list runs from 'S' along 'next' to a node whose 'next' is null; each
// node's 'prev' is the node before it, null at 'S'. A null 'S' means no formula is
// under evaluation: an error exit leaves it null and the reduction loop stops there.
#ifndef QEV_STATE_H
#define QEV_STATE_H

#include "engine/node.h"

extern lm *S;              // first node of the formula list
extern lm *C;              // cursor: the tail while scanning, a walking position later
extern lm *T;              // the word node under reduction
extern lm *T1;             // a second cursor for operations
extern lm *S2;             // first node of the stored copy of an analysed expression

extern lm varib[256];      // variables by name code; [0] is the last printed result

extern char how223;        // 1: complex results as mag*exp(i*phase); 0: re+i * im
extern char Realonly;      // 1: print real parts only
extern char flagrep;       // 0 ordinary result; 1/2 table mode of the analysis words

extern char LENGTH[10], MASS[10], TIME[10], TEMP[10], CHARGE[10], MOLE[10];  // printed unit names
extern char MACNAME[320];  // units file
extern char UNAME[352];    // name of the unit system
extern char FORMNAME[352]; // user-function file; empty: no user functions
extern char FORMTYTLE[352];// first word of the user-function file

extern char NAME55;        // 0: unit listing prints names only
extern char Match99;       // 1: the entry under test did not match
extern int Matchcnt;       // number of the match to report (1: the first)

extern float randcenter, randfactor, randmax;  // shape of the random word 'rnd'
extern float randfunc[1010];                   // its density table

// Slots of the analysis words.
extern long double repx, repy, reps, repe, repj, repold, repph, represx, repres3;
extern int repflag;

// Evaluation without the fast paths (library files read at every lookup, the whole list
// searched at every reduction, analysis chains reduced at the end); tests compare both.
extern bool plainmode;

#endif
