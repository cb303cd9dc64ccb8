// target.cpp - reading a conversion target into its value in base units.
#include "present/target.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "present/latin1.h"
#include "present/unitvalues.h"

namespace {

std::string trimmed(const std::string &s)
{
    size_t a = s.find_first_not_of(" \t\r\n"), b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// A value while a target is read.
struct quantity {
    long double slope = 1;
    long double units[6] = {};
};

// A recursive-descent reader over the Latin-1 text of a target.
struct reader {
    const std::string &s;
    size_t p = 0;
    std::string error;
    std::string lastname;   // the last name read

    explicit reader(const std::string &text) : s(text) {}

    bool blank() const { return p < s.size() && (s[p] == ' ' || s[p] == '\t'); }
    void skip()
    {
        while (blank()) p++;
    }
    bool fail(const std::string &why)
    {
        if (error.empty()) error = why;
        return false;
    }
    static bool operatorchar(char c) { return std::strchr(" \t*/^()+", c) != nullptr; }

    // A signed number at 'p'.
    bool number(long double &x)
    {
        const char *start = s.c_str() + p;
        char *end;
        x = std::strtold(start, &end);
        if (end == start || !std::isfinite(x)) return false;
        p += end - start;
        return true;
    }

    // atom := NAME | NUMBER | "(" expr ")"
    bool atom(quantity &q)
    {
        skip();
        if (p >= s.size()) return fail("a unit is missing");
        char c = s[p];
        if (c == '(') {
            p++;
            if (!expr(q)) return false;
            skip();
            if (p >= s.size() || s[p] != ')') return fail("a \")\" is missing");
            p++;
            return true;
        }
        if ((c >= '0' && c <= '9') || c == '.') {
            q = quantity();
            if (!number(q.slope)) return fail("\"" + s.substr(p) + "\" is not a number");
            return true;
        }
        size_t start = p;
        while (p < s.size() && !operatorchar(s[p])) p++;
        if (p == start) return fail("a unit is missing before \"" + s.substr(p, 1) + "\"");
        std::string name = s.substr(start, p - start);
        const unitvalue &v = valueof(name);
        if (!v.ok) {
            std::string u;
            latin1toutf8(name, u);
            return fail("unknown unit \"" + u + "\"");
        }
        q.slope = v.slope;
        std::memcpy(q.units, v.units, sizeof q.units);
        lastname = name;
        return true;
    }

    // power := atom ["^" exponent], the exponent a signed number, bracketed or not
    bool power(quantity &q)
    {
        if (!atom(q)) return false;
        size_t at = p;
        skip();
        if (p >= s.size() || s[p] != '^') {
            p = at;  // the blanks belong to the product
            return true;
        }
        p++;
        skip();
        bool bracket = p < s.size() && s[p] == '(';
        if (bracket) p++;
        long double k;
        if (!number(k)) return fail("\"^\" needs a number");
        if (bracket) {
            skip();
            if (p >= s.size() || s[p] != ')') return fail("a \")\" is missing");
            p++;
        }
        q.slope = std::pow(q.slope, k);
        for (long double &u : q.units) u *= k;
        return true;
    }

    // prod := power {blanks power}
    bool prod(quantity &q)
    {
        if (!power(q)) return false;
        for (;;) {
            size_t at = p;
            skip();
            if (p == at || p >= s.size() || std::strchr("*/^)+", s[p])) return true;
            quantity r;
            if (!power(r)) return false;
            combine(q, r, 1);
        }
    }

    // expr := prod {("*" | "/") prod}
    bool expr(quantity &q)
    {
        if (!prod(q)) return false;
        for (;;) {
            skip();
            if (p >= s.size() || (s[p] != '*' && s[p] != '/')) return true;
            int sign = s[p] == '*' ? 1 : -1;
            p++;
            quantity r;
            if (!prod(r)) return false;
            combine(q, r, sign);
        }
    }

    static void combine(quantity &q, const quantity &r, int sign)
    {
        q.slope = sign > 0 ? q.slope * r.slope : q.slope / r.slope;
        for (int k = 0; k < 6; k++) q.units[k] += sign * r.units[k];
    }
};

// Reads one part of a target (no "+") into 't'; false with 't.error' set.
bool readpart(const std::string &latin, target &t)
{
    reader r(latin);
    quantity q;
    bool ok = r.expr(q);
    r.skip();
    if (ok && r.p < latin.size()) ok = r.fail("\"" + latin.substr(r.p) + "\" is not understood");
    if (ok && (!(q.slope != 0) || !std::isfinite(q.slope))) ok = r.fail("it has no size");
    if (!ok) {
        t.error = r.error;
        return false;
    }
    t.slope = q.slope;
    std::memcpy(t.units, q.units, sizeof t.units);
    t.offset = 0;
    if (trimmed(latin) == r.lastname) {
        // A single name: an offset scale converts with its offset.
        const unitvalue &v = valueof(r.lastname);
        t.offset = v.offset;
    }
    return true;
}

void read(target &t)
{
    std::string latin;
    if (t.text.empty()) {
        t.error = "the target is empty";
        return;
    }
    if (!utf8tolatin1(t.text, latin)) {
        t.error = "a unit name holds a character the library cannot hold";
        return;
    }
    std::vector<std::string> pieces;
    size_t from = 0, plus;
    while ((plus = latin.find('+', from)) != std::string::npos) {
        pieces.push_back(latin.substr(from, plus - from));
        from = plus + 1;
    }
    pieces.push_back(latin.substr(from));
    if (pieces.size() == 1) {
        readpart(latin, t);
        return;
    }
    target first;
    for (const std::string &piece : pieces) {
        target part;
        if (!readpart(piece, part)) {
            t.error = part.error;
            return;
        }
        if (t.parts.empty()) first = part;
        else if (!samedims(part.units, first.units)) {
            t.error = "its parts are of different kinds";
            return;
        }
        std::string u;
        latin1toutf8(trimmed(piece), u);
        t.parts.emplace_back(u, part.slope);
    }
    t.slope = first.slope;
    std::memcpy(t.units, first.units, sizeof t.units);
}

} // namespace

bool splittarget(std::string &formula, std::string &target)
{
    size_t arrow = formula.rfind("->");
    if (arrow != std::string::npos) {
        target = trimmed(formula.substr(arrow + 2));
        formula.erase(arrow);
        return true;
    }
    // The last two words, when "to" is the first of them and something comes before.
    static const char *const BLANKS = " \t\r\n";
    size_t lastend = formula.find_last_not_of(BLANKS);
    if (lastend == std::string::npos) return false;
    size_t last = formula.find_last_of(BLANKS, lastend);
    if (last == std::string::npos) return false;
    size_t toend = formula.find_last_not_of(BLANKS, last);
    if (toend == std::string::npos || toend < 1) return false;
    size_t to = toend - 1;
    if (formula.compare(to, 2, "to") != 0 || to == 0 || !std::strchr(BLANKS, formula[to - 1]) ||
        formula.find_first_not_of(BLANKS) >= to)
        return false;
    target = formula.substr(last + 1, lastend - last);
    formula.erase(to);
    return true;
}

const target &readtarget(const std::string &text)
{
    static std::unordered_map<std::string, target> kept;
    static unsigned long generation;
    unsigned long g = valuesgeneration();
    if (g != generation) {
        kept.clear();
        generation = g;
    }
    std::string t = trimmed(text);
    auto it = kept.find(t);
    if (it != kept.end()) return it->second;
    if (kept.size() > 4096) kept.clear();
    target &r = kept[t];
    r.text = t;
    read(r);
    return r;
}
