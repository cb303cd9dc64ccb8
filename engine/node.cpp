// node.cpp - allocation and list routines for 'lm' nodes; the error exits.
#include "engine/node.h"

#include <cstring>
#include <new>

#include "base/output.h"
#include "engine/state.h"

static long allocsleft = -1;  // test hook: allocations before 'newlm' fails

#if defined(__SANITIZE_ADDRESS__)
#define QEV_POOL 0
#else
#define QEV_POOL 1
#endif

// Freed nodes, linked through their first bytes, for the next allocations.
static void *pool;

void *lm::operator new(size_t size, const std::nothrow_t &) noexcept
{
    if (QEV_POOL && pool) {
        void *p = pool;
        pool = *(void **)p;
        return p;
    }
    return ::operator new(size, std::nothrow);
}

void *lm::operator new(size_t size)
{
    void *p = operator new(size, std::nothrow);
    if (!p) throw std::bad_alloc();
    return p;
}

void lm::operator delete(void *p) noexcept
{
    if (!p) return;
    if (!QEV_POOL) return ::operator delete(p);
    *(void **)p = pool;
    pool = p;
}

void failallocafter(long n) { allocsleft = n; }

lm *newlm()
{
    lm *n = nullptr;
    if (allocsleft != 0) n = new (std::nothrow) lm;
    if (allocsleft > 0) allocsleft--;
    if (!n) {
        *cout2 << "Couldn't allocate memory ! (in overloaded global new)\n";
        *cout2 << "Try to reduce memory consumption , remove some applications or try a difrent comuter\n";
        exitno(1);
    }
    return n;
}

void copylm(lm *to, const lm *from)
{
    to->mag = from->mag;
    to->phase = from->phase;
    to->err = from->err;
    for (int k = 0; k < 6; k++) to->units[k] = from->units[k];
    std::memcpy(to->text, from->text, sizeof to->text);
    to->kind = from->kind;
    to->call = from->call;
    to->sens = from->sens;
    to->nsens = from->nsens;
}

void setnum(lm *n, long double mag)
{
    n->kind = LM_NUMBER;
    n->mag = mag;
    n->phase = 0;
    n->err = 0;
}

void removelm(lm *x)
{
    if (x == S) S = x->next;
    else if (x->prev) x->prev->next = x->next;
    if (x->next) x->next->prev = x->prev;
    delete x;
}

void insertafter(lm *x, lm *n)
{
    n->prev = x;
    n->next = x->next;
    if (x->next) x->next->prev = n;
    x->next = n;
}

lm *wordafter(lm *x, const char *text, float prio, unsigned call)
{
    lm *n = newlm();
    if (!n) return nullptr;
    n->kind = LM_WORD;
    std::strcpy(n->text, text);
    n->prio = prio;
    n->call = call;
    insertafter(x, n);
    return n;
}

lm *numberafter(lm *x, long double mag, unsigned call)
{
    lm *n = newlm();
    if (!n) return nullptr;
    setnum(n, mag);
    n->call = call;
    insertafter(x, n);
    return n;
}

void freelist(lm *first)
{
    while (first) {
        lm *n = first->next;
        delete first;
        first = n;
    }
}

static void errorexit(int n)
{
    *cout2 << "error #" << n;
    lastprint.exited = true;
    freelist(S);
    S = C = T = nullptr;
}

void exitno(int n) { errorexit(n); }
void exitno0(int n) { errorexit(n); }

bool comps(const char *a, const char *b)
{
    return a[0] && b[0] && std::strcmp(a, b) == 0;
}

void deleteS2()
{
    freelist(S2);
    S2 = nullptr;
}
