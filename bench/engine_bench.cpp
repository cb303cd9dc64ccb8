// engine_bench.cpp - micro-benchmarks of the engine: scanning, name expansion,
// reduction, printing, the analysis keywords and whole commands.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/output.h"
#include "engine/driver.h"
#include "engine/engine.h"
#include "engine/printer.h"
#include "engine/scanner.h"
#include "engine/state.h"

// The shipped SI system, as the front ends use it.
static void setup()
{
    static bool done = false;
    if (done) return;
    done = true;
    initengine();
    renewstreams();
    MACNAME = QEV_DATADIR "/qev.units";
    std::strcpy(LENGTH, "m");
}

static std::vector<char> writable(const char *formula)
{
    return std::vector<char>(formula, formula + std::strlen(formula) + 1);
}

// Scanning alone: operator words, name expansion, tokens.
static void scanning(benchmark::State &state, const char *text)
{
    setup();
    for (auto _ : state) {
        auto f = writable(text);
        scanformula(f.data(), HANDLESTR_SCAN);
        freelist(S);
        S = nullptr;
        cout2->str("");
    }
}
// No names to expand.
BENCHMARK_CAPTURE(scanning, scan, "(2.5+3e-3)*4/7^2-1 , 5 , 6*(7-8)");
// Units from the shipped library.
BENCHMARK_CAPTURE(scanning, expansion, "5 ft + 3 mi + 2 km + 7 inch + 1 yd");

// Reduction of a scanned formula of n terms (printing included, as it ends the loop).
static void reduction(benchmark::State &state)
{
    setup();
    std::string text = "1";
    for (int k = 1; k < state.range(0); k++) text += "+2*3";
    for (auto _ : state) {
        state.PauseTiming();
        auto f = writable(text.c_str());
        scanformula(f.data(), HANDLESTR_SCAN);
        state.ResumeTiming();
        reduce(HANDLESTR_REDUCE);
        cout2->str("");
    }
}
BENCHMARK(reduction)->Arg(10)->Arg(100);

// Printing one number with error and units.
static void printing(benchmark::State &state)
{
    setup();
    for (auto _ : state) {
        lm *n = newlm();
        setnum(n, 9.81L);
        n->err = 0.01L;
        n->units[2] = 1;
        n->units[1] = -2;
        S = n;
        printlist();
        cout2->str("");
    }
}
BENCHMARK(printing);

// Whole formulas through the evaluator.
static void formula(benchmark::State &state, const char *text)
{
    setup();
    for (auto _ : state) {
        auto f = writable(text);
        flagrep = 0;
        handlestr(f.data());
        cout2->str("");
    }
}
BENCHMARK_CAPTURE(formula, conversion, "60 mph");
BENCHMARK_CAPTURE(formula, functions, "sin(1+i)*exp(2)/sqrt(3 err 0.1)");

// The analysis words, 1000 samples each.
BENCHMARK_CAPTURE(formula, plot, "plot 0 1 1000 x^2");
BENCHMARK_CAPTURE(formula, setrandf, "setrandf 0 1 1000 x^2");
BENCHMARK_CAPTURE(formula, findx, "findx 0 1 1000 x-0.3");
BENCHMARK_CAPTURE(formula, findzer, "findzer 0 1 1000 x-0.3");
BENCHMARK_CAPTURE(formula, findmin, "findmin 0 1 1000 (x-0.3)^2");
BENCHMARK_CAPTURE(formula, findmax, "findmax 0 1 1000 x*(1-x)");
BENCHMARK_CAPTURE(formula, integ, "integ 0 1 1000 x^2");

BENCHMARK_MAIN();
