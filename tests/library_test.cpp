// library_test.cpp - the shipped library in data/: unit systems, units file, functions.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
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

TEST(library, names)
{
    std::vector<std::string> v = names();
    ASSERT_GE(v.size(), 150u);
    std::vector<std::string> base = {"m", "kg", "s", "K", "C", "mol", "Meter", "Kg", "Second", "Kelvin", "Coulomb", "Mole"};
    EXPECT_EQ(std::vector<std::string>(v.begin(), v.begin() + 12), base);
    std::map<std::string, int> seen;
    for (const std::string &n : v) {
        EXPECT_FALSE(engineword(n.c_str(), n.size())) << n;
        EXPECT_TRUE(std::isalpha((unsigned char)n[0])) << n;
        EXPECT_EQ(n.find_first_of("+-*/^!(){},=%_~@$"), std::string::npos) << n;
        EXPECT_EQ(++seen[n], 1) << n;
    }
}

// Every entry evaluates, without any error or warning, as one unit of its name.
TEST(library, everyentry)
{
    for (const std::string &n : names()) {
        std::string r = si("1 " + n);
        EXPECT_EQ(r.find("error"), std::string::npos) << n << ": " << r;
        EXPECT_EQ(r.find("Could"), std::string::npos) << n << ": " << r;
        EXPECT_EQ(r.find("syntax"), std::string::npos) << n << ": " << r;
        EXPECT_EQ(r[0], '(') << n << ": " << r;
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

// Conversions against the exact definitions and NIST SP 811 (relative tolerance).
TEST(library, conversions)
{
    using dims = std::map<std::string, double>;
    const dims L = {{"m", 1}}, M = {{"kg", 1}}, TI = {{"s", 1}}, K = {{"K", 1}}, ONE = {};
    const dims FORCE = {{"m", 1}, {"kg", 1}, {"s", -2}}, ENERGY = {{"m", 2}, {"kg", 1}, {"s", -2}};
    const dims POWER = {{"m", 2}, {"kg", 1}, {"s", -3}}, PRESSURE = {{"m", -1}, {"kg", 1}, {"s", -2}};
    const dims SPEED = {{"m", 1}, {"s", -1}}, AREA = {{"m", 2}}, VOLUME = {{"m", 3}};
    const struct { const char *formula; double si; double tol; dims units; } CASES[] = {
        {"1 in", 0.0254, 1e-15, L}, {"1 ft", 0.3048, 1e-15, L}, {"1 yd", 0.9144, 1e-15, L},
        {"1 mi", 1609.344, 1e-15, L}, {"1 nmi", 1852, 1e-15, L}, {"1 angstrom", 1e-10, 1e-15, L},
        {"1 au", 1.495978707e11, 1e-15, L}, {"1 ly", 9.4607304725808e15, 1e-15, L},
        {"1 pc", 3.085678e16, 1e-6, L}, {"1 um", 1e-6, 1e-15, L},
        {"1 acre", 4046.8564224, 1e-14, AREA}, {"1 ha", 1e4, 1e-15, AREA},
        {"1 L", 1e-3, 1e-15, VOLUME}, {"1 gal", 3.785411784e-3, 1e-15, VOLUME},
        {"1 floz", 2.957353e-5, 1e-6, VOLUME}, {"1 galUK", 4.54609e-3, 1e-15, VOLUME},
        {"1 lb", 0.45359237, 1e-15, M}, {"1 oz", 2.8349523125e-2, 1e-15, M}, {"1 ton", 907.18474, 1e-15, M},
        {"1 g", 1e-3, 1e-15, M},
        {"1 minute", 60, 1e-15, TI}, {"1 h", 3600, 1e-15, TI}, {"1 day", 86400, 1e-15, TI},
        {"1 year", 3.15576e7, 1e-15, TI},
        {"1 mph", 0.44704, 1e-15, SPEED}, {"1 kn", 0.5144444, 1e-6, SPEED}, {"1 kmh", 0.2777778, 1e-6, SPEED},
        {"2 km / 4 s", 500, 1e-15, SPEED}, {"1 c0", 299792458, 1e-15, SPEED},
        {"1 lbf", 4.4482216152605, 1e-15, FORCE}, {"1 kgf", 9.80665, 1e-15, FORCE}, {"1 dyn", 1e-5, 1e-15, FORCE},
        {"1 eV", 1.602176634e-19, 1e-15, ENERGY}, {"1 cal", 4.184, 1e-15, ENERGY},
        {"1 kcal", 4184, 1e-15, ENERGY}, {"1 Btu", 1055.05585262, 1e-15, ENERGY},
        {"1 kWh", 3.6e6, 1e-15, ENERGY}, {"1 erg", 1e-7, 1e-15, ENERGY}, {"3 N * 2 m", 6, 1e-15, ENERGY},
        {"1 hp", 745.6999, 1e-7, POWER}, {"1 kW", 1000, 1e-15, POWER},
        {"1 atm", 101325, 1e-15, PRESSURE}, {"1 bar", 1e5, 1e-15, PRESSURE}, {"1 psi", 6894.757, 1e-7, PRESSURE},
        {"1 Torr", 133.3224, 1e-6, PRESSURE}, {"1 mmHg", 133.3224, 1e-6, PRESSURE},
        {"1 deg", 1.745329e-2, 1e-6, ONE}, {"1 arcsec", 4.848137e-6, 1e-6, ONE},
        {"100 degC", 373.15, 1e-15, K}, {"0 degC", 273.15, 1e-15, K}, {"32 degF", 273.15, 1e-15, K},
        {"212 degF", 373.15, 1e-15, K}, {"-40 degF", 233.15, 1e-15, K}, {"-40 degC", 233.15, 1e-15, K},
        {"1 degR", 5.0 / 9, 1e-15, K},
        {"1 gauss", 1e-4, 1e-15, {{"kg", 1}, {"s", -1}, {"C", -1}}},
        {"1 mA", 1e-3, 1e-15, {{"s", -1}, {"C", 1}}}, {"1 Ah", 3600, 1e-15, {{"C", 1}}},
        {"1 kV", 1000, 1e-15, {{"m", 2}, {"kg", 1}, {"s", -2}, {"C", -1}}},
        {"1 hP", 6.62607015e-34, 1e-15, {{"m", 2}, {"kg", 1}, {"s", -1}}},
        {"1 hbar", 1.054571817e-34, 1e-9, {{"m", 2}, {"kg", 1}, {"s", -1}}},
        {"1 qe", 1.602176634e-19, 1e-15, {{"C", 1}}}, {"1 NA", 6.02214076e23, 1e-15, {{"mol", -1}}},
        {"1 kB", 1.380649e-23, 1e-15, {{"m", 2}, {"kg", 1}, {"s", -2}, {"K", -1}}},
        {"1 Rgas", 8.314462618, 1e-9, {{"m", 2}, {"kg", 1}, {"s", -2}, {"K", -1}, {"mol", -1}}},
        {"1 gn", 9.80665, 1e-15, {{"m", 1}, {"s", -2}}},
    };
    for (const auto &c : CASES) {
        quantity q = value(c.formula);
        EXPECT_NEAR(q.value, c.si, std::abs(c.si) * c.tol) << c.formula;
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
