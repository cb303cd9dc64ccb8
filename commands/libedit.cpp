// libedit.cpp - the library editing command: definitions that are tried before they
// are written, replacing, removing and renaming entries, and bringing a user's copy of
// a shipped library file up to date with the shipped one.
//
// A user's copy of a shipped file holds the shipped entries and the user's own. Which
// are which is told by a reference copy of the shipped file the copy was made from: an
// entry whose text (its non-blank characters) is an entry of the reference is shipped.
// A user's entry that replaces a shipped one stands before the shipped entries (the
// first entry of a name is the one that counts); new ones stand after them.
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "base/output.h"
#include "commands/commands.h"
#include "commands/frame.h"
#include "commands/libcheck.h"
#include "commands/libfile.h"
#include "engine/library.h"
#include "engine/scanner.h"
#include "engine/state.h"

namespace {

// A character that the readers of library files skip.
bool blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// One entry of a library text.
struct entry {
    size_t start, end;  // from its "#" up to the next "#" or the end of the text
    std::string name;   // its non-blank characters between "#" and the first "="
    bool named;         // false: there is no "=" before the next "#"
    std::string norm;   // all its non-blank characters
};

// The entries of a library text, in their order.
std::vector<entry> entriesof(const std::string &text)
{
    std::vector<entry> v;
    for (size_t p = text.find('#'); p != std::string::npos;) {
        size_t next = text.find('#', p + 1);
        entry e{p, next == std::string::npos ? text.size() : next, "", false, ""};
        for (size_t k = p; k < e.end; k++) {
            char c = text[k];
            if (blank(c)) continue;
            e.norm += c;
            if (c == '=' && !e.named) e.named = true;
            else if (!e.named && k > p) e.name += c;
        }
        if (!e.named) e.name.clear();
        v.push_back(e);
        p = next;
    }
    return v;
}

// The text of a file ("" when it cannot be read) and whether it could.
bool readtext(const std::string &path, std::string &text)
{
    text.clear();
    std::FILE *f = openregular(path.c_str());
    if (!f) return false;
    char buf[65536];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
    std::fclose(f);
    return true;
}

// The arguments of one call: the operation, options with values (the index of the
// value, the last occurrence winning) and flags.
struct editcall {
    cmdargs *a;
    std::string op;
    std::vector<std::pair<std::string, int>> values;
    std::set<std::string> flags;

