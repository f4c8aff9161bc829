#pragma once
// Integers written as decimal text: an optional minus sign and the digits,
// no leading zeros, padding or grouping.
#include <cstdint>
#include <string>

namespace TarnUtility {

std::string ToDecimal(int64_t value);
std::wstring ToDecimalWide(int64_t value);

} // namespace TarnUtility
