#include <gtest/gtest.h>

#include <string>

#include "platform/files/posix/NameMatching.h"

namespace ostrelin::platform::files {
namespace {

struct MatchCase {
    std::string Pattern;
    std::string Name;
    bool Matches;
};

TEST(WildcardMatch, FollowsTheWildcardRulesWithoutRegardToCase) {
    const MatchCase cases[] = {
        {"*.QSF", "job1.qsf", true},
        {"*.QSF", "Job1.QsF", true},
        {"*.QSF", ".qsf", true},
        {"*.QSF", "job1.qsf.bak", false},
        {"*.QSF", "job1.qsfx", false},
        {"*.QSF", "qsf", false},
        {"?.qsf", "a.QSF", true},
        {"?.qsf", "ab.qsf", false},
        {"?.qsf", ".qsf", false},
        {"a*b*c", "aXbYc", true},
        {"a*b*c", "abbbc", true},
        {"a*b*c", "aXbYcZ", false},
        {"*a*a*a*a*a*b", std::string(60, 'a'), false},
        {"*", "", true},
        {"", "", true},
        {"", "a", false},
        // Whole characters, not bytes, for '?' and for case.
        {"?.qsf", "č.qsf", true},
        {"*.QSF", "příliš.qsf", true},
        {"ŽLUŤ*.QSF", "žluťoučký.qsf", true},
        {"ŽLUŤ*.QSF", "zlut.qsf", false},
        // Bytes that are not UTF-8 match only themselves.
        {"\xE8*", "\xE8.qsf", true},
        {"\xE8*", "\xC8.qsf", false},
        {"?", "\xE8", true},
    };
    for (const MatchCase& c : cases) {
        EXPECT_EQ(WildcardMatch(c.Pattern, c.Name), c.Matches)
            << "pattern \"" << c.Pattern << "\", name \"" << c.Name << "\"";
    }
}

TEST(FoldedName, EqualForNamesThatDifferOnlyInCase) {
    EXPECT_EQ(FoldedName("Žluťoučký kůň.qsf"), FoldedName("ŽLUŤOUČKÝ KŮŇ.QSF"));
    EXPECT_NE(FoldedName("a.qsf"), FoldedName("b.qsf"));
    EXPECT_NE(FoldedName("\xE8"), FoldedName("\xC8"));
}

}  // namespace
}  // namespace ostrelin::platform::files
