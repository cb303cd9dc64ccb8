// regres.cpp - the regression command: a least-squares polynomial through number pairs.
//
// The normal equations A[i][j] = sum x^(i+j), A[i][m] = sum y*x^i are accumulated in one
// pass over the pairs and solved by Gauss-Jordan elimination without pivoting, swept
// forwards and then once more backwards to clear what rounding left off the diagonal.
// Intermediate values are long double; every matrix entry is stored back as a double.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "base/output.h"
#include "commands/commands.h"
#include "commands/frame.h"

// Reads 'text' as one finite decimal number, blanks around it allowed.
static bool number(const std::string &text, double &v)
{
    const char *s = text.c_str();
    char *end;
    v = std::strtod(s, &end);
    if (end == s) return false;
    while (std::isspace((unsigned char)*end)) end++;
    return *end == 0 && std::isfinite(v);
}

// Cuts the data into numbers at every run of white space; false (with the message
// written) at a piece that is not a number.
static bool readdata(const std::string &data, std::vector<double> &values)
{
    size_t p = 0;
    while (true) {
        while (p < data.size() && std::isspace((unsigned char)data[p])) p++;
        if (p == data.size()) return true;
        size_t e = p;
        while (e < data.size() && !std::isspace((unsigned char)data[e])) e++;
        std::string piece = data.substr(p, e - p);
        double v;
        if (!number(piece, v)) {
            *cout2 << "not a number in the data : " << piece;
            return false;
        }
        values.push_back(v);
        p = e;
    }
}

// The number of different abscissae among the pairs.
static size_t distinctx(const std::vector<double> &values)
{
    std::vector<double> xs;
    for (size_t k = 0; k < values.size(); k += 2) xs.push_back(values[k]);
    std::sort(xs.begin(), xs.end());
    return std::unique(xs.begin(), xs.end()) - xs.begin();
}

// Row r += f * row k over the m + 1 used entries, where f = -1 / (A[k][k] / A[r][k]).
static void eliminate(double *const *A, int m, int k, int r)
{
    if (A[r][k] == 0) return;
    long double f = -1 / ((long double)A[k][k] / A[r][k]);
    for (int j = 0; j <= m; j++) A[r][j] = (double)(A[r][j] + f * A[k][j]);
}

// Fits the coefficients c[0..m-1]; false after "not enough memory".
static bool fit(const std::vector<double> &values, int m, std::vector<double> &c)
{
    std::vector<std::unique_ptr<double[]>> rows;
    std::vector<double *> A;
    for (int i = 0; i < m; i++) {
        rows.emplace_back(new (std::nothrow) double[m + 2]());
        if (!rows.back()) {
            *cout2 << "not enough memory";
            return false;
        }
        A.push_back(rows.back().get());
    }
    std::unique_ptr<double[]> t(new (std::nothrow) double[m + 2]());
    if (!t) {
        *cout2 << "not enough memory";
        return false;
    }

    for (size_t p = 0; p + 1 < values.size(); p += 2) {
        double x = values[p], y = values[p + 1];
        t[0] = 1;
        for (int k = 1; k < m; k++) t[k] = (double)((long double)t[k - 1] * x);
        t[m] = y;
        long double s = 1;
        for (int i = 0; i < m; i++) {
            for (int j = 0; j <= m; j++) A[i][j] = (double)(A[i][j] + t[j] * s);
            s = s * x;
        }
    }

    for (int k = 0; k < m; k++)
        for (int r = 0; r < m; r++)
            if (r != k) eliminate(A.data(), m, k, r);
    for (int k = m - 1; k >= 0; k--)
        for (int r = m - 1; r >= 0; r--)
            if (r != k) eliminate(A.data(), m, k, r);

    c.resize(m);
    for (int i = 0; i < m; i++) c[i] = (double)((long double)A[i][m] / A[i][i]);
    return true;
}

// The polynomial, lowest power first: "c0 +c1*x c2*x^2 " ... and a line end; zero
// coefficients are left out, a "+" goes before a positive one after the first term.
static void writepolynomial(const std::vector<double> &c)
{
    bool written = false;
    for (size_t i = 0; i < c.size(); i++) {
        if (c[i] == 0) continue;
        if (i > 0 && c[i] > 0 && written) *cout2 << "+";
        *cout2 << c[i];
        if (i == 1) *cout2 << "*x";
        if (i >= 2) *cout2 << "*x^" << i;
        *cout2 << " ";
        written = true;
    }
    *cout2 << "\n";
}

// Checks the arguments and fits; every refusal writes its message. "-p N" before the
// degree sets the digits of the coefficients (6 unless given).
static void regression(const cmdargs &a)
{
    int first = 1;
    if (a.argc == 5 && a.text[1] == "-p") {
        cout2->precision(precisionarg(a.text[2].c_str()));
        first = 3;
    }
    if (a.argc != first + 2) {
        *cout2 << "regres needs two arguments : the degree and the data";
        return;
    }
    const std::string &degreetext = a.text[first];
    double degree;
    if (!number(degreetext, degree)) {
        *cout2 << "the degree is not a number : " << degreetext;
        return;
    }
    degree = std::trunc(degree);
    if (degree < 0) {
        *cout2 << "negative degree : " << degreetext;
        return;
    }
    std::vector<double> values;
    if (!readdata(a.text[first + 1], values)) return;
    if (values.size() % 2 != 0) {
        *cout2 << "odd number of data values , the last x has no y : " << values.size();
        return;
    }
    size_t distinct = distinctx(values);
    if ((double)distinct < degree + 1) {
        *cout2 << "too few distinct x values : degree " << degree << " needs " << degree + 1 << " , the data have "
               << distinct;
        return;
    }
    std::vector<double> c;
    if (!fit(values, (int)degree + 1, c)) return;
    // Powers and sums beyond the range of doubles (large x, high degrees) leave
    // coefficients that are not numbers.
    for (size_t i = 0; i < c.size(); i++)
        if (!std::isfinite(c[i])) {
            *cout2 << "the fit cannot be computed : the coefficient of x^" << i << " is not a finite number";
            return;
        }
    writepolynomial(c);
}

/*
 * regres --
 *   regres ?-p N? degree data: fits a polynomial of the given degree to the pairs
 *   x y x y ... of the data string by least squares; its coefficients are written with
 *   N significant digits (6 unless given).
 * Results:
 *   TCL_OK; the result is the polynomial as text ("1 +2*x " and a line end), or a
 *   message when the arguments cannot be fitted.
 * Side effects:
 *   None beyond the output streams.
 */
int regres(ClientData, Tcl_Interp *interp, int argc, const char *argv[])
{
    static cmdargs a;
    begincommand(a, argc, argv);
    regression(a);
    return endcommand(interp);
}
