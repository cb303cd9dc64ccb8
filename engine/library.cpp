// library.cpp - name lookup in the plain-text library files.
//
// A lookup answers as if the file were read at that moment. Each file's entries are
// kept after the first read, with the file's identity (device, inode, size and
// modification time in nanoseconds); the identity is checked again at the first
// lookup of every formula ('libnewformula') and after every change ('libchanged').
#include "engine/library.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/engine.h"
#include "engine/state.h"
#include "engine/wordhash.h"

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

// Collects the head of a file: HEADWORDS - 1 words (runs of non-blank characters), then
// the rest of the line after them without its trailing blanks, for the last field of a
// unit-system file is a path, which may hold blanks.
struct headreader {
    std::vector<std::string> &head;
    bool inword = false, inrest = false, done = false;

    void add(char c)
    {
        if (done) return;
        bool b = blank((unsigned char)c);
        if (inrest) {
            if (c == '\n') return finish();
            head.back() += c;
            return;
        }
        if (!b && !inword) {
            head.emplace_back();
            inrest = head.size() == HEADWORDS;
        }
        if (!b) head.back() += c;
        inword = !b;
    }
    void finish()
    {
        if (inrest)
            while (!head.back().empty() && blank((unsigned char)head.back().back())) head.back().pop_back();
        done = true;
    }
};

bool libread(const char *path, std::string &text, std::vector<std::string> *head)
{
    text.clear();
    if (head) head->clear();
    std::FILE *f = openregular(path);
    if (!f) return false;
    std::vector<std::string> none;
    headreader h{head ? *head : none};
    h.done = !head;
    char buf[65536];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0)
        for (size_t k = 0; k < got; k++) {
            if (!blank((unsigned char)buf[k])) text += buf[k];
            h.add(buf[k]);
        }
    if (!h.done) h.finish();
    std::fclose(f);
    return true;
}

// Calls 'each' with the name and the body of every entry of 'text' in order, until it
// returns true. Entries are read whole: the name is everything between the entry's "#"
// and the first "=" (an entry without "=" before the next "#" has no name), the body
// all after that "=" up to the next "#".
template <class F> static void eachentry(std::string_view text, F each)
{
    const size_t none = std::string_view::npos;
    size_t p = text.find('#');
    while (p != none) {
        size_t start = p + 1, end = text.find_first_of("#=", start);
        p = text.find('#', start);
        if (end == none || text[end] != '=') continue;
        size_t stop = p == none ? text.size() : p;
        if (each(text.substr(start, end - start), text.substr(end + 1, stop - end - 1))) return;
    }
}

struct libfile {
    bool readable = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    long long mtime = 0;
    unsigned long checked = 0;                        // formula of the last check
    libtext content;                                  // the non-blank characters, the "#" in them
    std::vector<std::string> head;                    // the first words
    std::unordered_map<std::string_view, std::string_view, wordhash> entries;  // first body of each name, in 'text'
    unsigned shapes[256] = {};  // bit k: a name of this first character has length k+1 (31: longer)
    expansions memo[4];         // the scanner's, by pass
    unsigned long generation = 0;  // the read that gave 'content'
};

static unsigned shapebit(size_t n) { return n <= 31 ? 1u << (n - 1) : 1u << 31; }

static std::map<std::string, libfile, std::less<>> files;  // every file looked up, by path
static unsigned long formula = 1;  // counts new formulas: a file checked earlier is checked again
static unsigned long reads;        // files read so far
static unsigned long changes;      // calls of 'libchanged'

// The file of the last lookup, most often the next one's.
static const std::string *lastpath;
static libfile *last;
static const char *lastptr;  // ... named by the same array in the same command
static unsigned long lastcommand;

static bool held;                   // checks stay valid until 'libcheckall'
static unsigned long commands = 1;  // counts 'libnewformula': the text of a path array
                                    // changes only between two of them

void libnewformula()
{
    commands++;
    if (!held) formula++;
}

void libcheckall() { formula++; }

void libholdchecks(bool hold) { held = hold; }

void libchanged()
{
    changes++;
    for (auto &f : files) {
        f.second.checked = 0;
        f.second.readable = false;
    }
}

void libforget(const char *path)
{
    auto it = files.find(std::string_view(path));
    if (it == files.end()) return;
    if (last == &it->second) last = nullptr;
    files.erase(it);
}

// The position of every "#" of the text.
static void markhashes(libtext &t)
{
    t.hashes.clear();
    for (size_t k = t.text.find('#'); k != std::string::npos; k = t.text.find('#', k + 1)) t.hashes.push_back(k);
}

