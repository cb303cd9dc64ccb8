// symbols.cpp - rewriting pasted symbols into engine words.
//
// The engine reads Latin-1: a character beyond it would reach it as "?", and one it has
// no use for (µ, °, ×) is dropped or ends a number, so "5 µF" would be 5 F and "5×3"
// would be 5. Every such character is rewritten here, before the formula is converted.
#include "present/symbols.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "present/formulawords.h"

namespace {

bool letter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool digit(unsigned char c) { return c >= '0' && c <= '9'; }
bool alnum(unsigned char c) { return letter(c) || digit(c); }

// The code point at 'p' (advanced past it); an invalid byte stands for itself.
uint32_t decode(const std::string &s, size_t &p)
{
    unsigned char c = s[p];
    int more = c >= 0xF0 && c < 0xF8 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (more == 0 || p + more >= s.size()) {
        p++;
        return c;
    }
    uint32_t cp = c & (0x3F >> more);
    for (int k = 1; k <= more; k++) {
        unsigned char d = s[p + k];
        if ((d & 0xC0) != 0x80) {
            p++;
            return c;
        }
        cp = cp << 6 | (d & 0x3F);
    }
    p += more + 1;
    return cp;
}

bool blankspace(uint32_t cp) { return cp == 0xA0 || (cp >= 0x2000 && cp <= 0x200A) || cp == 0x202F || cp == 0x205F || cp == 0x3000; }

// The digit or sign a superscript character stands for, or 0.
char superscript(uint32_t cp)
{
    switch (cp) {
    case 0xB2: return '2';
    case 0xB3: return '3';
    case 0xB9: return '1';
    case 0x2070: return '0';
    case 0x207A: return '+';
    case 0x207B: return '-';
    default: return cp >= 0x2074 && cp <= 0x2079 ? (char)('0' + cp - 0x2070) : 0;
    }
}

// The symbols of one meaning: an operator written as it is, a unit name (a blank before
// it after a number) or a word of the engine (after a number, times it).
struct symbol {
    uint32_t cp;
    enum { OPERATOR, NAME, WORD } how;
    const char *text;
};
const symbol SYMBOLS[] = {
    {0xD7, symbol::OPERATOR, "*"},     {0xB7, symbol::OPERATOR, "*"},   {0x22C5, symbol::OPERATOR, "*"},
    {0x2219, symbol::OPERATOR, "*"},   {0xF7, symbol::OPERATOR, "/"},   {0x2215, symbol::OPERATOR, "/"},
    {0x2212, symbol::OPERATOR, "-"},   {0x2192, symbol::OPERATOR, "->"}, {0x03A9, symbol::NAME, "ohm"},
    {0x2126, symbol::NAME, "ohm"},     {0x2103, symbol::NAME, "degC"},  {0x2109, symbol::NAME, "degF"},
    {0x221A, symbol::WORD, "sqrt"},    {0x03C0, symbol::WORD, "pi"},
};

const symbol *symbolof(uint32_t cp)
{
    for (const symbol &y : SYMBOLS)
        if (y.cp == cp) return &y;
    return nullptr;
}

// Greek letters that begin names of the library's constants: the Latin spelling is used
// when the name it makes is a unit (ε0 is eps0, ħ is hbar).
const char *greek(uint32_t cp)
{
    switch (cp) {
    case 0x03B5: return "eps";
    case 0x03B1: return "alpha";
    case 0x03C3: return "sigma";
    case 0x03A6: return "Phi";
    case 0x0127: return "hbar";
    case 0x210F: return "hbar";
    default: return nullptr;
    }
}

// The ASCII letters and digits at 'p' of 's'.
std::string namerun(const std::string &s, size_t p)
{
    size_t e = p;
    while (e < s.size() && alnum(s[e])) e++;
    return s.substr(p, e - p);
}

struct rewriter {
    const std::string &in;
    bool target;
    notes &n;
    std::string out;
    size_t p = 0;  // the next character of 'in'

    // Puts 'name' in place of the symbols 'from' (a unit or a scale): a blank before it
    // after a number, and after it before a letter or digit.
    void name(const std::string &from, const std::string &name)
    {
        if (!out.empty() && (digit(out.back()) || out.back() == '.' || out.back() == ')')) out += ' ';
        out += name;
        if (p < in.size() && alnum(in[p])) out += ' ';
        n.rewrite(from, name);
    }

