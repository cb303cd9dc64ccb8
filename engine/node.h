// node.h - the quantity node 'lm', the list routines every operation shares, and the
// error exits that abandon a list.
#ifndef QEV_NODE_H
#define QEV_NODE_H

#include <cstddef>
#include <new>

enum { LM_EMPTY = 0, LM_WORD = 1, LM_NUMBER = 2 };

// One node of a formula list, or one variable record. A number is mag*e^(i*phase)
// with error 'err' and six unit exponents: [0] mass, [1] time, [2] length,
// [3] temperature, [4] charge, [5] amount of substance.
struct lm {
    long double mag = 0, phase = 0, err = 0;
    char text[150] = {};      // token text, NUL-terminated
    float prio = 0;           // reduction priority of a word node
    long double units[6] = {};
    lm *next = nullptr, *prev = nullptr;
    char kind = LM_EMPTY;
    unsigned call = 0;        // the user-function call the token was spliced in by (0: typed)
    unsigned sens = 0, nsens = 0;  // its sensitivities to the error sources: 'nsens' terms
                                   // from 'sens' on in the term arena (sens.h); none: 0

    // Nodes come from a pool of freed nodes before the heap (not in sanitizer builds).
    static void *operator new(size_t size, const std::nothrow_t &) noexcept;
    static void *operator new(size_t size);
    static void operator delete(void *p) noexcept;
};

// Allocates an empty node. On exhaustion writes the two allocation messages,
// abandons the evaluation (error exit 1) and returns null; the caller returns at once.
lm *newlm();

// Copies value, error, units, text, kind, call and sensitivities of 'from' into 'to'
// (prio and links stay).
void copylm(lm *to, const lm *from);

// Sets 'n' to a plain number: kind LM_NUMBER, the given magnitude, phase 0, error 0.
void setnum(lm *n, long double mag);

// Unlinks X from the list that starts at 'S' (or from the chain it is in) and frees it.
void removelm(lm *x);

// Links a fresh node N after X (N.prev = X, N.next = X's old next).
void insertafter(lm *x, lm *n);

// A new word node with 'text' and priority, of the given call, linked after 'x'; null
// after the allocation error exit.
lm *wordafter(lm *x, const char *text, float prio, unsigned call = 0);

// A new number node (phase 0, error 0, no units) of the given call, linked after 'x';
// null after the allocation error exit.
lm *numberafter(lm *x, long double mag, unsigned call = 0);

// Frees every node of a list, walking 'next'.
void freelist(lm *first);

// Error exits: write "error #" and n to 'cout2', free the list at 'S', leave 'S', 'C'
// and 'T' null. The caller returns at once; the driver stops at its next test of 'S'.
void exitno(int n);
void exitno0(int n);

// True exactly when both strings are non-empty and equal.
bool comps(const char *a, const char *b);

// Frees the stored expression copy 'S2'.
void deleteS2();

// Sets the number of allocations after which 'newlm' fails (negative: never); for tests.
void failallocafter(long n);

#endif