static void parse(libfile &lf)
{
    lf.entries.clear();
    markhashes(lf.content);
    std::fill(lf.shapes, lf.shapes + 256, 0u);
    for (expansions &m : lf.memo) m.clear();
    eachentry(lf.content.text, [&](std::string_view name, std::string_view body) {
        lf.entries.emplace(name, body);
        if (!name.empty()) lf.shapes[(unsigned char)name[0]] |= shapebit(name.size());
        return false;
    });
}

static libfile &current(const char *path)
{
    bool same = last && path == lastptr && commands == lastcommand;
    if (!same && !(last && *lastpath == path)) {
        auto it = files.find(std::string_view(path));
        if (it == files.end()) it = files.emplace(path, libfile()).first;
        lastpath = &it->first;
        last = &it->second;
    }
    lastptr = path;
    lastcommand = commands;
    libfile &lf = *last;
    if (lf.checked == formula) return lf;
    lf.checked = formula;
    struct stat st;
    bool ok = path[0] && stat(path, &st) == 0;
    long long mtime = ok ? (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec : 0;
    if (ok && lf.readable && st.st_dev == lf.dev && st.st_ino == lf.ino && st.st_size == lf.size &&
        mtime == lf.mtime)
        return lf;
    lf.readable = libread(path, lf.content.text, &lf.head);
    lf.generation = ++reads;
    // A file read after a failed stat (it appeared in between) gets an identity no
    // file has, so the next check reads it again.
    lf.dev = ok ? st.st_dev : 0;
    lf.ino = ok ? st.st_ino : 0;
    lf.size = ok ? st.st_size : -1;
    lf.mtime = mtime;
    parse(lf);
    return lf;
}

// The lookup without the kept entries: the file read again, its entries compared in order.
static int plainfind(const char *path, const char *name, size_t n, std::string &body)
{
    std::string text;
    if (!libread(path, text)) return LIB_NOFILE;
    bool found = false;
    eachentry(text, [&](std::string_view entry, std::string_view value) {
        found = entry == std::string_view(name, n);
        if (found) body.assign(value.data(), value.size());
        return found;
    });
    return found ? LIB_FOUND : LIB_NOTFOUND;
}

int libfind(const char *path, const char *name, size_t n, std::string &body)
{
    if (plainmode) return plainfind(path, name, n, body);
    const libfile &lf = current(path);
    if (!lf.readable) return LIB_NOFILE;
    if (!n || !(lf.shapes[(unsigned char)name[0]] & shapebit(n))) return LIB_NOTFOUND;
    auto it = lf.entries.find(std::string_view(name, n));
    if (it == lf.entries.end()) return LIB_NOTFOUND;
    body.assign(it->second.data(), it->second.size());
    return LIB_FOUND;
}

const expansion *expansions::find(std::string_view word) const
{
    auto it = index.find(word);
    return it == index.end() ? nullptr : it->second;
}

void expansions::add(std::string_view word, expansion e)
{
    enum { MOST = 1 << 14 };
    if (kept.size() >= MOST) clear();
    kept.emplace_back(std::string(word), std::move(e));
    index.emplace(kept.back().first, &kept.back().second);
}

void expansions::clear()
{
    index.clear();
    kept.clear();
}

expansions *libexpansions(const char *path, int pass)
{
    if (plainmode) return nullptr;
    libfile &lf = current(path);
    return lf.readable ? &lf.memo[pass] : nullptr;
}

const std::vector<std::string> *libhead(const char *path)
{
    static std::vector<std::string> read;
    if (plainmode) {
        std::string text;
        return libread(path, text, &read) ? &read : nullptr;
    }
    const libfile &lf = current(path);
    return lf.readable ? &lf.head : nullptr;
}

size_t libentry(const libtext &t, long n)
{
    if (n <= 0) return 0;
    return (size_t)n <= t.hashes.size() ? t.hashes[n - 1] + 1 : t.text.size();
}

bool libname(const libtext &t, size_t p, bool drophashes, std::string &name)
{
    for (; p < t.text.size() && t.text[p] != '='; p++)
        if (!drophashes || t.text[p] != '#') name += t.text[p];
    return p < t.text.size();
}

const libtext *libcontent(const char *path)
{
    if (plainmode) {
        static libtext read;
        if (!libread(path, read.text)) return nullptr;
        markhashes(read);
        return &read;
    }
    const libfile &lf = current(path);
    return lf.readable ? &lf.content : nullptr;
}

unsigned long libepoch()
{
    static unsigned long epoch, lastformula, lastchanges;
    if (plainmode || formula != lastformula || changes != lastchanges) epoch++;
    lastformula = formula;
    lastchanges = changes;
    return epoch;
}

unsigned long libgeneration(const char *path)
{
    if (plainmode) {
        std::string text;
        return libread(path, text) ? ++reads : 0;
    }
    const libfile &lf = current(path);
    return lf.readable ? lf.generation : 0;
}
