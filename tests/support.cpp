// support.cpp - a Tcl interpreter with the qev commands for the engine tests.
#include "support.h"

#include <tcl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/qevinit.h"
#include "engine/node.h"
#include "engine/state.h"

static Tcl_Interp *interp()
{
    static Tcl_Interp *i = nullptr;
    if (!i) {
        Tcl_FindExecutable(nullptr);
        i = Tcl_CreateInterp();
        if (Qev_Init(i) != TCL_OK) std::abort();
    }
    return i;
}

std::string qev(const std::vector<std::string> &args)
{
    std::vector<Tcl_Obj *> objs;
    for (const std::string &a : args) {
        Tcl_Obj *o = Tcl_NewStringObj(a.data(), (int)a.size());
        Tcl_IncrRefCount(o);
        objs.push_back(o);
    }
    int code = Tcl_EvalObjv(interp(), (int)objs.size(), objs.data(), 0);
    std::string r = Tcl_GetStringResult(interp());
    for (Tcl_Obj *o : objs) Tcl_DecrRefCount(o);
    if (code != TCL_OK) return "TCL ERROR: " + r;
    return r;
}

// A unit system with the start-up names and an empty units file.
const std::string &plainunits()
{
    static const std::string usys = tmpfile_("plain  Meter  Kg  Second  \xB0k  Coulomb  MOLE  " + tmpfile_("Units\n"));
    return usys;
}

std::string calc(const std::string &formula)
{
    return qev({"mc66", "-u", plainunits(), "-S1", "-p", "6", "-q", formula});
}

std::string calc(const std::string &formula, const std::string &functions)
{
    return qev({"mc66", "-u", plainunits(), "-S1", "-p", "6", "-f", functions, "-q", formula});
}

std::string calcboth(const std::string &formula, const std::string &functions,
                     const std::vector<std::string> &options)
{
    std::vector<std::string> args = {"mc66", "-u", plainunits(), "-S1", "-p", "6"};
    if (!functions.empty()) args.insert(args.end(), {"-f", functions});
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), {"-q", formula});
    return bothways(args);
}

std::string bothways(const std::vector<std::string> &args)
{
    std::string answer[2];
    for (int plain = 0; plain < 2; plain++) {
        plainmode = plain;
        answer[plain] = qev(args);
    }
    plainmode = false;
    return answer[0] == answer[1] ? answer[0] : "plain: " + answer[1] + " fast: " + answer[0];
}

// The folder of this run's temporary files; removed with all it holds at exit.
const std::string &tmpfolder()
{
    static const struct folder {
        std::string path;
        folder()
        {
            char name[] = "/tmp/qevtestXXXXXX";
            if (!mkdtemp(name)) std::abort();
            path = name;
        }
        ~folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } made;
    return made.path;
}

std::string tmpfile_(const std::string &text)
{
    std::string name = tmpfolder() + "/fileXXXXXX";
    int fd = mkstemp(&name[0]);
    if (fd < 0) std::abort();
    close(fd);
    std::ofstream(name, std::ios::binary) << text;
    return name;
}

bool samenow(const enginestate &s)
{
    enginestate now;
    savestate(now);
    return samestate(s, now);
}

void failallocafter_(long n) { failallocafter(n); }
