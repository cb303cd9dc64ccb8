// numeric.cpp - 'mlog', 'atanr' and phase reduction.
#include "engine/numeric.h"

#include "app/output.h"

long double mlog(long double x)
{
    if (x > 0) return std::log((double)x);
    if (x == 0) return -9e307;
    *cout2 << "Programing error:Phase inverse should have been inserted here\n";
    exitno(2);
    return 0;
}

// The angle of (x, y): arcsine of y/r, mirrored for x < 0, then brought into
// (-3pi/2, pi/2] by whole turns.
long double atanr(long double y, long double x)
{
    if (y == 0 && x == 0) return 0;
    long double r = dsqrt((double)(x * x + y * y));
    long double a = dasin(y / r);
    if (x < 0) a = PI - a;
    while (a < -PI2) a = a + TWOPI;
    while (a > PI2) a = a - TWOPI;
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
