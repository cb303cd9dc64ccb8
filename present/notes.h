// notes.h - what the front ends are told about a formula besides its answer: the
// rewrites made before the engine saw it, warnings and hints.
#ifndef QEV_NOTES_H
#define QEV_NOTES_H

#include <algorithm>
#include <string>
#include <vector>

struct notes {
    std::vector<std::string> rewrites;  // "from → to", in the order they were made
    std::vector<std::string> warnings;  // what may not mean what it seems
    std::vector<std::string> hints;     // after an error: what went wrong, how to write it

    // Each adds a note once.
    void rewrite(const std::string &from, const std::string &to) { once(rewrites, from + " \xE2\x86\x92 " + to); }
    void warn(const std::string &text) { once(warnings, text); }
    void hint(const std::string &text) { once(hints, text); }
    // Adds the notes of 'o' that are not here yet.
    void merge(const notes &o)
    {
        for (const std::string &t : o.rewrites) once(rewrites, t);
        for (const std::string &t : o.warnings) once(warnings, t);
        for (const std::string &t : o.hints) once(hints, t);
    }

  private:
    static void once(std::vector<std::string> &list, const std::string &text)
    {
        if (std::find(list.begin(), list.end(), text) == list.end()) list.push_back(text);
    }
};

#endif
