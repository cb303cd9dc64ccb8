// formulawords.cpp - cutting a formula into the scanner's words; names in the library.
#include "present/formulawords.h"

#include <cstring>

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

const char OPERATORS[] = "+-*/^!(){},";

} // namespace

std::vector<fword> cutformula(const std::string &text)
{
    std::vector<fword> words;
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
        if (!sign && c && std::strchr(OPERATORS, c)) {
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
            if (d == ' ' || d == '\t' || d == '\n' || d == '\r') break;
            if ((d == '+' || d == '-') && (s[end - 1] == 'e' || s[end - 1] == 'E')) continue;
            if (std::strchr(OPERATORS, d) || (d == 0xC2 && end + 1 < n && (unsigned char)s[end + 1] == 0xB1)) break;
            if ((d == '=' || d == '%') && c != '=' && c != '%') break;
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
    return words;
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

static bool found(const std::string &path, const std::string &name)
{
    std::string body;
    return !path.empty() && !name.empty() && libfind(path.c_str(), name.data(), name.size(), body) == LIB_FOUND;
}

bool isfunction(const std::string &name) { return found(FORMNAME, name); }

bool isengine(const std::string &name) { return engineword(name.data(), (unsigned)name.size()); }

bool isunit(const std::string &name)
{
    return !name.empty() && letter(name[0]) && !isengine(name) && !isfunction(name) && found(MACNAME, name);
}

std::vector<std::string> tailparts(const std::string &name)
{
    std::vector<std::string> parts;
    if (name.empty() || found(MACNAME, name) || isengine(name) || isfunction(name)) return parts;
    for (size_t p = 1; p < name.size(); p++) {
        if (!letter(name[p]) || !found(MACNAME, name.substr(p))) continue;
        std::string head = name.substr(0, p);
        if (isunit(head) || isengine(head)) parts.push_back(head);
        else parts = tailparts(head);
        if (parts.empty()) return parts;
        parts.push_back(name.substr(p));
        return parts;
    }
    return parts;
}
