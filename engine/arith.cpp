// arith.cpp - the arithmetic operators: sum, difference, product, quotient, power,
// root, factorial and the choices min, max and zer.
//
// Each reads L = T.prev and R = T.next, stores the result in L and frees R and T.
// Errors add to first order with signed terms combined before the absolute value;
// a unit mismatch in a sum or choice is a warning and L's units are kept.
#include <climits>
#include <cstring>

#include "base/output.h"
#include "engine/numeric.h"
#include "engine/operand.h"
#include "engine/ops.h"
#include "engine/state.h"

struct binmsgs {
    const char *nothing;  // an operand is missing
    const char *cant;     // an operand is not a number
    const char *units;    // the operands' units differ
};

static const binmsgs ADD = {"nothing to add (+,@): ", "cant add comands : ", "unit's error in adding : "};
static const binmsgs SUB = {"nothing to sub (/): ", "can't sub comands (/): ", "unit's error in - : "};
static const binmsgs MULT = {"nothing to multiply (*,~): ", "cant * comands : ", nullptr};
static const binmsgs DIV = {"nothing to divide : ", "cant add comands : ", nullptr};
static const binmsgs POW = {"nothing to ^ : ", "cant pow comands :(^) ", nullptr};
static const binmsgs ROOT = {"nothing to root : ", "cant root comands : ", nullptr};
static const binmsgs ADDMT = {"Nothing to add", "cant add comands : ", nullptr};
static const binmsgs CHOICE = {"nothing to min: ", "cant min comands : ", "unit's error in min : "};

bool numberpair(const lm *a, const lm *b, const char *nothing, const char *cant)
{
    if (!a || !b) {
        *cout2 << nothing;
        exitno0(1);
        return false;
    }
    if (a->kind != LM_NUMBER || b->kind != LM_NUMBER) {
        *cout2 << cant;
        exitno0(1);
        return false;
    }
    return true;
}

bool operands(const char *nothing, const char *cant) { return numberpair(T->prev, T->next, nothing, cant); }

static bool operands(const binmsgs &m) { return operands(m.nothing, m.cant); }

bool sameunits(const lm *a, const lm *b)
{
    for (int k = 0; k < 6; k++)
        if (a->units[k] != b->units[k]) return false;
    return true;
}

bool hasunits(const lm *n)
{
    for (int k = 0; k < 6; k++)
        if (n->units[k] != 0) return true;
    return false;
}

// Unit agreement test of sums and choices: a warning only.
static void unitcheck(const binmsgs &m)
{
    if (!sameunits(T->prev, T->next)) *cout2 << m.units;
}

void keepleft()
{
    T->prev->kind = LM_NUMBER;
    removelm(T->next);
    removelm(T);
    T = nullptr;
}

// L + s*R as complex numbers (s = 1 or -1), into L's magnitude and phase; real values
// that cancel give exactly 0.
static void complexsum(long double s)
{
    lm *L = T->prev, *R = T->next;
    long double x = s * exactre(R->mag, R->phase) + exactre(L->mag, L->phase);
    long double y = s * exactim(R->mag, R->phase) + exactim(L->mag, L->phase);
    L->mag = dsqrt((double)(x * x + y * y));
    L->phase = atanr(y, x);
}

void add()
{
    if (!operands(ADD)) return;
    unitcheck(ADD);
    lm *L = T->prev, *R = T->next;
    complexsum(1);
    L->err = std::abs(L->err + R->err);
    keepleft();
}

// The sum of the unit matching: as 'add', but operands of different units only mark
// the entry under test as a mismatch ('Match99' = 1), and the sum keeps L's error.
void addmt()
{
    if (!operands(ADDMT)) return;
    if (!sameunits(T->prev, T->next)) Match99 = 1;
    complexsum(1);
    keepleft();
}

void sub()
{
    if (!operands(SUB)) return;
    unitcheck(SUB);
    lm *L = T->prev, *R = T->next;
    complexsum(-1);
    L->err = std::abs(L->err + R->err);
    keepleft();
}

void mult()
{
    if (!operands(MULT)) return;
    lm *L = T->prev, *R = T->next;
    long double e = term(L->err, R->mag) + term(R->err, L->mag);
    L->mag = L->mag * R->mag;
    L->phase = L->phase + R->phase;
    L->err = std::abs(e);
    for (int k = 0; k < 6; k++) L->units[k] += R->units[k];
    keepleft();
}

void div()
{
    if (!operands(DIV)) return;
    lm *L = T->prev, *R = T->next;
    long double e = term(L->err, 1 / R->mag) + term(R->err, L->mag / (R->mag * R->mag));
    L->mag = L->mag / R->mag;
    L->phase = L->phase - R->phase;
    L->err = std::abs(e);
    for (int k = 0; k < 6; k++) L->units[k] -= R->units[k];
    keepleft();
}

