// regres_fuzz.cpp - the regression command: every section is one argument (the degree
// and the data, or a wrong number of them).
#include "fuzz/common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzinit();
    fuzzreset();
    std::vector<std::string> s = sections(data, size);
    std::vector<std::string> call = {"regres"};
    call.insert(call.end(), s.begin(), s.end());
    run(call);
    return 0;
}
