#include <gtest/gtest.h>

#include <climits>

#include "util/Numbers.h"
#include "util/Text.h"

using namespace TarnUtility;

TEST(ToWide, MapsEachByteToTheCodeUnitOfTheSameValue) {
    EXPECT_EQ(ToWide("pu\xF2"), std::wstring(L"pu\u00F2"));
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::wstring wide = ToWide(all);
    ASSERT_EQ(wide.size(), 255u);
    for (int b = 1; b < 256; ++b)
        EXPECT_EQ(static_cast<int>(wide[static_cast<size_t>(b - 1)]), b);
}

TEST(ToWide, StopsAtTheFirstNul) {
    EXPECT_EQ(ToWide(std::string("xy\0z", 4)), std::wstring(L"xy"));
    EXPECT_EQ(ToWide(""), std::wstring());
}

TEST(ToNarrow, KeepsTheLowByteAndTheLength) {
    EXPECT_EQ(ToNarrow(L"\u00F2\u20AC"), std::string("\xF2\xAC"));
    EXPECT_EQ(ToNarrow(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
}

TEST(ToNarrow, UndoesToWideUpToTheFirstNul) {
    const std::string text = "Vuoi realmente uscire? perch\xE9 cos\xEC pi\xF9";
    EXPECT_EQ(ToNarrow(ToWide(text)), text);
    EXPECT_EQ(ToNarrow(ToWide(std::string("ab\0cd", 5))), "ab");
}

TEST(ReplaceAll, ReplacesEveryOccurrence) {
    EXPECT_EQ(ReplaceAll("http://www.example.com", "http://www.", "info@"), "info@example.com");
    EXPECT_EQ(ReplaceAll("xQyQz", "Q", ""), "xyz");
    EXPECT_EQ(ReplaceAll("no match here", "Q", "R"), "no match here");
    EXPECT_EQ(ReplaceAll("", "Q", "R"), "");
}

TEST(ReplaceAll, FindsOccurrencesThatAReplacementForms) {
    // Searching again from the start finds the piece that the first
    // replacement made out of its neighbours.
    EXPECT_EQ(ReplaceAll("aab", "ab", "b"), "b");
    EXPECT_EQ(ReplaceAll("xaabby", "ab", ""), "xy");
}

TEST(ReplaceAll, EndsWhenThePieceIsEmpty) {
    EXPECT_EQ(ReplaceAll("text", "", "x"), "text");
    EXPECT_EQ(ReplaceAll("", "", ""), "");
}

TEST(ReplaceAll, EndsWhenTheReplacementContainsThePiece) {
    EXPECT_EQ(ReplaceAll("a.b.c", ".", ".."), "a..b..c");
    EXPECT_EQ(ReplaceAll("Q", "Q", "QQ"), "QQ");
    EXPECT_EQ(ReplaceAll("aa", "a", "ba"), "baba");
}

TEST(ReplaceAll, EndsWhenTheReplacementsMakeTheTextGrowForEver) {
    // Searching again would grow these without end: each occurrence of the
    // original text is replaced once instead.
    EXPECT_EQ(ReplaceAll("aab", "ab", "bbaa"), "abbaa");
    EXPECT_EQ(ReplaceAll("baa", "ba", "aabb"), "aabba");
    EXPECT_EQ(ReplaceAll("aaba", "aba", "baab"), "abaab");
    // Growth that ends is followed to its end, however many steps it takes.
    EXPECT_EQ(ReplaceAll("aaab", "ab", "bba"), "bbbbbbbbaaa");
    const std::string doubled = ReplaceAll(std::string(20, 'a') + "b", "ab", "bba");
    EXPECT_EQ(doubled, std::string(size_t{1} << 20, 'b') + std::string(20, 'a'));
}

// A replacement no longer than the piece always ends, and is followed to
// its end however long that takes: millions of steps here.
TEST(ReplaceAll, FollowsEveryShrinkingOrEvenReplacementToItsEnd) {
    EXPECT_EQ(ReplaceAll(std::string(2100000, 'a') + "b", "ab", "b"), "b");
    EXPECT_EQ(ReplaceAll(std::string(1500, 'b') + std::string(1500, 'a'), "ba", "ab"),
              std::string(1500, 'a') + std::string(1500, 'b'));
}

TEST(ToDecimal, WritesSignAndDigitsOnly) {
    EXPECT_EQ(ToDecimal(0), "0");
    EXPECT_EQ(ToDecimal(-7), "-7");
    EXPECT_EQ(ToDecimal(2147483647), "2147483647");
    EXPECT_EQ(ToDecimal(INT32_MIN), "-2147483648");
    EXPECT_EQ(ToDecimal(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(ToDecimalWide(-42), L"-42");
    EXPECT_EQ(ToDecimalWide(INT64_MAX), L"9223372036854775807");
}
