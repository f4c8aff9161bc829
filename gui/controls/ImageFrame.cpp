#include "gui/controls/ImageFrame.h"

#include "gui/Dpi.h"
#include "util/Drawing.h"

namespace TarnUtility {

ImageFrame::ImageFrame(GUIElement* parent, HBITMAP sheet, int column)
    : PanelChildren(parent), sheet(sheet), frameColumn(column) {
    tabStop = false;
}

void ImageFrame::SetFrame(int column) {
    frameColumn = column;
    frameRow = 0;
    if (HasWindow())
        InvalidateRect(hwnd, nullptr, TRUE);
}

void ImageFrame::OnPaint() {
    RECT client{};
    if (created && sheet && GetClientRect(hwnd, &client)) {
        Drawing drawing(this);
        drawing.StartPaint();
        // A transparent cell shows the background through its black.
        if (paintBackground || transparent)
            FillBackground(drawing, ToLogical(client.right), ToLogical(client.bottom));
        const SIZE cell = GetSize();
        if (transparent)
            drawing.BlitTransparent(0, 0, cell.cx, cell.cy, sheet, frameColumn * cell.cx,
                                    frameRow * cell.cy);
        else
            drawing.Blit(0, 0, cell.cx, cell.cy, sheet, frameColumn * cell.cx, frameRow * cell.cy);
        drawing.Finish();
    }
    PaintHandlerOnly();
}

} // namespace TarnUtility
