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

#include "base/output.h"
#include "engine/driver.h"
#include "engine/library.h"
#include "engine/sens.h"
#include "engine/state.h"
#include "engine/words.h"

const scanrules HANDLESTR_SCAN = {true, "err", true, true, 7, true, true};

enum { BUFSIZE = 1000, MAXREPLACE = 1000, TOKENTAKE = 50 };

static const unsigned char PLUSMINUS = 0xB1, DEGREE = 0xB0;

// Every word the other word tables name (words.h).
const char *const ENGINEWORDS[] = {
    "plus", "minus", "root", "min", "max", "zer", "err", "errpct", "sqrt", "sin", "cos", "tan", "tg",
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

// The word an operator character becomes, or null for other characters. In a body
// (from the user-function file) a comma stays glued to its neighbours; the plus-minus
// sign attaches an error there as in a typed formula.
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
    case PLUSMINUS: return r.pm;
    default: return nullptr;
    }
}

// Rewrites text into prepared form in 'out' (room for BUFSIZE + 4 characters, NUL
// included) and returns its length: each operator character becomes a blank, its word
// and (but for "=" and "%") a blank. A formula ends at its first line end, carriage
// return or NUL; a body (from the user-function file) also turns "_" into a blank.
static size_t prepare(const char *in, const scanrules &r, bool body, char *out)
{
    size_t n = 0;
    unsigned char prev = body ? ' ' : 0;
    // Text beyond the working buffer is not prepared: what fills it is too long already.
    for (const char *q = in; n < BUFSIZE; q++) {
        unsigned char c = *q;
        if (c == '\n' && n < 2) c = ' ';
        else if (c == '\n' || c == '\r' || c == 0) break;
        const char *w = operword(c, r, body);
        if ((c == '+' || c == '-') && (prev == 'e' || (prev == 'E' && r.signafterE))) w = nullptr;
        if (w) {
            out[n++] = ' ';
            while (*w) out[n++] = *w++;
            if (c != '=' && c != '%') out[n++] = ' ';
        } else if (body && c == '_') {
            out[n++] = ' ';
        } else {
            out[n++] = (char)c;
        }
        prev = *q;
    }
    out[n] = 0;
    return n;
}

static bool letter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

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

// The mark between an error word and the source of a library entry's error (in
// quadrature mode): never typed in a formula, never part of a name.
static const char SOURCETAG = '\x01';

static bool errorword(const char *w, size_t n)
{
    return (n == 3 && std::memcmp(w, "err", 3) == 0) || (n == 6 && std::memcmp(w, "errpct", 6) == 0) ||
           (n == 2 && w[0] == 'c' && (unsigned char)w[1] == PLUSMINUS);
}

// Copies a body of m characters to 'out', each error word followed by SOURCETAG and
// the decimal number of its source: the k-th error word of the entry 'name' (n
// characters) of the file 'path' has the same source wherever the entry is used.
// Returns the length of 'out'.
static size_t tagerrors(const char *body, size_t m, const char *path, const char *name, size_t n, std::string &out)
{
    out.clear();
    int k = 0;
    for (size_t p = 0; p < m;) {
        size_t q = p;
        while (q < m && body[q] != ' ') q++;
        out.append(body + p, q - p);
        if (errorword(body + p, q - p)) out += SOURCETAG + std::to_string(libsource(path, name, n, k++));
        for (p = q; p < m && body[p] == ' '; p++) out += ' ';
    }
    return out.size();
}

// One pass over the working buffer replacing every defined name by its body: 'units'
// selects the units file (bodies inserted as they are) rather than the user-function
// file (bodies prepared). A name is looked up at every letter of a word, and is the
// rest of the word; never right after "$" (the unit words are the engine's own), nor
// inside an engine word. After a replacement the pass goes on from the start of that
// word: positions in earlier words see the same names as before.
struct expander {
    char *buf;
    const char *path;
    bool units;
    const scanrules &r;
    size_t len;        // the length of the text in 'buf'
    int replaced = 0;  // replacements so far
    std::string body;
    char prepared[BUFSIZE + 4];  // a body of the user-function file, prepared
    std::string tagged;          // a body with its error words tagged (quadrature mode)

    expander(char *b, const char *f, bool u, const scanrules &rules)
        : buf(b), path(f), units(u), r(rules), len(std::strlen(b)) {}
    int word(int start, int end, int &grown);
    bool region(int start, int &end, int &growth);
};