    // Puts the word 'word' (a function or a constant) in place of 'from': after a number
    // or a bracket, times it.
    void word(const std::string &from, const std::string &word)
    {
        size_t q = out.find_last_not_of(' ');
        bool times = q != std::string::npos && (digit(out[q]) || out[q] == '.' || out[q] == ')');
        if (times) {
            size_t start = q;
            while (start > 0 && (digit(out[start - 1]) || out[start - 1] == '.')) start--;
            std::string before = out.substr(start, q + 1 - start);
            n.rewrite(before + from, before + "*" + word);
            out.erase(q + 1);
            out += '*';
        } else {
            if (!out.empty() && letter(out.back())) out += ' ';
            n.rewrite(from, word);
        }
        out += word;
        if (p < in.size() && alnum(in[p])) out += ' ';
    }

    // A character 'c' (code point 'cp') that has no meaning in a formula: a blank, and a
    // warning naming it.
    void unknown(const std::string &c, uint32_t cp)
    {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", (unsigned)cp);
        n.warn("\"" + c + "\" (" + code + ") means nothing in a formula: read as a blank");
        out += ' ';
    }

    void micro(size_t at);
    void run();
};

// A micro sign, written as µ at 'at' of 'out' by the first pass: the prefix "u" where the
// library has the micro unit (µF is uF), the Latin "mu" of a constant (μ0 is mu0), else
// the factor 1e-6 on the unit.
void rewriter::micro(size_t at)
{
    std::string rest = namerun(out, at + 2);
    std::string from = "\xC2\xB5" + rest, to;
    if (rest.empty()) {
        n.warn("\"\xC2\xB5\" without a unit after it: read as a blank");
        to = " ";
    } else if (isunit("u" + rest) || (!isunit("mu" + rest) && !isunit(rest))) {
        to = "u";
    } else if (isunit("mu" + rest)) {
        to = "mu";
    } else {
        to = target ? "1e-6 " : at > 0 && out[at - 1] == ' ' ? "~ 1e-6 " : " ~ 1e-6 ";
    }
    out.replace(at, 2, to);
    if (!rest.empty()) n.rewrite(from, to.substr(to[0] == ' ') + rest);
}

void rewriter::run()
{
    while (p < in.size()) {
        size_t at = p;
        uint32_t cp = decode(in, p);
        std::string c = in.substr(at, p - at);
        if (cp < 0x80) {
            if (cp == '\t') out += ' ';
            else if (cp == '+' && !target && in.compare(p, 2, "/-") == 0) {
                p += 2;
                out += "\xC2\xB1";
                n.rewrite("+/-", "\xC2\xB1");
            } else
                out += (char)cp;
            continue;
        }
        if (blankspace(cp)) {
            out += ' ';
            continue;
        }
        if (char s = superscript(cp)) {
            std::string from = c, power = "^";
            power += s;
            while (p < in.size()) {
                size_t q = p;
                uint32_t d = decode(in, q);
                char t = superscript(d);
                if (!t) break;
                from += in.substr(p, q - p);
                power += t;
                p = q;
            }
            out += power;
            n.rewrite(from, power);
            continue;
        }
        if (const symbol *y = symbolof(cp)) {
            if (y->how == symbol::OPERATOR) {
                out += y->text;
                n.rewrite(c, y->text);
            } else if (y->how == symbol::NAME) {
                name(c, y->text);
            } else {
                word(c, y->text);
            }
            continue;
        }
        if (cp == 0xB0) {  // a degree sign: of a scale, or of an angle
            if (p < in.size() && (in[p] == 'C' || in[p] == 'F') && !(p + 1 < in.size() && letter(in[p + 1]))) {
                char scale = in[p++];
                name(c + scale, std::string("deg") + scale);
            } else {
                name(c, "deg");
            }
            continue;
        }
        if (cp == 0xB5 || cp == 0x03BC) {
            out += "\xC2\xB5";  // the micro sign, settled in the second pass
            continue;
        }
        if (const char *latin = greek(cp)) {
            std::string rest = namerun(in, p), spelled = latin + rest;
            if (isunit(spelled)) {
                p += rest.size();
                name(c + rest, spelled);
                continue;
            }
        }
        if (cp < 0x100) out += c;  // Latin-1: the engine reads it as it is
        else unknown(c, cp);
    }
    for (size_t at = out.find("\xC2\xB5"); at != std::string::npos; at = out.find("\xC2\xB5", at)) micro(at);
}

} // namespace

bool mayhavesymbols(const std::string &text)
{
    const char *s = text.c_str();
    for (size_t k = 0, n = text.size(); k < n; k++) {
        unsigned char c = s[k];
        if (c >= 0x80 || c == '\t' || (c == '+' && s[k + 1] == '/')) return true;
    }
    return false;
}

std::string symbols(const std::string &text, bool target, notes &n)
{
    rewriter r{text, target, n, std::string()};
    r.out.reserve(text.size() + 8);
    r.run();
    return r.out;
}
