// sens.h - sensitivities: what carries errors in quadrature from the error sources to
// every value that depends on them.
//
// With errors in quadrature ('gaussmode'), every error attached to a value is a source
// of its own: a real deviation, of the attached size per standard deviation, along the
// direction of the value. A number carries, for each source k it depends on, the complex
// term c_k = (dv/d delta_k)*sigma_k, in a list sorted by source; its error is
// sqrt(sum |c_k|^2). A stored variable keeps its list, so two uses of it are correlated
// exactly ("%a-%a" is 0 with error 0).
//
// The lists live in one arena of terms; a node names its own by 'sens' (first term) and
// 'nsens' (count). A list never changes once made, so nodes may share one and 'copylm'
// copies the reference. Outside quadrature mode no list is ever made: the arena is not
// touched and every node of a formula has 'nsens' 0. During an evaluation the arena
// grows; 'sensgc' keeps only what the formula list, the stored copy and the variables
// still name.
#ifndef QEV_SENS_H
#define QEV_SENS_H

#include <complex>
#include <cstddef>
#include <vector>

#include "engine/node.h"

typedef std::complex<long double> cval;

// One term of a list: the source and its complex contribution.
struct sterm {
    unsigned long long src;
    long double re, im;
};

// The terms of one list, as a node names them.
struct senslist {
    unsigned sens = 0, nsens = 0;
};

// Sources of library entries have this bit; the others are numbered from 1 ('nextsource').
const unsigned long long LIBSOURCE = 1ull << 63;

// The complex value mag*e^(i*phase) of a number node.
cval valueof(const lm *n);

// A source of its own, never used before in this run.
unsigned long long newsource();

// The source of the 'k'-th error word in the body of the entry 'name' (n characters)
// of the library file 'path': the same for every use of the entry.
unsigned long long libsource(const char *path, const char *name, size_t n, int k);

// The list of a node.
senslist sensof(const lm *n);

// The first source of a list (an error word's own source); 0 for an empty list.
unsigned long long firstsource(const lm *n);

// 'n' depends on the source 'src' alone: its list is that one term and its error |c|.
void setsource(lm *n, unsigned long long src, cval c);

// The list of 'n' becomes a1*A + b1*conj(A) + a2*B + b2*conj(B), term by term and source
// by source (a map linear over the reals: a holomorphic function has b = 0), and its
// error the quadrature sum of the result. A term that is 0 stays 0 whatever its factor
// (an exact value stays exact); a part that cancels to within the rounding of what it
// was made of is 0, and terms that come to 0 are dropped.
void setsens(lm *n, senslist A, cval a1, cval b1, senslist B = senslist(), cval a2 = 0, cval b2 = 0);

// The sign of a value's direction: its magnitude's sign times e^(i*phase), the unit
// along which an error attached to it deviates.
cval direction(const lm *n);

// Compacts the arena to the lists named by the formula list at 'S', the stored copy at
// 'S2' and the variables, when it has grown past its bound (always when 'force'). Only
// where every list in use is named by one of them: before an evaluation, and before a
// new sample of an analysis word is spliced in (a single formula makes a bounded number
// of lists; a sampling makes them without end).
void sensgc(bool force = false);

// The lists of 256 variable records copied into 'to' and the records' references moved
// there; the variables' lists from a copy made so, as the arena's only lists; true when
// the lists of two variable records of two such copies hold the same terms.
void savesens(lm *vars, std::vector<sterm> &to);
void loadsens(const std::vector<sterm> &from);
bool samesens(const lm &a, const std::vector<sterm> &ta, const lm &b, const std::vector<sterm> &tb);

// The number of terms in the arena; for tests.
size_t sensterms();

#endif
