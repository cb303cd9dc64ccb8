// unitvalues.cpp - evaluating "1 NAME" and "0 NAME" for names of the units file.
//
// A name is evaluated by the engine's scanner and driver, as a formula would be, but
// what is left is taken as a node instead of being printed, and no user function is
// expanded. The values are kept per units file and forgotten when the file changes.
#include "present/unitvalues.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "engine/driver.h"
#include "engine/library.h"
#include "engine/numeric.h"
#include "engine/printer.h"
#include "engine/scanner.h"
#include "engine/state.h"

namespace {

// What a unit body may change; saved once for all evaluations of an answer.
struct savedstate {
    enginestate engine;
    printrecord lastprint;
};
std::unique_ptr<savedstate> saved;
bool issaved;

void save()
{
    if (issaved) return;
    if (!saved) saved.reset(new savedstate);
    savestate(saved->engine);
    saved->lastprint = lastprint;
    issaved = true;
}

// The node left by a quiet evaluation.
lm left;
bool leftone;

// Takes what the driver left instead of printing it: one number, or nothing usable.
void capture()
{
    leftone = S && S->kind == LM_NUMBER && !S->next;
    if (leftone) copylm(&left, S);
    freelist(S);
    S = C = T = nullptr;
}

// Evaluates 'formula' without user functions; true when it left one real number.
bool quiet(const std::string &formula, long double &value, long double units[6])
{
    static reducerules rules = [] {
        reducerules r = HANDLESTR_REDUCE;
        r.print = capture;
        return r;
    }();
    save();
    FORMNAME.clear();
    gaussmode = 0;  // a unit's value is the same in both error models
    std::string text = formula;
    leftone = false;
    if (scanformula(&text[0], HANDLESTR_SCAN) && S) reduce(rules);
    deleteS2();
    if (!leftone) return false;
    long double mag = left.mag, phase = left.phase;
    displaynormal(mag, phase);
    if (!(phase > -1e-14L && phase < 1e-14L) || !std::isfinite(mag)) return false;
    value = mag;
    std::memcpy(units, left.units, sizeof left.units);
    return true;
}

struct cache {
    unsigned long generation = 0;  // of the units file, when the values were kept
    std::string path;
    std::unordered_map<std::string, unitvalue> values;
};
cache kept;
unsigned long generations;  // counts the changes of 'kept'

// Empties the cache when the units file is another one or has changed.
void checkfile()
{
    static unsigned long epoch;
    unsigned long e = libepoch();
    if (e == epoch && kept.path == MACNAME) return;
    epoch = e;
    unsigned long g = libgeneration(MACNAME.c_str());
    if (g == kept.generation && kept.path == MACNAME) return;
    kept.generation = g;
    kept.path = MACNAME;
    kept.values.clear();
    generations++;
}

} // namespace

bool samedims(const long double a[6], const long double b[6])
{
    for (int k = 0; k < 6; k++)
        if (!(std::fabs(a[k] - b[k]) <= DIMTOLERANCE)) return false;  // NaN differs from all
    return true;
}

unsigned long valuesgeneration()
{
    checkfile();
    return generations;
}

const unitvalue &valueof(const std::string &name)
{
    checkfile();
    auto it = kept.values.find(name);
    if (it != kept.values.end()) return it->second;
    unitvalue &v = kept.values[name];
    std::string body;
    // Only a whole entry whose name the scanner can find: it starts with an ASCII letter.
    bool letter = !name.empty() && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    if (!letter || name.find_first_of(" \t\n\r#=") != std::string::npos ||
        libfind(MACNAME.c_str(), name.data(), name.size(), body) != LIB_FOUND)
        return v;
    long double one, zero, units[6], zunits[6];
    if (!quiet("1 " + name, one, units) || !quiet("0 " + name, zero, zunits)) return v;
    v.slope = one - zero;
    v.offset = zero;
    std::memcpy(v.units, units, sizeof units);
    v.ok = v.slope != 0 && std::isfinite(v.slope) && std::isfinite(v.offset);
    return v;
}

void restoreuserstate()
{
    if (!issaved) return;
    loadstate(saved->engine);
    lastprint = saved->lastprint;
    issaved = false;
}
