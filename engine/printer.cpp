// printer.cpp - the result text of 'handlestr'.
//
// A number is written as "(" value [" ±" error] ") " and its unit groups; in table
// mode (after an analysis word) without brackets, in pairs separated by " ; ".
#include "engine/printer.h"

#include <string>

#include "base/output.h"
#include "engine/numeric.h"
#include "engine/state.h"

void displaynormal(long double &mag, long double &phase)
{
    if (!std::isfinite(phase)) return;
    if (phase < -1000 * PI || phase > 1000 * PI) {
        long double k = std::floor((phase + PI2) / PI);
        if (phase - k * PI > PI2) k += 1;
        long double rest = phase - k * PI;
        if (rest > -0x1p20L * PI && rest < 0x1p20L * PI) {
            phase = rest;
            if (std::fmod(k, 2.0L) != 0) mag = -mag;
        } else {
            // A phase so large that a half turn is below its precision: the exact
            // remainder of whole turns (the steps below would never end).
            phase = std::fmod(phase, TWOPI);
        }
    }
    while (phase < -PI2) {
        mag = -mag;
        phase = phase + PI;
    }
    while (phase > PI2) {
        mag = -mag;
        phase = phase - PI;
    }
}

static void unitstext(const lm *n, std::string &out)
{
    static const struct { int slot; const char *sep; const char *name; } ORDER[] = {
        {2, "  ", LENGTH}, {0, " ", MASS}, {1, " ", TIME}, {3, " ", TEMP}, {4, " ", CHARGE}, {5, " ", MOLE}};
    for (const auto &g : ORDER) {
        if (n->units[g.slot] == 0) continue;
        out.append(g.sep).append("{").append(g.name).append("^(");
        numtext(n->units[g.slot], out);
        out += ")}";
    }
}

// A zero is written without a sign, a real or imaginary part of a whole quarter turn exactly.
static void valuetext(long double mag, long double phase, std::string &out)
{
    if (mag == 0) mag = 0;
    long double im = exactim(mag, phase);
    if (im == 0 || phase == 0) {
        numtext(mag, out);
    } else if (how223) {
        numtext(mag, out);
        out += "*exp(i*";
        numtext(phase, out);
        out += ")";
    } else {
        numtext(exactre(mag, phase), out);
        out += "+i * ";
        numtext(im, out);
    }
}

void printunits(const lm *n)
{
    std::string out;
    unitstext(n, out);
    cout2->write(out.data(), out.size());
}

void printvalue(long double mag, long double phase)
{
    std::string out;
    valuetext(mag, phase, out);
    cout2->write(out.data(), out.size());
}

void displayform(long double &mag, long double &phase)
{
    displaynormal(mag, phase);
    if (Realonly) {
        mag = exactre(mag, phase);
        phase = 0;
    }
    if (phase > -1e-14 && phase < 1e-14) phase = 0;
}

void notenumber(const lm *n)
{
    long double mag = n->mag, phase = n->phase;
    displayform(mag, phase);
    printrecord &r = lastprint;
    r.numbers++;
    r.table = r.table || flagrep != 0;
    if (!r.allreal) return;
    if (exactim(mag, phase) != 0 && phase != 0) {
        r.allreal = false;
        r.reals.clear();
    } else if (r.reals.size() < printrecord::MAXREALS) {
        r.reals.push_back((double)mag);
    }
}

void numbertext(const lm *n, std::string &out)
{
    long double mag = n->mag, phase = n->phase;
    displayform(mag, phase);
    if (flagrep == 0) out += "(";
    valuetext(mag, phase, out);
    if (n->err != 0) {
        out += " \xB1";
        numtext(n->err, out);
    }
    if (flagrep == 0) out += ") ";
    if (flagrep == 1) flagrep = 2;
    else if (flagrep == 2) flagrep = 1;
    if (flagrep == 1 && n->next) out += " ; ";
    unitstext(n, out);
    out += " ";
}

// A number's text is made whole and written at once.
static void printnumber(lm *n, std::string &out)
{
    deleteS2();
    copylm(&varib[0], n);
    notenumber(n);
    out.clear();
    numbertext(n, out);
    cout2->write(out.data(), out.size());
}

void printlist()
{
    std::string out;
    lastprint.printed = true;
    lastprint.start = (size_t)cout2->tellp();
    for (lm *n = S; n; n = n->next) {
        if (n->kind == LM_WORD) {
            *cout2 << n->text << " ";
            lastprint.words++;
        } else if (n->kind == LM_NUMBER) {
            printnumber(n, out);
        }
    }
    freelist(S);
    S = C = T = nullptr;
}
