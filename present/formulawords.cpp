// formulawords.cpp - cutting a formula into the scanner's words; names in the library.
#include "present/formulawords.h"

#include <cstring>
#include <unordered_map>

#include "engine/library.h"
#include "engine/scanner.h"
#include "engine/state.h"

namespace {

bool letter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool digit(unsigned char c) { return c >= '0' && c <= '9'; }

// The length of the number at the start of 's' as the decimal conversion reads it:
// digits with one point, then an exponent when digits follow its letter and sign.
size_t numberlength(const char *s, size_t n)
{
    size_t k = 0;
    while (k < n && digit(s[k])) k++;
    if (k < n && s[k] == '.') {
        k++;
        while (k < n && digit(s[k])) k++;
    }
    if (k < n && (s[k] == 'e' || s[k] == 'E')) {
        size_t e = k + 1;
        if (e < n && (s[e] == '+' || s[e] == '-')) e++;
        if (e < n && digit(s[e])) {
            while (e < n && digit(s[e])) e++;
            k = e;
        }
    }
    return k;
}

// What a character does to a word: nothing (a character of it), ends it (a blank or an
// operator character), or may end it: a sign (not after e or E), the first byte of the
// plus-minus sign, "=" and "%" (which begin words of their own).
enum { INWORD, ENDS, SIGN, LEADBYTE, VARIABLE };
const struct classes {
    unsigned char of[256] = {};
    bool op[256] = {};  // the operator characters
    constexpr classes()
    {
        for (const char *c = "+-*/^!(){},"; *c; c++) of[(unsigned char)*c] = ENDS, op[(unsigned char)*c] = true;
        for (const char *c = " \t\n\r"; *c; c++) of[(unsigned char)*c] = ENDS;
        of[(unsigned char)'+'] = of[(unsigned char)'-'] = SIGN;
        of[0xC2] = LEADBYTE;
        of[(unsigned char)'='] = of[(unsigned char)'%'] = VARIABLE;
    }
} CLASS;

} // namespace

void cutformula(const std::string &text, std::vector<fword> &words)
{
    words.clear();
    const char *s = text.c_str();
    size_t n = text.size();
    bool glued = false;
    auto add = [&](int kind, size_t start, size_t end, char op) {
        words.push_back({kind, start, end, glued, op});
        glued = true;
    };
    for (size_t p = 0; p < n;) {
        unsigned char c = s[p];
        if ((c == '\n' || c == '\r') && p >= 2) break;
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            glued = false;
            p++;
            continue;
        }
        bool sign = (c == '+' || c == '-') && p > 0 && (s[p - 1] == 'e' || s[p - 1] == 'E');
        if (!sign && CLASS.op[c]) {
            add(fword::OPERATOR, p, p + 1, (char)c);
            p++;
            continue;
        }
        if (c == 0xC2 && p + 1 < n && (unsigned char)s[p + 1] == 0xB1) {  // the plus-minus sign
            add(fword::OPERATOR, p, p + 2, '#');
            p += 2;
            continue;
        }
        // A word: up to a blank or an operator character.
        size_t end = p + 1;
        for (; end < n; end++) {
            unsigned char d = s[end];
            int k = CLASS.of[d];
            if (k == INWORD) continue;
            if (k == ENDS || (k == SIGN && s[end - 1] != 'e' && s[end - 1] != 'E')) break;
            if (k == LEADBYTE && end + 1 < n && (unsigned char)s[end + 1] == 0xB1) break;
            if (k == VARIABLE && c != '=' && c != '%') break;
        }
        if (c == '=' || c == '%') {
            add(fword::VARIABLE, p, end, 0);
        } else if (digit(c) || c == '.') {
            size_t m = numberlength(s + p, end - p);
            if (m == 0) m = 1;  // a point alone
            add(fword::NUMBER, p, p + m, 0);
            if (p + m < end) add(letter(s[p + m]) ? fword::NAME : fword::OTHER, p + m, end, 0);
        } else if (letter(c)) {
            add(fword::NAME, p, end, 0);
        } else if (c == '$' || c == '~' || c == '@') {
            add(fword::UNITWORD, p, end, 0);
        } else {
            add(fword::OTHER, p, end, 0);
        }
        p = end;
    }
}

int closing(const std::vector<fword> &w, int open)
{
    char o = w[open].op, c = o == '(' ? ')' : '}';
    int depth = 0;
    for (int k = open; k < (int)w.size(); k++) {
        if (w[k].is(o)) depth++;
        if (w[k].is(c) && --depth == 0) return k;
    }
    return -1;
}

bool wantsnumber(const std::vector<fword> &w, size_t k)
{
    return k == 0 || (w[k - 1].kind == fword::OPERATOR && std::strchr("+-*/(,", w[k - 1].op));
}

