#include "gui/controls/Button.h"

#include <algorithm>

#include "gui/ChildControl.h"
#include "gui/Dpi.h"
#include "gui/FontDescription.h"
#include "util/Drawing.h"
#include "util/GdiScope.h"
#include "util/Text.h"

namespace TarnUtility {

namespace {
constexpr COLORREF kDisabledFrame = 0x696969;
constexpr COLORREF kDisabledCaption = 0x969696;
} // namespace

Button::Button(GUIElement* parent, const std::string& caption) : Child(nullptr) {
    this->parent = parent;
    text = ToWide(caption);
    width = 80;
    height = 30;
    typeName = "button";
}

DWORD Button::ComputeStyle() const {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (ownerDraw ? BS_OWNERDRAW : BS_PUSHBUTTON);
    if (!enabled)
        style |= WS_DISABLED;
    return style;
}

void Button::Create() {
    if (created)
        return;
    CreateControlWindow(*this, L"Button", ComputeStyle(), 0);
    SubclassControl(*this);
    FinishControl(*this);
}

int Button::DrawFace(Drawing& drawing, const RECT& item, bool) {
    HBITMAP shown = enabled ? bitmap : disabledBitmap;
    if (!shown)
        return 0;
    BITMAP info{};
    GetObjectW(shown, sizeof(info), &info);
    const int itemHeight = item.bottom - item.top;
    drawing.StretchTransparent(item.left + 5, (itemHeight - info.bmHeight) / 2, info.bmWidth,
                               info.bmHeight, shown);
    return item.left + info.bmWidth + 8; // 5 pixels before the bitmap, 3 after it
}

void Button::PaintFace(const DRAWITEMSTRUCT& item) {
    const RECT box{0, 0, width, height}; // the face is the button's box, in its units
    const int boxWidth = box.right - box.left;
    const int boxHeight = box.bottom - box.top;
    HDC dc = item.hDC;

    Drawing drawing(this);
    drawing.UseDC(dc);
    COLORREF captionColor = GetTextColor(dc);

    // The caption is centred vertically by the height of the font the
    // parent selected into the context (made at ToScreen of its height).
    LOGFONTW selected{};
    {
        FontDescription probe;
        SelectScope fontScope(dc, probe.GetHandle());
        GetObjectW(fontScope.Previous(), sizeof(selected), &selected);
    }
    const int captionTop =
        std::max(0, static_cast<int>((boxHeight - ToLogical(selected.lfHeight)) / 2));

    drawing.Fill(box.left, box.top, boxWidth, boxHeight, GetBkColor(dc));
    COLORREF frameColor = captionColor;
    if (item.itemState & ODS_DISABLED) {
        frameColor = kDisabledFrame;
        captionColor = kDisabledCaption;
    } else if (item.itemState & ODS_SELECTED) {
        frameColor = 0xFFFFFF - captionColor;
    }
    drawing.Outline(box.left, box.top, boxWidth, boxHeight, frameColor);

    const int captionLeft = DrawFace(drawing, box, (item.itemState & ODS_SELECTED) != 0);
    drawing.WriteText(GetTextNarrow(), box.left + captionLeft, box.top + captionTop,
                      boxWidth - captionLeft, boxHeight, captionColor, nullptr, kAlignCenter);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = drawing.mapping.Box(3, 3, boxWidth - 6, boxHeight - 6);
        DrawFocusRect(dc, &focus);
    }
    drawing.Finish();
}

} // namespace TarnUtility
