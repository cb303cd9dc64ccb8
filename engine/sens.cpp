// sens.cpp - the arena of sensitivity terms: making lists, combining them, compacting
// the arena, and copying the variables' lists for a saved state.
#include "engine/sens.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "engine/numeric.h"
#include "engine/state.h"

static std::vector<sterm> terms;        // every list made since the last compaction
static size_t bound = 1 << 16;          // the size at which 'sensgc' compacts

cval valueof(const lm *n) { return cval(exactre(n->mag, n->phase), exactim(n->mag, n->phase)); }

cval direction(const lm *n)
{
    long double s = n->mag < 0 ? -1 : 1;
    return cval(exactre(s, n->phase), exactim(s, n->phase));
}

unsigned long long newsource() { return ++nextsource; }

// FNV-1a over the file, the name and the number of the error word.
unsigned long long libsource(const char *path, const char *name, size_t n, int k)
{
    unsigned long long h = 0xcbf29ce484222325ull;
    auto add = [&h](const void *p, size_t len) {
        for (size_t j = 0; j < len; j++) h = (h ^ ((const unsigned char *)p)[j]) * 0x100000001b3ull;
    };
    add(path, std::strlen(path) + 1);
    add(name, n);
    add("", 1);
    add(&k, sizeof k);
    return h | LIBSOURCE;
}

senslist sensof(const lm *n)
{
    senslist l;
    l.sens = n->sens;
    l.nsens = n->nsens;
    return l;
}

unsigned long long firstsource(const lm *n) { return n->nsens ? terms[n->sens].src : 0; }

// Room for 'more' terms without moving the arena during a merge; the arena grows by
// doubling, never by a few terms at a time.
static void room(size_t more)
{
    size_t need = terms.size() + more;
    if (terms.capacity() < need) terms.reserve(std::max(need, 2 * terms.capacity()));
}

void setsource(lm *n, unsigned long long src, cval c)
{
    room(1);
    n->sens = (unsigned)terms.size();
    n->nsens = 1;
    terms.push_back({src, c.real(), c.imag()});
    n->err = std::abs(c);
}

// x*y, but 0 when either factor is 0 (an infinite factor does not make a zero term NaN).
static inline long double mul0(long double x, long double y) { return x == 0 || y == 0 ? 0 : x * y; }

// Adds a*c + b*conj(c) for the term c = t to (re, im), and the size of what was added
// up to 'size': the scale of its rounding.
static inline void mapterm(cval a, cval b, const sterm &t, long double &re, long double &im, long double &size)
{
    re += mul0(a.real(), t.re) - mul0(a.imag(), t.im) + mul0(b.real(), t.re) + mul0(b.imag(), t.im);
    im += mul0(a.real(), t.im) + mul0(a.imag(), t.re) + mul0(b.imag(), t.re) - mul0(b.real(), t.im);
    long double c = std::abs(t.re) + std::abs(t.im);
    size += mul0(std::abs(a.real()) + std::abs(a.imag()) + std::abs(b.real()) + std::abs(b.imag()), c);
}

// A term that cancels to within the rounding of the terms it is made of is 0: values
// and derivatives of the functions are good to double precision, so sin(a)^2 + cos(a)^2
// or the phase of a value with an error of its modulus keep no error of a few ulps.
static const long double NOISE = 16 * DBL_EPSILON;

void setsens(lm *n, senslist A, cval a1, cval b1, senslist B, cval a2, cval b2)
{
    room(A.nsens + B.nsens);
    size_t start = terms.size();
    unsigned i = A.sens, ie = A.sens + A.nsens, j = B.sens, je = B.sens + B.nsens;
    long double sum = 0;
    while (i < ie || j < je) {
        long double re = 0, im = 0, size = 0;
        unsigned long long src;
        if (j >= je || (i < ie && terms[i].src < terms[j].src)) {
            src = terms[i].src;
            mapterm(a1, b1, terms[i++], re, im, size);
        } else if (i >= ie || terms[j].src < terms[i].src) {
            src = terms[j].src;
            mapterm(a2, b2, terms[j++], re, im, size);
        } else {
            src = terms[i].src;
            mapterm(a1, b1, terms[i++], re, im, size);
            mapterm(a2, b2, terms[j++], re, im, size);
        }
        if (std::abs(re) <= NOISE * size) re = 0;
        if (std::abs(im) <= NOISE * size) im = 0;
        if (re == 0 && im == 0) continue;
        terms.push_back({src, re, im});
        sum += re * re + im * im;
    }
    n->nsens = (unsigned)(terms.size() - start);
    n->sens = n->nsens ? (unsigned)start : 0;
    n->err = std::sqrt(sum);
}

// Copies the list of 'n' from 'from' to the end of 'to' (once for lists that several
// nodes share) and points 'n' there.
static void keep(lm *n, const std::vector<sterm> &from, std::vector<sterm> &to,
                 std::unordered_map<unsigned, unsigned> &moved)
{
    if (!n->nsens) {
        n->sens = 0;
        return;
    }
    auto it = moved.find(n->sens);
    if (it == moved.end()) {
        unsigned at = (unsigned)to.size();
        to.insert(to.end(), from.begin() + n->sens, from.begin() + n->sens + n->nsens);
        it = moved.emplace(n->sens, at).first;
    }
    n->sens = it->second;
}

void sensgc(bool force)
{
    if (!force && terms.size() < bound) return;
    std::vector<sterm> kept;
    std::unordered_map<unsigned, unsigned> moved;
    for (lm *n = S; n; n = n->next) keep(n, terms, kept, moved);
    for (lm *n = S2; n; n = n->next) keep(n, terms, kept, moved);
    for (lm &v : varib) keep(&v, terms, kept, moved);
    terms.swap(kept);
    bound = std::max<size_t>(1 << 16, 4 * terms.size());
}

void savesens(lm *vars, std::vector<sterm> &to)
{
    to.clear();
    std::unordered_map<unsigned, unsigned> moved;
    for (int k = 0; k < 256; k++) keep(&vars[k], terms, to, moved);
}

void loadsens(const std::vector<sterm> &from)
{
    terms = from;
    bound = std::max<size_t>(1 << 16, 4 * terms.size());
}

// Terms compare by their source and the 80 value bits of each part.
bool samesens(const lm &a, const std::vector<sterm> &ta, const lm &b, const std::vector<sterm> &tb)
{
    if (a.nsens != b.nsens) return false;
    for (unsigned k = 0; k < a.nsens; k++) {
        const sterm &x = ta[a.sens + k], &y = tb[b.sens + k];
        if (x.src != y.src || std::memcmp(&x.re, &y.re, 10) != 0 || std::memcmp(&x.im, &y.im, 10) != 0)
            return false;
    }
    return true;
}

size_t sensterms() { return terms.size(); }
