// main.cpp - start-up of the desktop application: the Tk main loop with the window script.
#include <cstring>
#include <string>

#include <tk.h>
#include <unistd.h>

#include "engine/engine.h"

int Tcl_AppInit(Tcl_Interp *interp);

// The directory of the running executable, with a trailing "/".
static std::string exedir()
{
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "";
    buf[n] = 0;
    char *slash = std::strrchr(buf, '/');
    if (slash) slash[1] = 0;
    return buf;
}

// The window script: "zt.tcl" when the program's name holds "wmk" or "WMK", else empty.
// The program's own script comes first, beside the executable or, for an installed
// program, in share/qev beside its folder; one in the working directory only when the
// program has none, or when 'local' asks for it (Tk reads a relative name from there).
static char *scriptname(const char *self, bool local)
{
    std::string name;
    size_t n = std::strlen(self);
    for (size_t p = 0; n >= 3 && p <= n - 3; p++)
        if (std::strncmp(self + p, "wmk", 3) == 0 || std::strncmp(self + p, "WMK", 3) == 0) name = "zt.tcl";
    std::string dir = exedir();
    if (!name.empty() && !local && !dir.empty())
        for (const std::string &own : {dir + name, dir + "../share/qev/" + name})
            if (access(own.c_str(), R_OK) == 0) {
                name = own;
                break;
            }
    char *block = new char[name.size() < 16 ? 16 : name.size() + 1];
    std::strcpy(block, name.c_str());
    return block;
}

// Options: "--local-script" runs the zt.tcl of the working directory instead of the
// program's own. No argument is passed on to the window.
int main(int argc, char *argv[])
{
    bool local = false;
    for (int i = 1; i < argc; i++) local = local || std::strcmp(argv[i], "--local-script") == 0;
    char *vector[4] = {strcpy(new char[7], "QEV2.0"), strcpy(new char[3], "-f"), scriptname(argv[0], local), nullptr};
    initengine();
    Tk_Main(3, vector, Tcl_AppInit);
    return 0;
}
