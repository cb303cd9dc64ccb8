// main.cpp - start-up of the desktop application: the Tk main loop with the window script.
#include <cstdio>
#include <cstring>
#include <string>

#include <tk.h>

#include "app/shared.h"
#include "engine/engine.h"

int Tcl_AppInit(Tcl_Interp *interp);

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
    std::string dir = name.empty() || local ? "" : sharedfolder(modulefolder((const void *)&scriptname), name.c_str());
    if (!dir.empty()) name = dir + "/" + name;
    char *block = new char[name.size() < 16 ? 16 : name.size() + 1];
    std::strcpy(block, name.c_str());
    return block;
}

static const char HELP[] = R"(Usage: wmk [--local-script]

Opens the qev calculator window. Type a formula with units and errors and press
Enter: the formula and its answer go to the history, with grey lines under it
for the rewrites of the formula, warnings and hints (Display > Formulas as typed
hands formulas to the engine as typed). A unit typed in the field beside the
formula (km/h, kJ, degF) is the unit answers are converted to. Long work shows
a progress bar; Cancel or Escape stops it. The keypad inserts constants,
functions and units; the menus and keys browse and define units, define and
list functions, fit polynomials to pairs and plot tables. Units and functions
you define go to your library, the same one the command-line calculator qev
uses; the window keeps its size, place, text size and display choices there.

Options:
  --local-script   run the window script zt.tcl of the working folder instead of
                   the program's own
  -h, --help       print this help and exit
  --version        print the version and exit

Other arguments are ignored.
)";

// Writes 'text' to standard output; the exit status: 0, or 1 when it cannot be written.
static int print(const char *text)
{
    bool ok = std::fputs(text, stdout) >= 0;
    return std::fflush(stdout) == 0 && ok ? 0 : 1;
}

// Options: "--local-script" runs the zt.tcl of the working directory instead of the
// program's own; "--help" and "--version" print and end before any window opens. No
// argument is passed on to the window.
int main(int argc, char *argv[])
{
    bool local = false;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return print(HELP);
        if (std::strcmp(argv[i], "--version") == 0) return print("wmk (qev) " QEV_VERSION "\n");
        local = local || std::strcmp(argv[i], "--local-script") == 0;
    }
    char *vector[4] = {strcpy(new char[7], "QEV2.0"), strcpy(new char[3], "-f"), scriptname(argv[0], local), nullptr};
    initengine();
    Tk_Main(3, vector, Tcl_AppInit);
    return 0;
}
