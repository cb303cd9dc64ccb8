// libcheck.h - trying a library definition before it is written.
#ifndef QEV_LIBCHECK_H
#define QEV_LIBCHECK_H

#include <string>
#include <vector>

// What is wrong with one unit of each of 'names' when the units file holds 'text': the
// formula and what it gave, when one unit of the name is not one finite number without
// an error or a warning in a formula, or fails in the unit listing or in unit matching;
// "" for a good one. The engine is left as it was.
std::vector<std::string> unitproblems(const std::string &text, const std::vector<std::string> &names);

// A call of a user function: its name and its number of arguments.
struct funccall {
    std::string name;
    int args;
};

// What is wrong with each of the functions 'calls' when the function file holds 'text'
// and 'units' is the units file (empty: the one in use): the call with every argument 1
// and what it gave, when that holds an error; "" for a good one. The engine is left as
// it was.
std::vector<std::string> functionproblems(const std::string &text, const std::vector<funccall> &calls,
                                          const std::string &units);

#endif
