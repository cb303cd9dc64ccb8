// units_fuzz.cpp - the unit listing and unit matching commands over a fuzzed units file.
//
// Sections: the units file "u", then the arguments, given to "bru -u s" and then to
// "mtu -u s" (entry numbers for the one, result texts for the other, options for both).
#include "fuzz/common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzinit();
    fuzzreset();
    std::vector<std::string> s = sections(data, size);
    std::string usys = unitsystem(fuzzfile("u", s[0]));
    for (const char *cmd : {"bru", "mtu"}) {
        std::vector<std::string> call = {cmd, "-u", usys};
        call.insert(call.end(), s.begin() + 1, s.end());
        run(call);
    }
    return 0;
}
