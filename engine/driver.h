// driver.h - the reduction driver: priorities, bracket removal, the reduction loop.
#ifndef QEV_DRIVER_H
#define QEV_DRIVER_H

#include <cstddef>
#include <string_view>
#include <unordered_set>

#include "engine/wordhash.h"

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

// Writes the syntax-error message for 'T' and takes error exit 1.
void syntaxerror();

// True for a word with one of the texts of 'list' (null-terminated).
bool oneof(const char *w, const char *const *list);

// A set of words that answers most questions by a word's first character and length
// alone, without hashing it.
struct wordset {
    explicit wordset(const char *const *list);
    bool has(const char *w, size_t n) const;

  private:
    unsigned short shapes[256] = {};  // bit k: some word of this first character has length k+1
    std::unordered_set<std::string_view, wordhash> words;
};

#endif
