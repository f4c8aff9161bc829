#pragma once
// A self-painted line of text in a font of its own, with an optional
// bitmap and an optional "*" marker in the bottom-right corner.
#include <string>

#include "gui/controls/PanelChildren.h"
#include "util/Drawing.h"

namespace TarnUtility {

class CellControl : public PanelChildren {
public:
    explicit CellControl(GUIElement* parent);

    HBITMAP bitmap = nullptr;          // not owned
    int32_t bitmapAlign = kAlignRight; // kAlignRight, kAlignCenter, or left
    int32_t bitmapWidth = 0;           // 0: the bitmap's natural size
    int32_t bitmapHeight = 0;
    bool showStar = false;
    bool bold = false;
    bool underline = false;
    bool italic = false;
    std::string faceName = "Tahoma";
    int32_t fontHeight = 14;
    int32_t textAlign = kAlignCenter; // kAlignRight, kAlignCenter, or left
    COLORREF textColor = 0;

    void SetText(const std::wstring& value) override;
    void SetText(const std::string& value) override;
    void OnPaint() override;
};

} // namespace TarnUtility
