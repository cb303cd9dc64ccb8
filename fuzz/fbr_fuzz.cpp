// fbr_fuzz.cpp - the library entry names command over a fuzzed library file.
//
// Sections: the library file "l", then the arguments after its path (the entry number,
// and any further ones).
#include "fuzz/common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzinit();
    fuzzreset();
    std::vector<std::string> s = sections(data, size);
    std::vector<std::string> call = {"fbr", fuzzfile("l", s[0])};
    call.insert(call.end(), s.begin() + 1, s.end());
    std::string answer = run(call);
    // The answer ends with its blank, unless the name holds the end mark "@@@" (the answer
    // is cut before it); a name is copied without its blanks and "#" characters.
    std::string copied;
    for (char c : nonblank(s[0]))
        if (c != '#') copied += c;
    bool cut = copied.find("@@@") != std::string::npos;
    require(call.size() != 3 || cut || (!answer.empty() && answer.back() == ' '), "an answer of fbr lacks its blank");
    return 0;
}
