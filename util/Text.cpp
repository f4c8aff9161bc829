#include "util/Text.h"

namespace TarnUtility {

std::wstring ToWide(std::string text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (char c : text) {
        if (c == '\0')
            break;
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}

std::string ToNarrow(std::wstring text) {
    std::string narrow(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i)
        narrow[i] = static_cast<char>(text[i] & 0xFF);
    return narrow;
}

std::string ReplaceAll(std::string text, std::string what, std::string with) {
    if (what.empty())
        return text;
    // Every round looks for the first occurrence in the whole text, as a
    // search from the beginning would: text before the last replacement that
    // cannot reach into it holds none. A replacement that contains `what` is
    // stepped over instead, since searching it again would never end.
    const bool withHoldsWhat = with.find(what) != std::string::npos;
    size_t from = 0;
    for (size_t at; (at = text.find(what, from)) != std::string::npos;) {
        text.replace(at, what.size(), with);
        if (withHoldsWhat)
            from = at + with.size();
        else
            from = at + 1 > what.size() ? at + 1 - what.size() : 0;
    }
    return text;
}

} // namespace TarnUtility
