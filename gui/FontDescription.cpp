#include "gui/FontDescription.h"

#include "gui/Dpi.h"
#include "util/Text.h"

namespace TarnUtility {

FontDescription::FontDescription(const std::string& face, int32_t height)
    : faceName(ToWide(face)), height(height) {}

FontDescription::~FontDescription() {
    if (handle)
        DeleteObject(handle);
}

// The height is the description's at 96 dpi: the font is made at the
// screen's (the sign, cell or character height, is kept).
HFONT FontDescription::GetHandle() {
    if (!handle)
        handle = CreateFontW(ToScreen(height), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic,
                             underline, FALSE, DEFAULT_CHARSET, OUT_OUTLINE_PRECIS,
                             CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                             fixedPitch ? FIXED_PITCH : DEFAULT_PITCH, faceName.c_str());
    return handle;
}

} // namespace TarnUtility
