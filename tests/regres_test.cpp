// regres_test.cpp - the regression command against an independent least-squares fit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "support.h"

// Least squares by Householder QR of the Vandermonde matrix, in long double.
static std::vector<long double> qrfit(const std::vector<double> &x, const std::vector<double> &y, int degree)
{
    int n = (int)x.size(), m = degree + 1;
    std::vector<std::vector<long double>> a(n, std::vector<long double>(m + 1));
    for (int r = 0; r < n; r++) {
        long double p = 1;
        for (int j = 0; j < m; j++, p *= x[r]) a[r][j] = p;
        a[r][m] = y[r];
    }
    for (int k = 0; k < m; k++) {
        long double norm = 0;
        for (int r = k; r < n; r++) norm += a[r][k] * a[r][k];
        norm = std::sqrt(norm);
        long double alpha = a[k][k] > 0 ? -norm : norm;
        std::vector<long double> v(n, 0);
        for (int r = k; r < n; r++) v[r] = a[r][k];
        v[k] -= alpha;
        long double vv = 0;
        for (int r = k; r < n; r++) vv += v[r] * v[r];
        for (int j = k; j <= m; j++) {
            long double d = 0;
            for (int r = k; r < n; r++) d += v[r] * a[r][j];
            for (int r = k; r < n; r++) a[r][j] -= 2 * d / vv * v[r];
        }
    }
    std::vector<long double> c(m);
    for (int i = m - 1; i >= 0; i--) {
        long double s = a[i][m];
        for (int j = i + 1; j < m; j++) s -= a[i][j] * c[j];
        c[i] = s / a[i][i];
    }
    return c;
}

// Reads "c0 +c1*x c2*x^2 ... \n" back into coefficients.
static std::vector<double> parse(const std::string &text, int degree)
{
    std::vector<double> c(degree + 1, 0.0);
    std::istringstream in(text);
    std::string term;
    while (in >> term) {
        char *end;
        double v = std::strtod(term.c_str(), &end);
        std::string rest = end;
        int power = rest.empty() ? 0 : rest == "*x" ? 1 : std::atoi(rest.c_str() + 3);
        c.at(power) = v;
    }
    return c;
}

// Noisy samples of 1.5 - 0.7x + 0.3x^2 + 0.05x^3 from a fixed linear congruential sequence.
static void noisydata(int n, std::vector<double> &x, std::vector<double> &y, std::string &text)
{
    unsigned long long s = 12345;
    auto next = [&s]() {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return (double)(s >> 11) / 9007199254740992.0 - 0.5;
    };
    char buf[80];
    for (int k = 0; k < n; k++) {
        double xv = -2 + 5.0 * k / (n - 1) + 0.01 * next();
        double yv = 1.5 - 0.7 * xv + 0.3 * xv * xv + 0.05 * xv * xv * xv + 0.4 * next();
        x.push_back(xv);
        y.push_back(yv);
        std::snprintf(buf, sizeof buf, "%.17g %.17g ", xv, yv);
        text += buf;
    }
}

TEST(regres, noisyfits)
{
    std::vector<double> x, y;
    std::string data;
    noisydata(41, x, y, data);
    for (int degree = 0; degree <= 4; degree++) {
        std::vector<long double> want = qrfit(x, y, degree);
        std::vector<double> got = parse(qev({"regres", std::to_string(degree), data}), degree);
        for (int i = 0; i <= degree; i++)
            EXPECT_NEAR(got[i], (double)want[i], 1e-5 * std::fabs((double)want[i]))
                << "degree " << degree << " coefficient " << i;
    }
}

TEST(regres, manyfewpoints)
{
    // Exactly as many distinct abscissae as coefficients: the fit interpolates.
    EXPECT_EQ(qev({"regres", "2", "0 1 1 2 2 5"}), "1 +1*x^2 \n");
    // Repeated abscissae count once.
    EXPECT_EQ(qev({"regres", "1", "0 1 0 3 1 4 1 6"}), "2 +3*x \n");
}
