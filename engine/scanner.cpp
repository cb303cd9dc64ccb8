// scanner.cpp - the expression scanner: operator words, name expansion, tokens.
//
// The formula is prepared in a 1000-character buffer: every operator character becomes
// a word of its own ("c+", "c(", ...) between blanks; names of the user-function file
// and then of the units file are replaced by their bodies, restarting from the start
// after every replacement; finally the text is cut into word and number nodes.
#include "engine/scanner.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_set>

#include "app/output.h"
#include "engine/driver.h"
#include "engine/library.h"
#include "engine/state.h"

const scanrules HANDLESTR_SCAN = {true, "err", true, true, 7, true, true};

enum { BUFSIZE = 1000, MAXREPLACE = 1000, TOKENTAKE = 50 };

static const unsigned char PLUSMINUS = 0xB1, DEGREE = 0xB0;

static const char *const ENGINEWORDS[] = {
    "plus", "minus", "root", "min", "max", "zer", "err", "sqrt", "sin", "cos", "tan", "tg",
    "asin", "acos", "atan", "exp", "ln", "abs", "Re", "Im", "conj", "phase", "log", "atanr",
    "lg10", "log10", "azeret", "func", "dln", "pi", "e", "E", "i", "rnd", "x", "y", "setxy",
    "plot", "qlot", "setrandf", "qetrandf", "qddd", "findx", "qindx", "findzer", "qindzer",
    "findmin", "qindmin", "qrom", "findmax", "qindmax", "integ", "qnteg", "qrot", "exitno",
    "exit", "quit", "stop", nullptr};

bool engineword(const char *w, unsigned n)
{
    static const wordset words(ENGINEWORDS);
    if (n >= 2 && w[0] == 'c' && (w[1] == '=' || w[1] == '%')) return true;
    return words.has(w, n);
}

// The word an operator character becomes, or null for other characters.
static const char *operword(unsigned char c, const scanrules &r, bool body)
{
    switch (c) {
    case '+': return "c+";
    case '-': return "c-";
    case '*': return "c*";
    case '/': return "c/";
    case '^': return "c^";
    case '!': return "c!";
    case '(': return "c(";
    case ')': return "c)";
    case '{': return "c{";
    case '}': return "c}";
    case '=': return "c=";
    case '%': return "c%";
    case ',': return r.comma && !body ? "c," : nullptr;
    case PLUSMINUS: return body ? nullptr : r.pm;
    default: return nullptr;
    }
}

// Rewrites text into prepared form: each operator character becomes a blank, its word
// and (but for "=" and "%") a blank. A formula ends at its first line end, carriage
// return or NUL; a body (from the user-function file) also turns "_" into a blank.
static std::string prepare(const char *in, const scanrules &r, bool body)
{
    std::string out;
    unsigned char prev = body ? ' ' : 0;
    // Text beyond the working buffer is not prepared: what fills it is too long already.
    for (const char *q = in; out.size() < BUFSIZE; q++) {
        unsigned char c = *q;
        if (c == '\n' && out.size() < 2) c = ' ';
        else if (c == '\n' || c == '\r' || c == 0) break;
        const char *w = operword(c, r, body);
        if ((c == '+' || c == '-') && (prev == 'e' || (prev == 'E' && r.signafterE))) w = nullptr;
        if (w) {
            out += ' ';
            out += w;
            if (c != '=' && c != '%') out += ' ';
        } else if (body && c == '_') {
            out += ' ';
        } else {
            out += (char)c;
        }
        prev = *q;
    }
    return out;
}

