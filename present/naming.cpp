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

// What is derived from the library and the list, kept while neither changes.
struct derived {
    unsigned long values = 0, list = 0;
    std::string listpath;
    std::vector<listed> names;
    std::unordered_map<uint64_t, size_t> bydims;      // first listed name of each dimension
    std::map<std::pair<std::string, int>, std::string> prefixed;  // (name, power) -> prefixed name or ""
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

// Brings 'kept' up to date with the units file and the list.
const derived &current()
{
    unsigned long values = valuesgeneration();
    std::string path = namedlistpath();
    unsigned long list = libgeneration(path.c_str());
    if (values == kept.values && list == kept.list && path == kept.listpath) return kept;
    kept = derived();
    kept.values = values;
    kept.list = list;
    kept.listpath = path;
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

// The SI prefixes of the powers of 1000, from 10^-24 to 10^24.
const char *prefixof(int power)
{
    static const char *const P[] = {"y", "z", "a", "f", "p", "n", "u", "m", "", "k", "M", "G", "T", "P", "E", "Z", "Y"};
    int k = power / 3 + 8;
    return power % 3 == 0 && k >= 0 && k <= 16 ? P[k] : nullptr;
}

// The name with the prefix of 10^power, when the library defines it with that value.
const std::string &prefixedname(const listed &l, int power)
{
    auto key = std::make_pair(l.name, power);
    auto it = kept.prefixed.find(key);
    if (it != kept.prefixed.end()) return it->second;
    std::string &found = kept.prefixed[key];
    const char *p = prefixof(power);
    if (!p) return found;
    std::string name = p + l.name;
    const unitvalue &v = valueof(name);
    long double want = std::pow(10.0L, power);
    if (v.ok && v.offset == 0 && samedims(v.units, l.units) && std::fabs(v.slope / want - 1) <= 1e-12L)
        found = name;
    return found;
}

// The power of 1000 that brings 'size', written with 'digits' significant digits, into [1, 1000).
int thousands(long double size, int digits)
{
    if (!(size > 0) || !std::isfinite(size)) return 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Le", digits < 1 ? 0 : digits > 30 ? 29 : digits - 1, size);
    const char *e = std::strchr(buf, 'e');
    int exp = e ? std::atoi(e + 1) : 0;
    return (exp >= 0 ? exp / 3 : -((2 - exp) / 3)) * 3;
}

std::string utf8(const std::string &latin1)
{
    std::string out;
    latin1toutf8(latin1, out);
    return out;
}

} // namespace

std::string namedlistpath()
{
    std::string units = MACNAME;
    std::string beside = units.substr(0, units.find_last_of('/') + 1) + "named.list";
    return libgeneration(beside.c_str()) ? beside : std::string(QEV_DATADIR) + "/named.list";
}

unitname nameunits(const long double units[6], long double size, int digits)
{
    unitname u;
    int whole[6];
    bool integral = wholedims(units, whole);
    int used = 0, single = -1;
    for (int k = 0; k < 6; k++)
        if (!(std::fabs(units[k]) <= DIMTOLERANCE)) used++, single = k;
    if (used == 0) return u;
    std::string names[6];
    for (int k = 0; k < 6; k++) names[k] = basename(k);
    if (used == 1 && integral && whole[single] == 1) {
        u.text = names[single];
        return u;
    }
    const derived &d = current();
    if (integral) {
        auto it = d.bydims.find(dimkey(whole));
        if (it != d.bydims.end()) {
            const listed &l = d.names[it->second];
            int power = thousands(size, digits);
            const std::string &p = power ? prefixedname(l, power) : l.name;
            u.text = utf8(p.empty() ? l.name : p);
            if (!p.empty()) u.factor = std::pow(10.0L, power);
            return u;
        }
    }
    if (used > 2 && integral) {
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
            u.text = utf8(l.name) + "/";
            factortext(names[rest], r[rest], u.text);
            return u;
        }
    }
    u.text = composed(units, names);
    return u;
}

std::string dimensionwords(const long double units[6])
{
    std::string words[6];
    for (const auto &o : ORDER) words[o.slot] = o.word;
    std::string text = composed(units, words);
    return text.empty() ? "number" : text;
}
