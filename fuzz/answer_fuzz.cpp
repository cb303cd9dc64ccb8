// answer_fuzz.cpp - the answer layer: a formula and a target over a fuzzed units file
// and list of named units.
//
// Sections: the units file "u", the list "named.list" beside it, the formula, the
// target (given after the formula unless empty), and a last section whose first byte
// chooses the display options. The answer is made twice from the same state, the plain
// evaluation first, and must be the same; the user's state after it must be the state
// after mc66 alone with the formula as the layer passes it on (rewritten, or rescued
// after a first try that must leave no trace).
#include <cstdlib>

#include "engine/state.h"
#include "fuzz/common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::vector<std::vector<std::string>> OPTIONS = {
        {"-S1", "-p", "6"}, {"-cr", "-S2", "-p", "12"}, {"-ce", "-R"}, {"-S3", "-p", "3"}, {}, {"-g", "-S1"}};
    fuzzinit();
    fuzzreset();
    std::vector<std::string> s = sections(data, size);
    while (s.size() < 5) s.emplace_back();
    std::string usys = unitsystem(fuzzfile("u", s[0]));
    fuzzfile("named.list", s[1]);
    const std::vector<std::string> &opts = OPTIONS[s[4].empty() ? 0 : (unsigned char)s[4][0] % OPTIONS.size()];
    std::vector<std::string> call = {"qev::answer", "-u", usys};
    call.insert(call.end(), opts.begin(), opts.end());
    call.insert(call.end(), {"-q", s[2]});
    if (!s[3].empty()) call.push_back(s[3]);
    keepstate();
    plainmode = true;
    std::srand(1);
    std::string plain = runanswer(call);
    restorestate();
    plainmode = false;
    std::srand(1);
    std::string formula;
    require(runanswer(call, &formula) == plain, "the answer with the fast paths differs from the plain one");
    if (s[2].empty()) return 0;
    keepuserstate();
    restorestate();
    // mc66 with what the layer passes on: the formula the answer names (rewritten, with
    // its relative errors written out), and a target argument that is no formula (empty,
    // or an option) as it is.
    std::vector<std::string> calc = {"mc66", "-u", usys};
    calc.insert(calc.end(), opts.begin(), opts.end());
    calc.insert(calc.end(), {"-q", formula});
    if (!s[3].empty() && s[3][0] == '-') calc.push_back(s[3]);
    std::srand(1);
    run(calc);
    require(sameuserstate(), "the answer left the user's state otherwise than the formula alone");
    return 0;
}
