#pragma once
// Conversions between the program's narrow texts (Windows-1252 bytes) and the
// wide (UTF-16) strings that the platform's "W" functions take.
#include <string>

namespace TarnUtility {

// Each byte up to the first NUL becomes the code unit of the same value:
// exact for every Windows-1252 letter the program writes (0xF2 is U+00F2).
std::wstring ToWide(std::string text);

// Each code unit keeps its low 8 bits; the length, NULs included, is kept.
std::string ToNarrow(std::wstring text);

// Replaces the first occurrence of `what` by `with` until none is left, so a
// replacement can complete an occurrence with the text before or after it.
// Where that would never end (`with` contains `what`, or the text keeps
// growing), every occurrence in the original text is replaced once, left to
// right. An empty `what` leaves the text unchanged.
std::string ReplaceAll(std::string text, std::string what, std::string with);

} // namespace TarnUtility
