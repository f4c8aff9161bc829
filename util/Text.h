#pragma once
// Conversions between the program's narrow texts (Windows-1252 bytes) and the
// wide (UTF-16) strings that the platform's "W" functions take.
#include <cstddef>
#include <string>

namespace TarnUtility {

// Each byte up to the first NUL becomes the code unit of the same value:
// exact for every Windows-1252 letter the program writes (0xF2 is U+00F2).
std::wstring ToWide(std::string text);

// Each code unit keeps its low 8 bits; the length, NULs included, is kept.
std::string ToNarrow(std::wstring text);

// Replaces the first occurrence of `what` by `with`, searching from the start
// each time, until none is left, so that a replacement can complete an
// occurrence with the text around it. That loop is followed to its end
// wherever it ends: always when `with` is no longer than `what` (each step
// shortens the text, or keeps its length and takes it one way in the order
// of the first character where `what` and `with` differ), and whenever a
// longer `with` leaves a result of at most kLongestGrowth characters.
// The answer is another exactly when:
// - `what` is empty (the loop never ends): the text comes back unchanged;
// - `with` contains `what` and the text holds `what` (the loop never ends):
//   every occurrence in the original text is replaced once, left to right;
// - a longer `with` makes the text grow past kLongestGrowth characters, as
//   some do for ever ("ab" by "bbaa" in "aab"): the same left-to-right
//   answer, also for a loop that would end only beyond that length.
constexpr size_t kLongestGrowth = size_t{1} << 24;
std::string ReplaceAll(std::string text, std::string what, std::string with);

} // namespace TarnUtility
