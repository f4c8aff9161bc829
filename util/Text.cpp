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

namespace {

// Every occurrence of `what` in `text`, left to right, replaced once; the
// replacements are not searched.
std::string ReplaceEachOnce(const std::string& text, const std::string& what,
                            const std::string& with) {
    std::string result;
    size_t from = 0;
    for (size_t at; (at = text.find(what, from)) != std::string::npos; from = at + what.size())
        result.append(text, from, at - from).append(with);
    return result.append(text, from, std::string::npos);
}

} // namespace

std::string ReplaceAll(std::string text, std::string what, std::string with) {
    if (what.empty())
        return text;
    if (with.find(what) != std::string::npos)
        return ReplaceEachOnce(text, what, with);
    // Only a longer replacement can keep the loop going for ever; a text
    // that grows, grows at every step, so its length tells how far it went.
    const bool grows = with.size() > what.size();
    // The result grows on the left, one character at a time, from what is
    // still to be read on the right (kept last character first). The left
    // holds no occurrence before each step, so the first time it ends in
    // `what`, that is the first occurrence in the whole text, as a search
    // from the start would find it; the replacement goes back to the right,
    // to be read again after what stood before it.
    std::string done;
    std::string rest(text.rbegin(), text.rend());
    while (!rest.empty()) {
        done.push_back(rest.back());
        rest.pop_back();
        if (done.size() < what.size() ||
            done.compare(done.size() - what.size(), what.size(), what) != 0)
            continue;
        done.resize(done.size() - what.size());
        rest.append(with.rbegin(), with.rend());
        if (grows && done.size() + rest.size() > kLongestGrowth)
            return ReplaceEachOnce(text, what, with);
    }
    return done;
}

} // namespace TarnUtility
