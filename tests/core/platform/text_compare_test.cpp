#include "platform/text_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kestrine {
namespace {

TEST(CompareTextIgnoringCaseTest, CapitalsAndSmallLettersAreTheSame) {
    const std::pair<std::u16string, std::u16string> same[] = {
        {u"Archives", u"aRCHIVES"},
        {u"\u00c0\u00de", u"\u00e0\u00fe"},                // Latin-1
        {u"\u0178", u"\u00ff"},                            // Y with diaeresis
        {u"\u0141\u00f3d\u017a", u"\u0142\u00d3D\u0179"},  // Latin Extended-A
        {u"\u0394\u0386", u"\u03b4\u03ac"},                // Greek
        {u"\u041c\u0418\u0420", u"\u043c\u0438\u0440"},    // Cyrillic
        {u"\u0401\u0407", u"\u0451\u0457"},
        {u"", u""},
    };
    for (const auto& [a, b] : same) {
        EXPECT_EQ(CompareTextIgnoringCase(a, b), 0);
        EXPECT_TRUE(SameTextIgnoringCase(a, b));
    }
}

TEST(CompareTextIgnoringCaseTest, DifferentTextsAreOrdered) {
    EXPECT_LT(CompareTextIgnoringCase(u"apple", u"Banana"), 0);
    EXPECT_GT(CompareTextIgnoringCase(u"Banana", u"apple"), 0);
    EXPECT_LT(CompareTextIgnoringCase(u"abc", u"ABCD"), 0);
    EXPECT_GT(CompareTextIgnoringCase(u"abcd", u"ABC"), 0);
    EXPECT_FALSE(SameTextIgnoringCase(u"\u00d7", u"\u00f7"));  // multiplication and division
}

TEST(CompareTextIgnoringCaseTest, SortingIsStableUnderCaseChanges) {
    std::vector<std::u16string> names = {u"delta", u"Alpha", u"charlie", u"BRAVO", u"alpha"};
    std::stable_sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
        return CompareTextIgnoringCase(a, b) < 0;
    });
    EXPECT_EQ(names,
              (std::vector<std::u16string>{u"Alpha", u"alpha", u"BRAVO", u"charlie", u"delta"}));
}

}  // namespace
}  // namespace kestrine
