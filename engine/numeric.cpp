// numeric.cpp - 'mlog', 'atanr', phase reduction and the exact parts of quarter turns.
#include "engine/numeric.h"

#include <algorithm>

#include "base/output.h"
#include "engine/node.h"

long double mlog(long double x)
{
    if (x > 0) return std::log((double)x);
    if (x == 0) return -9e307;
    *cout2 << "Programing error:Phase inverse should have been inserted here\n";
    exitno(2);
    return 0;
}

// The quarter turns in a phase modulo 4, when it is k times pi/2 for a whole k with
// |k| <= 1024 (where every such product is exact); -1 otherwise.
static int quarters(long double phase)
{
    if (phase == 0) return 0;
    long double k = phase / PI2;
    if (!(k >= -1024 && k <= 1024)) return -1;
    int n = (int)k;
    if (n != k || n * PI2 != phase) return -1;
    return n & 3;
}

// mag times the cosine (sine 0) or the sine (sine 1) of a phase.
static long double exactpart(long double mag, long double phase, int sine)
{
    static const int COS[4] = {1, 0, -1, 0};  // of 0 to 3 quarter turns; a sine is the cosine a quarter earlier
    int q = quarters(phase);
    if (q < 0) return mag * (sine ? dsin(phase) : dcos(phase));
    int c = COS[(q - sine) & 3];
    return c == 0 ? 0 : c > 0 ? mag : -mag;
}

long double exactre(long double mag, long double phase) { return exactpart(mag, phase, 0); }
long double exactim(long double mag, long double phase) { return exactpart(mag, phase, 1); }

// The angle of (x, y) in (-3pi/2, pi/2]: the double-precision arctangent of the two
// parts (scaled first by a power of two, so that parts beyond the double range neither
// overflow nor vanish), a half turn above pi/2 taken down by a whole turn. It keeps its
// precision near +-pi/2, where an arcsine of y/r would lose a small real part.
long double atanr(long double y, long double x)
{
    if (y == 0 && x == 0) return 0;
    long double s = std::max(std::abs(y), std::abs(x));
    if (std::isfinite(s) && s > 0) {
        int e;
        std::frexp(s, &e);
        y = std::ldexp(y, -e);
        x = std::ldexp(x, -e);
    }
    long double a = std::atan2((double)y, (double)x);
    if (a > PI2) a = a - TWOPI;
    return a;
}

// Up to a thousand turns the steps are taken one by one, so the rounding is that of
// repeated addition; beyond, one floating remainder does the same in one step.
long double turnphase(long double phase)
{
    if (!std::isfinite(phase)) return phase;
    if (phase < -1000 * TWOPI || phase > 1000 * TWOPI) {
        phase = std::fmod(phase, TWOPI);
        if (phase < 0) phase += TWOPI;
        return phase;
    }
    while (phase < 0) phase = phase + TWOPI;
    while (phase > TWOPI) phase = phase - TWOPI;
    return phase;
}

long double principal(long double theta)
{
    if (theta > -PI && theta <= PI) return theta;  // most phases: no remainder to take
    if (!std::isfinite(theta)) return theta;
    long double t = std::remainder(theta, TWOPI);
    if (t <= -PI) t = t + TWOPI;
    return t;
}
