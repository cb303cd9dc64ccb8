// numeric.cpp - 'mlog', 'atanr' and phase reduction.
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