namespace {

// What the library makes of a name, kept while the library files stay as they are.
struct nameinfo {
    int entries = -1;  // FOUNDUNIT | FOUNDFUNCTION, -1 before the first look
    int shape = -1;
    bool parted = false;
    std::vector<std::string> parts;
};
enum { FOUNDUNIT = 1, FOUNDFUNCTION = 2 };

struct namecache {
    unsigned long epoch = 0, units = 0, functions = 0;
    std::string macname, formname;
    std::unordered_map<std::string, nameinfo> names;
} kept;

bool found(const std::string &path, const std::string &name)
{
    std::string body;
    return !path.empty() && !name.empty() && libfind(path.c_str(), name.data(), name.size(), body) == LIB_FOUND;
}

// The record of 'name' (as kept since 'namesnow'); every record is new in plain mode.
nameinfo &info(const std::string &name)
{
    static nameinfo fresh;
    if (plainmode) {
        fresh = nameinfo();
        return fresh;
    }
    if (kept.names.size() > 4096) kept.names.clear();
    return kept.names[name];
}

int entries(const std::string &name)
{
    nameinfo &i = info(name);
    if (i.entries < 0) i.entries = (found(MACNAME, name) ? FOUNDUNIT : 0) | (found(FORMNAME, name) ? FOUNDFUNCTION : 0);
    return i.entries;
}

} // namespace

void namesnow()
{
    if (plainmode) return;
    unsigned long e = libepoch();
    if (e == kept.epoch && MACNAME == kept.macname && FORMNAME == kept.formname) return;
    unsigned long u = MACNAME.empty() ? 0 : libgeneration(MACNAME.c_str());
    unsigned long f = FORMNAME.empty() ? 0 : libgeneration(FORMNAME.c_str());
    if (u != kept.units || f != kept.functions || MACNAME != kept.macname || FORMNAME != kept.formname) {
        kept.names.clear();
        kept.units = u;
        kept.functions = f;
        kept.macname = MACNAME;
        kept.formname = FORMNAME;
    }
    kept.epoch = e;
}

bool isfunction(const std::string &name) { return entries(name) & FOUNDFUNCTION; }

bool isengine(const std::string &name) { return engineword(name.data(), (unsigned)name.size()); }

bool isunit(const std::string &name)
{
    return !name.empty() && letter(name[0]) && entries(name) == FOUNDUNIT && !isengine(name);
}

size_t tailat(const std::string &name)
{
    if (name.empty() || entries(name) || isengine(name)) return 0;
    for (size_t p = 1; p < name.size(); p++)
        if (letter(name[p]) && (entries(name.substr(p)) & FOUNDUNIT)) return p;
    return 0;
}

// The parts of 'name' as the scanner reads it, computed afresh.
static std::vector<std::string> partsof(const std::string &name)
{
    std::vector<std::string> parts;
    size_t p = tailat(name);
    if (p == 0) return parts;
    std::string head = name.substr(0, p);
    if (isunit(head) || isengine(head)) parts.push_back(head);
    else parts = tailparts(head);
    if (!parts.empty()) parts.push_back(name.substr(p));
    return parts;
}

std::vector<std::string> tailparts(const std::string &name)
{
    nameinfo &i = info(name);
    if (!i.parted) {
        std::vector<std::string> p = partsof(name);
        nameinfo &j = info(name);  // the table may have grown meanwhile
        j.parts = p;
        j.parted = true;
        return p;
    }
    return i.parts;
}

// The words of a body: blanks and "_" separate them.
static std::vector<std::string> bodywords(const std::string &body)
{
    std::vector<std::string> words;
    std::string w;
    for (char c : body + " ") {
        if (c == '_' || c == ' ') {
            if (!w.empty()) words.push_back(w);
            w.clear();
        } else {
            w += c;
        }
    }
    return words;
}

static int shape(const std::string &name, int depth)
{
    std::string body;
    if (depth > 8 || MACNAME.empty() || libfind(MACNAME.c_str(), name.data(), name.size(), body) != LIB_FOUND) return 0;
    if (depth == 0) {
        nameinfo &i = info(name);
        if (i.shape >= 0) return i.shape;
    }
    std::vector<std::string> w = bodywords(body);
    if (w.empty()) return 0;
    int s = 0;
    const std::string &first = w.front(), &last = w.back();
    if (first == "~" || first == "@") s |= FACTORFIRST;
    else if (letter(first[0])) s |= shape(first, depth + 1) & FACTORFIRST;
    if (w.size() >= 2 && digit(last[0]) && w[w.size() - 2][0] == '$') s |= EXPONENTLAST;
    else if (letter(last[0])) s |= shape(last, depth + 1) & EXPONENTLAST;
    if (depth == 0) info(name).shape = s;
    return s;
}

int unitshape(const std::string &name) { return shape(name, 0); }