// Looks up the names in the word buf[start, end) and replaces the first one found.
// Returns 1 after a replacement (the text grew by 'grown' characters), 0 when there was
// none, -1 after an error exit.
int expander::word(int start, int end, int &grown)
{
    int inengine = -1;
    for (int p = start; p < end && p <= BUFSIZE - 2; p++) {
        if (!units && (unsigned char)buf[p] == DEGREE) buf[p] = 'D';
        if (!letter(buf[p]) || (p > 0 && buf[p - 1] == '$')) continue;
        if (p != start) {
            if (inengine < 0) inengine = engineword(buf + start, end - start);
            if (inengine) continue;
        }
        int n = end - p;
        int found = libfind(path, buf + p, n, body);
        if (found == LIB_NOFILE && units && r.openmsg) *cout2 << "Could'nt open units file " << path << "\n";
        if (found != LIB_FOUND) continue;
        const char *text;
        size_t m;
        if (units) {
            for (char &ch : body)
                if (ch == '_') ch = ' ';
            text = body.data();
            m = body.size();
        } else {
            m = prepare(body.c_str(), r, true, prepared);
            text = prepared;
        }
        if (gaussmode) {
            m = tagerrors(text, m, path, buf + p, n, tagged);
            text = tagged.data();
        }
        size_t rest = std::strlen(buf + end);
        if (p + m + 1 + rest > BUFSIZE - 1) {
            toolong();
            return -1;
        }
        if (++replaced > MAXREPLACE) {
            *cout2 << "too many replacements , a definition may contain its own name : ";
            exitno(1);
            return -1;
        }
        std::memmove(buf + p + m + 1, buf + end, rest + 1);
        std::memcpy(buf + p, text, m);
        buf[p + m] = ' ';
        unsigned who = units ? owner[p] : ++calls;
        if (calls) {
            size_t moved = BUFSIZE - p - std::max<size_t>(m + 1, n);
            std::memmove(owner + p + m + 1, owner + end, moved * sizeof *owner);
            std::fill(owner + p, owner + p + m + 1, who);
        }
        grown = (int)(m + 1) - n;
        len += grown;
        return 1;
    }
    return 0;
}

// Expands the text from 'start' until the pass reaches 'end', which moves with the
// text; 'growth' is the most the text grew meanwhile. False after an error exit.
bool expander::region(int start, int &end, int &growth)
{
    int p = start, grown = 0, total = 0;
    growth = 0;
    while (p < end && p <= BUFSIZE - 2 && buf[p]) {
        if (buf[p] == ' ') {
            p++;
            continue;
        }
        int stop = p;
        while (buf[stop] && buf[stop] != ' ') stop++;
        int done = word(p, stop, grown);
        if (done < 0) return false;
        if (!done) {
            p = stop;
            continue;
        }
        end += grown;
        total += grown;
        growth = std::max(growth, total);
    }
    return true;
}

// A word's expansion depends on its text alone: it is remembered for the file. One
// that made replacements gives its characters the call of its first one, so it is
// remembered and reused only for words of one call.
static bool expand(char *buf, const char *path, bool units, const scanrules &r)
{
    expander x(buf, path, units, r);
    expansions *memo = libexpansions(path, (units ? 0 : 1) + (gaussmode ? 2 : 0));
    for (int p = 0; p <= BUFSIZE - 2 && buf[p];) {
        if (buf[p] == ' ') {
            p++;
            continue;
        }
        int end = p;
        bool named = false, onecall = true;
        for (; buf[end] && buf[end] != ' '; end++)
            named = named || letter(buf[end]) || (!units && (unsigned char)buf[end] == DEGREE);
        for (int k = p; calls && onecall && k < end; k++) onecall = owner[k] == owner[p];
        if (!named) {
            p = end;
            continue;
        }
        std::string_view word(buf + p, end - p);
        const expansion *e = memo ? memo->find(word) : nullptr;
        if (e && (onecall || !e->replacements) && x.replaced + e->replacements <= MAXREPLACE &&
            x.len + e->growth <= BUFSIZE - 1) {
            int n = end - p, m = (int)e->text.size();
            std::memmove(buf + p + m, buf + end, x.len - end + 1);
            std::memcpy(buf + p, e->text.data(), m);
            if (calls && e->replacements) {
                unsigned who = owner[p];
                std::memmove(owner + p + m, owner + end, (BUFSIZE - p - std::max(m, n)) * sizeof *owner);
                std::fill(owner + p, owner + p + m, who);
            }
            x.len += m - n;
            x.replaced += e->replacements;
            p += m;
            continue;
        }
        std::string key(word);
        int stop = end, growth, before = x.replaced;
        if (!x.region(p, stop, growth)) return false;
        int made = x.replaced - before;
        if (memo && (onecall || !made) && (units || !made))
            memo->add(key, expansion{std::string(buf + p, stop - p), made, growth});
        p = stop;
    }
    return true;
}

