// handlestr.cpp - evaluating one formula: scan, reduce, print.
#include "engine/driver.h"
#include "engine/engine.h"
#include "engine/scanner.h"
#include "engine/state.h"

void handlestr(char *formula)
{
    if (!scanformula(formula, HANDLESTR_SCAN)) return;
    if (S) reduce(HANDLESTR_REDUCE);
}
