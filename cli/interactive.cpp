// interactive.cpp - the interactive session on a terminal: formulas, the subcommands,
// settings changed at the prompt and shown in it, help, Tab completion of the names of
// the library and the engine's words, Ctrl-C and Ctrl-D.
#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/lineedit.h"
#include "cli/session.h"

// The settings of formulas: as the session began, and as they are now.
static parsedargs startup, now;

// The names of the units and functions files as last read, for completion.
static std::vector<std::string> unitnames, functionnames;
static bool namesread;

// Options that replace each other: a setting given anew drops the ones before it.
static const std::vector<std::vector<std::string>> RIVALS = {
    {"-ce", "-cr"}, {"-R"}, {"-S1", "-S2", "-S3"}, {"-p"}, {"-u"}, {"-f"}, {"--to", "-o"}, {"--raw"},
    {"--literal"}, {"-v", "--verbose"}, {"-g", "--errors=gauss", "--errors=linear"}};

static const std::vector<std::string> &rivalsof(const std::string &opt)
{
    static const std::vector<std::string> none;
    for (const auto &r : RIVALS)
        if (member(r, opt)) return r;
    return none;
}

// Drops the options of 'p' that 'opt' replaces.
static void drop(parsedargs &p, const std::string &opt)
{
    const std::vector<std::string> &rivals = rivalsof(opt);
    p.options.erase(std::remove_if(p.options.begin(), p.options.end(),
                                   [&](const std::pair<std::string, std::string> &o) { return member(rivals, o.first); }),
                    p.options.end());
}

// The words of a line as a shell cuts them: at blanks, but not inside quotes '...' or
// "..." (which are taken off).
static std::vector<std::string> words(const std::string &line)
{
    std::vector<std::string> out;
    std::string w;
    bool in = false;
    char quote = 0;
    for (char c : line) {
        if (quote) {
            if (c == quote) quote = 0;
            else w += c;
        } else if (c == '\'' || c == '"') {
            quote = c;
            in = true;
        } else if (c == ' ' || c == '\t') {
            if (in) out.push_back(w);
            w.clear();
            in = false;
        } else {
            w += c;
            in = true;
        }
    }
    if (in) out.push_back(w);
    return out;
}

// The settings as options, e.g. "-p 4 --to km/h" (empty for none).
static std::string settingstext(const parsedargs &p)
{
    std::string text;
    for (const auto &o : p.options) {
        text += (text.empty() ? "" : " ") + o.first;
        if (member(VALUED, o.first)) text += " " + o.second;
    }
    return text;
}

// The prompt: "qev> ", with the settings in force between, "qev -p 4> ".
static std::string prompt()
{
    std::string s = settingstext(now);
    return tosystem("qev" + (s.empty() ? "" : " " + s) + "> ");
}

// show: every setting, with what it does and how to change it.
static void show()
{
    std::string digits = now.value("-p", "12"), format = "general (-S1)";
    if (now.has("-S2")) format = "scientific (-S2)";
    if (now.has("-S3")) format = "fixed (-S3)";
    std::string target = now.has("--to") ? now.value("--to") : now.value("-o");
    std::string units = currentunits();
    const std::string lines[] = {
        "digits        " + digits + " (-p N)",
        "format        " + format + "; -S1 general, -S2 scientific, -S3 fixed",
        std::string("complex       ") + (now.has("-cr") ? "real+imaginary i (-cr)" : "magnitude*exp(i*phase) (-ce)") +
            (now.has("-R") ? ", real parts only (-R; -R off)" : "; -R real parts only"),
        "unit system   " + (now.value("-u").empty() ? std::string("your library's") : now.value("-u")) +
            (units.empty() ? "" : ", units from " + units) + " (-u SYSTEM)",
        "functions     " + (currentfunctions().empty() ? std::string("none") : currentfunctions()) + " (-f FILE)",
        "answers in    " + (target.empty() ? std::string("named units (--to UNIT)") : target + " (--to off)"),
        std::string("answers as    ") + (now.has("--raw") ? "the engine's text (--raw off)" : "values (--raw for the engine's text)"),
        std::string("formulas      ") +
            (now.has("--literal") ? "as typed (--literal off)" : "read as textbooks write them (--literal: as typed)") +
            (now.has("-v") || now.has("--verbose") ? ", rewrites told (-v off)" : "; -v tells the rewrites"),
        std::string("errors        ") + (gaussof(now) ? "Gaussian, in quadrature (-g; --errors=linear)"
                                                      : "linear (--errors=linear; -g Gaussian, in quadrature)"),
    };
    for (const std::string &l : lines) emit(l);
}