    bool has(const char *opt) const
    {
        for (const auto &v : values)
            if (v.first == opt) return true;
        return flags.count(opt) > 0;
    }
    int index(const char *opt) const
    {
        int k = -1;
        for (const auto &v : values)
            if (v.first == opt) k = v.second;
        return k;
    }
    std::string value(const char *opt) const
    {
        int k = index(opt);
        return k < 0 ? "" : a->argv[k];
    }
    std::string path(const char *opt) const
    {
        int k = index(opt);
        return k < 0 ? "" : pathof(*a, k);
    }
};

// Reads the operation and its options; false (the reason written) when they are wrong.
bool parse(cmdargs &a, editcall &c)
{
    static const char *const VALUED[] = {"-u", "-f", "-name", "-to", "-unit", "-mult", "-add1", "-add2", "-body",
                                         "-shipped", "-file", "-base", "-reference"};
    c.a = &a;
    if (a.argc < 2) {
        *cout2 << "libedit needs an operation: addunit addfunc delunit delfunc renameunit renamefunc upgrade\n";
        return false;
    }
    c.op = a.argv[1];
    for (int i = 2; i < a.argc; i++) {
        std::string w = a.argv[i];
        if (w == "-replace" || w == "-force") {
            c.flags.insert(w);
            continue;
        }
        bool valued = false;
        for (const char *v : VALUED) valued = valued || w == v;
        if (!valued || i + 1 == a.argc) {
            *cout2 << (valued ? "No value after " : "Unknown option ") << w << " , nothing changed\n";
            return false;
        }
        c.values.emplace_back(w, ++i);
    }
    return true;
}

// Why 'name' cannot name an entry that formulas find; "" when it can.
std::string badname(const std::string &name, const char *what)
{
    bool letter = !name.empty() && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    if (!letter || holdsany(name, " \t\n\v\f\r#=+-*/^!(){},%\xB0\xB1"))
        return std::string("A ") + what + " name begins with a letter and holds no blank , # , = or operator character";
    if (engineword(name.c_str(), (unsigned)name.size())) return name + " is a word of the engine";
    return "";
}

// The entries of a library text, each as its non-blank characters.
std::set<std::string> norms(const std::string &text)
{
    std::set<std::string> s;
    for (const entry &e : entriesof(text)) s.insert(e.norm);
    return s;
}

// The entries of a reference file, each as its non-blank characters.
std::set<std::string> shippedset(const std::string &path)
{
    std::string text;
    if (path.empty() || !readtext(path, text)) return std::set<std::string>();
    return norms(text);
}

// The first entry of 'name', or null.
const entry *firstof(const std::vector<entry> &es, const std::string &name)
{
    for (const entry &e : es)
        if (e.named && e.name == name) return &e;
    return nullptr;
}

// 'piece' ending with a line end.
std::string line(std::string piece)
{
    if (piece.empty() || piece.back() != '\n') piece += '\n';
    return piece;
}

// 'text' with 'entrytext' in place of the first entry of its name, 'first': in its
// place when that is the user's, else before the first shipped entry.
std::string replaced(const std::string &text, const std::vector<entry> &es, const entry &first,
                     const std::string &entrytext, const std::set<std::string> &shipped)
{
    if (!shipped.count(first.norm)) return text.substr(0, first.start) + entrytext + text.substr(first.end);
    size_t at = first.start;
    for (const entry &e : es)
        if (shipped.count(e.norm)) {
            at = e.start;
            break;
        }
    return text.substr(0, at) + entrytext + text.substr(at);
}

// The units file of a unit system, as besidesystem finds it ("" when it names none).
std::string unitsfileof(const std::string &usys)
{
    const std::vector<std::string> *fields = libhead(usys.c_str());
    return fields && fields->size() == HEADWORDS ? besidesystem(usys.c_str(), (*fields)[7].c_str()) : "";
}

// Where the entries of one call are: the file, what its entries are, and how to try them.
struct target {
    std::string file;          // the library file
    bool units;                // a units file, else a function file
    std::string unitsfile;     // the units file for trying functions
    std::set<std::string> shipped;
    const char *what() const { return units ? "unit" : "function"; }
};

// The number of arguments of a function entry: the number after its "func".
int argsof(const entry &e)
{
    size_t f = e.norm.rfind("func_");
    return f == std::string::npos ? 0 : std::atoi(e.norm.c_str() + f + 5);
}

// What is wrong with each of the named entries of 'text' (of 'names'): see libcheck.
std::vector<std::string> problems(const target &t, const std::string &text, const std::vector<std::string> &names)
{
    if (t.units) return unitproblems(text, names);
    std::vector<funccall> calls;
    std::vector<entry> es = entriesof(text);
    for (const std::string &n : names) {
        const entry *e = firstof(es, n);
        calls.push_back({n, e ? argsof(*e) : 0});
    }
    return functionproblems(text, calls, t.unitsfile);
}

// The user's entries of 'after' (not 'except') that work in 'before' and not in 'after'.
std::vector<std::string> broken(const target &t, const std::string &before, const std::string &after,
                                const std::string &except)
{
    std::vector<std::string> names, failing, result;
    std::set<std::string> seen;
    for (const entry &e : entriesof(after))
        if (e.named && e.name != except && !t.shipped.count(e.norm) && seen.insert(e.name).second) names.push_back(e.name);
    std::vector<std::string> now = problems(t, after, names);
    for (size_t k = 0; k < names.size(); k++)
        if (!now[k].empty()) failing.push_back(names[k]);
    std::vector<std::string> then = problems(t, before, failing);
    for (size_t k = 0; k < failing.size(); k++)
        if (then[k].empty()) result.push_back(failing[k]);
    return result;
}

// Whether every "(" of 'body' is closed by a later ")": a body's brackets would else
// take in the call's own.
bool paired(const std::string &body)
{
    int depth = 0;
    for (char ch : body) {
        depth += ch == '(' ? 1 : ch == ')' ? -1 : 0;
        if (depth < 0) return false;
    }
    return depth == 0;
}

std::string joined(const std::vector<std::string> &v)
{
    std::string s;
    for (const std::string &x : v) s += (s.empty() ? "" : " ") + x;
    return s;
}

// Writes the definition 'entrytext' of 'name': appended when the name is new, in the
// place of its entry with "-replace"; tried first unless "-force".
void define(const editcall &c, const target &t, const std::string &name, const std::string &entrytext)
{
    editfile(t.file, true, [&](const std::string &text, std::string &out) {
        std::vector<entry> es = entriesof(text);
        const entry *first = firstof(es, name);
        if (first && !c.has("-replace")) {
            *cout2 << name << " is already defined in " << t.file << " , nothing written\n";
            return (int)EDIT_KEEP;
        }
        // A new function file gets a title: its first word.
        std::string add = !t.units && es.empty() && text.find_first_not_of(" \t\n\r") == std::string::npos
                              ? "Functions\n" + entrytext
                              : entrytext;
        std::string after = first ? replaced(text, es, *first, entrytext, t.shipped) : text + add;
        if (!c.has("-force")) {
            std::string why = problems(t, after, {name})[0];
            if (!why.empty()) {
                *cout2 << "The " << t.what() << " " << name << " does not work , nothing written : " << why << "\n";
                return (int)EDIT_KEEP;
            }
        }
        out = first ? after : add;
        return first ? (int)EDIT_REWRITE : (int)EDIT_APPEND;
    });
}

// Removes the user's entry of 'name', or renames it to 'to' (when not empty).
void change(const editcall &c, const target &t, const std::string &name, const std::string &to)
{
    editfile(t.file, false, [&](const std::string &text, std::string &out) {
        std::vector<entry> es = entriesof(text);
        const entry *mine = nullptr;
        for (const entry &e : es)
            if (e.named && e.name == name && !t.shipped.count(e.norm)) {
                mine = &e;
                break;
            }
        const entry *first = firstof(es, name);
        if (!mine || (!to.empty() && first != mine)) {
            if (first) {
                *cout2 << name << " is a shipped " << t.what() << " : it can be replaced , not "
                       << (to.empty() ? "removed" : "renamed") << " , nothing changed\n";
            } else {
                *cout2 << name << " is not defined in " << t.file << " , nothing changed\n";
            }
            return (int)EDIT_KEEP;
        }
        if (!to.empty() && firstof(es, to)) {
            *cout2 << to << " is already defined in " << t.file << " , nothing changed\n";
            return (int)EDIT_KEEP;
        }
        std::string piece;
        if (!to.empty()) {
            size_t eq = text.find('=', mine->start);
            piece = "#" + to + text.substr(eq, mine->end - eq);
        }
        std::string after = text.substr(0, mine->start) + piece + text.substr(mine->end);
        if (!c.has("-force")) {
            std::vector<std::string> lost = broken(t, text, after, to);
            if (!lost.empty()) {
                *cout2 << "Without " << name << " these would not work : " << joined(lost) << " , nothing changed\n";
                return (int)EDIT_KEEP;
            }
        }
        out = after;
        return (int)EDIT_REWRITE;
    });
}

// The user's copy 'text' of a shipped file made anew from the shipped text 'base': the
// text before the first entry and the entries of 'base', the user's entries that
// replace one of its names before them and the others after them, each group in its
// order. The user's entries are those that are entries neither of 'base' nor of
// 'shipped' (the shipped file the copy was made from).
std::string rebuilt(const std::string &text, const std::string &base, std::set<std::string> shipped)
{
    std::vector<entry> be = entriesof(base);
    std::set<std::string> basenames, seen;
    for (const entry &e : be) {
        shipped.insert(e.norm);
        if (e.named) basenames.insert(e.name);
    }
    std::string front, back;
    for (const entry &e : entriesof(text)) {
        bool first = e.named && seen.insert(e.name).second;
        if (shipped.count(e.norm)) continue;
        (first && basenames.count(e.name) ? front : back) += line(text.substr(e.start, e.end - e.start));
    }
    size_t head = be.empty() ? base.size() : be[0].start;
    std::string out = base.substr(0, head);
    if (!front.empty() && !out.empty()) out = line(out);
    out += front + base.substr(head);
    if (!back.empty() && !out.empty()) out = line(out);
    return out + back;
}

// Whether every entry of 'base' is an entry of 'text' (as their non-blank characters).
bool holdsall(const std::string &text, const std::string &base)
{
    std::set<std::string> have = norms(text);
    for (const entry &e : entriesof(base))
        if (!have.count(e.norm)) return false;
    return true;
}

// Brings the user's copy (-file) up to date with the shipped file (-base), and keeps
// the shipped file as its reference (-reference). A copy made from this very shipped
// file is left as it is (not even locked) while it holds every shipped entry; one that
// lost some (cut short, edited by hand, an older copy put back) is made anew.
void upgrade(const editcall &c)
{
    std::string file = c.path("-file"), basepath = c.path("-base"), refpath = c.path("-reference");
    std::string base, ref, now;
    if (file.empty() || basepath.empty() || !readtext(basepath, base)) {
        *cout2 << "upgrade needs -file and a readable -base , nothing changed\n";
        return;
    }
    bool hasref = !refpath.empty() && readtext(refpath, ref);
    if (hasref && ref == base && readtext(file, now) && holdsall(now, base)) return;
    std::set<std::string> shipped = hasref ? norms(ref) : std::set<std::string>();
    bool ok = editfile(file, true, [&](const std::string &text, std::string &out) {
        out = rebuilt(text, base, shipped);
        return out == text ? (int)EDIT_KEEP : (int)EDIT_REWRITE;
    });
    if (ok && !refpath.empty())
        editfile(refpath, true, [&](const std::string &text, std::string &out) {
            out = base;
            return text == base ? (int)EDIT_KEEP : (int)EDIT_REWRITE;
        });
}

}  // namespace

