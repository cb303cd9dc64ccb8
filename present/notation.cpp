// notation.cpp - rewrites and warnings over the words of a formula.
//
// The engine binds a unit word to the number before it more tightly than "^" (so
// "1500 ft^2" squares 1500 too), multiplies a unit in braces after everything around it,
// and needs a number before every unit. The rewrites here bracket what belongs together
// before the engine sees it; each is an edit of the text, noted as "from → to".
#include "present/notation.h"

#include <algorithm>
#include <vector>

#include "present/formulawords.h"
#include "present/latin1.h"

namespace {

struct edit {
    size_t start, end;
    std::string text;
};

// Applies non-overlapping edits (in order of 'start') to 'f', noting each.
std::string apply(const std::string &f, const std::vector<edit> &edits, notes &n)
{
    std::string out;
    size_t at = 0;
    for (const edit &e : edits) {
        out.append(f, at, e.start - at);
        out += e.text;
        n.rewrite(f.substr(e.start, e.end - e.start), e.text);
        at = e.end;
    }
    out.append(f, at, std::string::npos);
    return out;
}

// Reads the words of one formula.
struct reader {
    const std::string &f;
    std::vector<fword> w;
    mutable std::string units;  // per word: '1' a unit name, '0' not, '?' not yet asked

    explicit reader(const std::string &formula) : f(formula)
    {
        w.reserve(formula.size() / 2 + 4);
        cutformula(formula, w);
        units.assign(w.size(), '?');
    }
    int size() const { return (int)w.size(); }
    std::string text(int k) const { return wordtext(f, w[k]); }
    std::string span(int a, int b) const { return f.substr(w[a].start, w[b].end - w[a].start); }
    bool op(int k, char c) const { return k >= 0 && k < size() && w[k].is(c); }
    bool kind(int k, int what) const { return k >= 0 && k < size() && w[k].kind == what; }
    bool unit(int k) const
    {
        if (!kind(k, fword::NAME)) return false;
        if (units[k] == '?') units[k] = isunit(text(k)) ? '1' : '0';
        return units[k] == '1';
    }

