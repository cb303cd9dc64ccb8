// naming.cpp - choosing the unit an answer is written in.
//
// In this order: a plain number has none; a single base dimension takes the unit
// system's own name for it; a dimension that a name of the preferred list has takes
// that name (the first listed), with the prefix of a multiple of 1000 that brings the
// size into [1, 1000) when the library defines the prefixed name; a dimension of at
// most two base dimensions is written in base names ("m/s", "kg/m^3"); a listed name
// divided by one base dimension comes next ("J/K", "V/m"); the base names otherwise.
// What is derived from the library is kept until the units file or the list changes.
#include "present/naming.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <unordered_map>
#include <vector>

#include "engine/library.h"
#include "engine/state.h"
#include "present/latin1.h"
#include "present/unitvalues.h"

namespace {

// The base dimensions in the order they are written, with their slot and word.
const struct { int slot; const char *word; } ORDER[] = {
    {2, "length"}, {0, "mass"}, {1, "time"}, {3, "temperature"}, {4, "charge"}, {5, "amount"}};

// The unit system's name for a slot, without blanks, in UTF-8.
std::string basename(int slot)
{
    const char *names[6] = {MASS, TIME, LENGTH, TEMP, CHARGE, MOLE};
    std::string raw, out;
    for (const char *c = names[slot]; *c; c++)
        if (*c != ' ') raw += *c;
    latin1toutf8(raw, out);
    return out;
}

// Whole exponents, when every exponent is one within the tolerance.
bool wholedims(const long double units[6], int whole[6])
{
    for (int k = 0; k < 6; k++) {
        long double r = std::round(units[k]);
        if (!(std::fabs(units[k] - r) <= DIMTOLERANCE) || !(std::fabs(r) <= 100)) return false;
        whole[k] = (int)r;
    }
    return true;
}

uint64_t dimkey(const int whole[6])
{
    uint64_t key = 0;
    for (int k = 0; k < 6; k++) key = key << 8 | (uint8_t)(int8_t)whole[k];
    return key;
}

// "name" or "name^k" for the exponent's size.
void factortext(const std::string &name, long double e, std::string &out)
{
    out += name;
    long double a = std::fabs(e);
    if (std::fabs(a - 1) <= DIMTOLERANCE) return;
    char buf[40];
    if (a < 1e9 && std::fabs(a - std::round(a)) <= DIMTOLERANCE) std::snprintf(buf, sizeof buf, "^%d", (int)std::round(a));
    else std::snprintf(buf, sizeof buf, "^%.6Lg", a);
    out += buf;
}

// The dimensions written with the given names: numerator factors, then "/" and the
// denominator (bracketed when it has several factors).
std::string composed(const long double units[6], const std::string names[6])
{
    std::string num, den;
    int dens = 0;
    for (const auto &o : ORDER) {
        long double e = units[o.slot];
        if (std::fabs(e) <= DIMTOLERANCE) continue;
        std::string &side = e < 0 ? den : num;
        if (!side.empty()) side += ' ';
        factortext(names[o.slot], e, side);
        if (e < 0) dens++;
    }
    if (den.empty()) return num;
    if (num.empty()) num = "1";
    return num + "/" + (dens > 1 ? "(" + den + ")" : den);
}

// A name of the preferred list, found in the library with a value of exactly one unit.
struct listed {
    std::string name;  // Latin-1, as in the library
    long double units[6];
};

// The unit chosen for whole dimensions: a listed name (its index), or a text.
struct choice {
    int listed = -1;
    std::string text;  // UTF-8, when no listed name is chosen
};

// What is derived from the library, the list and the unit system's names, kept while
// none of them changes.
struct derived {
    unsigned long values = 0, list = 0;
    std::string listpath;
    char basenames[6][10] = {};                    // the names the choices were made with
    std::vector<listed> names;
    std::unordered_map<uint64_t, size_t> bydims;   // first listed name of each dimension
    std::unordered_map<uint64_t, choice> choices;  // by dimensions
    std::unordered_map<uint64_t, std::string> prefixed;  // (listed, power) -> prefixed name or ""
};
derived kept;

// Reads the names of the list: words, with "#" starting a comment to the line end.
void readlist(const std::string &path, std::vector<std::string> &words)
{
    words.clear();
    std::FILE *f = openregular(path.c_str());
    if (!f) return;
    std::string w;
    bool comment = false;
    for (int c; (c = std::getc(f)) != EOF;) {
        if (c == '\n') comment = false;
        else if (c == '#') comment = true;
        bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r' || comment;
        if (!blank) w += (char)c;
        if (blank && !w.empty()) {
            words.push_back(w);
            w.clear();
        }
    }
    if (!w.empty()) words.push_back(w);
    std::fclose(f);
}

// Brings 'kept' up to date with the units file, the list and the unit system's names.
derived &current()
{
    static unsigned long epoch;
    unsigned long values = valuesgeneration(), e = libepoch();
    const char *base[6] = {MASS, TIME, LENGTH, TEMP, CHARGE, MOLE};
    bool same = e == epoch && values == kept.values;  // the list is as at the last look
    epoch = e;
    const std::string &path = same ? kept.listpath : namedlistpath();
    unsigned long list = same ? kept.list : libgeneration(path.c_str());
    if (values == kept.values && list == kept.list && path == kept.listpath) {
        for (int k = 0; k < 6; k++)
            if (std::strncmp(kept.basenames[k], base[k], 10) != 0) {
                kept.choices.clear();
                std::strncpy(kept.basenames[k], base[k], 10);
            }
        return kept;
    }
    kept = derived();
    kept.values = values;
    kept.list = list;
    kept.listpath = path;
    for (int k = 0; k < 6; k++) std::strncpy(kept.basenames[k], base[k], 10);
    std::vector<std::string> words;
    readlist(path, words);
    for (const std::string &w : words) {
        const unitvalue &v = valueof(w);
        int whole[6];
        if (!v.ok || v.offset != 0 || std::fabs(v.slope - 1) > 1e-12L || !wholedims(v.units, whole)) continue;
        listed l;
        l.name = w;
        std::memcpy(l.units, v.units, sizeof l.units);
        kept.bydims.emplace(dimkey(whole), kept.names.size());
        kept.names.push_back(l);
    }
    return kept;
}

// The powers of 1000 of the SI prefixes, from 10^-24 to 10^24, and the prefixes.
const long double THOUSANDS[] = {1e-24L, 1e-21L, 1e-18L, 1e-15L, 1e-12L, 1e-9L, 1e-6L, 1e-3L, 1,
                                 1e3L, 1e6L, 1e9L, 1e12L, 1e15L, 1e18L, 1e21L, 1e24L};
const char *const PREFIXES[] = {"y", "z", "a", "f", "p", "n", "u", "m", "", "k", "M", "G", "T", "P", "E", "Z", "Y"};

// The name of listed name 'l' (index 'k') with the prefix of 10^(3*step), when the
// library defines it with that value; "" otherwise.
const std::string &prefixedname(size_t k, int step)
{
    uint64_t key = (uint64_t)k << 8 | (uint8_t)(int8_t)step;
    auto it = kept.prefixed.find(key);
    if (it != kept.prefixed.end()) return it->second;
    std::string &found = kept.prefixed[key];
    const listed &l = kept.names[k];
    std::string name = PREFIXES[step + 8] + l.name;
    const unitvalue &v = valueof(name);
    if (v.ok && v.offset == 0 && samedims(v.units, l.units) && std::fabs(v.slope / THOUSANDS[step + 8] - 1) <= 1e-12L)
        found = name;
    return found;
}

// The power of 1000 (as a step from -8 to 8) that brings 'size', written with 'digits'
// significant digits, into [1, 1000); 0 when no prefix does.
int thousands(long double size, int digits)
{
    double s = (double)size;
    if (!(s > 0) || !std::isfinite(s)) return 0;
    int exp = (int)std::floor(std::log10(s));
    if (exp < -27 || exp > 27) return 0;  // beyond every prefix
    // A size that its digits round up to the next power of ten (999.9999 with 6) reads as that.
    int d = digits < 1 ? 1 : digits > 17 ? 17 : digits;
    if (s + 0.5 * std::pow(10.0, exp + 1 - d) >= std::pow(10.0, exp + 1)) exp++;
    int step = exp >= 0 ? exp / 3 : -((2 - exp) / 3);
    return step < -8 || step > 8 ? 0 : step;
}

std::string utf8(const std::string &latin1)
{
    std::string out;
    latin1toutf8(latin1, out);
    return out;
}

// The unit system's names, without blanks, in UTF-8.
void basenames(std::string names[6])
{
    for (int k = 0; k < 6; k++) names[k] = basename(k);
}

// The unit for whole dimensions that are not a single base unit (see the file's head).
choice choose(const derived &d, const long double units[6], const int whole[6], int used, int single)
{
    choice c;
    std::string names[6];
    basenames(names);
    if (used == 1 && whole[single] == 1) {
        c.text = names[single];
        return c;
    }
    auto it = d.bydims.find(dimkey(whole));
    if (it != d.bydims.end()) {
        c.listed = (int)it->second;
        return c;
    }
    if (used > 2) {
        for (const listed &l : d.names) {
            int rest = -1, k;
            long double r[6];
            for (k = 0; k < 6; k++) {
                r[k] = units[k] - l.units[k];
                if (std::fabs(r[k]) <= DIMTOLERANCE) continue;
                if (rest >= 0 || r[k] > 0) break;
                rest = k;
            }
            if (k < 6 || rest < 0) continue;
            c.text = utf8(l.name) + "/";
            factortext(names[rest], r[rest], c.text);
            return c;
        }
    }
    c.text = composed(units, names);
    return c;
}

} // namespace

