#include "gui/controls/CellControl.h"

#include "gui/FontDescription.h"
#include "util/Drawing.h"
#include "util/Text.h"

namespace TarnUtility {

CellControl::CellControl(GUIElement* parent) : PanelChildren(parent) {
    tabStop = false;
}

void CellControl::SetText(const std::wstring& value) {
    GUIElement::SetText(value);
    if (HasWindow())
        InvalidateRect(hwnd, nullptr, TRUE);
}

void CellControl::SetText(const std::string& value) {
    SetText(ToWide(value));
    if (HasWindow())
        InvalidateRect(hwnd, nullptr, TRUE);
}

void CellControl::OnPaint() {
    if (HasWindow()) {
        const SIZE painted = PaintedSize();
        const RECT client{0, 0, painted.cx, painted.cy};
        const int cellWidth = painted.cx;
        const int cellHeight = painted.cy;
        Drawing drawing(this);
        drawing.StartPaint();
        FontDescription ownFont(faceName, fontHeight);
        ownFont.bold = bold;
        ownFont.italic = italic;
        ownFont.underline = underline;
        FontDescription* textFont = font ? font : &ownFont;

        FillBackground(drawing, cellWidth, cellHeight); // the text is drawn transparently
        const int textHeight = drawing.TextHeight(textFont);
        if (!text.empty()) {
            const int y = (client.bottom - textHeight - client.top) / 2;
            drawing.WriteText(text, 0, y, cellWidth, client.bottom - y, textColor, textFont,
                              textAlign);
        }
        if (showStar)
            drawing.WriteText(std::string("*"), client.right - textHeight,
                              client.bottom - textHeight, textHeight, textHeight, textColor,
                              textFont, kAlignCenter);
        if (bitmap) {
            const int y = (client.bottom - bitmapHeight - client.top) / 2;
            int x = 3;
            if (bitmapAlign == kAlignRight)
                x = client.right - bitmapWidth - 3;
            else if (bitmapAlign == kAlignCenter)
                x = (client.right - bitmapWidth - client.left) / 2;
            drawing.StretchTransparent(x, y, bitmapWidth, bitmapHeight, bitmap);
        }
        drawing.Finish();
    }
    PaintHandlerOnly();
}

} // namespace TarnUtility
