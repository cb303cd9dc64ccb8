// priority.h - the priorities of the reduction driver, by name.
//
// A word's priority is its rank added to the level L of the brackets it stands in; the
// driver reduces the leftmost word of greatest priority above PRIO_STOP, again and
// again. Ranks, from the word that binds tightest:
//   RANK_KEYWORD  +980  "func", "setxy" and the analysis keywords
//   RANK_VALUE    +7.1  "rnd", "x", "y" and the constants
//   RANK_SIGN     +7    the product of a leading minus; RANK_RECALL, "c%" words, alike
//   RANK_TILDE    +6.1  "~", the product of unit bodies, binding tighter than ...
//   RANK_UNIT     +6    ... the unit words "$m" ... and the error words "err", "c±"
//   RANK_AT       +4    "@", the sum of unit bodies
//   RANK_STORE    +3    "c=" words
//   RANK_EXPONENTSIGN +0.5  the product of a minus right after "^": it negates the exponent
//   RANK_WORD      0    every other word: "^", "root", the functions (FUNCTION_BONUS above)
//   RANK_PRODUCT  -1    "*", "/", the one-operand minus
//   RANK_SUM      -2    "+", "-"
//   RANK_COMMA    -2.1  ","
//   RANK_BRACE    -11   the product a "{" becomes, from the level inside the brace
// Levels: LEVEL_START at the start of a formula, BRACKET_STEP up for every "(", BRACE_STEP
// for every "{"; the argument list of "func" and of an analysis keyword is lifted by
// ARGUMENT_LIFT more, so all inside it comes before the keyword.
//
// Fixed priorities, whatever the level, all below every ranked word of a balanced formula:
//   PRIO_SAMPLEMARK    0     the marker "plot", "setrandf" and "integ" leave after a sample
//   PRIO_SEARCHMARK   -2.95  the markers of "findzer", "findmin", "findmax", "integ"
//   PRIO_TERM         -2.96  the products weight * sample of "integ"
//   PRIO_SUM          -2.97  the sums of those products
//   PRIO_CHAINMARK    -2.97  the marker after a chained sample
//   PRIO_CHAIN        -2.98  "min", "max", "zer": reduced after every ordinary word
//   PRIO_TABLEMARK    -2.99  the markers of "plot", "setrandf", "findx"
//   PRIO_STOP         -3     this and all below is never reduced (printed as text)
//   PRIO_NUMBER       -5     number nodes
//
// The evaluator of the unit commands keeps the level in double and differs in a few
// ranks (UNIT_RANK_*) and in the lift of an argument list (UNIT_ARGUMENT_LIFT); its
// braces step by BRACKET_STEP and their product takes RANK_PRODUCT.
//
// Whole ranks and levels are int and the others double (RANK_EXPONENTSIGN float), so that
// a float level and a rank add in float, or in double rounded once to float, as the
// 'prio' field holds them.
#ifndef QEV_PRIORITY_H
#define QEV_PRIORITY_H

constexpr int RANK_KEYWORD = 980;
constexpr double RANK_VALUE = 7.1;
constexpr int RANK_SIGN = 7;
constexpr int RANK_RECALL = 7;
constexpr double RANK_TILDE = 6.1;
constexpr int RANK_UNIT = 6;
constexpr int RANK_AT = 4;
constexpr int RANK_STORE = 3;
constexpr float RANK_EXPONENTSIGN = 0.5f;  // float: the sign after a sign is found by it
constexpr int RANK_WORD = 0;
constexpr int RANK_PRODUCT = -1;
constexpr int RANK_SUM = -2;
constexpr double RANK_COMMA = -2.1;
constexpr int RANK_BRACE = -11;

constexpr int FUNCTION_BONUS = 1;  // the functions of one argument bind before "^"
constexpr int ABOVE = 1;           // a word lifted above others stands this far above the
                                   // highest: a spliced "func" above its body, a keyword
                                   // at the head above its expression
constexpr int CALL_ARGUMENTS = 20; // its argument list at least this far above it

constexpr int LEVEL_START = 100;
constexpr int BRACKET_STEP = 10;
constexpr double BRACE_STEP = 9.99;
constexpr int ARGUMENT_LIFT = 990;

constexpr int UNIT_RANK_ERR = 7;     // "err", "c±" of the unit listing
constexpr int UNIT_RANK_TILDE = 5;
constexpr int UNIT_RANK_CALL = 18;   // "func"
constexpr int UNIT_ARGUMENT_LIFT = 450;

constexpr float PRIO_SAMPLEMARK = 0.0f;
constexpr float PRIO_SEARCHMARK = -2.95f;
constexpr float PRIO_TERM = -2.96f;
constexpr float PRIO_SUM = -2.97f;
constexpr float PRIO_CHAINMARK = -2.97f;
constexpr float PRIO_CHAIN = -2.98f;
constexpr float PRIO_TABLEMARK = -2.99f;
constexpr float PRIO_STOP = -3.0f;
constexpr float PRIO_NUMBER = -5.0f;

#endif
