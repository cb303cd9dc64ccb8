// functions.cpp - the elementary functions of complex quantities: exponential and
// logarithms, square root, the trigonometric functions and their inverses, and the
// parts of a number (abs, conj, Re, Im, phase).
//
// A function word T takes the number after it (two numbers for "log" and "atanr"),
// becomes the number node of the result and frees its arguments. Results are principal
// values computed in double precision. Errors propagate to first order through the
// derivative, taken at the argument's magnitude r as if it were real; an argument
// without error gives a result without error. Only "sqrt" keeps units (halved).
#include <algorithm>
#include <complex>

#include "base/output.h"
#include "engine/numeric.h"
#include "engine/operand.h"
#include "engine/ops.h"
#include "engine/state.h"

typedef std::complex<double> cplx;

static const long double LN10 = std::log(10.0);  // double ln 10, widened

struct fnmsgs {
    const char *nothing;  // the argument is missing
    const char *cant;     // the argument is not a number
    const char *units;    // the argument has units (null: no warning)
};

#define UNITHINT(f) f " of units :devide by something with the same units example is " f \
    "(4 Joule/(503.15 {\xF8k^(1)} R)) "

static const fnmsgs EXP = {"nothing to exp : ", "cant exp comands : ",
    "exp of units : devide the power by something with the same units a good example is "
    "exp(4 Joule/(503.15 {\xF8k^(1)} R))"};
static const fnmsgs LN = {"nothing to ln : ", "cant ln comands : ",
    "ln of units :devide by something with the same units example is ln(4 Joule/(503.15 {\xF8k^(1)} R)) "};
static const fnmsgs LOG10 = {"nothing to log10 : ", "cant log10 comands : ",
    "log10 of units :devide by something with the same units example is log(4 Joule/(503.15 {\xF8k^(1)} R)) "};
static const fnmsgs LOG = {"nothing to log : ", "cant log comands : ", nullptr};
static const fnmsgs SQRT = {"nothing to sqrt : ", "cant sqrt comands : ", nullptr};
static const fnmsgs SIN = {"nothing to sin : ", "cant sin comands : ", UNITHINT("sin")};
static const fnmsgs COS = {"nothing to cos : ", "cant cos comands : ", UNITHINT("cos")};
static const fnmsgs TAN = {"nothing to tan : ", "cant tan comands : ", UNITHINT("tan")};
static const fnmsgs ASIN = {"nothing to asin : ", "cant asin comands : ", UNITHINT("asin")};
static const fnmsgs ACOS = {"nothing to acos : ", "cant acos comands : ", UNITHINT("acos")};
static const fnmsgs ATAN = {"nothing to atan : ", "cant atan comands : ", UNITHINT("atan")};
static const fnmsgs ATANR = {"nothing to log : ", "cant atanr comands : ", nullptr};
static const fnmsgs ABS = {"nothing to abs : ", "cant abs comands : ", nullptr};
static const fnmsgs CONJ = {"nothing to Conj : ", "cant Conj comands : ", nullptr};
static const fnmsgs RE = {"nothing to Re : ", "cant Re comands : ", nullptr};
static const fnmsgs IM = {"nothing to Im : ", "cant Im comands : ", nullptr};
static const fnmsgs PHASE = {"phase of nothing : ", "cant get phase of comands use (): ", nullptr};

/* ---------------------------------------------------------------- frame */


// The argument T.next of a one-argument function, after writing the unit warning
// where the function has one; null after an error exit.
static lm *argument(const fnmsgs &m)
{
    lm *N = T->next;
    if (!N || N->kind != LM_NUMBER) {
        *cout2 << (N ? m.cant : m.nothing);
        exitno0(1);
        return nullptr;
    }
    if (m.units && hasunits(N)) *cout2 << m.units;
    return N;
}

// The arguments A = T.next and B = A.next of "log" and "atanr"; false after an error exit.
static bool arguments(const fnmsgs &m, lm *&A, lm *&B)
{
    A = T->next;
    B = A ? A->next : nullptr;
    return numberpair(A, B, m.nothing, m.cant);
}

// T becomes the result; the 'count' argument nodes after it are unlinked and freed.
static void result(long double mag, long double phase, long double err, int count)
{
    T->mag = mag;
    T->phase = phase;
    T->err = std::abs(err);
    T->kind = LM_NUMBER;
    for (int k = 0; k < count; k++) removelm(T->next);
}

/* ---------------------------------------------------------------- complex helpers */

// The modulus of re + i*im, the sum of squares rounded to double before the root.
static long double modulus(long double re, long double im) { return dsqrt((double)(re * re + im * im)); }

// A number as a double-precision complex value, its phase taken in (-pi, pi] first: a
// real number, negative ones too, lies on the upper side of a cut along the real axis.
static cplx cvalue(const lm *N)
{
    long double th = principal(N->phase);
    return cplx((double)(N->mag * dcos(th)), (double)(N->mag * dsin(th)));
}

// Stores a complex result in polar form and frees the argument.
static void cresult(cplx w, long double err)
{
    result(std::abs(w), atanr(w.imag(), w.real()), err, 1);
}

// The principal natural logarithm of N: real part 'mlog'(r), imaginary part the phase
// in (-pi, pi]. False after the error exit of 'mlog'.
static bool logof(const lm *N, long double &re, long double &im)
{
    re = mlog(N->mag);
    if (!S) return false;
    im = principal(N->phase);
    return true;
}

/* ---------------------------------------------------------------- exponential, logarithms */