// Applies the options at the head of 'ws' to the settings ("off" after -R, --raw, --to,
// -o, --literal, -v or --verbose removes that setting); the words after them are a
// formula, which is evaluated.
static void settings(const std::vector<std::string> &ws)
{
    std::vector<std::string> given;
    parsedargs next = now;
    for (size_t k = 0; k < ws.size(); k++) {
        const std::string &w = ws[k];
        bool takesoff = w == "-R" || w == "--raw" || w == "--to" || w == "-o" || w == "--literal" || w == "-v" ||
                        w == "--verbose";
        if (takesoff && k + 1 < ws.size() && ws[k + 1] == "off") {
            drop(next, w);
            k++;
            continue;
        }
        given.push_back(w);
    }
    parsedargs p = parseargs(given, FLAGS, VALUED);
    if (p.help) {
        emit(trimend(helpoverview()));
        return;
    }
    if (!p.error.empty()) {
        usage(p.error);
        return;
    }
    for (const auto &o : p.options) {
        drop(next, o.first);
        next.options.push_back(o);
    }
    if (!setupcalc(next)) {
        setupcalc(now);
        return;
    }
    now = next;
    namesread = false;
    if (p.words.empty()) return;
    std::string formula, answer;
    for (const std::string &w : p.words) formula += (formula.empty() ? "" : " ") + w;
    bool error;
    evaluate(formula, answer, error);
    emit(answer);
    tellafter();
}

// Runs a subcommand with the settings it takes before its own arguments.
static void subcommand(subcommandproc *sub, const std::vector<std::string> &ws)
{
    std::vector<std::string> args = takenoptions(ws[0], now);
    args.insert(args.end(), ws.begin() + 1, ws.end());
    beginwork();
    sub(args);
    endwork();
    flushout();
    namesread = false;  // a definition may have changed the library
}

// The names of entries 1, 2, ... of a library file, as 'fbr' reads them.
static void entrynames(const std::string &file, std::vector<std::string> &names)
{
    names.clear();
    std::string answer;
    for (long k = 1; !file.empty(); k++) {
        if (!command({"fbr", file, std::to_string(k)}, answer)) break;
        answer = trimend(answer);
        if (answer.empty()) break;
        names.push_back(tosystem(answer));
    }
}

// Tab: what may stand at 'start' of 'line'. At the head of the line the session's
// words and the subcommands too; after "-" or "--" at the head of a word the options;
// after "help" everything help knows; after -u the unit systems of the library; after
// a subcommand of units or functions their names; elsewhere the words of formulas and
// the names of units and functions.
static std::vector<std::string> complete(const std::string &line, size_t start, const std::string &)
{
    if (!namesread) {
        entrynames(currentunits(), unitnames);
        entrynames(currentfunctions(), functionnames);
        namesread = true;
    }
    size_t dashes = 0;
    while (dashes < start && line[start - 1 - dashes] == '-') dashes++;
    bool wordstart = dashes > 0 && (dashes == start || line[start - 1 - dashes] == ' ');
    std::vector<std::string> before = words(line.substr(0, start - dashes));
    std::vector<std::string> offer;
    auto add = [&](const std::vector<std::string> &list) { offer.insert(offer.end(), list.begin(), list.end()); };
    if (wordstart && dashes <= 2) {
        // the option without the dashes typed
        for (const auto *list : {&FLAGS, &VALUED})
            for (const std::string &o : *list)
                if (o.compare(0, dashes, std::string(dashes, '-')) == 0) offer.push_back(o.substr(dashes));
        return offer;
    }
    std::string first = before.empty() ? "" : before[0], last = before.empty() ? "" : before.back();
    if (last == "-u") {
        for (const auto &s : library().systems) offer.push_back(s.first);
        return offer;
    }
    if (before.empty() || first == "help") {
        add({"help", "show", "reset", "quit", "exit"});
        add(subcommandnames());
    }
    if (first == "units" || first == "delunit" || first == "renameunit") return unitnames;
    if (first == "delfunc" || first == "renamefunc") return functionnames;
    add(formulawords());
    add(unitnames);
    add(functionnames);
    std::set<std::string> unique(offer.begin(), offer.end());
    return std::vector<std::string>(unique.begin(), unique.end());
}

// One line of the session; false when it ends the session.
static bool session(const std::string &typed)
{
    std::string line = fromsystem(typed);
    std::vector<std::string> ws = words(line);
    if (ws.empty()) return true;
    const std::string &w = ws[0];
    bool alone = ws.size() == 1;
    if (alone && (w == "quit" || w == "exit")) return false;
    remember(typed);
    if (alone && w == "show") {
        show();
    } else if (alone && w == "reset") {
        now = startup;
        setupcalc(now);
        namesread = false;
    } else if (subcommandproc *sub = subcommandof(w)) {
        subcommand(sub, ws);
    } else if (member(FLAGS, w) || member(VALUED, w) || w == "--" || w == "--help" || w == "-h" ||
               (w.size() > 2 && w[0] == '-' && w[1] == '-' && std::isalpha((unsigned char)w[2]))) {
        settings(ws);
    } else {
        std::string answer;
        bool error;
        evaluate(line, answer, error);
        if (!answer.empty()) emit(answer);
        tellafter();
    }
    return true;
}

int interactive(const parsedargs &p)
{
    insession = true;
    startup = now = p;
    const userlibrary &lib = library();
    openlines(lib.dir.empty() ? "" : lib.dir + "/history", complete, interruptfd());
    std::string banner = std::string("qev ") + QEV_VERSION +
                         " - formulas with units and errors; 'help' explains, 'quit' or Ctrl-D ends.\n";
    out(banner.data(), banner.size());
    std::string line;
    for (;;) {
        takeinterrupt();  // a Ctrl-C that stopped the last formula is done with
        if (!readline_(prompt().c_str(), line) || !session(line)) break;
    }
    closelines();
    return EXIT_ANSWER;
}
