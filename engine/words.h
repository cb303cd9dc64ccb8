// words.h - the engine's word tables that must agree with each other.
//
// Every table lists words as the scanner cuts them; the lists end with a null word.
//   ENGINEWORDS    (scanner.cpp)    every word any other table names: names of the
//                                   library files are never looked up inside them
//   FUNCWORDS      (driver.cpp)     the words that get FUNCTION_BONUS; all dispatched
//                                   but "log10" and "azeret"
//   ARGUMENTWORDS  (driver.cpp)     the keywords whose "(" right after them holds their
//                                   arguments: the RULE_KEYWORD and RULE_ANALYSIS words of
//                                   RANKWORDS but "func"
//   RANKWORDS      (driver.cpp)     the whole words of the rank rules; all dispatched
//   HANDLESTR_WORDS (dispatch.cpp)  the dispatch table of 'handlestr'
//   UNITFUNCS, UNITCONSTANTS, BRU_WORDS, MTU_WORDS (unitvariant.cpp)
//                                   the same for the unit commands: FUNCWORDS but
//                                   "atanr"; constants and words all dispatched by
//                                   'handlestr' too, but "exit"
//   ANALYSISWORDS  (analysis/frame.h) the analysis keywords and markers: the words whose
//                                   operations are the analysis operations of ops.h
// tests/words_test.cpp checks all of this.
#ifndef QEV_WORDS_H
#define QEV_WORDS_H

#include "engine/driver.h"

extern const char *const ENGINEWORDS[];
extern const char *const FUNCWORDS[];
extern const char *const ARGUMENTWORDS[];

// The rules of the whole words among the rank rules.
enum { RULE_ERR = 1, RULE_KEYWORD, RULE_TABLEMARK, RULE_ANALYSIS, RULE_SEARCHMARK, RULE_CHAIN, RULE_VALUE };
struct rankword {
    const char *word;
    int rule;
};
extern const rankword RANKWORDS[];

extern const dispatchrow HANDLESTR_WORDS[];
extern const dispatchrow BRU_WORDS[];
extern const dispatchrow MTU_WORDS[];
extern const char *const UNITFUNCS[];
extern const char *const UNITCONSTANTS[];

#endif
