// library.cpp - name lookup in the plain-text library files.
//
// A lookup answers as if the file were read at that moment. Each file's entries are
// kept after the first read, with the file's identity (device, inode, size and
// modification time in nanoseconds); the identity is checked again at the first
// lookup of every formula ('libnewformula') and after every change ('libchanged').
// Only regular files are read: a directory, pipe or device counts as a file that
// cannot be opened.
#include "engine/library.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <unordered_map>

static bool blank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::FILE *openregular(const char *path)
{
    if (!path[0]) return nullptr;
    // Without O_NONBLOCK opening a pipe would wait for a writer.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || fcntl(fd, F_SETFL, 0) != 0) {
        close(fd);
        return nullptr;
    }
    std::FILE *f = fdopen(fd, "rb");
    if (!f) close(fd);
    return f;
}

bool libread(const char *path, std::string &text)
{
    text.clear();
    std::FILE *f = openregular(path);
    if (!f) return false;
    char buf[65536];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0)
        for (size_t k = 0, run; k < got; k = run) {
            for (run = k; run < got && !blank((unsigned char)buf[run]);) run++;
            text.append(buf + k, run - k);
            while (run < got && blank((unsigned char)buf[run])) run++;
        }
    bool ok = !std::ferror(f);
    std::fclose(f);
    if (!ok) text.clear();
    return ok;
}

bool readwords(const char *path, size_t count, std::vector<std::string> &words)
{
    words.clear();
    std::FILE *f = openregular(path);
    if (!f) return false;
    std::string w;
    for (int c; words.size() < count && (c = std::getc(f)) != EOF;) {
        if (!blank(c)) {
            w += (char)c;
        } else if (!w.empty()) {
            words.push_back(w);
            w.clear();
        }
    }
    if (!w.empty() && words.size() < count) words.push_back(w);
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
    size_t longest = 0;                               // length of the longest name
    libtext content;                                  // the non-blank text
};

static std::map<std::string, libfile> files;
static unsigned long formula = 1;

void libnewformula() { formula++; }

void libchanged() { files.clear(); }

// Entries are read whole: the name of an entry is everything between its "#" and the
// first "=" (an entry without "=" before the next "#" has no name).
static void parse(libfile &lf)
{
    const std::string &text = lf.content.text;
    lf.entries.clear();
    lf.content.hashes.clear();
    lf.longest = 0;
    size_t p = text.find('#');
    while (p != std::string::npos) {
        lf.content.hashes.push_back(p);
        size_t start = p + 1;
        size_t end = text.find_first_of("#=", start);
        p = text.find('#', start);
        if (end == std::string::npos || text[end] != '=') continue;
        size_t stop = p == std::string::npos ? text.size() : p;
        if (end - start > lf.longest) lf.longest = end - start;
        lf.entries.emplace(text.substr(start, end - start), text.substr(end + 1, stop - end - 1));
    }
}

// The kept file at 'path', read again when its identity changed; checked once per
// formula, or now when 'now' is set.
static const libfile &current(const char *path, bool now)
{
    libfile &lf = files[path];
    if (lf.checked == formula && !now) return lf;
    lf.checked = formula;
    struct stat st;
    bool ok = path[0] && stat(path, &st) == 0;
    long long mtime = ok ? (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec : 0;
    if (ok && lf.readable && st.st_dev == lf.dev && st.st_ino == lf.ino && st.st_size == lf.size &&
        mtime == lf.mtime)
        return lf;
    lf.readable = libread(path, lf.content.text);
    if (lf.readable) {
        lf.dev = st.st_dev;
        lf.ino = st.st_ino;
        lf.size = st.st_size;
        lf.mtime = mtime;
    }
    parse(lf);
    return lf;
}

int libfind(const char *path, const char *name, size_t n, std::string &body)
{
    const libfile &lf = current(path, false);
    if (!lf.readable) return LIB_NOFILE;
    if (n > lf.longest) return LIB_NOTFOUND;
    auto it = lf.entries.find(std::string(name, n));
    if (it == lf.entries.end()) return LIB_NOTFOUND;
    body = it->second;
    return LIB_FOUND;
}

const libtext *libcontent(const char *path)
{
    const libfile &lf = current(path, true);
    return lf.readable ? &lf.content : nullptr;
}
