// mc66_fuzz.cpp - the calculate command: options and formulas over a fuzzed units file
// and function file.
//
// Sections: the units file "u", the function file "f", then arguments of mc66; an empty
// section starts a further call (at most four). Every call is "mc66 -u s -f f" and its
// arguments, so names of both files are expanded; calls share the engine state as the
// window's calls do. Each call runs twice from the same state, the plain evaluation
// first: the fast paths (kept library entries and expansions, the settled prefix, the
// folded samples) must give the same answer.
#include <cstdlib>

#include "engine/state.h"
#include "fuzz/common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzinit();
    fuzzreset();
    std::vector<std::string> s = sections(data, size);
    while (s.size() < 2) s.emplace_back();
    std::string usys = unitsystem(fuzzfile("u", s[0]));
    std::string funcs = fuzzfile("f", s[1]);
    std::vector<std::vector<std::string>> calls(1);
    for (size_t k = 2; k < s.size(); k++) {
        if (!s[k].empty()) calls.back().push_back(s[k]);
        else if (!calls.back().empty()) calls.emplace_back();
    }
    for (size_t c = 0; c < calls.size() && c < 4; c++) {
        std::vector<std::string> call = {"mc66", "-u", usys, "-f", funcs};
        call.insert(call.end(), calls[c].begin(), calls[c].end());
        keepstate();
        plainmode = true;
        std::srand(c + 1);
        std::string plain = run(call);
        restorestate();
        plainmode = false;
        std::srand(c + 1);
        require(run(call) == plain, "the fast paths answer otherwise than the plain evaluation");
    }
    return 0;
}
