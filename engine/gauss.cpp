// gauss.cpp - the operations with errors in quadrature.
//
// Each runs the operation of the linear model, which makes the value, the units, the
// warnings and the error exits, and then gives the result the sensitivities of its
// operands mapped through the operation's first derivatives (sens.h). For a function
// analytic in its operand the map is multiplication by the complex derivative; for the
// parts of a number (abs, conj, Re, Im, phase) and the angle "atanr", which are not, it
// is their derivative as functions of the real and imaginary parts, written as
// a*dz + b*conj(dz). The error of the result is the quadrature sum of its terms.
//
// An error attached with "err" or the plus-minus sign is a source of its own; the
// scanner gives each error word its source (the same one for every use of a library
// entry's error), so that a sampled expression keeps its sources from sample to sample.
#include "engine/gauss.h"

#include <cmath>
#include <cstring>
#include <deque>
#include <vector>

#include "engine/numeric.h"
#include "engine/ops.h"
#include "engine/sens.h"
#include "engine/state.h"

void givesource(lm *n)
{
    if (n->kind == LM_NUMBER && n->err != 0 && n->nsens == 0) {
        long double e = std::abs(n->err);
        setsource(n, newsource(), e * direction(n));
        n->err = e;
    }
}

/* ---------------------------------------------------------------- frames */

// An operand as it was before the operation: its value, as stored and as a complex
// number, and its list.
struct operand {
    long double mag = 0, phase = 0;
    cval z;
    senslist l;
};

static operand before(lm *n)
{
    givesource(n);
    operand o;
    o.mag = n->mag;
    o.phase = n->phase;
    o.z = valueof(n);
    o.l = sensof(n);
    return o;
}

// The derivatives of a result v of the operands A (and B): dv = a1*dA + b1*conj(dA)
// + a2*dB + b2*conj(dB).
struct jacobian {
    cval a1 = 0, b1 = 0, a2 = 0, b2 = 0;
};

typedef jacobian (*derivative)(const operand &A, const operand &B, const lm *V);

static bool isnumber(const lm *n) { return n && n->kind == LM_NUMBER; }

// A number without error: it makes no sensitivities, and an operation of such numbers
// is the linear model's.
static bool exact(const lm *n) { return n->nsens == 0 && n->err == 0; }

// The result V of two operands gets their lists mapped by D; after an error exit,
// nothing.
static void mapped(lm *V, const operand &A, const operand &B, derivative D)
{
    if (!S) return;
    jacobian j = D(A, B, V);
    setsens(V, A.l, j.a1, j.b1, B.l, j.a2, j.b2);
}

// A binary operator: L = T.prev and R = T.next, the result in L.
template <void (*OP)(), derivative D> static void binary()
{
    lm *L = T->prev, *R = T->next;
    if (!isnumber(L) || !isnumber(R) || (exact(L) && exact(R))) return OP();
    operand a = before(L), b = before(R);
    OP();
    mapped(L, a, b, D);
}

// A function of one argument T.next, the result in T.
template <void (*OP)(), derivative D> static void unary()
{
    lm *V = T, *N = T->next;
    if (!isnumber(N) || exact(N)) return OP();
    operand a = before(N);
    OP();
    mapped(V, a, operand(), D);
}

// A function of two arguments A = T.next and B = A.next, the result in T.
template <void (*OP)(), derivative D> static void twoargs()
{
    lm *V = T, *A = T->next, *B = A ? A->next : nullptr;
    if (!isnumber(A) || !isnumber(B) || (exact(A) && exact(B))) return OP();
    operand a = before(A), b = before(B);
    OP();
    mapped(V, a, b, D);
}

/* ---------------------------------------------------------------- arithmetic */

static jacobian dadd(const operand &, const operand &, const lm *)
{
    jacobian j;
    j.a1 = 1;
    j.a2 = 1;
    return j;
}

static jacobian dsub(const operand &, const operand &, const lm *)
{
    jacobian j;
    j.a1 = 1;
    j.a2 = -1;
    return j;
}

static jacobian dmult(const operand &L, const operand &R, const lm *)
{
    jacobian j;
    j.a1 = R.z;
    j.a2 = L.z;
    return j;
}

static jacobian ddiv(const operand &L, const operand &R, const lm *)
{
    jacobian j;
    j.a1 = (long double)1 / R.z;
    j.a2 = -L.z / (R.z * R.z);
    return j;
}

// The logarithm of a base as 'pow' and 'root' take it: ln r + i*theta with the phase
// in (-pi, pi] (a half turn added first for a negative magnitude), ln 0 as 'mlog' has it.
// A magnitude that is not a number has no logarithm: NaN, and no error exit, for the
// operation itself has run.
static cval baselog(const operand &n)
{
    long double r = n.mag, theta = n.phase;
    if (r < 0) {
        r = -r;
        theta = theta + PI;
    }
    long double lr = r > 0 ? std::log((double)r) : r == 0 ? (long double)-9e307 : r;
    return cval(lr, principal(theta));
}

