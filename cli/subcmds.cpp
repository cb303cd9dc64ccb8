// subcmds.cpp - the subcommands of qev: unit listing, unit of a result, polynomial fit,
// unit and function definitions and the function list, each over its qev command, and
// help; the table of their options.
#include <fnmatch.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/session.h"
#include "present/answer.h"

static bool start(const std::vector<std::string> &args, const std::string &name, parsedargs &p, int &status);

// The common start of a subcommand: parse, answer --help, report wrong usage.
// False when the subcommand is done; 'status' is then its exit status.
static bool start(const std::vector<std::string> &args, const std::vector<std::string> &flags,
                  const std::vector<std::string> &valued, parsedargs &p, int &status)
{
    p = parseargs(args, flags, valued);
    if (p.help) {
        status = help();
        return false;
    }
    if (!p.error.empty()) {
        status = usage(p.error);
        return false;
    }
    return true;
}

// The words joined by blanks.
static std::string joined(const std::vector<std::string> &words, size_t from = 0)
{
    std::string s;
    for (size_t k = from; k < words.size(); k++) s += (k > from ? " " : "") + words[k];
    return s;
}

// Whether a unit name passes the filter: contains it, or matches it as a pattern.
static bool passes(const std::string &name, const std::string &filter)
{
    if (filter.empty()) return true;
    if (filter.find_first_of("*?[") != std::string::npos) return fnmatch(filter.c_str(), name.c_str(), 0) == 0;
    return name.find(filter) != std::string::npos;
}

/*
 * units -- every entry of the units file, one line each: its name, two blanks and the
 * value of one such unit in base units ('bru' entry by entry until an entry has no name).
 */
static int units(const std::vector<std::string> &args)
{
    parsedargs p;
    int status;
    if (!start(args, "units", p, status)) return status;
    if (p.words.size() > 1) return usage("units takes one filter, not " + joined(p.words));
    std::string error, usys = unitsystem(p.value("-u"), error);
    if (!error.empty()) return usage(error);
    std::vector<std::string> words = {"bru", "-S1"};
    for (const auto &o : p.options) {
        if (o.first == "-u") continue;
        if (o.first == "-p" && !precisionok(o.second)) return EXIT_USAGE;
        words.push_back(o.first);
        if (o.first == "-p") words.push_back(o.second);
    }
    if (!usys.empty()) words.insert(words.end(), {"-u", usys});
    words.push_back("-q");
    std::string filter = p.words.empty() ? "" : p.words[0], answer;
    status = EXIT_ANSWER;
    for (long k = 1; !interruptpending(); k++) {
        words.push_back(std::to_string(k));
        if (!run(words, answer)) return EXIT_USAGE;
        words.pop_back();
        std::string name = answer.substr(0, answer.find(' '));
        if (name.empty()) break;
        if (!passes(name, filter)) continue;
        if (p.has("-n")) {
            emit(name);
            continue;
        }
        emit(trimend(answer));
        if (iserror(answer)) status = EXIT_ENGINEERROR;
    }
    return status;
}

/*
 * unitof -- the name of the unit of a result text ('mtu'); a formula is evaluated
 * first (by the answer layer, as 'mc66' with the formula's notation made plain) and its
 * answer matched.
 */
static int unitof(const std::vector<std::string> &args)
{
    parsedargs p;
    int status;
    if (!start(args, "unitof", p, status)) return status;
    if (p.words.empty()) return usage("unitof needs a result text or a formula");
    std::string t = p.value("-t", "1");
    if (!wholenumber(t, 1000000) || t == "0") return usage("-t needs a whole number from 1, not " + t);
    std::string error, usys = unitsystem(p.value("-u"), error);
    std::string funcs = error.empty() ? functionfile(p.value("-f"), false, error) : "";
    if (!error.empty()) return usage(error);
    std::string text = joined(p.words), answer;
    std::vector<std::string> head;
    if (!usys.empty()) head = {"-u", usys};
    if (text.find('{') == std::string::npos) {
        std::vector<std::string> calc = {"mc66", "-S1"};
        calc.insert(calc.end(), head.begin(), head.end());
        if (!funcs.empty()) calc.insert(calc.end(), {"-f", funcs});
        calc.insert(calc.end(), {"-q", text});
        // Through the answer layer, which reads the formula as the other answers do.
        static struct answer a;
        answerline(calc, "", true, a);
        tellbefore(a);
        if (iserror(a.engine)) {
            emit(trimend(a.engine));
            tellafter();
            return EXIT_ENGINEERROR;
        }
        tellafter();
        text = a.engine;
    }
    std::vector<std::string> match = {"mtu", "-t", t};
    match.insert(match.end(), head.begin(), head.end());
    match.insert(match.end(), {"-q", text});
    if (!run(match, answer)) return EXIT_USAGE;
    emit(trimend(answer));
    return iserror(answer) ? EXIT_ENGINEERROR : EXIT_ANSWER;
}

