// answer.cpp - evaluating a formula and making its answer.
//
// The value comes from the engine itself: what the printer noted in 'lastprint' and the
// last result 'varib'[0]. Messages the engine wrote before the result (warnings) stay in
// front of the display.
#include "present/answer.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <memory>

#include <tcl.h>

#include "base/output.h"
#include "commands/commands.h"
#include "commands/frame.h"
#include "engine/library.h"
#include "engine/numeric.h"
#include "engine/printer.h"
#include "engine/state.h"
#include "present/digits.h"
#include "present/formulawords.h"
#include "present/hints.h"
#include "present/latin1.h"
#include "present/naming.h"
#include "present/notation.h"
#include "present/symbols.h"
#include "present/target.h"
#include "present/unitvalues.h"

namespace {

// Puts the user's state back when an answer is done, whatever evaluations it needed.
struct keepstate {
    ~keepstate() { restoreuserstate(); }
};

// The argument the calculate command takes for its formula after 'from', or -1, by the
// command's own rules ("-u" and "-f" take the next argument along).
int formulaafter(int from, int argc, const char *const argv[])
{
    for (int i = from + 1; i < argc; i++) {
        bool last = i == argc - 1;
        if (!last && (isopt(argv[i], "-u") || isopt(argv[i], "-f"))) {
            i++;
            continue;
        }
        if (formulaarg(argv[i - 1], argv[i], GAUSSFLAG) && argv[i][0]) return i;
    }
    return -1;
}

// Writes the relative errors of a formula (UTF-8) for the calculate command: a
// plus-minus sign, blanks, a number and a percent sign right after it, followed by the
// end, a blank, a closing bracket, a comma or an operator, become the error word
// "errpct" and the number. Any other percent sign is left alone ("±5%a" stays a recall
// of the variable a).
void relativeerrors(std::string &formula)
{
    static const char PM[] = "\xC2\xB1";
    for (size_t p = formula.find(PM); p != std::string::npos; p = formula.find(PM, p + 1)) {
        size_t n = p + 2;
        while (n < formula.size() && (formula[n] == ' ' || formula[n] == '\t')) n++;
        size_t start = n;
        while (n < formula.size() && (std::isdigit((unsigned char)formula[n]) || formula[n] == '.')) n++;
        if (n < formula.size() && n > start && (formula[n] == 'e' || formula[n] == 'E')) {
            size_t e = n + 1;
            if (e < formula.size() && (formula[e] == '+' || formula[e] == '-')) e++;
            if (e < formula.size() && std::isdigit((unsigned char)formula[e])) {
                n = e;
                while (n < formula.size() && std::isdigit((unsigned char)formula[n])) n++;
            }
        }
        bool number = n > start && formula.find_first_of("0123456789", start) < n;
        if (!number || n >= formula.size() || formula[n] != '%') continue;
        char after = n + 1 < formula.size() ? formula[n + 1] : ' ';
        if (!std::strchr(" \t),+-*/^!}", after)) continue;
        std::string word = " errpct " + formula.substr(start, n - start) + " ";
        formula.replace(p, n + 1 - p, word);
        p += word.size() - 1;
    }
}

// A value of the answer: magnitude, phase (display form), error, dimensions.
struct value {
    long double mag, phase, err;
    long double units[6];
};

// Writes 'v' in the unit the library names for it; the unit's text in 'unit'.
void namedtext(value &v, const numstyle &style, std::string &unit, std::string &out)
{
    unitname u = nameunits(v.units, std::max(std::fabs(v.mag), v.err), significant(style));
    v.mag /= u.factor;
    v.err /= u.factor;
    unit = u.text;
    quantitytext(v.mag, v.phase, v.err, unit, style, out);
}

// Converts 'v' to the target; false with the reason in 'out' when it cannot.
bool converted(value &v, const target &t, const numstyle &style, std::string &out)
{
    if (!t.error.empty()) {
        out = "cannot convert to " + t.text + ": " + t.error;
        return false;
    }
    if (!samedims(v.units, t.units)) {
        std::string have, unit;
        value n = v;
        namedtext(n, style, unit, have);
        out = "cannot convert " + have + " to " + t.text + " (" + dimensionwords(v.units) + " to " +
              dimensionwords(t.units) + ")";
        return false;
    }
    long double re = exactre(v.mag, v.phase), im = exactim(v.mag, v.phase);
    if (v.phase == 0) re = v.mag, im = 0;
    re = (re - t.offset) / t.slope;
    im = im / t.slope;
    v.err = v.err / std::fabs(t.slope);
    if (im == 0) {
        v.mag = re;
        v.phase = 0;
    } else {
        v.mag = std::hypot(re, im);
        v.phase = std::atan2(im, re);
        displayform(v.mag, v.phase);
    }
    if (t.parts.empty()) {
        quantitytext(v.mag, v.phase, v.err, t.text, style, out);
        return true;
    }
    if (v.phase != 0) {
        out = "cannot write a complex value in " + t.text;
        return false;
    }
    // A mixed target: whole units of each part but the last, which takes the rest.
    long double rest = std::fabs(v.mag) * t.slope;
    if (v.mag < 0) out += "-";
    for (size_t k = 0; k + 1 < t.parts.size(); k++) {
        long double slope = t.parts[k].second;
        long double whole = std::floor(rest / slope * (1 + 1e-15L));
        if (whole < 0) whole = 0;
        rest = std::max(0.0L, rest - whole * slope);
        numtext(whole, std::ios::fmtflags(), 30, out);
        out += " " + t.parts[k].first + " ";
    }
    long double last = t.parts.back().second;
    quantitytext(rest / last, 0, v.err * t.slope / last, t.parts.back().first, style, out);
    return true;
}

// The state before a formula that may be rescued, and after its first attempt.
struct attempt {
    enginestate before, after;
    printrecord print;
    std::string engine;
};

// Runs the calculate command with 'args' (null-terminated) and takes its text.
void calculate(Tcl_Interp *interp, std::vector<const char *> &args, answer &a)
{
    newprintrecord();
    mc66(nullptr, interp, (int)args.size() - 1, args.data());
    a.engine = Tcl_GetStringResult(interp);
}

} // namespace