// v = L^R = e^(R ln L): dv/dL = R*L^(R-1), dv/dR = v*ln L.
static jacobian dpow(const operand &L, const operand &R, const lm *V)
{
    cval ln = baselog(L);
    jacobian j;
    j.a1 = R.z * std::exp((R.z - (long double)1) * ln);
    j.a2 = valueof(V) * ln;
    return j;
}

// v = x^k, k = 1/n, with the index n = L and the radicand x = R: dv/dx = k*x^(k-1),
// dv/dn = -k^2*v*ln x.
static jacobian droot(const operand &L, const operand &R, const lm *V)
{
    cval ln = baselog(R), k = (long double)1 / L.z;
    jacobian j;
    j.a1 = -k * k * valueof(V) * ln;
    j.a2 = k * std::exp((k - (long double)1) * ln);
    return j;
}

// The factorial is flat between whole numbers: no error, no sensitivities.
static void gfactorial()
{
    lm *L = T->prev;
    Azeret();
    if (S && L) L->nsens = L->sens = 0;
}

// min, max and zer keep the list of the operand whose value they keep; a choice that
// takes R changes L's value (ties keep L).
template <void (*OP)()> static void choice()
{
    lm *L = T->prev, *R = T->next;
    if (!isnumber(L) || !isnumber(R) || (exact(L) && exact(R))) return OP();
    operand a = before(L), b = before(R);
    long double mag = L->mag, phase = L->phase;
    OP();
    if (!S) return;
    bool took = std::memcmp(&mag, &L->mag, 10) != 0 || std::memcmp(&phase, &L->phase, 10) != 0;
    const senslist &l = took ? b.l : a.l;
    L->sens = l.sens;
    L->nsens = l.nsens;
}

/* ---------------------------------------------------------------- errors, comma, variables */

// "a err s": a new source of the size of the error attached, along a's direction; the
// source of the error word when the scanner gave it one (a typed error, or an entry's).
template <void (*OP)()> static void gerror()
{
    lm *L = T->prev, *R = T->next;
    if (!isnumber(L) || !isnumber(R)) return OP();
    unsigned long long src = firstsource(T);
    OP();
    if (!S) return;
    long double s = L->err;
    L->nsens = L->sens = 0;
    if (s != 0) setsource(L, src ? src : newsource(), s * direction(L));
    L->err = s;
}

// The comma's number takes its list along.
static void gcomma()
{
    lm *V = T, *N = T->next;
    if (!isnumber(N)) return C_comma();
    operand a = before(N);
    C_comma();
    if (!S) return;
    V->sens = a.l.sens;
    V->nsens = a.l.nsens;
}

// A variable stored with linear errors is given a source of its own at its first use,
// so that all its uses share it.
static void gstore()
{
    if (!T->prev) givesource(&varib[0]);
    C_varib();
}

static void grecall()
{
    givesource(&varib[(unsigned char)T->text[2]]);
    C_varibp();
}

/* ---------------------------------------------------------------- functions */

static const long double LN10 = std::log(10.0);  // as the common logarithm divides

// Analytic functions: dv = f'(z)*dz.
template <cval (*F)(cval z, cval v)> static jacobian analytic(const operand &N, const operand &, const lm *V)
{
    jacobian j;
    j.a1 = F(N.z, valueof(V));
    return j;
}

static cval fexp(cval, cval v) { return v; }
static cval fln(cval z, cval) { return (long double)1 / z; }
static cval flog10(cval z, cval) { return (long double)1 / (z * LN10); }
static cval fsqrt(cval, cval v) { return (long double)0.5 / v; }
static cval fsin(cval z, cval) { return std::cos(z); }
static cval fcos(cval z, cval) { return -std::sin(z); }
static cval ftan(cval z, cval)
{
    cval c = std::cos(z);
    return (long double)1 / (c * c);
}
static cval fasin(cval z, cval) { return (long double)1 / std::sqrt((long double)1 - z * z); }
static cval facos(cval z, cval) { return (long double)-1 / std::sqrt((long double)1 - z * z); }
static cval fatan(cval z, cval) { return (long double)1 / ((long double)1 + z * z); }

// The logarithm of B to base A, v = ln B / ln A (principal logarithms): dv/dB =
// 1/(B ln A), dv/dA = -v/(A ln A).
static jacobian dlog(const operand &A, const operand &B, const lm *V)
{
    jacobian j;
    cval la = std::log(A.z);
    j.a2 = (long double)1 / (B.z * la);
    j.a1 = -valueof(V) / (A.z * la);
    return j;
}