    // The last word of the exponent after the "^" at 'k': a number, signed or not, or
    // a bracket; -1 when there is none.
    int exponent(int k) const
    {
        if (!op(k, '^')) return -1;
        int e = k + 1;
        if (op(e, '-') || op(e, '+')) e++;
        if (kind(e, fword::NUMBER)) return e;
        if (e == k + 1 && op(e, '(')) return closing(w, e);
        return -1;
    }
};

// A value and the units after it, as found at one number.
struct quantity {
    int first = -1, valueend = -1;  // the words of the value
    bool power = false;             // the value is a number raised to a power
    struct item {
        int first, last;
        bool power, brace;  // a unit to brace (with its power), a bracket typed in braces
    };
    std::vector<item> items;
};

// Whether word 'k' is an error word: "err", or "errpct" (an error in hundredths).
bool errorword(const reader &r, int k)
{
    return r.kind(k, fword::NAME) && (r.text(k) == "err" || r.text(k) == "errpct");
}

// The value that begins at word 'k', or false: a number (with an error "± e" or a power
// "^ n" after it), a variable, pi, or a bracket that no function name takes; never a
// number that is an exponent, nor the number of a unit word.
bool value(const reader &r, int k, quantity &q)
{
    if (r.op(k - 1, '^') || r.kind(k - 1, fword::UNITWORD) || r.op(k - 1, '#') || errorword(r, k - 1)) return false;
    if (r.op(k, '(')) {
        if (r.kind(k - 1, fword::NAME) || r.kind(k - 1, fword::UNITWORD)) return false;
        int c = closing(r.w, k);
        if (c < 0) return false;
        q.first = k;
        q.valueend = c;
        return true;
    }
    if ((r.kind(k, fword::VARIABLE) && r.f[r.w[k].start] == '%') || (r.kind(k, fword::NAME) && r.text(k) == "pi")) {
        q.first = q.valueend = k;
        return true;
    }
    if (!r.kind(k, fword::NUMBER)) return false;
    q.first = q.valueend = k;
    if ((r.op(k + 1, '#') || errorword(r, k + 1)) && r.kind(k + 2, fword::NUMBER)) {
        q.valueend = k + 2;
    } else if (int e = r.exponent(k + 1); e > 0) {
        q.valueend = e;
        q.power = true;
    }
    return true;
}

// The unit names and braces right after the value of 'q'. A unit that multiplies what
// stands before it, after a unit that ends with its exponent, is braced as a power is
// ("2 m N" would otherwise give N's factor to m's exponent).
void units(const reader &r, quantity &q)
{
    int j = q.valueend + 1;
    for (;;) {
        if (r.unit(j)) {
            int e = r.exponent(j + 1);
            bool brace = e > 0;
            if (!brace && !q.items.empty() && !q.items.back().power && !q.items.back().brace &&
                (unitshape(r.text(j)) & FACTORFIRST) && (unitshape(r.text(q.items.back().first)) & EXPONENTLAST))
                brace = true;
            q.items.push_back({j, e > 0 ? e : j, brace, false});
            j = (e > 0 ? e : j) + 1;
        } else if (r.op(j, '{')) {
            int c = closing(r.w, j);
            if (c < 0) return;
            q.items.push_back({j, c, false, true});
            j = c + 1;
        } else {
            return;
        }
    }
}

// The edit that makes 'q' read as written in textbooks, if it needs one.
bool bracketed(const reader &r, const quantity &q, edit &e)
{
    int last = -1;
    bool braced = false;
    for (size_t k = 0; k < q.items.size(); k++)
        if (q.items[k].power || q.items[k].brace) {
            last = (int)k;
            braced = braced || q.items[k].power || r.op(q.first - 1, '/');
        }
    if (q.items.empty() || (!braced && !q.power)) return false;
    std::string value = r.span(q.first, q.valueend);
    if (q.power) value = "(" + value + ")";
    e.start = r.w[q.first].start;
    if (!braced) {  // a power before plain units: only the power is bracketed
        e.end = r.w[q.items.back().last].end;
        e.text = value + r.f.substr(r.w[q.valueend].end, e.end - r.w[q.valueend].end);
        return true;
    }
    e.text = "(" + value;
    for (int k = 0; k <= last; k++) {
        const quantity::item &i = q.items[k];
        std::string t = r.span(i.first, i.last);
        e.text += " " + (i.power ? "{" + t + "}" : t);
    }
    e.text += ")";
    e.end = r.w[q.items[last].last].end;
    return true;
}

// Whether the words may need a rewrite at all: a power, a brace, a number glued to a
// name, or two names side by side (most formulas have none of these).
bool suspicious(const reader &r)
{
    for (int k = 0; k < r.size(); k++) {
        const fword &w = r.w[k];
        if (w.is('^') || w.is('{')) return true;
        if (w.kind == fword::NAME && k > 0 && (r.w[k - 1].kind == fword::NAME || (w.glued && r.w[k - 1].kind == fword::NUMBER)))
            return true;
    }
    return false;
}

// The formula of 'r' with the textbook reading of its units made explicit.
std::string rewritten(const reader &r, notes &n)
{
    const std::string &formula = r.f;
    if (!suspicious(r)) return formula;
    std::vector<edit> edits;
    for (int k = 0; k < r.size(); k++) {
        // A number glued to a constant or a variable.
        if (r.kind(k, fword::NUMBER) && r.kind(k + 1, fword::NAME) && r.w[k + 1].glued) {
            std::string name = r.text(k + 1);
            if ((name == "i" || name == "pi" || name == "x" || name == "y") && !isfunction(name) &&
                tailparts(name).empty()) {
                edits.push_back({r.w[k].start, r.w[k + 1].end, r.text(k) + "*" + name});
                k++;
                continue;
            }
        }
        quantity q;
        if (!value(r, k, q)) continue;
        units(r, q);
        edit e;
        if (bracketed(r, q, e)) {
            edits.push_back(e);
            while (k + 1 < r.size() && r.w[k + 1].start < e.end) k++;
        }
    }
    if (edits.empty()) return formula;
    return apply(formula, edits, n);
}

// The warnings about the words of 'r'.
void warnings(const reader &r, notes &n)
{
    for (int k = 0; k < r.size(); k++) {
        if (r.op(k, '+') && r.op(k + 1, '-') && r.w[k + 1].glued && k > 0 && k + 2 < r.size()) {
            std::string a = r.text(k - 1), b = r.text(k + 2);
            n.warn("\"+-\" is a plus and a minus, not \xC2\xB1: " + a + " +- " + b + " is " + a + " - " + b +
                   "; for an error write " + a + " \xC2\xB1 " + b + " or " + a + " err " + b);
            continue;
        }
        if (!r.kind(k, fword::NAME)) continue;
        std::string name = r.text(k);
        if (name == "in" && k > 0 && r.kind(k + 1, fword::NAME) && isunit("in") &&
            (r.kind(k - 1, fword::NUMBER) || r.kind(k - 1, fword::NAME) || r.op(k - 1, ')') || r.op(k - 1, '}'))) {
            std::string before = r.span(0, k - 1), after = r.span(k + 1, r.size() - 1);
            n.warn("\"in\" is the inch: " + before + " in " + after + " is a product; to convert, write " + before +
                   " to " + after + " or " + before + " -> " + after);
            continue;
        }
        if (r.unit(k)) continue;
        std::vector<std::string> parts = tailparts(name);
        if (parts.size() < 2) continue;
        std::string product;
        for (const std::string &p : parts) product += (product.empty() ? "" : " times ") + p;
        n.warn("\"" + name + "\" is no name of the library: it is read as " + product);
    }
}

// The formula of 'r' rescued for a second attempt; false when nothing is to rescue.
bool rescued(const reader &r, std::string &rescued, notes &n)
{
    const std::string &formula = r.f;
    std::vector<edit> edits;
    for (int k = 0; k < r.size(); k++) {
        if (r.unit(k) && wantsnumber(r.w, k)) {
            edits.push_back({r.w[k].start, r.w[k].end, "1 " + r.text(k)});
        } else if (r.op(k, '{') && wantsnumber(r.w, k)) {
            int c = closing(r.w, k);
            if (c < 0) continue;
            edits.push_back({r.w[k].start, r.w[c].end, "(1 " + r.span(k, c) + ")"});
            k = c;
        } else if (r.kind(k, fword::NAME) && r.text(k) == "min" && k > 0 && isunit("minute") &&
                   (r.kind(k - 1, fword::NUMBER) || r.unit(k - 1)) &&
                   (k + 1 == r.size() || (r.kind(k + 1, fword::OPERATOR) && !r.op(k + 1, '(')))) {
            edits.push_back({r.w[k].start, r.w[k].end, "minute"});
        }
    }
    if (edits.empty()) return false;
    rescued = apply(formula, edits, n);
    return true;
}

} // namespace

bool readformula(std::string &formula, notes &n, std::string &rescuedformula, notes &rescuing)
{
    reader first(formula);
    std::string f = rewritten(first, n);
    warnings(first, n);  // about the words as typed
    if (f == formula) return rescued(first, rescuedformula, rescuing);
    formula = f;
    reader again(formula);
    return rescued(again, rescuedformula, rescuing);
}

void passedover(const printrecord &r, notes &n)
{
    for (const printrecord::passed &p : r.passedover) {
        std::string text;
        latin1toutf8(p.text, text);
        if (p.read == 0) {
            n.warn("\"" + text + "\" means nothing in a formula: it was left out");
        } else {
            std::string read, rest;
            latin1toutf8(p.text.substr(0, p.read), read);
            latin1toutf8(p.text.substr(p.read), rest);
            n.warn("\"" + text + "\" was read as the number " + read + ": \"" + rest + "\" was left out");
        }
    }
}
