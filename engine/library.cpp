// library.cpp - name lookup in the plain-text library files.
//
// A lookup answers as if the file were read at that moment. Each file's entries are
// kept after the first read, with the file's identity (device, inode, size and
// modification time in nanoseconds); the identity is checked again at the first
// lookup of every formula ('libnewformula') and after every change ('libchanged').
#include "engine/library.h"

#include "engine/state.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <unordered_map>

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

struct libfile {
    bool readable = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    long long mtime = 0;
    unsigned long checked = 0;                        // formula of the last check
    std::unordered_map<std::string, std::string> entries;  // first body of each name
};

static std::map<std::string, libfile> files;
static unsigned long formula = 1;

void libnewformula() { formula++; }

void libchanged() { files.clear(); }

// Entries are read whole: the name of an entry is everything between its "#" and the
// first "=" (an entry without "=" before the next "#" has no name).
static void parse(const std::string &text, libfile &lf)
{
    lf.entries.clear();
    size_t p = text.find('#');
    while (p != std::string::npos) {
        size_t start = p + 1;
        size_t end = text.find_first_of("#=", start);
        p = text.find('#', start);
        if (end == std::string::npos || text[end] != '=') continue;
        size_t stop = p == std::string::npos ? text.size() : p;
        lf.entries.emplace(text.substr(start, end - start), text.substr(end + 1, stop - end - 1));
    }
}

static const libfile &current(const char *path)
{
    libfile &lf = files[path];
    if (lf.checked == formula) return lf;
    lf.checked = formula;
    struct stat st;
    bool ok = path[0] && stat(path, &st) == 0;
    long long mtime = ok ? (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec : 0;
    if (ok && lf.readable && st.st_dev == lf.dev && st.st_ino == lf.ino && st.st_size == lf.size &&
        mtime == lf.mtime)
        return lf;
    std::string text;
    lf.readable = libread(path, text);
    if (lf.readable) {
        lf.dev = st.st_dev;
        lf.ino = st.st_ino;
        lf.size = st.st_size;
        lf.mtime = mtime;
    }
    parse(text, lf);
    return lf;
}

// The lookup without the kept entries: the file read again, its entries compared in order.
static int plainfind(const char *path, const char *name, size_t n, std::string &body)
{
    std::string text;
    if (!libread(path, text)) return LIB_NOFILE;
    size_t p = text.find('#');
    while (p != std::string::npos) {
        size_t start = p + 1;
        size_t end = text.find_first_of("#=", start);
        p = text.find('#', start);
        if (end == std::string::npos || text[end] != '=' || end - start != n ||
            text.compare(start, n, name, n) != 0)
            continue;
        size_t stop = p == std::string::npos ? text.size() : p;
        body = text.substr(end + 1, stop - end - 1);
        return LIB_FOUND;
    }
    return LIB_NOTFOUND;
}

int libfind(const char *path, const char *name, size_t n, std::string &body)
{
    if (plainmode) return plainfind(path, name, n, body);
    const libfile &lf = current(path);
    if (!lf.readable) return LIB_NOFILE;
    auto it = lf.entries.find(std::string(name, n));
    if (it == lf.entries.end()) return LIB_NOTFOUND;
    body = it->second;
    return LIB_FOUND;
}