// The answer without its note.
static void answerbody(Tcl_Interp *interp, int argc, const char *const argv[], const std::string &target, bool raw,
                       answer &a, bool literal)
{
    a = answer();
    int f = formulaafter(0, argc, argv);
    int t = f < 0 || raw ? -1 : formulaafter(f, argc, argv);
    std::vector<const char *> args(argv, argv + argc);
    std::string formula, goal = target, rescued;
    bool own = false, retry = false;
    notes &told = a.told, rescuing;
    if (f >= 0) {
        formula = argv[f];
        if (!literal) {
            libnewformula();  // names are read as the command will read them
            readfileoptions(argc, argv);
            namesnow();
            for (size_t p; (p = formula.find("\xE2\x86\x92")) != std::string::npos;) {
                formula.replace(p, 3, "->");
                told.rewrite("\xE2\x86\x92", "->");
            }
        }
        std::string written;
        if (!raw && (own = splittarget(formula, written))) goal = written;
        else if (t >= 0) goal = argv[t];
        if (!literal) {
            if (mayhavesymbols(formula)) formula = symbols(formula, false, told);
            if (mayhavesymbols(goal)) goal = symbols(goal, true, told);
            relativeerrors(formula);
            retry = readformula(formula, told, rescued, rescuing);
        }
        args[f] = formula.c_str();
        if (t >= 0) args.erase(args.begin() + t);
    }
    bool converting = !raw && (f >= 0 ? goal != "" || own : !target.empty());
    args.push_back(nullptr);
    // A formula that may be rescued is first tried from a state kept for a second try.
    static std::unique_ptr<attempt> kept;
    if (retry) {
        if (!kept) kept.reset(new attempt);
        savestate(kept->before);
    }
    unsigned long draws = randdraws;
    calculate(interp, args, a);
    // A first try that drew random numbers cannot be undone, and one that was asked to
    // stop is not tried again: either is the answer.
    if (retry && lastprint.exited && !lastprint.stopped && randdraws == draws) {
        attempt &k = *kept;
        savestate(k.after);
        k.print = lastprint;
        k.engine = a.engine;
        loadstate(k.before);
        args[f] = rescued.c_str();
        calculate(interp, args, a);
        if (lastprint.exited) {
            loadstate(k.after);
            lastprint = k.print;
            a.engine = k.engine;
        } else {
            formula = rescued;
            told.merge(rescuing);
        }
    }
    a.formula = formula;
    if (!literal) passedover(lastprint, told);
    a.display = a.engine;
    a.gauss = gaussmode != 0;
    const printrecord &r = lastprint;
    if (r.exited) {
        a.status = r.stopped ? answer::STOPPED : answer::ENGINEERROR;
        if (!literal && !r.stopped) {
            namesnow();
            enginehints(formula, a.engine, told);
        }
        return;
    }
    numstyle style;
    style.flags = cout2->flags();
    style.precision = cout2->precision();
    style.expform = how223 != 0;
    if (r.table && r.allreal && r.words == 0 && r.numbers >= 2 && r.numbers % 2 == 0 &&
        r.reals.size() == (size_t)r.numbers) {
        a.table.resize(r.reals.size());
        for (size_t k = 0; k < r.reals.size(); k++) numtext(r.reals[k], style.flags, style.precision, a.table[k]);
    }
    if (raw) return;
    if (!(r.printed && r.numbers == 1 && r.words == 0)) {
        if (converting && (r.numbers > 0 || r.words > 0)) {
            a.status = answer::CONVERSIONERROR;
            a.display = "cannot convert to " + goal + ": the answer is not a single value";
        }
        return;
    }
    std::string prefix;
    latin1toutf8(cout2->str().substr(0, r.start), prefix);
    value v = {varib[0].mag, varib[0].phase, std::fabs(varib[0].err), {}};
    std::memcpy(v.units, varib[0].units, sizeof v.units);
    displayform(v.mag, v.phase);
    keepstate keep;
    std::string text;
    if (converting) {
        const ::target t = readtarget(goal);  // a copy: the kept targets may be renewed meanwhile
        if (!converted(v, t, style, text)) {
            a.status = answer::CONVERSIONERROR;
            a.display = text;
            if (!literal) {
                namesnow();
                targethints(text, told);
            }
            return;
        }
        a.unit = t.text;
    } else {
        namedtext(v, style, a.unit, text);
    }
    a.number = true;
    a.re = v.phase == 0 ? v.mag : exactre(v.mag, v.phase);
    a.im = v.phase == 0 ? 0 : exactim(v.mag, v.phase);
    a.err = v.err;
    a.display = prefix + text;
}

void answerof(Tcl_Interp *interp, int argc, const char *const argv[], const std::string &target, bool raw,
              answer &a, bool literal)
{
    answerbody(interp, argc, argv, target, raw, a, literal);
    // The model is said of an answer that shows an error.
    if (a.gauss && a.status == answer::OK && a.display.find("\xC2\xB1") != std::string::npos) a.note = "Gaussian errors";
}

void answerofaside(Tcl_Interp *interp, int argc, const char *const argv[], answer &a)
{
    std::unique_ptr<enginestate> before(new enginestate);
    savestate(*before);
    answerof(interp, argc, argv, "", false, a);
    loadstate(*before);
}
