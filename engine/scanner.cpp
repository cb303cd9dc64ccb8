// scanner.cpp - the expression scanner: operator words, name expansion, tokens.
//
// The formula is prepared in a 1000-character buffer: every operator character becomes
// a word of its own ("c+", "c(", ...) between blanks; names of the user-function file
// and then of the units file are replaced by their bodies, restarting from the start
// after every replacement; finally the text is cut into word and number nodes.
#include "engine/scanner.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/output.h"
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
    "exit", "quit", "stop"};

bool engineword(const char *w, unsigned n)
{
    if (n >= 2 && w[0] == 'c' && (w[1] == '=' || w[1] == '%')) return true;
    for (const char *e : ENGINEWORDS)
        if (std::strlen(e) == n && std::memcmp(e, w, n) == 0) return true;
    return false;
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
// Text beyond the working buffer is not prepared: what fills it is too long already.
static std::string prepare(const char *in, const scanrules &r, bool body)
{
    std::string out;
    unsigned char prev = body ? ' ' : 0;
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
// inside a word that is an engine word ('engine'); at the first letter of a word it
// always is. The word around p starts at 's'.
static bool lookupallowed(const char *buf, int p, int s, bool engine)
{
    if (p > 0 && buf[p - 1] == '$') return false;
    return s == p || !engine;
}

static void toolong()
{
    *cout2 << "formula too long : ";
    exitno(1);
}

// The call that each buffer character belongs to: 0 for the typed formula, k for the
// body of the k-th user-function call spliced in. Its tokens carry it, so that "func"
// binds the placeholders of its own body.
static std::vector<unsigned> owner;
static unsigned calls;

// Replaces every defined name in 'buf' by its body, looking again from the start of the
// text after every replacement. 'units' selects the units file (bodies inserted as they
// are) rather than the user-function file (bodies prepared).
static bool expand(char *buf, const char *path, bool units, const scanrules &r)
{
    int replaced = 0;
    int s = 0, e = 0;     // the word around p: from s up to the blank or end at e
    bool engine = false;  // that word is an engine word
    for (int p = 0; p <= BUFSIZE - 2 && buf[p]; p++) {
        if (!units && (unsigned char)buf[p] == DEGREE) buf[p] = 'D';
        if (p >= e) {
            for (s = e = p; buf[e] && buf[e] != ' ';) e++;
            engine = engineword(buf + s, e - s);
        }
        if (!letter(buf[p]) || !lookupallowed(buf, p, s, engine)) continue;
        int n = e - p;
        std::string body;
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
        std::string spliced = std::string(buf, p) + body + ' ' + (buf + p + n);
        if (spliced.size() > BUFSIZE - 1) {
            toolong();
            return false;
        }
        if (++replaced > MAXREPLACE) {
            *cout2 << "too many replacements , a definition may contain its own name : ";
            exitno(1);
            return false;
        }
        std::memcpy(buf, spliced.c_str(), spliced.size() + 1);
        unsigned who = units ? owner[p] : ++calls;
        owner.erase(owner.begin() + p, owner.begin() + p + n);
        owner.insert(owner.begin() + p, body.size() + 1, who);
        owner.resize(BUFSIZE);
        // Looking again from the start finds nothing before the word that held the name:
        // the text up to the blank before it did not change.
        p = s - 1;
        e = 0;
    }
    return true;
}

// Cuts the prepared text into nodes appended at 'C'.
static bool tokenise(const char *buf)
{
    for (int p = 0; p <= BUFSIZE - 2 && buf[p];) {
        unsigned char c = buf[p];
        bool number = (c >= '0' && c <= '9') || c == '.' || (c == '-' && buf[p + 1] >= '0' && buf[p + 1] <= '9');
        bool word = letter(c) || std::strchr("~@$+-*/^!()", c);
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
        if (number) setnum(n, std::atof(n->text));
        else n->kind = LM_WORD;
    }
    return true;
}

bool scanformula(char *formula, const scanrules &r)
{
    size_t len = std::strlen(formula);
    if (r.quotes && len > 0 && formula[len - 1] == '"') formula[len - 1] = ' ';
    if (r.quotes && len > 0 && formula[0] == '"') formula[0] = ' ';

    libnewformula();
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
    owner.assign(BUFSIZE, 0);
    calls = 0;

    if (r.functions && FORMNAME[0] && !expand(buf, FORMNAME, false, r)) return false;
    if (!expand(buf, MACNAME, true, r)) return false;
    if (!tokenise(buf)) return false;

    S = head->next;
    if (S) S->prev = nullptr;
    delete head;
    return true;
}