const std::string &namedlistpath()
{
    static std::string units, beside, shipped;
    if (shipped.empty()) shipped = SHIPPED + "/named.list";
    if (units != MACNAME) {
        units = MACNAME;
        beside = units.substr(0, units.find_last_of('/') + 1) + "named.list";
    }
    return libgeneration(beside.c_str()) ? beside : shipped;
}

unitname nameunits(const long double units[6], long double size, int digits)
{
    unitname u;
    int whole[6];
    int used = 0, single = -1;
    for (int k = 0; k < 6; k++)
        if (!(std::fabs(units[k]) <= DIMTOLERANCE)) used++, single = k;
    if (used == 0) return u;
    if (!wholedims(units, whole)) {
        std::string names[6];
        basenames(names);
        u.text = composed(units, names);
        return u;
    }
    derived &d = current();
    auto it = d.choices.find(dimkey(whole));
    if (it == d.choices.end()) it = d.choices.emplace(dimkey(whole), choose(d, units, whole, used, single)).first;
    const choice &c = it->second;
    if (c.listed < 0) {
        u.text = c.text;
        return u;
    }
    int step = thousands(size, digits);
    const std::string &p = step ? prefixedname(c.listed, step) : d.names[c.listed].name;
    u.text = utf8(p.empty() ? d.names[c.listed].name : p);
    if (!p.empty()) u.factor = THOUSANDS[step + 8];
    return u;
}

std::string dimensionwords(const long double units[6])
{
    std::string words[6];
    for (const auto &o : ORDER) words[o.slot] = o.word;
    std::string text = composed(units, words);
    return text.empty() ? "number" : text;
}
