#include "util/Numbers.h"

namespace TarnUtility {

std::string ToDecimal(int64_t value) {
    return std::to_string(static_cast<long long>(value));
}

std::wstring ToDecimalWide(int64_t value) {
    return std::to_wstring(static_cast<long long>(value));
}

} // namespace TarnUtility
