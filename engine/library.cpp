// library.cpp - name lookup in the plain-text library files.
#include "engine/library.h"

#include <cstdio>
#include <cstring>

static bool blank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool libread(const char *path, std::string &text)
{
    text.clear();
    if (!path[0]) return false;
    std::FILE *f = std::fopen(path, "rb");
    if (!f) return false;
    char buf[65536];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0)
        for (size_t k = 0; k < got; k++)
            if (!blank((unsigned char)buf[k])) text += buf[k];
    std::fclose(f);
    return true;
}

// Entries are compared whole: the name of an entry is everything between its "#"
// and the first "=" (or the next "#", for an entry without one).
int libfind(const char *path, const char *name, size_t n, std::string &body)
{
    std::string text;
    if (!libread(path, text)) return LIB_NOFILE;
    size_t p = text.find('#');
    while (p != std::string::npos) {
        size_t start = p + 1;
        size_t end = text.find_first_of("#=", start);
        if (end != std::string::npos && text[end] == '=' && end - start == n &&
            std::memcmp(text.data() + start, name, n) == 0) {
            size_t stop = text.find('#', end + 1);
            body = text.substr(end + 1, stop == std::string::npos ? std::string::npos : stop - end - 1);
            return LIB_FOUND;
        }
        p = text.find('#', start);
    }
    return LIB_NOTFOUND;
}
