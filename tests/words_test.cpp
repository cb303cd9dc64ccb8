// words_test.cpp - the engine's word tables agree: every word they name is an engine
// word, every word with a rank or bonus has an operation, and the unit commands' tables
// follow those of 'handlestr'.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>

#include "analysis/frame.h"
#include "engine/ops.h"
#include "engine/words.h"

namespace {

typedef std::set<std::string> words;

words of(const char *const *list)
{
    words s;
    for (; *list; list++) s.insert(*list);
    return s;
}

words of(const dispatchrow *table)
{
    words s;
    for (; table->word; table++) s.insert(table->word);
    return s;
}

words of(const rankword *table)
{
    words s;
    for (; table->word; table++) s.insert(table->word);
    return s;
}

words minus(words a, const words &b)
{
    for (const std::string &w : b) a.erase(w);
    return a;
}

// The words spelled like a name (a letter, then letters and digits): those a library
// name could be found inside; operator words such as "c+" are not.
words named(const words &all)
{
    words s;
    for (const std::string &w : all) {
        bool name = std::isalpha((unsigned char)w[0]);
        for (char c : w) name = name && std::isalnum((unsigned char)c);
        if (name) s.insert(w);
    }
    return s;
}

// How often each word stands in a table.
template <class T> std::map<std::string, int> counts(const T *table)
{
    std::map<std::string, int> n;
    for (; table->word; table++) n[table->word]++;
    return n;
}

std::map<std::string, int> counts(const char *const *list)
{
    std::map<std::string, int> n;
    for (; *list; list++) n[*list]++;
    return n;
}

}  // namespace

TEST(words, engineWordsAreEveryNamedWord)
{
    words all;
    for (const words &t : {of(HANDLESTR_WORDS), of(BRU_WORDS), of(MTU_WORDS), of(FUNCWORDS), of(ARGUMENTWORDS),
                           of(RANKWORDS), of(UNITFUNCS), of(UNITCONSTANTS), of(ANALYSISWORDS)})
        all.insert(t.begin(), t.end());
    EXPECT_EQ(minus(named(all), of(ENGINEWORDS)), words()) << "named by a table, missing in ENGINEWORDS";
    EXPECT_EQ(minus(of(ENGINEWORDS), named(all)), words()) << "in ENGINEWORDS, named by no other table";
}

TEST(words, ranksAndBonusesHaveOperations)
{
    words dispatched = of(HANDLESTR_WORDS);
    EXPECT_EQ(minus(of(RANKWORDS), dispatched), words());
    // the two words with a bonus and no operation end in the syntax error
    EXPECT_EQ(minus(of(FUNCWORDS), dispatched), words({"log10", "azeret"}));
    words keywords;
    for (const rankword *r = RANKWORDS; r->word; r++)
        if (r->rule == RULE_KEYWORD || r->rule == RULE_ANALYSIS) keywords.insert(r->word);
    EXPECT_EQ(of(ARGUMENTWORDS), minus(keywords, {"func"}));
}

TEST(words, analysisWordsAreThoseOfTheAnalysisOperations)
{
    static void (*const ANALYSISOPS[])() = {plot1,    plot2,     setrandf1, setrandf2, findx1,
                                            findx2,   findzer1,  findzer2a, findmin1,  findmin2a,
                                            findmax1, findmax2a, integ1,    integ2};
    words analysed;
    for (const dispatchrow *r = HANDLESTR_WORDS; r->word; r++)
        for (void (*op)() : ANALYSISOPS)
            if (r->op == op) analysed.insert(r->word);
    EXPECT_EQ(of(ANALYSISWORDS), analysed);
}

TEST(words, unitCommandsFollowHandlestr)
{
    EXPECT_EQ(of(UNITFUNCS), minus(of(FUNCWORDS), {"atanr"}));
    words dispatched = of(HANDLESTR_WORDS);
    EXPECT_EQ(minus(of(BRU_WORDS), dispatched), words({"exit"}));
    EXPECT_EQ(minus(of(MTU_WORDS), dispatched), words());
    for (const dispatchrow *t : {BRU_WORDS, MTU_WORDS}) EXPECT_EQ(minus(of(UNITCONSTANTS), of(t)), words());
}

TEST(words, noWordTwiceInATable)
{
    for (const dispatchrow *t : {HANDLESTR_WORDS, BRU_WORDS, MTU_WORDS})
        for (const auto &n : counts(t)) EXPECT_EQ(n.second, 1) << n.first;
    for (const auto &n : counts(RANKWORDS)) EXPECT_EQ(n.second, 1) << n.first;
    for (const char *const *t : {ENGINEWORDS, FUNCWORDS, ARGUMENTWORDS, UNITFUNCS, UNITCONSTANTS, ANALYSISWORDS})
        for (const auto &n : counts(t)) EXPECT_EQ(n.second, 1) << n.first;
}