// The angle of the point (Re A, Re B): d phi = (a dRe B - b dRe A)/(a^2 + b^2), and
// d Re z = (dz + conj(dz))/2.
static jacobian datanr(const operand &A, const operand &B, const lm *)
{
    long double a = A.z.real(), b = B.z.real(), q = a * a + b * b;
    jacobian j;
    j.a1 = j.b1 = -b / q / 2;
    j.a2 = j.b2 = a / q / 2;
    return j;
}

// |z|: d|z| = Re(conj(u) dz) with u = z/|z| (at 0 the direction of its phase), so that
// a negative real number has the slope -1. The argument comes with a magnitude of 0 or
// more (both evaluators normalise it).
static jacobian dabs(const operand &N, const operand &, const lm *)
{
    cval u = N.z == (long double)0 ? cval(exactre(1, N.phase), exactim(1, N.phase)) : N.z / std::abs(N.z);
    jacobian j;
    j.a1 = std::conj(u) / (long double)2;
    j.b1 = u / (long double)2;
    return j;
}

static jacobian dconj(const operand &, const operand &, const lm *)
{
    jacobian j;
    j.b1 = 1;
    return j;
}

static jacobian dre(const operand &, const operand &, const lm *)
{
    jacobian j;
    j.a1 = j.b1 = 0.5L;
    return j;
}

static jacobian dim(const operand &, const operand &, const lm *)
{
    jacobian j;
    j.a1 = cval(0, -0.5L);
    j.b1 = cval(0, 0.5L);
    return j;
}

// The phase: d theta = Im(dz/z).
static jacobian dphase(const operand &N, const operand &, const lm *)
{
    jacobian j;
    j.a1 = cval(0, -0.5L) / N.z;
    j.b1 = cval(0, 0.5L) / std::conj(N.z);
    return j;
}

/* ---------------------------------------------------------------- tables */

struct quadop {
    void (*op)();
    void (*quad)();
};

static const quadop QUADOPS[] = {
    {add, binary<add, dadd>}, {sub, binary<sub, dsub>}, {mult, binary<mult, dmult>}, {div, binary<div, ddiv>},
    {pow, binary<pow, dpow>}, {root, binary<root, droot>}, {Azeret, gfactorial},
    {MIN2, choice<MIN2>}, {MAX2, choice<MAX2>}, {ZERO2, choice<ZERO2>},
    {UE, gerror<UE>}, {UEP, gerror<UEP>}, {C_comma, gcomma}, {C_varib, gstore}, {C_varibp, grecall},
    {C_exp, unary<C_exp, analytic<fexp>>}, {C_ln, unary<C_ln, analytic<fln>>},
    {C_log10, unary<C_log10, analytic<flog10>>}, {C_log, twoargs<C_log, dlog>},
    {C_sqrt, unary<C_sqrt, analytic<fsqrt>>},
    {C_sin, unary<C_sin, analytic<fsin>>}, {C_cos, unary<C_cos, analytic<fcos>>},
    {C_tan, unary<C_tan, analytic<ftan>>}, {C_asin, unary<C_asin, analytic<fasin>>},
    {C_acos, unary<C_acos, analytic<facos>>}, {C_atan, unary<C_atan, analytic<fatan>>},
    {C_atanr, twoargs<C_atanr, datanr>},
    {C_abs, unary<C_abs, dabs>}, {C_Conj, unary<C_Conj, dconj>}, {C_Re, unary<C_Re, dre>},
    {C_Im, unary<C_Im, dim>}, {C_phase, unary<C_phase, dphase>},
};

void (*gaussop(void (*op)()))()
{
    for (const quadop &q : QUADOPS)
        if (q.op == op) return q.quad;
    return op;
}

void (*modeop(void (*op)()))() { return gaussmode ? gaussop(op) : op; }

const reducerules &gaussrules(const reducerules &r)
{
    struct made {
        const reducerules *from;
        std::vector<dispatchrow> rows;
        reducerules rules;
    };
    static std::deque<made> kept;
    for (const made &m : kept)
        if (m.from == &r) return m.rules;
    made &m = kept.emplace_back();
    m.from = &r;
    for (const dispatchrow *row = r.table; row->word; row++) m.rows.push_back({row->word, gaussop(row->op)});
    m.rows.push_back({nullptr, nullptr});
    m.rules = r;
    m.rules.table = m.rows.data();
    m.rules.store = r.store ? gaussop(r.store) : nullptr;
    m.rules.recall = r.recall ? gaussop(r.recall) : nullptr;
    return m.rules;
}

const reducerules &moderules(const reducerules &r) { return gaussmode ? gaussrules(r) : r; }
