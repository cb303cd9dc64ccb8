// libedit_fuzz.cpp - library edits with fuzzed files and arguments.
//
// The first byte chooses the operation (its value modulo 7: addunit addfunc delunit
// delfunc renameunit renamefunc upgrade) and, by its bit 3, whether the second file is
// given as the shipped copy. Then sections: the library file, the shipped copy (for an
// upgrade: the new shipped file), then the arguments (for an upgrade: the reference
// copy). Every call must leave the engine state as it was and no temporary file behind.
// A refusal (an answer) leaves the file as it was, and a new definition is appended
// whole; an upgrade keeps every entry that is not shipped and leaves every entry of the
// new shipped file in the copy.
#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "fuzz/common.h"

// The entries of a library text, each as its non-blank characters.
static std::vector<std::string> entries(const std::string &text)
{
    std::vector<std::string> v;
    std::string t = nonblank(text);
    for (size_t p = t.find('#'); p != std::string::npos;) {
        size_t q = t.find('#', p + 1);
        v.push_back(t.substr(p, q == std::string::npos ? std::string::npos : q - p));
        p = q;
    }
    return v;
}

// Whether a folder holds a file whose name begins with 'prefix'.
static bool holds(const std::string &dir, const std::string &prefix)
{
    DIR *d = opendir(dir.c_str());
    if (!d) return false;
    bool found = false;
    while (dirent *e = readdir(d)) found = found || std::string(e->d_name).compare(0, prefix.size(), prefix) == 0;
    closedir(d);
    return found;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const char *const OPS[] = {"addunit", "addfunc", "delunit", "delfunc", "renameunit", "renamefunc", "upgrade"};
    if (size == 0) return 0;
    fuzzinit();
    fuzzreset();
    std::string op = OPS[data[0] % 7];
    bool withshipped = data[0] & 8;
    std::vector<std::string> s = sections(data + 1, size - 1);
    s.resize(std::max<size_t>(s.size(), 2));
    std::string before = s[0];
    std::string lib = fuzzfile("l", before), shipped = fuzzfile("r", s[1]);
    std::string usys = unitsystem(lib);
    std::vector<std::string> call = {"libedit", op};
    if (op == "upgrade") {
        call.insert(call.end(), {"-file", lib, "-base", shipped, "-reference", fuzzfile("c", s.size() > 2 ? s[2] : "")});
    } else {
        call.insert(call.end(), {"-u", usys});
        if (op.find("func") != std::string::npos) call.insert(call.end(), {"-f", lib});
        if (withshipped) call.insert(call.end(), {"-shipped", shipped});
        call.insert(call.end(), s.begin() + 2, s.end());
    }
    keepstate();
    std::string answer = run(call);
    require(unchanged(), "the engine state changed");
    const char *tmp = std::getenv("TMPDIR");
    require(!holds(tmp && tmp[0] ? tmp : "/tmp", "qevtry"), "a file of a trial was left behind");
    require(!holds(".", ".l."), "a temporary file of a rewrite was left behind");

    std::string after = readfile(lib);
    if (op == "upgrade") {
        if (!answer.empty()) return 0;
        // The entries that are neither shipped nor in the copy stay, in their order.
        std::vector<std::string> old = entries(before), now = entries(after), base = entries(s[1]);
        std::set<std::string> known(base.begin(), base.end());
        for (const std::string &e : entries(s.size() > 2 ? s[2] : "")) known.insert(e);
        for (const std::string &e : old)
            require(known.count(e) || std::find(now.begin(), now.end(), e) != now.end(), "an entry of the user was lost");
        for (const std::string &e : base) require(std::count(now.begin(), now.end(), e) >= 1, "a shipped entry is missing");
        return 0;
    }
    if (!answer.empty()) {
        require(after == before, "a refused edit changed the file");
        return 0;
    }
    bool replace = std::find(call.begin(), call.end(), "-replace") != call.end();
    if (op.compare(0, 3, "add") == 0 && !replace && after != before) {
        require(after.compare(0, before.size(), before) == 0, "the earlier text of the library changed");
        std::string entry = after.substr(before.size());
        if (entry.compare(0, 10, "Functions\n") == 0) entry = entry.substr(10);
        require(!entry.empty() && entry[0] == '#' && std::count(entry.begin(), entry.end(), '#') == 1,
                "not one entry appended");
        require(entry.back() == '\n', "the entry does not end its line");
    }
    return 0;
}