// e^z: magnitude e^x, phase y; error e^x*sigma.
void C_exp()
{
    lm *N = argument(EXP);
    if (!N) return;
    long double x = N->mag * dcos(N->phase), y = N->mag * dsin(N->phase);
    long double ex = dexp(x);
    result(ex, y, term(N->err, ex), 1);
}

// ln z = ln r + i*theta; error sigma/r. ln 0 has an infinite magnitude.
void C_ln()
{
    lm *N = argument(LN);
    if (!N) return;
    long double L, th;
    if (!logof(N, L, th)) return;
    result(modulus(L, th), atanr(th, L), term(N->err, 1 / N->mag), 1);
}

// lg z = ln z / ln 10; error sigma/(r*ln 10).
void C_log10()
{
    lm *N = argument(LOG10);
    if (!N) return;
    long double L, th;
    if (!logof(N, L, th)) return;
    L = L / LN10;
    th = th / LN10;
    result(modulus(L, th), atanr(th, L), term(N->err, 1 / (N->mag * LN10)), 1);
}

// The logarithm of B to base A, ln B / ln A; error
// sigma_B/(r_B*|ln A|) + |ln B|*sigma_A/(r_A*|ln A|^2).
void C_log()
{
    lm *A, *B;
    if (!arguments(LOG, A, B)) return;
    long double La, tha, Lb, thb;
    if (!logof(A, La, tha) || !logof(B, Lb, thb)) return;
    long double ma = modulus(La, tha), mb = modulus(Lb, thb);
    long double err = std::abs(term(B->err, 1 / (B->mag * ma))) + std::abs(term(A->err, mb / (A->mag * ma * ma)));
    result(mb / ma, atanr(thb, Lb) - atanr(tha, La), err, 2);
}

/* ---------------------------------------------------------------- square root */

// The principal root: magnitude sqrt r, half the phase in (-pi, pi], half the unit
// exponents; error sigma/(2*sqrt r).
void C_sqrt()
{
    lm *N = argument(SQRT);
    if (!N) return;
    long double m = dsqrt(N->mag);
    for (int k = 0; k < 6; k++) T->units[k] = N->units[k] * 0.5L;
    result(m, principal(N->phase) / 2, term(N->err, 0.5L / m), 1);
}

/* ---------------------------------------------------------------- trigonometric functions */

// sin z; error cos(r)*sigma.
void C_sin()
{
    lm *N = argument(SIN);
    if (!N) return;
    cresult(std::sin(cvalue(N)), term(N->err, dcos(N->mag)));
}

// cos z; error sin(r)*sigma.
void C_cos()
{
    lm *N = argument(COS);
    if (!N) return;
    cresult(std::cos(cvalue(N)), term(N->err, dsin(N->mag)));
}

// tan z; error sigma/cos(r)^2.
void C_tan()
{
    lm *N = argument(TAN);
    if (!N) return;
    long double c = dcos(N->mag);
    cresult(std::tan(cvalue(N)), term(N->err, 1 / (c * c)));
}

// Error of arcsine and arccosine: sigma/sqrt(1 - r^2), or pi/2 beyond |r| = 1.
static long double arcerr(const lm *N)
{
    if (N->err == 0) return 0;
    if (N->mag > 1 || N->mag < -1) return PI2;
    return N->err / dsqrt((double)(1 - N->mag * N->mag));
}

// The principal arcsine, real part in [-pi/2, pi/2]; cuts beyond -1 and 1.
void C_asin()
{
    lm *N = argument(ASIN);
    if (!N) return;
    cresult(std::asin(cvalue(N)), arcerr(N));
}

// The principal arccosine, real part in [0, pi]; cuts beyond -1 and 1.
void C_acos()
{
    lm *N = argument(ACOS);
    if (!N) return;
    cresult(std::acos(cvalue(N)), arcerr(N));
}

// The principal arctangent, real part in [-pi/2, pi/2]; cuts beyond -i and i.
// Error sigma/(1 + r^2).
void C_atan()
{
    lm *N = argument(ATAN);
    if (!N) return;
    cresult(std::atan(cvalue(N)), term(N->err, 1 / (1 + N->mag * N->mag)));
}

// The angle of the point (Re A, Re B) in the range of 'atanr', held as a magnitude
// with phase 0 or -pi; no error.
void C_atanr()
{
    lm *A, *B;
    if (!arguments(ATANR, A, B)) return;
    long double phi = atanr(repart(B->mag, B->phase), repart(A->mag, A->phase));
    if (phi < 0) result(-phi, -PI, 0, 2);
    else result(phi, 0, 0, 2);
}

/* ---------------------------------------------------------------- parts */

void C_abs()
{
    lm *N = argument(ABS);
    if (!N) return;
    result(N->mag, 0, N->err, 1);
}

void C_Conj()
{
    lm *N = argument(CONJ);
    if (!N) return;
    result(N->mag, -N->phase, N->err, 1);
}

// The real part as a magnitude of phase 0 (negative for a negative part).
void C_Re()
{
    lm *N = argument(RE);
    if (!N) return;
    result(N->mag * dcos(N->phase), 0, N->err, 1);
}

void C_Im()
{
    lm *N = argument(IM);
    if (!N) return;
    result(N->mag * dsin(N->phase), 0, N->err, 1);
}

// The phase as stored, not reduced; error sigma/r.
void C_phase()
{
    lm *N = argument(PHASE);
    if (!N) return;
    result(N->phase, 0, term(N->err, 1 / N->mag), 1);
}