// The standard decimal conversion of a token; 'read' is the number of its characters
// the conversion took. A plain decimal of at most 15 significant digits and 22 decimals
// is an exact integer over an exact power of ten: one correctly rounded division gives
// the same double as the library's correctly rounded conversion.
static double decimal(const char *t, size_t &read)
{
    auto library = [&] {
        char *end;
        double v = std::strtod(t, &end);
        read = (size_t)(end - t);
        return v;
    };
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
            if (significant > 15 || decimals > 22) return library();
        } else if (*c == '.' && !dot) {
            dot = true;
        } else {
            return library();
        }
    }
    if (!any) return library();
    read = (size_t)(c - t);
    double v = (double)m / TEN[decimals];
    return neg ? -v : v;
}

// Notes in 'lastprint' text the tokeniser passes over.
static void passover(const char *text, size_t n, size_t read)
{
    std::vector<printrecord::passed> &p = lastprint.passedover;
    if (p.size() < printrecord::MAXPASSED) p.push_back({std::string(text, n), read});
}

// In quadrature mode an error word gets its source as its list: the one its tag names
// (an entry's error), or a new one (a typed error). Copies of the word share it.
static void errorsource(lm *n)
{
    char *tag = std::strchr(n->text, SOURCETAG);
    unsigned long long src = 0;
    if (tag) {
        src = std::strtoull(tag + 1, nullptr, 10);
        std::memset(tag, 0, n->text + sizeof n->text - tag);
    }
    if (errorword(n->text, std::strlen(n->text))) {
        setsource(n, src ? src : newsource(), 1);
        n->err = 0;
    }
}

// Cuts the prepared text into nodes appended at 'C'.
static bool tokenise(const char *buf)
{
    // Characters that begin a word or a number; '-' begins a number before a digit.
    static const struct classes {
        unsigned char of[256] = {};
        enum { WORD = 1, NUMBER = 2 };
        constexpr classes()
        {
            for (int c = 'A'; c <= 'Z'; c++) of[c] = of[c + 'a' - 'A'] = WORD;
            for (const char *c = "~@$+-*/^!()"; *c; c++) of[(unsigned char)*c] = WORD;
            for (int c = '0'; c <= '9'; c++) of[c] = NUMBER;
            of[(unsigned char)'.'] = NUMBER;
        }
    } CLASS;
    for (int p = 0; p <= BUFSIZE - 2 && buf[p];) {
        unsigned char c = buf[p];
        if (c == ' ') {
            p++;
            continue;
        }
        int kind = CLASS.of[c];
        if (c == '-' && buf[p + 1] >= '0' && buf[p + 1] <= '9') kind = classes::NUMBER;
        if (!kind) {
            passover(buf + p, 1, 0);
            p++;
            continue;
        }
        lm *n = newlm();
        if (!n) return false;
        C->next = n;
        n->prev = C;
        C = T = n;
        // The token is the word, cut to 49 characters; at most 50 of it are passed over.
        int take = 0;
        for (char t; take < TOKENTAKE && (t = buf[p + take]) && t != ' '; take++)
            if (take < 49) n->text[take] = t;
        n->call = owner[p];
        p += take;
        if (kind == classes::NUMBER) {
            size_t read, length = take < 49 ? take : 49;
            setnum(n, decimal(n->text, read));
            if (read < length) passover(n->text, length, read);
        } else {
            n->kind = LM_WORD;
        }
        if (gaussmode && kind == classes::WORD) errorsource(n);
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

    char buf[BUFSIZE + 4];
    size_t n = prepare(formula, r, false, buf);
    if (n + r.tailblanks > BUFSIZE - 1) {
        toolong();
        return false;
    }
    std::memset(buf + n, ' ', r.tailblanks);
    buf[n + r.tailblanks] = 0;
    if (calls) std::fill(owner, owner + BUFSIZE, 0u);  // all 0 unless the last formula had calls
    calls = 0;

    if (r.functions && !FORMNAME.empty() && !expand(buf, FORMNAME.c_str(), false, r)) return false;
    if (!expand(buf, MACNAME.c_str(), true, r)) return false;
    if (!tokenise(buf)) return false;

    S = head->next;
    if (S) S->prev = nullptr;
    delete head;
    return true;
}
