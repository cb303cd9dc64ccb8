// library_fuzz.cpp - appending user units and user functions with fuzzed arguments.
//
// The first byte chooses the command: even 'anu', odd 'anf'. Then sections: the library
// file as it is before the call, then the arguments. 'anu' gets "-u s" first and every
// further "-u" value is replaced by "s"; 'anf' always writes to "l". The call must leave
// the earlier text untouched and append nothing or one whole entry (one "#", a line end
// at its end), whose name 'fbr' then reads back; a formula using the name is evaluated.
#include <algorithm>

#include "fuzz/common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0) return 0;
    fuzzinit();
    fuzzreset();
    bool function = data[0] & 1;
    std::vector<std::string> s = sections(data + 1, size - 1);
    std::string before = s[0];
    std::string lib = fuzzfile("l", before);
    std::string usys = unitsystem(lib);
    std::vector<std::string> call;
    if (function) {
        call = {"anf", lib};
        call.insert(call.end(), s.begin() + 1, s.end());
    } else {
        call = {"anu", "-u", usys};
        for (size_t k = 1; k < s.size(); k++) call.push_back(call.back() == "-u" ? usys : s[k]);
    }
    run(call);

    std::string after = readfile(lib);
    require(after.compare(0, before.size(), before) == 0, "the earlier text of the library changed");
    std::string entry = after.substr(before.size());
    if (entry.empty()) return 0;
    require(entry[0] == '#' && std::count(entry.begin(), entry.end(), '#') == 1, "not one entry appended");
    require(entry.back() == '\n', "the entry does not end its line");

    long entries = std::count(after.begin(), after.end(), '#');
    std::string name = run({"fbr", lib, std::to_string(entries)});
    if (nonblank(entry).find("@@@") != std::string::npos) return 0;  // answers are cut before "@@@"
    require(!name.empty() && name.back() == ' ', "fbr does not read the new entry");
    name.pop_back();
    if (function) run({"mc66", "-u", usys, "-f", lib, "-q", name + "(2,3)"});
    else run({"mc66", "-u", usys, "-q", "2 " + name});
    if (!function) run({"bru", "-u", usys, std::to_string(entries)});
    return 0;
}