// r*e^(i*theta) to the power c + i*s: magnitude r^c*e^(-s*theta), phase s*ln r + c*theta,
// with theta in (-pi, pi]: the principal power, whatever whole turns the phase holds
// (4 made as (-2)*(-2) has the phase 2pi, and its square root is 2). False after an
// error exit of 'mlog'.
static bool cpow(long double r, long double theta, long double c, long double s, long double &mag,
                 long double &phase)
{
    long double lr = s == 0 ? 0 : mlog(r);
    if (!S) return false;
    theta = principal(theta);
    mag = dpow(r, c) * dexp(-s * theta);
    phase = s * lr + c * theta;
    return true;
}

void pow()
{
    if (!operands(POW)) return;
    lm *L = T->prev, *R = T->next;
    if (hasunits(R)) *cout2 << "pow of units : ex: (a^(2 Meter))";
    long double r = L->mag, theta = L->phase;
    if (r < 0) {
        r = -r;
        theta = theta + PI;
    }
    long double c = exactre(R->mag, R->phase), s = exactim(R->mag, R->phase);
    long double mag, phase;
    if (!cpow(r, theta, c, s, mag, phase)) return;
    long double e = term(L->err, R->mag * dpow(L->mag, R->mag - 1));
    if (R->err != 0) {
        long double lm_ = mlog(L->mag);
        if (!S) return;
        e = e + dpow(L->mag, R->mag) * lm_ * R->err;
    }
    L->mag = mag;
    L->phase = phase;
    L->err = std::abs(e);
    for (int k = 0; k < 6; k++) L->units[k] = L->units[k] * c;
    keepleft();
}

// The n-th root of x: index n = L, radicand x = R; the result carries x's units
// scaled by the real part of 1/n.
void root()
{
    if (!operands(ROOT)) return;
    lm *L = T->prev, *R = T->next;
    if (hasunits(L)) *cout2 << "root left value can`t have units units : ";
    long double r = R->mag, theta = R->phase;
    if (r < 0) {
        r = -r;
        theta = theta + PI;
    }
    long double k = (long double)1 / L->mag, mu = -L->phase;
    long double c = exactre(k, mu), s = exactim(k, mu);
    long double mag, phase;
    if (!cpow(r, theta, c, s, mag, phase)) return;
    // d/dx x^(1/n) = x^(1/n-1)/n;  |d/dn x^(1/n)| = x^(1/n)*|ln x|/n^2
    long double e = term(R->err, k * dpow(R->mag, k - 1));
    if (L->err != 0) {
        long double lx = mlog(R->mag);
        if (!S) return;
        e = e + dpow(R->mag, k) * std::abs(lx) * k * k * L->err;
    }
    L->mag = mag;
    L->phase = phase;
    L->err = std::abs(e);
    for (int j = 0; j < 6; j++) L->units[j] = R->units[j] * c;
    keepleft();
}

// Postfix factorial of the truncated real part; 1 for every value up to 1.
void Azeret()
{
    lm *L = T->prev;
    if (!L || L->kind != LM_NUMBER) {
        *cout2 << (L ? "cant ! comands : " : "nothing to ! : ");
        exitno0(1);
        return;
    }
    if (hasunits(L)) *cout2 << "! of units :ex: (2 Meter)! ";
    if (L->phase < -1e-5 || L->phase > 1e-5) *cout2 << "! of complex # : ";
    long double re = L->mag * dcos(L->phase), p = 1;
    if (std::isnan(re)) {
        p = re;
    } else {
        // 1755! already overflows; larger counts only repeat the overflow
        long n = re >= 2000 ? 2000 : re <= INT_MIN ? INT_MIN : (long)(int)re;
        while (n > 1) {
            p = p * n;
            n = n - 1;
        }
    }
    L->mag = p;
    L->phase = 0;
    L->err = 0;
    L->kind = LM_NUMBER;
    removelm(T);
    T = nullptr;
}

// The choices keep L's units and take the chosen operand's value and error.
static void choose(bool takeR)
{
    lm *L = T->prev, *R = T->next;
    if (takeR) {
        L->mag = R->mag;
        L->phase = R->phase;
        L->err = std::abs(R->err);
    } else {
        L->err = std::abs(L->err);
    }
    keepleft();
}

void MIN2()
{
    if (!operands(CHOICE)) return;
    unitcheck(CHOICE);
    lm *L = T->prev, *R = T->next;
    choose(R->mag * dcos(R->phase) < L->mag * dcos(L->phase));
}

void MAX2()
{
    if (!operands(CHOICE)) return;
    unitcheck(CHOICE);
    lm *L = T->prev, *R = T->next;
    choose(R->mag * dcos(R->phase) > L->mag * dcos(L->phase));
}

void ZERO2()
{
    if (!operands(CHOICE)) return;
    unitcheck(CHOICE);
    lm *L = T->prev, *R = T->next;
    choose(R->mag < L->mag);
}
