// extremum.cpp - "findmin a b n f" and "findmax a b n f": the sample of smallest or
// largest real part, kept whole. The samples are chained with "min" or "max", which
// the driver reduces after the last one.
#include "analysis/frame.h"
#include "engine/ops.h"

void findmin1() { firstphase(FINDMIN); }
void findmin2a() { chainsample(FINDMIN, "min", "qindmin", MIN2); }

void findmax1() { firstphase(FINDMAX); }
void findmax2a() { chainsample(FINDMAX, "max", "qindmax", MAX2); }
