// library_test.cpp - the shipped library in data/: unit systems, units file, functions.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <algorithm>
#include <sstream>

#include "engine/scanner.h"
#include "support.h"

static const std::string DATA = std::string(QEV_BUILD) + "/data/";
static const std::string SI = DATA + "SI.usys", LONG = DATA + "long.usys", UNITS = DATA + "qev.units";

static std::string readfile(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// A formula in the shipped unit system (and the example functions).
static std::string si(const std::string &formula, const std::string &usys = SI, const char *prec = "6")
{
    return qev({"mc66", "-u", usys, "-f", DATA + "examples.functions", "-S1", "-p", prec, "-q", formula});
}

// Every entry name of the units file, in file order.
static std::vector<std::string> names()
{
    std::vector<std::string> v;
    for (int k = 1;; k++) {
        std::string n = qev({"fbr", UNITS, std::to_string(k)});
        if (n == " ") return v;
        v.push_back(n.substr(0, n.size() - 1));
    }
}

// A printed quantity: its value and the exponent of each printed unit name.
struct quantity {
    double value = NAN;
    std::map<std::string, double> units;
};

static quantity parse(const std::string &text)
{
    quantity q;
    if (text.empty() || text[0] != '(') return q;
    q.value = std::strtod(text.c_str() + 1, nullptr);
    static const std::regex group(R"(\{([^^]+)\^\(([^)]*)\)\})");
    for (std::sregex_iterator g(text.begin(), text.end(), group), end; g != end; ++g)
        q.units[(*g)[1]] = std::strtod((*g)[2].str().c_str(), nullptr);
    return q;
}

static quantity value(const std::string &formula) { return parse(si(formula, SI, "17")); }

TEST(library, unitsystems)
{
    // The unit systems name the units file beside them, so that the library works
    // wherever it is installed; the build copies every file as it is.
    EXPECT_EQ(readfile(SI), "SI m kg s K C mol qev.units\n");
    EXPECT_EQ(readfile(LONG), "long Meter Kg Second Kelvin Coulomb Mole qev.units\n");
    for (const char *f : {"SI.usys", "long.usys", "qev.units", "examples.functions"})
        EXPECT_EQ(readfile(DATA + f), readfile(std::string(QEV_SOURCE) + "/data/" + f)) << f;
}

// The header of the units file: everything before its first entry.
static std::string header() { std::string t = readfile(UNITS); return t.substr(0, t.find('#')); }

TEST(library, names)
{
    std::vector<std::string> v = names();
    ASSERT_GE(v.size(), 400u);
    std::vector<std::string> base = {"m", "kg", "s", "K", "C", "mol", "Meter", "Kg", "Second", "Kelvin", "Coulomb", "Mole"};
    EXPECT_EQ(std::vector<std::string>(v.begin(), v.begin() + 12), base);
    std::map<std::string, int> seen;
    for (const std::string &n : v) {
        EXPECT_FALSE(engineword(n.c_str(), n.size())) << n;
        EXPECT_TRUE(std::isalpha((unsigned char)n[0])) << n;
        EXPECT_EQ(n.find_first_of("+-*/^!(){},=%_~@$"), std::string::npos) << n;
        // "1e5" would look up "e5": no name may be read inside a number.
        EXPECT_FALSE((n[0] == 'e' || n[0] == 'E') && n.size() > 1 && std::isdigit((unsigned char)n[1])) << n;
        EXPECT_EQ(++seen[n], 1) << n;
    }
}

// Every entry evaluates, without any error or warning, to a finite value as one unit of
// its name, and so do the entries of the long unit system.
TEST(library, everyentry)
{
    for (const std::string &usys : {SI, LONG})
        for (const std::string &n : names()) {
            std::string r = si("1 " + n, usys);
            EXPECT_EQ(r.find("error"), std::string::npos) << n << ": " << r;
            EXPECT_EQ(r.find("Could"), std::string::npos) << n << ": " << r;
            EXPECT_EQ(r.find("syntax"), std::string::npos) << n << ": " << r;
            EXPECT_EQ(r[0], '(') << n << ": " << r;
            EXPECT_TRUE(std::isfinite(parse(r).value)) << n << ": " << r;
        }
}

// The SI prefixes, for the names that are a prefix and another unit.
static const std::map<std::string, double> PREFIXES = {
    {"y", 1e-24}, {"z", 1e-21}, {"a", 1e-18}, {"f", 1e-15}, {"p", 1e-12}, {"n", 1e-9}, {"u", 1e-6},
    {"m", 1e-3}, {"c", 1e-2}, {"d", 1e-1}, {"da", 1e1}, {"h", 1e2}, {"k", 1e3}, {"M", 1e6},
    {"G", 1e9}, {"T", 1e12}, {"P", 1e15}, {"E", 1e18}, {"Z", 1e21}, {"Y", 1e24}};

// A name that also spells a prefix and another entry means that prefixed unit (mm2 is a
// square millimetre), unless the header lists it as meaning something else.
TEST(library, prefixednames)
{
    std::vector<std::string> v = names();
    std::set<std::string> all(v.begin(), v.end()), listed, found;
    static const std::regex line(R"(\n  ([A-Za-z]\S*) +[^\n]*, not an? )");
    std::string h = header();
    for (std::sregex_iterator g(h.begin(), h.end(), line), end; g != end; ++g) listed.insert((*g)[1]);
    EXPECT_GE(listed.size(), 5u);
    std::map<std::string, quantity> q;
    for (const std::string &n : v) q[n] = value("1 " + n);
    for (const std::string &n : v)
        for (const auto &p : PREFIXES) {
            std::string rest = n.substr(std::min(n.size(), p.first.size()));
            if (n.compare(0, p.first.size(), p.first) != 0 || rest.empty() || !all.count(rest)) continue;
            // A power in the name applies to the prefix as well: cm3 is (0.01 m)^3.
            double power = (n.back() == '2' || n.back() == '3') && all.count(rest.substr(0, rest.size() - 1)) ? n.back() - '0' : 1;
            double want = std::pow(p.second, power) * q[rest].value;
            if (q[n].units != q[rest].units || std::abs(q[n].value - want) > 1e-12 * std::abs(want)) found.insert(n);
        }
    EXPECT_EQ(found, listed);
    // The guide names them too.
    std::string guide = readfile(std::string(QEV_SOURCE) + "/docs/guide.md");
    for (const std::string &n : listed) EXPECT_NE(guide.find("`" + n + "`"), std::string::npos) << n;
}

// A word that is not an entry but a prefix letter and an entry is read as a product when
// that letter is a unit itself. These letters are the header's four; and every milli and
// micro form of the SI units is an entry, so that none of them is read as a product.
TEST(library, prefixletters)
{
    std::vector<std::string> v = names();
    std::set<std::string> all(v.begin(), v.end()), letters;
    for (const auto &p : PREFIXES)
        if (all.count(p.first)) letters.insert(p.first);
    EXPECT_EQ(letters, (std::set<std::string>{"h", "m", "u", "T"}));
    EXPECT_NE(header().find("m the metre, u the atomic mass unit, h the\nhour, T the tesla"), std::string::npos);
    for (const char *u : {"m", "s", "g", "L", "N", "J", "W", "Pa", "V", "A", "C", "ohm", "F", "H", "T", "S", "Wb",
                          "Hz", "Bq", "Gy", "Sv", "K", "mol", "eV", "rad", "bar", "Ci"})
        for (const char *p : {"m", "u"}) EXPECT_TRUE(all.count(p + std::string(u))) << p << u;
}

// A plural of a long name that is not an entry is read as the name times a second.
TEST(library, plurals)
{
    std::vector<std::string> v = names();
    std::set<std::string> all(v.begin(), v.end());
    // Symbols written in small letters, and words without a plural.
    static const std::set<std::string> NONE = {
        "alpha", "arcmin", "arcsec", "centipoise", "dozen", "fahrenheit", "floz", "ftlbf", "hbar", "hertz",
        "horsepower", "hpmetric", "kbar", "kbit", "kbyte", "kcal", "kmol", "kohm", "mbar", "mmol", "mohm", "molar",
        "mrad", "mrem", "msec", "nmol", "percent", "permille", "poise", "rankine", "tbsp", "thou", "umol", "uohm",
        "urad", "usec", "ubar", "feet"};
    for (const std::string &n : v) {
        bool word = n.size() >= 4 && std::all_of(n.begin(), n.end(), [](char c) { return c >= 'a' && c <= 'z'; });
        if (!word || n.back() == 's' || NONE.count(n)) continue;
        bool plural = all.count(n + "s") || all.count(n + "es") || all.count(n.substr(0, n.size() - 1) + "ies") ||
                      (n == "foot" && all.count("feet"));
        EXPECT_TRUE(plural) << n;
    }
}

// For every dimension the SI unit is the first entry of that dimension, so that the
// unit matching reports it.
TEST(library, siunitsfirst)
{
    std::map<std::map<std::string, double>, std::string> first;
    for (const std::string &n : names()) first.emplace(value("1 " + n).units, n);
    for (const char *u : {"m", "kg", "s", "K", "C", "mol", "rad", "m2", "m3", "Hz", "N", "J", "W", "Pa", "A",
                          "V", "ohm", "S", "F", "Wb", "T", "H", "Gy", "kat"})
        EXPECT_EQ(first[value(std::string("1 ") + u).units], u);
}

// Conversion factors against NIST SP 811 and CODATA 2018, to 1e-12 relative: each
// value here is exact, or the published value to all its digits.
TEST(library, conversions)
{
    using dims = std::map<std::string, double>;
    const dims L = {{"m", 1}}, M = {{"kg", 1}}, TI = {{"s", 1}}, K = {{"K", 1}}, ONE = {}, Q = {{"C", 1}};
    const dims AREA = {{"m", 2}}, VOLUME = {{"m", 3}}, SPEED = {{"m", 1}, {"s", -1}}, ACC = {{"m", 1}, {"s", -2}};
    const dims FORCE = {{"m", 1}, {"kg", 1}, {"s", -2}}, ENERGY = {{"m", 2}, {"kg", 1}, {"s", -2}};
    const dims POWER = {{"m", 2}, {"kg", 1}, {"s", -3}}, PRESSURE = {{"m", -1}, {"kg", 1}, {"s", -2}};
    const dims VISC = {{"m", -1}, {"kg", 1}, {"s", -1}}, KVISC = {{"m", 2}, {"s", -1}}, PERS = {{"s", -1}};
    const dims CURRENT = {{"s", -1}, {"C", 1}}, VOLT = {{"m", 2}, {"kg", 1}, {"s", -2}, {"C", -1}};
    const dims TESLA = {{"kg", 1}, {"s", -1}, {"C", -1}}, WEBER = {{"m", 2}, {"kg", 1}, {"s", -1}, {"C", -1}};
    const dims ACTION = {{"m", 2}, {"kg", 1}, {"s", -1}}, DOSE = {{"m", 2}, {"s", -2}};
    const struct { const char *formula; double si; dims units; } CASES[] = {
        // length
        {"1 in", 0.0254, L}, {"1 inches", 0.0254, L}, {"1 ft", 0.3048, L}, {"1 feet", 0.3048, L},
        {"1 yd", 0.9144, L}, {"1 mi", 1609.344, L}, {"1 miles", 1609.344, L}, {"1 nmi", 1852, L},
        {"1 mil", 2.54e-5, L}, {"1 hand", 0.1016, L}, {"1 fathom", 1.8288, L}, {"1 rod", 5.0292, L},
        {"1 chain", 20.1168, L}, {"1 furlong", 201.168, L}, {"1 league", 4828.032, L},
        {"1 angstrom", 1e-10, L}, {"1 micron", 1e-6, L}, {"1 fermi", 1e-15, L}, {"1 dm", 0.1, L},
        {"1 au", 1.495978707e11, L}, {"1 ly", 9.4607304725808e15, L}, {"1 lightyear", 9.4607304725808e15, L},
        {"1 pc", 3.0856775814913673e16, L}, {"1 kpc", 3.0856775814913673e19, L}, {"2 km / 4 s", 500, SPEED},
        {"1 meters", 1, L}, {"1 metre", 1, L}, {"1 kilometer", 1000, L}, {"1 um", 1e-6, L},
        // area and volume
        {"1 acre", 4046.8564224, AREA}, {"1 ha", 1e4, AREA}, {"1 are", 100, AREA}, {"1 barn", 1e-28, AREA},
        {"1 in2", 6.4516e-4, AREA}, {"1 ft2", 0.09290304, AREA}, {"1 mi2", 2589988.110336, AREA},
        {"1 um2", 1e-12, AREA}, {"1 L", 1e-3, VOLUME}, {"1 litres", 1e-3, VOLUME}, {"1 hL", 0.1, VOLUME},
        {"1 gal", 3.785411784e-3, VOLUME}, {"1 qt", 9.46352946e-4, VOLUME}, {"1 pt", 4.73176473e-4, VOLUME},
        {"1 cup", 2.365882365e-4, VOLUME}, {"1 floz", 2.95735295625e-5, VOLUME},
        {"1 tbsp", 1.478676478125e-5, VOLUME}, {"1 tsp", 4.92892159375e-6, VOLUME},
        {"1 gill", 1.1829411825e-4, VOLUME}, {"1 bbl", 0.158987294928, VOLUME},
        {"1 galUK", 4.54609e-3, VOLUME}, {"1 ptUK", 5.6826125e-4, VOLUME}, {"1 flozUK", 2.84130625e-5, VOLUME},
        {"1 bushel", 0.03523907016688, VOLUME}, {"1 in3", 1.6387064e-5, VOLUME},
        {"1 ft3", 0.028316846592, VOLUME}, {"1 yd3", 0.764554857984, VOLUME}, {"1 cc", 1e-6, VOLUME},
        // mass
        {"1 lb", 0.45359237, M}, {"1 lbs", 0.45359237, M}, {"1 oz", 2.8349523125e-2, M}, {"1 ton", 907.18474, M},
        {"1 longton", 1016.0469088, M}, {"1 stone", 6.35029318, M}, {"1 grain", 6.479891e-5, M},
        {"1 ozt", 0.0311034768, M}, {"1 carat", 2e-4, M}, {"1 slug", 14.593902937206365, M},
        {"1 g", 1e-3, M}, {"1 ng", 1e-12, M}, {"1 tonne", 1000, M}, {"1 u", 1.6605390666e-27, M},
        {"1 kDa", 1.6605390666e-24, M},
        // time
        {"1 minute", 60, TI}, {"1 mins", 60, TI}, {"1 h", 3600, TI}, {"1 hours", 3600, TI},
        {"1 day", 86400, TI}, {"1 week", 604800, TI}, {"1 fortnight", 1209600, TI}, {"1 year", 3.15576e7, TI},
        {"1 fs", 1e-15, TI}, {"1 usec", 1e-6, TI},
        // speed, acceleration, frequency
        {"1 mph", 0.44704, SPEED}, {"1 kn", 1852.0 / 3600, SPEED}, {"1 kmh", 1 / 3.6, SPEED},
        {"1 c0", 299792458, SPEED}, {"1 gn", 9.80665, ACC}, {"1 Gal", 0.01, ACC}, {"1 rpm", 1.0 / 60, PERS},
        {"1 Ci", 3.7e10, PERS}, {"1 Mbps", 1e6, PERS},
        // force, energy, power
        {"1 lbf", 4.4482216152605, FORCE}, {"1 kgf", 9.80665, FORCE}, {"1 dyn", 1e-5, FORCE},
        {"1 pdl", 0.138254954376, FORCE}, {"1 kip", 4448.2216152605, FORCE}, {"1 gf", 9.80665e-3, FORCE},
        {"3 N * 2 m", 6, ENERGY}, {"1 eV", 1.602176634e-19, ENERGY}, {"1 MeV", 1.602176634e-13, ENERGY},
        {"1 cal", 4.184, ENERGY}, {"1 calIT", 4.1868, ENERGY}, {"1 kcal", 4184, ENERGY},
        {"1 Btu", 1055.05585262, ENERGY}, {"1 kWh", 3.6e6, ENERGY}, {"1 erg", 1e-7, ENERGY},
        {"1 ftlbf", 1.3558179483314004, ENERGY}, {"1 tTNT", 4.184e9, ENERGY},
        {"1 Hartree", 4.3597447222071e-18, ENERGY}, {"1 Ry", 2.1798723611035e-18, ENERGY},
        {"1 hp", 745.69987158227022, POWER}, {"1 hpmetric", 735.49875, POWER}, {"1 kW", 1000, POWER},
        // pressure, viscosity
        {"1 atm", 101325, PRESSURE}, {"1 bar", 1e5, PRESSURE}, {"1 Torr", 101325.0 / 760, PRESSURE},
        {"1 mmHg", 133.322387415, PRESSURE}, {"1 inHg", 3386.388640341, PRESSURE},
        {"1 psi", 6894.757293168361, PRESSURE}, {"1 ksi", 6894757.293168361, PRESSURE},
        {"1 cmH2O", 98.0665, PRESSURE}, {"1 hPa", 100, PRESSURE}, {"1 poise", 0.1, VISC}, {"1 cP", 1e-3, VISC},
        {"1 St", 1e-4, KVISC}, {"1 cSt", 1e-6, KVISC},
        // electricity and magnetism
        {"1 Ah", 3600, Q}, {"1 mAh", 3.6, Q}, {"1 statC", 1 / 2997924580.0, Q}, {"1 mA", 1e-3, CURRENT},
        {"1 abA", 10, CURRENT}, {"1 statV", 299.792458, VOLT}, {"1 kV", 1000, VOLT}, {"1 gauss", 1e-4, TESLA},
        {"1 maxwell", 1e-8, WEBER}, {"1 oersted", 1000 / (4 * M_PI), {{"m", -1}, {"s", -1}, {"C", 1}}},
        // temperature
        {"100 degC", 373.15, K}, {"0 celsius", 273.15, K}, {"32 degF", 273.15, K}, {"212 fahrenheit", 373.15, K},
        {"-40 degF", 233.15, K}, {"-40 degC", 233.15, K}, {"1 degR", 5.0 / 9, K},
        // radiation, angles, data
        {"1 rem", 0.01, DOSE}, {"1 roentgen", 2.58e-4, {{"kg", -1}, {"C", 1}}},
        {"1 deg", M_PI / 180, ONE}, {"1 arcsec", M_PI / 648000, ONE}, {"1 grad", M_PI / 200, ONE},
        {"1 turn", 2 * M_PI, ONE}, {"1 byte", 8, ONE}, {"1 KiB", 8192, ONE},
        // constants
        {"1 hP", 6.62607015e-34, ACTION}, {"1 hbar", 1.0545718176461565e-34, ACTION},
        {"1 qe", 1.602176634e-19, Q}, {"1 NA", 6.02214076e23, {{"mol", -1}}},
        {"1 kB", 1.380649e-23, {{"m", 2}, {"kg", 1}, {"s", -2}, {"K", -1}}},
        {"1 Rgas", 8.31446261815324, {{"m", 2}, {"kg", 1}, {"s", -2}, {"K", -1}, {"mol", -1}}},
        {"1 Faraday", 96485.33212331001, {{"C", 1}, {"mol", -1}}}, {"1 me", 9.1093837015e-31, M},
        {"1 mp", 1.67262192369e-27, M}, {"1 mn", 1.67492749804e-27, M},
        {"1 eps0", 8.8541878128e-12, {{"m", -3}, {"kg", -1}, {"s", 2}, {"C", 2}}},
        {"1 mu0", 1.25663706212e-6, {{"m", 1}, {"kg", 1}, {"C", -2}}},
        {"1 Gc", 6.6743e-11, {{"m", 3}, {"kg", -1}, {"s", -2}}},
        {"1 sigmaSB", 5.670374419e-8, {{"kg", 1}, {"s", -3}, {"K", -4}}}, {"1 a0", 5.29177210903e-11, L},
        {"1 Rinf", 10973731.56816, {{"m", -1}}}, {"1 alpha", 7.2973525693e-3, ONE},
        {"1 muB", 9.2740100783e-24, {{"m", 2}, {"s", -1}, {"C", 1}}}, {"1 Z0", 376.730313668, {{"m", 2}, {"kg", 1}, {"s", -1}, {"C", -2}}},
        {"1 Phi0", 2.0678338484619295e-15, WEBER},
    };
    EXPECT_GE(std::size(CASES), 150u);
    for (const auto &c : CASES) {
        quantity q = value(c.formula);
        EXPECT_NEAR(q.value, c.si, std::abs(c.si) * 1e-12) << c.formula;
        EXPECT_EQ(q.units, c.units) << c.formula;
    }
}

// A printed result, typed back as a formula, gives the same result.
TEST(library, pastedback)
{
    for (const std::string &usys : {SI, LONG})
        for (const char *f : {"2 km / 4 s", "1 kWh", "32 degF", "3 N * 2 m", "1 hbar", "7 mol / 2 L", "1 F", "(5 ft) ± (1 in)"}) {
            std::string once = si(f, usys, "12");
            EXPECT_EQ(si(once, usys, "12"), once) << f;
        }
    EXPECT_EQ(si("1 m", LONG), "(1)   {Meter^(1)} ");
    EXPECT_EQ(si("1 kg / 1 s", LONG), "(1)  {Kg^(1)} {Second^(-1)} ");
}

TEST(library, functions)
{
    EXPECT_EQ(readfile(DATA + "examples.functions").substr(0, 9), "Examples:");
    EXPECT_EQ(si("hypot(3,4)"), "(5)  ");
    EXPECT_EQ(si("rad2deg(pi)"), "(180)  ");
    EXPECT_EQ(si("lorentz(0.6 c0)"), "(1.25)  ");
    EXPECT_EQ(si("Ekin(2 kg, 3 m / (1 s))"), "(9)   {m^(2)} {kg^(1)} {s^(-2)} ");
    EXPECT_EQ(si("period(1 m)"), "(2.00641)  {s^(1)} ");
}

// anf and anu create their files with mode 0664 (umask cleared to see every bit).
TEST(library, newfilemode)
{
    std::string dir = tmpfile_("");
    unlink(dir.c_str());
    mode_t old = umask(0);
    std::string functions = dir + ".functions", units = dir + ".units";
    qev({"anf", functions, "sq", "%0^2"});
    qev({"anu", "-u", tmpfile_("SI m kg s K C mol " + units), "-name", "a", "-mult", "2"});
    umask(old);
    for (const std::string &f : {functions, units}) {
        struct stat st;
        ASSERT_EQ(stat(f.c_str(), &st), 0) << f;
        EXPECT_EQ(st.st_mode & 0777, 0664u) << f;
        unlink(f.c_str());
    }
}
