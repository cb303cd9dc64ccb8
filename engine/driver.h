// driver.h - the reduction driver: priorities, bracket removal, the reduction loop.
#ifndef QEV_DRIVER_H
#define QEV_DRIVER_H

#include <cstddef>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/node.h"

// One row of a dispatch table: a word and its operation. A table ends with a null word.
struct dispatchrow {
    const char *word;
    void (*op)();
};

// How an evaluator reduces its list; 'handlestr' and its variants differ here.
struct reducerules {
    void (*priorities)();        // Step 1: priorities and rewriting of the list at 'S'
    bool normalise;              // operand normalisation before each operation
    const dispatchrow *table;    // words and operations (exact match)
    void (*store)();             // word "c=" + name; null: not available
    void (*recall)();            // word "c%" + name; null: not available
    void (*print)();             // prints and frees what is left
};

extern const reducerules HANDLESTR_REDUCE;

// Priorities of 'handlestr': bracket levels, unary minus, unit braces, function bonus.
void priorities();

// Removes the bracket words "(", ")", "{", "}" from the list.
void removebrackets();

// Reduces the list at 'S' until no word is left to reduce, then prints it.
void reduce(const reducerules &r);

// Operand normalisation around 'T': numbers within two nodes get a non-negative
// magnitude, every node a non-negative error.
void normalise();

// The same for one node: a negative magnitude becomes a half turn of phase.
void normalised(lm *n);

// Writes the syntax-error message for 'T' and takes error exit 1.
void syntaxerror();

// A table of words: a word is looked for only among the few of its first character,
// and only when some of them have its length.
template <class V> class wordtable {
  public:
    // Adds a word; the first value given for a word stays.
    void add(std::string_view w, V v)
    {
        if (w.empty() || find(w.data(), w.size())) return;
        shapes[(unsigned char)w[0]] |= shape(w.size());
        rows[(unsigned char)w[0]].emplace_back(w, v);
    }
    const V *find(const char *w, size_t n) const
    {
        if (!n || !(shapes[(unsigned char)w[0]] & shape(n))) return nullptr;
        for (const auto &row : rows[(unsigned char)w[0]])
            if (row.first.size() == n && std::memcmp(row.first.data(), w, n) == 0) return &row.second;
        return nullptr;
    }
    // The same for a NUL-terminated word.
    const V *find(const char *w) const
    {
        for (const auto &row : rows[(unsigned char)w[0]]) {
            const char *a = row.first.data();
            size_t n = row.first.size(), k = 1;
            while (k < n && a[k] == w[k]) k++;
            if (k == n && !w[n]) return &row.second;
        }
        return nullptr;
    }

  private:
    static unsigned shape(size_t n) { return n <= 31 ? 1u << (n - 1) : 1u << 31; }
    unsigned shapes[256] = {};  // bit k: some word of this first character has length k+1
    std::vector<std::pair<std::string_view, V>> rows[256];
};

// A set of words, from a null-terminated list.
struct wordset {
    explicit wordset(const char *const *list);
    bool has(const char *w, size_t n) const { return words.find(w, n); }
    bool has(const char *w) const { return words.find(w); }

  private:
    wordtable<bool> words;
};

#endif
