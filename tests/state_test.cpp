// state_test.cpp - saving and loading the engine state: a saved state brought back
// gives the same answers and compares equal; any change to a saved global shows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/state.h"
#include "support.h"

TEST(state, loadBringsBackWhatCommandsChanged)
{
    enginestate before;
    savestate(before);
    std::string first = calc("%q+1");
    calc("7=q");
    qev({"mc66", "-cr", "-R", "-q", "setrandf 0 2 10 x"});
    calc("findmin 0 1 4 (x-0.5)^2");
    EXPECT_FALSE(samenow(before));
    loadstate(before);
    EXPECT_TRUE(samenow(before));
    EXPECT_EQ(calc("%q+1"), first);
}

TEST(state, everyKindOfFieldIsCompared)
{
    enginestate a;
    savestate(a);
    const auto differs = [&](void (*change)(enginestate &)) {
        enginestate b = a;
        change(b);
        return !samestate(a, b);
    };
    EXPECT_TRUE(differs([](enginestate &s) { s.varib['z'].call++; }));
    EXPECT_TRUE(differs([](enginestate &s) { s.varib['z'].units[5] += 1; }));
    EXPECT_TRUE(differs([](enginestate &s) { s.varib['z'].text[0] ^= 1; }));
    EXPECT_TRUE(differs([](enginestate &s) { s.rep[8] += 1; }));
    EXPECT_TRUE(differs([](enginestate &s) { s.randfunc[1009] += 1; }));
    EXPECT_TRUE(differs([](enginestate &s) { s.MOLE[0] ^= 1; }));
    EXPECT_TRUE(differs([](enginestate &s) { s.repflag++; }));
    // bytes after the end of a text, and the links, are not part of the value
    EXPECT_FALSE(differs([](enginestate &s) {
        s.varib['z'].text[149] ^= 1;
        s.varib['z'].next = &s.varib['y'];
    }));
}
