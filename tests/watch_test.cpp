// watch_test.cpp - long work: the watcher sees every analysis word's sampling, a stop
// request ends it with its message and error exit 1, and the engine is left as before.
#include <gtest/gtest.h>

#include <tcl.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "app/qevinit.h"
#include "engine/engine.h"
#include "engine/state.h"
#include "support.h"

namespace {

// What the watcher saw; it asks to stop at its call number 'stopat' (0: never).
struct seen {
    std::vector<long> done;
    long all = 0;
    std::string word;
    size_t stopat = 0;
} watched;

void record(const char *word, long done, long all)
{
    watched.word = word;
    watched.done.push_back(done);
    watched.all = all;
    if (watched.done.size() == watched.stopat) requeststop();
}

// Evaluates 'formula' with the recording watcher that stops at its call 'stopat'.
std::string watch(const std::string &formula, size_t stopat, const std::vector<std::string> &options = {})
{
    watched = seen();
    watched.stopat = stopat;
    watchproc *before = setwatcher(record);
    std::vector<std::string> args = {"mc66", "-u", plainunits(), "-S1", "-p", "6"};
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), {"-q", formula});
    std::string answer = qev(args);
    setwatcher(before);
    return answer;
}

// Gives the slots and the density of "rnd" values of their own: a density made by
// setrandf, a minimum search, an integration.
void busystate()
{
    calc("setrandf 0 2 250 x");
    calc("findx 0 1 4 x-0.5");
    calc("integ 0 1 4 x");
}

} // namespace

TEST(watch, everyWordIsWatchedAndStopped)
{
    const struct {
        const char *formula;
        const char *word;
        long all;
    } cases[] = {
        {"plot 0 1 1000 x", "plot", 1000},         {"setrandf 0 1 1000 x", "setrandf", 1000},
        {"findx 0 1 1000 x", "findx", 1000},       {"findzer 0 1 1000 x", "findzer", 1000},
        {"findmin 0 1 1000 x", "findmin", 1000},   {"findmax 0 1 1000 x", "findmax", 1000},
        {"integ 0 1 1000 x", "integ", 1001},       {"plot(0 1 1000) sin(x)*2 $m 1", "plot", 1000},
    };
    for (int plain = 0; plain < 2; plain++) {
        plainmode = plain;
        for (const auto &c : cases) {
            // watched every 256 samples, with the samples taken so far
            std::string whole = watch(c.formula, 0);
            EXPECT_EQ(whole.find("error"), std::string::npos) << c.formula;
            EXPECT_EQ(watched.done, (std::vector<long>{256, 512, 768})) << c.formula;
            EXPECT_EQ(watched.all, c.all) << c.formula;
            EXPECT_EQ(watched.word, c.word) << c.formula;
            // stopped at the second look, by the watcher
            std::string want = std::string(c.word) + " stopped after 512 of " + std::to_string(c.all) +
                               " samples : error #1";
            EXPECT_EQ(watch(c.formula, 2), want) << c.formula << (plain ? " plain" : "");
            EXPECT_TRUE(lastprint.exited && lastprint.stopped) << c.formula;
        }
    }
    plainmode = false;
    // a short sampling and a formula without an analysis word are never watched
    EXPECT_EQ(watch("integ 0 1 255 x", 1), "0.5 ");
    EXPECT_EQ(watch("2+3", 1), "(5)  ");
    EXPECT_TRUE(watched.done.empty());
}

TEST(watch, aStopLeavesTheEngineAsBefore)
{
    const char *formulas[] = {"plot 0 1 1e6 x", "setrandf 0 3 1e6 x^2", "findx 0 1 1e6 x-0.3",
                              "findzer 0 1 1e6 x-0.3", "findmin 0 1 1e6 x", "findmax 0 1 1e6 x",
                              "integ 0 1 1e6 x", "integ 0 1 1e6 x=v"};
    for (const char *f : formulas) {
        busystate();
        calc("42=a");
        enginestate before;
        savestate(before);
        std::string answer = watch(f, 3);
        ASSERT_NE(answer.find(" stopped after 768 of "), std::string::npos) << f << ": " << answer;
        // a variable stored by the expression keeps its value, as after any error
        if (std::string(f).find("=v") != std::string::npos) {
            EXPECT_NE(varib['v'].mag, before.varib['v'].mag) << f;
            varib['v'] = before.varib['v'];
        }
        EXPECT_TRUE(samenow(before)) << f;
        // and the next formulas answer as they would have without the stopped one
        std::string next[3] = {calc("%a + %"), calc("findx 0 1 8 x-0.5"), calc("plot 0 1 2 x")};
        loadstate(before);
        EXPECT_EQ(calc("%a + %"), next[0]) << f;
        EXPECT_EQ(calc("findx 0 1 8 x-0.5"), next[1]) << f;
        EXPECT_EQ(calc("plot 0 1 2 x"), next[2]) << f;
    }
}

TEST(watch, aRequestBeforeTheEvaluationIsForgotten)
{
    requeststop();
    EXPECT_EQ(calc("integ 0 1 1000 1"), "1 ");
    // nor does a request made during one formula reach the next
    EXPECT_NE(watch("integ 0 1 1000 x", 1).find("stopped"), std::string::npos);
    EXPECT_EQ(watch("integ 0 1 1000 1", 0), "1 ");
}

// An asynchronous handler of Tcl, marked from another thread while a long evaluation
// runs, gets to run during the work and stops it with qev::cancel; a command of the
// engine called from the handler is refused, and the interpreter's result is kept.
static Tcl_Interp *asyncinterp;
static std::string fromhandler;
static std::atomic<bool> sampling;

static void started(const char *, long, long) { sampling = true; }

static int handler(ClientData, Tcl_Interp *, int code)
{
    Tcl_Eval(asyncinterp, "mc66 -q 1+1");
    fromhandler = Tcl_GetStringResult(asyncinterp);
    Tcl_Eval(asyncinterp, "qev::cancel");
    return code;
}

TEST(watch, asyncHandlersRunDuringTheWorkAndMayCancel)
{
    asyncinterp = Tcl_CreateInterp();
    ASSERT_EQ(Qev_Init(asyncinterp), TCL_OK);
    Tcl_AsyncHandler h = Tcl_AsyncCreate(handler, nullptr);
    sampling = false;
    watchproc *before = setwatcher(started);
    std::thread marker([h] {
        while (!sampling) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        Tcl_AsyncMark(h);
    });
    auto start = std::chrono::steady_clock::now();
    std::string script = "mc66 -u {" + plainunits() + "} -S1 -q {integ 0 1 1e9 x}";
    ASSERT_EQ(Tcl_Eval(asyncinterp, script.c_str()), TCL_OK);
    std::string answer = Tcl_GetStringResult(asyncinterp);
    marker.join();
    setwatcher(before);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_EQ(answer.rfind("integ stopped after ", 0), 0u) << answer;
    EXPECT_EQ(answer.substr(answer.size() - 33), " of 1000000001 samples : error #1") << answer;
    EXPECT_EQ(fromhandler, "the engine is busy with another evaluation : error #1");
    EXPECT_EQ(qev({"mc66", "-S1", "-q", "2+3"}), "(5)  ");
    Tcl_AsyncDelete(h);
    Tcl_DeleteInterp(asyncinterp);
}
