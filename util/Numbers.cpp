#include "util/Numbers.h"

namespace TarnUtility {

std::string ToDecimal(int64_t value) {
    return std::to_string(static_cast<long long>(value));
}

// The narrow digits widened: std::to_wstring would bring in a wide printf.
std::wstring ToDecimalWide(int64_t value) {
    const std::string digits = ToDecimal(value);
    return std::wstring(digits.begin(), digits.end());
}

} // namespace TarnUtility
