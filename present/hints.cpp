// hints.cpp - plain-word hints for engine errors.
//
// The engine's message says which operation stopped; the hint looks at the formula for
// the usual cause of that kind of stop (a unit without a number in front, an operator
// with nothing on one side, "min" for minutes, a name the library does not have) and
// says how to write it.
#include "present/hints.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "engine/library.h"
#include "engine/state.h"
#include "present/formulawords.h"

namespace {

// The engine's functions, which take the value after them.
const char *const FUNCTIONS[] = {"sqrt", "sin", "cos", "tan", "tg", "asin", "acos", "atan", "exp", "ln", "abs",
                                 "Re", "Im", "conj", "phase", "log", "atanr", "lg10", nullptr};
// Its other words that people type: constants, operators in words, analysis keywords.
const char *const OTHERWORDS[] = {"root", "min", "max", "pi", "e", "i", "rnd", "x", "y", "err", "setxy", "plot",
                                  "setrandf", "findx", "findzer", "findmin", "findmax", "integ", nullptr};

bool listed(const char *const *list, const std::string &w)
{
    for (; *list; list++)
        if (w == *list) return true;
    return false;
}

// Words people bring from elsewhere, and what they are called here.
const struct {
    const char *word, *hint;
} ALIASES[] = {
    {"log10", "the common logarithm is lg10: lg10(100) is 2"},
    {"lg", "the common logarithm is lg10: lg10(100) is 2"},
    {"arcsin", "the inverse sine is asin"},
    {"arccos", "the inverse cosine is acos"},
    {"arctan", "the inverse tangent is atan"},
    {"sqr", "the square root is sqrt; a square is x^2"},
    {"c", "the speed of light is c0 (1 c0)"},
    {"G", "the gravitational constant is Gc (1 Gc); G alone is no unit (GHz, GW are)"},
    {"R", "the gas constant is Rgas (1 Rgas)"},
    {"kph", "kilometres per hour are kmh (or km/h)"},
    {"kmph", "kilometres per hour are kmh (or km/h)"},
    {"mins", "minutes are minute or mins"},
};

std::string lower(std::string s)
{
    for (char &c : s) c = (char)std::tolower((unsigned char)c);
    return s;
}

// The edit distance of 'a' and 'b' (insert, delete, replace, swap of neighbours).
size_t distance(const std::string &a, const std::string &b)
{
    size_t n = a.size(), m = b.size();
    std::vector<std::vector<size_t>> d(n + 1, std::vector<size_t>(m + 1));
    for (size_t i = 0; i <= n; i++) d[i][0] = i;
    for (size_t j = 0; j <= m; j++) d[0][j] = j;
    for (size_t i = 1; i <= n; i++)
        for (size_t j = 1; j <= m; j++) {
            size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[n][m];
}

// The entry names of a library file, in file order.
void namesof(const std::string &path, std::vector<std::string> &names)
{
    const libtext *t = path.empty() ? nullptr : libcontent(path.c_str());
    if (!t) return;
    for (size_t h : t->hashes) {
        size_t e = t->text.find_first_of("#=", h + 1);
        if (e != std::string::npos && t->text[e] == '=' && e > h + 1) names.push_back(t->text.substr(h + 1, e - h - 1));
    }
}

// "a", "a or b", "a, b or c", each in quotes.
std::string choices(const std::vector<std::string> &names)
{
    std::string s;
    for (size_t k = 0; k < names.size(); k++)
        s += (k == 0 ? "" : k + 1 == names.size() ? " or " : ", ") + ("\"" + names[k] + "\"");
    return s;
}

// The word of the engine's "dont know how to" message, or empty.
std::string unknownword(const std::string &engine)
{
    static const char LEAD[] = "dont know how to ";
    size_t p = engine.find(LEAD);
    if (p == std::string::npos) return "";
    p += sizeof LEAD - 1;
    size_t e = engine.find(" : ", p);
    return engine.substr(p, e == std::string::npos ? std::string::npos : e - p);
}

bool has(const std::string &text, const char *part) { return text.find(part) != std::string::npos; }

// Hints for a word of the formula that the library does not know.
void unknown(const std::string &word, notes &n)
{
    for (const auto &a : ALIASES)
        if (word == a.word) {
            n.hint(a.hint);
            return;
        }
    // A sign glued to a word after an e: "me+1" is one word.
    for (size_t k = 1; k + 1 < word.size(); k++)
        if ((word[k] == '+' || word[k] == '-') && (word[k - 1] == 'e' || word[k - 1] == 'E') &&
            std::isalpha((unsigned char)word[0])) {
            n.hint("a + or - right after the letter e stays in the word (as in 1e-5): put blanks around it (" +
                   word.substr(0, k) + " " + word[k] + " " + word.substr(k + 1) + ")");
            return;
        }
    // A unit found at its end: "apples" is read as "apple" and "s".
    if (size_t p = tailat(word))
        n.hint("\"" + word + "\" is read as \"" + word.substr(0, p) + "\" followed by the unit \"" + word.substr(p) + "\"");
    std::vector<std::string> near = nearestnames(word);
    if (!near.empty())
        n.hint("\"" + word + "\" is no name of the library: did you mean " + choices(near) + "?");
    else
        n.hint("\"" + word + "\" is no unit, function or constant of the library");
}

// Hints for an operation that found nothing, or a word, where it needs a number.
void operand(const std::vector<fword> &w, const std::string &formula, notes &n)
{
    auto text = [&](size_t k) { return wordtext(formula, w[k]); };
    auto binary = [&](size_t k) { return w[k].kind == fword::OPERATOR && std::strchr("*/^,#", w[k].op); };
    size_t hints = n.hints.size();
    for (size_t k = 0; k < w.size(); k++) {
        bool wants = wantsnumber(w, k);
        if (w[k].kind == fword::NAME && text(k) == "min" && k > 0 && w[k - 1].kind == fword::NUMBER) {
            n.hint("min is the smaller of two values (3 min 4 is 3); minutes are minute: " + text(k - 1) + " minute");
        } else if (wants && w[k].kind == fword::NAME && isunit(text(k))) {
            n.hint("a unit needs a number in front: write 1 " + text(k) + " for one " + text(k));
        } else if (wants && w[k].is('{') && closing(w, (int)k) > 0) {
            n.hint("a unit in braces needs a number in front: write 1 " +
                   formula.substr(w[k].start, w[closing(w, (int)k)].end - w[k].start));
        } else if (w[k].kind == fword::NAME && listed(FUNCTIONS, text(k)) &&
                   (k + 1 == w.size() || binary(k + 1) || w[k + 1].is(')'))) {
            n.hint("\"" + text(k) + "\" needs its argument after it: " + text(k) + "(0.5)");
        } else if (w[k].kind == fword::UNITWORD && w[k].end - w[k].start == 2 && formula[w[k].start] == '$' &&
                   (k == 0 || k + 1 == w.size() || w[k + 1].kind != fword::NUMBER)) {
            n.hint(text(k) + " raises an exponent of the number on its left by the number on its right: 3 " + text(k) +
                   " 2");
        }
    }
    if (n.hints.size() > hints) return;
    if (!w.empty() && w.back().kind == fword::OPERATOR && !std::strchr(")}!", w.back().op)) {
        n.hint("\"" + text(w.size() - 1) + "\" at the end has nothing after it");
        return;
    }
    if (!w.empty() && binary(0)) {
        n.hint("\"" + text(0) + "\" at the start has nothing before it");
        return;
    }
    for (size_t k = 0; k + 1 < w.size(); k++)
        if (w[k].kind == fword::OPERATOR && std::strchr("+-*/^,#", w[k].op) && binary(k + 1)) {
            n.hint("two operators in a row: \"" + text(k) + " " + text(k + 1) + "\"");
            return;
        }
    n.hint("an operator has no number on one side: each needs a number or a bracket on both sides, and a unit a "
           "number in front (2 kg, 1 c0)");
}

} // namespace

std::vector<std::string> nearestnames(const std::string &word, size_t most)
{
    std::vector<std::string> names;
    namesof(MACNAME, names);
    namesof(FORMNAME, names);
    for (const char *const *k = FUNCTIONS; *k; k++) names.push_back(*k);
    for (const char *const *k = OTHERWORDS; *k; k++) names.push_back(*k);
    std::string low = lower(word);
    size_t limit = word.size() <= 4 ? 1 : word.size() <= 8 ? 2 : 3;
    // Nearest first; then a name of the same first letter, then of nearer length, then
    // the earlier in the files.
    struct scored {
        size_t d, initial, length, order;
        std::string name;
        bool operator<(const scored &o) const
        {
            return d != o.d ? d < o.d : initial != o.initial ? initial < o.initial : length != o.length ? length < o.length
                                                                                                       : order < o.order;
        }
    };
    std::vector<scored> found;
    for (size_t k = 0; k < names.size(); k++) {
        const std::string &c = names[k];
        if (c == word || c.size() > word.size() + limit || c.size() + limit < word.size()) continue;
        size_t d = distance(low, lower(c));
        if (d > limit) continue;
        bool seen = false;
        for (const scored &s : found) seen = seen || s.name == c;
        if (seen) continue;
        size_t length = c.size() > word.size() ? c.size() - word.size() : word.size() - c.size();
        found.push_back({d, (size_t)(c[0] != word[0]), length, k, c});
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> out;
    for (size_t k = 0; k < found.size() && k < most; k++) out.push_back(found[k].name);
    return out;
}

void enginehints(const std::string &formula, const std::string &engine, notes &n)
{
    std::vector<fword> w;
    cutformula(formula, w);
    // Words the library does not know are the likeliest cause, whatever stopped.
    std::vector<std::string> unknowns;
    for (const fword &f : w) {
        std::string t = wordtext(formula, f);
        if (f.kind == fword::NAME && !isunit(t) && !isfunction(t) && !isengine(t) && tailparts(t).empty() &&
            std::find(unknowns.begin(), unknowns.end(), t) == unknowns.end())
            unknowns.push_back(t);
    }
    std::string word = unknownword(engine);
    bool typed = false;
    for (const std::string &u : unknowns) typed = typed || u.compare(0, word.size(), word) == 0;
    if (!word.empty() && !typed) unknowns.insert(unknowns.begin(), word);
    if (!unknowns.empty()) {
        for (size_t k = 0; k < unknowns.size() && k < 2; k++) unknown(unknowns[k], n);
    } else if (has(engine, "error #2") || has(engine, "error #3") || has(engine, "error #4")) {
        n.hint("an analysis word (plot, setrandf, findx, findzer, findmin, findmax, integ) comes first, then three "
               "numbers a b n (from a to b in n steps, a and b different) and an expression of x: integ 0 1 100 x^2");
    } else if (has(engine, "formula too long")) {
        n.hint("a formula holds about 1000 characters once its names are replaced by their definitions: split it "
               "with variables (2*3=a, then %a+1)");
    } else if (has(engine, "too many replacements")) {
        n.hint("a definition of the library contains its own name, directly or through others");
    } else if (has(engine, "comma") || has(engine, "nothing after ,")) {
        n.hint("the comma separates the arguments of a function of the library: f(1, 2)");
    } else if (has(engine, "setxy")) {
        n.hint("setxy takes two numbers, then the formula: setxy 1 2 x+y");
    } else if (has(engine, "see setrandf")) {
        n.hint("setrandf gives rnd a density with a positive value: setrandf 0 1 10 1");
    } else if (has(engine, "nothing") || has(engine, "Nothing") || has(engine, "cant") || has(engine, "can't")) {
        operand(w, formula, n);
    } else {
        for (const fword &f : w) {
            std::string t = wordtext(formula, f);
            if (t == "stop" || t == "quit" || t == "exitno" || t == "exit")
                n.hint("the word \"" + t + "\" ends a formula without an answer");
        }
    }
}

void targethints(const std::string &error, notes &n)
{
    static const char LEAD[] = "unknown unit \"";
    size_t p = error.find(LEAD);
    if (p == std::string::npos) return;
    p += sizeof LEAD - 1;
    std::string word = error.substr(p, error.find('"', p) - p);
    std::vector<std::string> near = nearestnames(word);
    std::vector<std::string> units;
    for (const std::string &s : near)
        if (isunit(s)) units.push_back(s);
    if (!units.empty()) n.hint("did you mean " + choices(units) + "?");
}
