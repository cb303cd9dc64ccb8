// answer.h - the answer to a formula as every front end shows it: a single value in a
// named unit or in a target unit with the digits its error allows, or the engine's own
// text for anything else.
#ifndef QEV_ANSWER_H
#define QEV_ANSWER_H

#include <string>
#include <vector>

#include "present/notes.h"

struct Tcl_Interp;

struct answer {
    enum { OK, ENGINEERROR, CONVERSIONERROR, STOPPED };  // ORDER answer status
    int status = OK;
    bool number = false;             // a single value: 're', 'im', 'err', 'unit' hold it
    long double re = 0, im = 0, err = 0;  // in the unit 'unit'
    std::string unit;                // UTF-8; empty for a plain number
    std::string display;             // what to show (UTF-8)
    std::string engine;              // the calculate command's own text (UTF-8)
    std::vector<std::string> table;  // x y x y ... of a table of real pairs, in the number format
    std::string formula;             // the formula the engine was given (UTF-8), without a target
    notes told;                      // rewrites made before, warnings, hints after an error
    bool gauss = false;              // errors were added in quadrature ("-g")
    std::string note;                // which error model, when it is not the default and
                                     // the answer shows an error; else empty
};

// Evaluates a formula with the calculate command: 'argv' are its arguments (argv[0] its
// name), options and formula as the command reads them. A target written at the end of
// the formula ("-> T", "to T") is used, else the first argument after the formula that
// the command would take for a formula, else 'target' when it is not empty. With 'raw'
// no target is taken off the formula, and the display is the command's text.
// Unless 'literal', the formula is rewritten first (pasted symbols, relative errors: a
// percent sign right after the number that follows a plus-minus sign, "100 ohm ±5%", is
// that many hundredths of the value; the textbook reading of unit powers and braces),
// and when the engine refuses it, a rescued formula (a number before a lone unit name,
// minute for min) is tried once from the same state (unless the first try drew random
// numbers, which cannot be taken back); warnings, and hints after an error, are added.
// The user's state (variables, the last result '%0') is as after the formula the engine
// answered alone.
void answerof(Tcl_Interp *interp, int argc, const char *const argv[], const std::string &target, bool raw,
              answer &a, bool literal = false);

// The same without a target, the user's state (variables, the last result, settings,
// the unit system) put back as it was before: an answer looked up, not asked for.
void answerofaside(Tcl_Interp *interp, int argc, const char *const argv[], answer &a);

#endif
