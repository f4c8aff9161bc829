#pragma once
// A font described by face, height and style, made on first use and cached.
// Owned by whoever creates it; elements and drawing calls only point to it,
// so it must outlive the windows that use its font.
#include <windows.h>
#include <cstdint>
#include <string>

namespace TarnUtility {

class FontDescription {
public:
    FontDescription() = default;
    FontDescription(const std::string& face, int32_t height);
    ~FontDescription();
    FontDescription(const FontDescription&) = delete;
    FontDescription& operator=(const FontDescription&) = delete;

    // The cached font, made now if needed; null if the platform refused
    // (a later call tries again). Later changes of the fields do not reach it.
    HFONT GetHandle();

    HFONT handle = nullptr;
    std::wstring faceName = L"System";
    int32_t height = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fixedPitch = false;
};

} // namespace TarnUtility
