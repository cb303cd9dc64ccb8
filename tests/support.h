// support.h - helpers for the engine tests.
//   qev(args...)   runs a qev command in a shared interpreter and returns its answer
//   calc(formula)  mc66 in the six-digit general format ("-S1 -p 6"), empty units file
//   calc(formula, functions)  the same with a function file
//   calcboth(formula[, functions[, options]])  calc (with more mc66 options) in plain
//                  mode and on the fast paths: the answer when both agree, both otherwise
//   bothways(args) a qev command in plain mode and on the fast paths, answered alike
//   plainunits()   a unit-system file naming an empty units file
//   tmpfile_(text) writes a temporary file and returns its path
//   tmpfolder()    the folder of the temporary files, removed with them at exit
//   samenow(s)     whether the engine's state now compares equal to the saved state s
#ifndef QEV_TEST_SUPPORT_H
#define QEV_TEST_SUPPORT_H

#include <string>
#include <vector>

std::string qev(const std::vector<std::string> &args);
std::string calc(const std::string &formula);
std::string calc(const std::string &formula, const std::string &functions);
std::string calcboth(const std::string &formula, const std::string &functions = "",
                     const std::vector<std::string> &options = {});
std::string bothways(const std::vector<std::string> &args);
const std::string &plainunits();
std::string tmpfile_(const std::string &text);
const std::string &tmpfolder();

struct enginestate;
bool samenow(const enginestate &s);

// Makes the engine's node allocation fail after n more allocations (negative: never).
void failallocafter_(long n);

#endif