/*
 * libedit --
 *   Edits a library file. Operations and their options (values as for anu and anf):
 *     addunit -u USYS -name N ?-unit U? ?-mult M? ?-add1 A? ?-add2 B? ?-replace? ?-force?
 *     addfunc -f FILE -name N -body B ?-u USYS? ?-replace? ?-force?
 *     delunit -u USYS -name N ?-force?        delfunc -f FILE -name N ?-u USYS? ?-force?
 *     renameunit -u USYS -name N -to M ?-force?
 *     renamefunc -f FILE -name N -to M ?-u USYS? ?-force?
 *     upgrade -file FILE -base SHIPPED ?-reference COPY?
 *   and "-shipped COPY" for the reference copy of a user's copy of a shipped file. A
 *   definition (a factor 1 when -mult is not given) is tried first, as one unit of the
 *   name or a call of the function with every argument 1; a name that is defined is
 *   refused unless -replace; "-force" writes without trying. Removing and renaming are
 *   refused when other entries of the user stop working.
 * Results:
 *   TCL_OK; empty when done, else the reason, nothing changed.
 * Side effects:
 *   The library file is appended to or rewritten (atomically, under its lock); upgrade
 *   writes the reference copy.
 */
int libedit(ClientData, Tcl_Interp *interp, int argc, const char *argv[])
{
    static cmdargs a;
    begincommand(a, argc, argv);
    editcall c;
    if (!parse(a, c)) return endcommand(interp);
    if (c.op == "upgrade") {
        upgrade(c);
        return endcommand(interp);
    }
    target t;
    t.units = c.op == "addunit" || c.op == "delunit" || c.op == "renameunit";
    bool functions = c.op == "addfunc" || c.op == "delfunc" || c.op == "renamefunc";
    if (!t.units && !functions) {
        *cout2 << "Unknown operation " << c.op << " , nothing changed\n";
        return endcommand(interp);
    }
    if (c.has("-u")) t.unitsfile = unitsfileof(c.path("-u"));
    t.file = t.units ? t.unitsfile : c.path("-f");
    if (t.file.empty()) {
        *cout2 << (t.units ? "Units file unknown : give -u and a readable unit-system file"
                           : "Function file unknown : give -f and the file")
               << " , nothing changed\n";
        return endcommand(interp);
    }
    t.shipped = shippedset(c.path("-shipped"));
    std::string name = c.value("-name"), why = badname(name, t.what());
    if (c.op.compare(0, 3, "add") == 0) {
        std::string body = c.value("-body");
        if (!why.empty()) {
            *cout2 << why << " , nothing written\n";
        } else if (holdsany(c.value("-unit") + c.value("-mult") + c.value("-add1") + c.value("-add2") + body, "#")) {
            *cout2 << "A definition must not hold # , nothing written\n";
        } else if (holdsany(c.value("-mult") + c.value("-add1") + c.value("-add2"), " \t\n\v\f\r")) {
            // The readers skip blanks: '2 3' would be read as 23.
            *cout2 << "A factor or an offset is one word , nothing written\n";
        } else if (t.units) {
            unitdef d;
            d.name = name;
            d.unit = c.value("-unit"), d.hasunit = c.has("-unit");
            d.mult = c.has("-mult") ? c.value("-mult") : "1", d.hasmult = true;
            d.add1 = c.value("-add1"), d.hasadd1 = c.has("-add1");
            d.add2 = c.value("-add2"), d.hasadd2 = !d.add2.empty();
            define(c, t, name, unitentry(d));
        } else if (body.find_first_not_of(" \t\n\r") == std::string::npos) {
            *cout2 << "The body of " << name << " is empty , nothing written\n";
        } else if (!paired(body)) {
            *cout2 << "The brackets of the body of " << name << " do not pair up , nothing written\n";
        } else {
            define(c, t, name, functionentry(name, body));
        }
    } else if (c.op.compare(0, 6, "rename") == 0) {
        std::string to = c.value("-to"), bad = badname(to, t.what());
        if (!bad.empty()) *cout2 << bad << " , nothing changed\n";
        else change(c, t, name, to);
    } else {
        change(c, t, name, "");
    }
    return endcommand(interp);
}