/*
 * fit -- the least-squares polynomial of a degree through number pairs ('regres'),
 * the pairs from the arguments or, when there are none, from standard input; "-p N"
 * the digits of the coefficients.
 */
static int fit(const std::vector<std::string> &args)
{
    parsedargs p;
    int status;
    if (!start(args, "fit", p, status)) return status;
    if (p.words.empty()) return usage("fit needs a degree, then the pairs X Y");
    std::string digits = p.value("-p");
    if (!digits.empty() && !precisionok(digits)) return EXIT_USAGE;
    std::vector<std::string> values(p.words.begin() + 1, p.words.end());
    if (values.empty() && insession) return usage("at the prompt the pairs go after the degree: fit 1  0 1  1 3  2 5");
    if (values.empty()) {
        std::string in;
        if (!readall(in)) return readfailed();
        std::istringstream words(fromsystem(in));
        for (std::string w; words >> w;) values.push_back(w);
    }
    // Each value followed by one blank: the data layout the command reads.
    std::string data;
    for (const std::string &v : values) data += v + " ";
    std::vector<std::string> words = {"regres"};
    if (!digits.empty()) words.insert(words.end(), {"-p", digits});
    words.insert(words.end(), {p.words[0], data});
    std::string answer;
    if (!run(words, answer)) return EXIT_USAGE;
    emit(trimend(answer));
    // A polynomial ends with a line end; a refusal is a message without one.
    return !answer.empty() && answer.back() == '\n' ? EXIT_ANSWER : EXIT_ENGINEERROR;
}

// Runs a library edit ('qev::edit', which adds the shipped copy for files of the
// user's library); "--replace" and "--force" become its "-replace" and "-force".
// Exit status 0 when done, 1 with the reason when refused.
static int edit(const std::string &op, std::vector<std::string> words, const parsedargs &p)
{
    words.insert(words.begin(), {"qev::edit", op});
    for (const char *flag : {"--replace", "--force"})
        if (p.has(flag)) words.push_back(flag + 1);
    std::string answer;
    if (!run(words, answer)) return EXIT_USAGE;
    answer = trimend(answer);
    if (answer.empty()) return EXIT_ANSWER;
    emit(answer.substr(answer.find_first_not_of("\n")));
    return EXIT_ENGINEERROR;
}

// The unit system of "-u" for an edit ('writing': of its units file), "" with 'status'
// set when there is none.
static std::string editsystem(const parsedargs &p, int &status, bool writing)
{
    std::string error, usys = unitsystem(p.value("-u"), error, writing);
    if (!error.empty()) status = usage(error);
    return usys;
}

/*
 * addunit -- defines a unit in the units file of the unit system, tried first; the
 * name may be given with -name or as the first word.
 */
static int addunit(const std::vector<std::string> &args)
{
    parsedargs p;
    int status = EXIT_ANSWER;
    if (!start(args, "addunit", p, status)) return status;
    if (p.words.size() > 1 || (p.words.size() == 1 && p.has("-name")))
        return usage("addunit takes one unit name, not " + joined(p.words));
    if (p.words.empty() && !p.has("-name")) return usage("addunit needs the unit's name");
    std::string usys = editsystem(p, status, true);
    if (status != EXIT_ANSWER) return status;
    std::vector<std::string> words = {"-u", usys, "-name", p.words.empty() ? p.value("-name") : p.words[0]};
    for (const char *o : {"-unit", "-mult", "-add1", "-add2"})
        if (p.has(o)) words.insert(words.end(), {o, p.value(o)});
    return edit("addunit", words, p);
}

/*
 * addfunc -- defines a function in the function file, tried first with the units of
 * the unit system; the words after the name form the body.
 */
static int addfunc(const std::vector<std::string> &args)
{
    parsedargs p;
    int status = EXIT_ANSWER;
    if (!start(args, "addfunc", p, status)) return status;
    if (p.words.size() < 2) return usage("addfunc needs a name and a body");
    std::string error, funcs = functionfile(p.value("-f"), true, error);
    if (!error.empty()) return usage(error);
    if (funcs.empty()) return usage("no function file: give -f FILE");
    std::string usys = editsystem(p, status, false);
    if (status != EXIT_ANSWER) return status;
    return edit("addfunc", {"-f", funcs, "-u", usys, "-name", p.words[0], "-body", joined(p.words, 1)}, p);
}

// delunit, delfunc, renameunit and renamefunc: 'units' for the units file of the unit
// system, else the function file; 'names' the number of names (one, or old and new).
static int change(const std::vector<std::string> &args, const std::string &op, bool units, size_t names)
{
    parsedargs p;
    int status = EXIT_ANSWER;
    if (!start(args, op, p, status)) return status;
    if (p.words.size() != names)
        return usage(op + (names == 1 ? " takes one name" : " takes the old name and the new one") +
                     (p.words.empty() ? std::string() : ", not " + joined(p.words)));
    std::string usys = editsystem(p, status, units);
    if (status != EXIT_ANSWER) return status;
    std::vector<std::string> words = {"-u", usys, "-name", p.words[0]};
    if (names == 2) words.insert(words.end(), {"-to", p.words[1]});
    if (!units) {
        std::string error, funcs = functionfile(p.value("-f"), true, error);
        if (!error.empty()) return usage(error);
        if (funcs.empty()) return usage("no function file: give -f FILE");
        words.insert(words.end(), {"-f", funcs});
    }
    return edit(op, words, p);
}