static bool letter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A name is never looked up right after "$" (the unit words are the engine's own), nor
// inside a word that is an engine word; at the first letter of a word it always is.
// 'inengine' keeps the answer for the word that starts at 'start' (-1: not known yet).
static bool lookupallowed(const char *buf, int p, int start, int &inengine)
{
    if (p > 0 && buf[p - 1] == '$') return false;
    if (start == p) return true;
    if (inengine < 0) {
        int e = p;
        while (buf[e] && buf[e] != ' ') e++;
        inengine = engineword(buf + start, e - start);
    }
    return !inengine;
}

static void toolong()
{
    *cout2 << "formula too long : ";
    exitno(1);
}

// The call that each buffer character belongs to: 0 for the typed formula, k for the
// body of the k-th user-function call spliced in. Its tokens carry it, so that "func"
// binds the placeholders of its own body.
static unsigned owner[BUFSIZE];
static unsigned calls;

// Replaces every defined name in 'buf' by its body. 'units' selects the units file
// (bodies inserted as they are) rather than the user-function file (bodies prepared).
static bool expand(char *buf, const char *path, bool units, const scanrules &r)
{
    int replaced = 0;
    std::string body;
    int start = 0, inengine = -1;
    for (int p = 0; p <= BUFSIZE - 2 && buf[p]; p++) {
        if (p == 0 || buf[p - 1] == ' ') {
            start = p;
            inengine = -1;
        }
        if (!units && (unsigned char)buf[p] == DEGREE) buf[p] = 'D';
        if (!letter(buf[p]) || !lookupallowed(buf, p, start, inengine)) continue;
        int n = 0;
        while (buf[p + n] && buf[p + n] != ' ') n++;
        int found = libfind(path, buf + p, n, body);
        if (found == LIB_NOFILE && units && r.openmsg)
            *cout2 << "Could'nt open units file " << path << "\n";
        if (found != LIB_FOUND) continue;
        if (units) {
            for (char &ch : body)
                if (ch == '_') ch = ' ';
        } else {
            body = prepare(body.c_str(), r, true);
        }
        size_t m = body.size(), rest = std::strlen(buf + p + n);
        if (p + m + 1 + rest > BUFSIZE - 1) {
            toolong();
            return false;
        }
        if (++replaced > MAXREPLACE) {
            *cout2 << "too many replacements , a definition may contain its own name : ";
            exitno(1);
            return false;
        }
        std::memmove(buf + p + m + 1, buf + p + n, rest + 1);
        std::memcpy(buf + p, body.data(), m);
        buf[p + m] = ' ';
        unsigned who = units ? owner[p] : ++calls;
        if (calls) {
            size_t moved = BUFSIZE - p - std::max<size_t>(m + 1, n);
            std::memmove(owner + p + m + 1, owner + p + n, moved * sizeof *owner);
            std::fill(owner + p, owner + p + m + 1, who);
        }
        // Positions in earlier words see the same names as before: go on from the
        // start of this word, as a new pass from the start would find nothing sooner.
        while (p > 0 && buf[p - 1] != ' ') p--;
        p--;
    }
    return true;
}

// The standard decimal conversion of a token. A plain decimal of at most 15 significant
// digits and 22 decimals is an exact integer over an exact power of ten: one correctly
// rounded division gives the same double as the library's correctly rounded conversion.
static double decimal(const char *t)
{
    static const double TEN[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                                 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char *c = t;
    bool neg = *c == '-', dot = false, any = false;
    if (neg) c++;
    long long m = 0;
    int significant = 0, decimals = 0;
    for (; *c; c++) {
        if (*c >= '0' && *c <= '9') {
            any = true;
            m = m * 10 + (*c - '0');
            if (m) significant++;
            if (dot) decimals++;
            if (significant > 15 || decimals > 22) return std::atof(t);
        } else if (*c == '.' && !dot) {
            dot = true;
        } else {
            return std::atof(t);
        }
    }
    if (!any) return std::atof(t);
    double v = (double)m / TEN[decimals];
    return neg ? -v : v;
}

// Cuts the prepared text into nodes appended at 'C'.
static bool tokenise(const char *buf)
{
    for (int p = 0; p <= BUFSIZE - 2 && buf[p];) {
        unsigned char c = buf[p];
        bool number = (c >= '0' && c <= '9') || c == '.' || (c == '-' && buf[p + 1] >= '0' && buf[p + 1] <= '9');
        bool word = letter(c) || (c && std::strchr("~@$+-*/^!()", c));
        if (c == ' ' || (!number && !word)) {
            p++;
            continue;
        }
        lm *n = newlm();
        if (!n) return false;
        C->next = n;
        n->prev = C;
        C = T = n;
        int take = 0;
        while (take < TOKENTAKE && buf[p + take] && buf[p + take] != ' ') take++;
        std::memcpy(n->text, buf + p, take < 49 ? take : 49);
        setowner(n, owner[p]);
        p += take;
        if (number) setnum(n, decimal(n->text));
        else n->kind = LM_WORD;
    }
    return true;
}

bool scanformula(char *formula, const scanrules &r)
{
    size_t len = std::strlen(formula);
    if (r.quotes && len > 0 && formula[len - 1] == '"') formula[len - 1] = ' ';
    if (r.quotes && len > 0 && formula[0] == '"') formula[0] = ' ';

    lm *head = newlm();
    if (!head) return false;
    S = C = head;

    std::string prepared = prepare(formula, r, false);
    prepared.append(r.tailblanks, ' ');
    if (prepared.size() > BUFSIZE - 1) {
        toolong();
        return false;
    }
    char buf[BUFSIZE];
    std::memcpy(buf, prepared.c_str(), prepared.size() + 1);
    if (calls) std::fill(owner, owner + BUFSIZE, 0u);  // all 0 unless the last formula had calls
    calls = 0;

    if (r.functions && FORMNAME[0] && !expand(buf, FORMNAME, false, r)) return false;
    if (!expand(buf, MACNAME, true, r)) return false;
    if (!tokenise(buf)) return false;

    S = head->next;
    if (S) S->prev = nullptr;
    delete head;
    return true;
}
