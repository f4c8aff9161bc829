#include "gui/controls/ImageFrame.h"

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

// The cell is the frame's own box, in its units: the drawing maps it onto
// the window the same way the window was placed.
void ImageFrame::OnPaint() {
    if (HasWindow() && sheet) {
        Drawing drawing(this);
        drawing.StartPaint();
        // A transparent cell shows the background through its black.
        if (paintBackground || transparent) {
            const SIZE painted = PaintedSize();
            FillBackground(drawing, painted.cx, painted.cy);
        }
        if (transparent)
            drawing.BlitTransparent(0, 0, width, height, sheet, frameColumn * width,
                                    frameRow * height);
        else
            drawing.Blit(0, 0, width, height, sheet, frameColumn * width, frameRow * height);
        drawing.Finish();
    }
    PaintHandlerOnly();
}

} // namespace TarnUtility
