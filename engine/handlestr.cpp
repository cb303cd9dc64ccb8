// handlestr.cpp - evaluating one formula: scan, reduce, print.
#include "engine/driver.h"
#include "engine/engine.h"
#include "engine/gauss.h"
#include "engine/sens.h"
#include "engine/scanner.h"
#include "engine/state.h"
#include "engine/watch.h"

void handlestr(char *formula)
{
    newprintrecord();
    clearstop();
    if (gaussmode) sensgc();
    if (!scanformula(formula, HANDLESTR_SCAN)) return;
    if (S) reduce(moderules(HANDLESTR_REDUCE));
    deleteS2();  // a copy left by an analysis that ended in an error
}