static int delunit(const std::vector<std::string> &args) { return change(args, "delunit", true, 1); }
static int delfunc(const std::vector<std::string> &args) { return change(args, "delfunc", false, 1); }
static int renameunit(const std::vector<std::string> &args) { return change(args, "renameunit", true, 2); }
static int renamefunc(const std::vector<std::string> &args) { return change(args, "renamefunc", false, 2); }

/*
 * functions -- the names of the function file's entries, one a line ('fbr' entry by
 * entry until one has no name).
 */
static int functions(const std::vector<std::string> &args)
{
    parsedargs p;
    int status;
    if (!start(args, "functions", p, status)) return status;
    if (!p.words.empty()) return usage("functions takes no argument but -f FILE");
    std::string error, funcs = functionfile(p.value("-f"), false, error);
    if (!error.empty()) return usage(error);
    if (funcs.empty()) return EXIT_ANSWER;
    std::string answer;
    for (long k = 1;; k++) {
        if (!run({"fbr", funcs, std::to_string(k)}, answer)) return EXIT_USAGE;
        answer = trimend(answer);
        if (answer.empty()) break;
        emit(answer);
    }
    return EXIT_ANSWER;
}

/*
 * helpsub -- help: the overview, or what qev knows of a word.
 */
static int helpsub(const std::vector<std::string> &args)
{
    // "-u SYSTEM" and "-f FILE" before the word, which may be an option itself
    parsedargs p;
    size_t k = 0;
    for (; k + 1 < args.size() && (args[k] == "-u" || args[k] == "-f"); k += 2)
        p.options.emplace_back(args[k], args[k + 1]);
    p.words.assign(args.begin() + k, args.end());
    if (p.words.size() == 1 && (p.words[0] == "--help" || p.words[0] == "-h")) p.words = {"help"};
    if (p.words.size() > 1) return usage("help takes one word, not " + joined(p.words));
    // the library of the session, or of -u and -f
    if (!insession && !setupcalc(p)) return EXIT_USAGE;
    std::string text = helpoverview();
    if (!p.words.empty() && !helpabout(p.words[0], text)) {
        emit("qev knows no " + p.words[0] + ": 'help' lists the words, 'units' the units of your library");
        return EXIT_ENGINEERROR;
    }
    text = trimend(text);
    emit(text);
    return EXIT_ANSWER;
}

// The subcommands with their options: flags, and options with a value.
static const struct subcommand {
    const char *name;
    subcommandproc *proc;
    std::vector<std::string> flags, valued;
} SUBCOMMANDS[] = {
    {"units", units, {"-n", "-cr", "-S1", "-S2", "-S3"}, {"-u", "-p"}},
    {"unitof", unitof, {}, {"-t", "-u", "-f", "-q"}},
    {"fit", fit, {}, {"-p"}},
    {"addunit", addunit, {"--replace", "--force"}, {"-u", "-name", "-unit", "-mult", "-add1", "-add2"}},
    {"addfunc", addfunc, {"--replace", "--force"}, {"-f", "-u", "-q"}},
    {"delunit", delunit, {"--force"}, {"-u"}},
    {"delfunc", delfunc, {"--force"}, {"-u", "-f"}},
    {"renameunit", renameunit, {"--force"}, {"-u"}},
    {"renamefunc", renamefunc, {"--force"}, {"-u", "-f"}},
    {"functions", functions, {}, {"-f"}},
    {"help", helpsub, {}, {"-u", "-f"}},
};

static const subcommand *subcommandnamed(const std::string &name)
{
    for (const subcommand &s : SUBCOMMANDS)
        if (name == s.name) return &s;
    return nullptr;
}

static bool start(const std::vector<std::string> &args, const std::string &name, parsedargs &p, int &status)
{
    const subcommand *s = subcommandnamed(name);
    return start(args, s->flags, s->valued, p, status);
}

std::vector<std::string> takenoptions(const std::string &name, const parsedargs &p)
{
    std::vector<std::string> taken;
    const subcommand *s = subcommandnamed(name);
    if (!s) return taken;
    for (const auto &o : p.options) {
        if (member(s->flags, o.first)) taken.push_back(o.first);
        if (member(s->valued, o.first)) taken.insert(taken.end(), {o.first, o.second});
    }
    return taken;
}

std::vector<std::string> subcommandnames()
{
    std::vector<std::string> names;
    for (const subcommand &s : SUBCOMMANDS) names.push_back(s.name);
    return names;
}

subcommandproc *subcommandof(const std::string &word)
{
    const subcommand *s = subcommandnamed(word);
    return s ? s->proc : nullptr;
}
