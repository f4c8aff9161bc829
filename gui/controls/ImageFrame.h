#pragma once
// A panel that shows one cell of a sprite sheet: a bitmap cut into cells the
// size of the element, picked by column (and row).
#include "gui/controls/PanelChildren.h"

namespace TarnUtility {

class ImageFrame : public PanelChildren {
public:
    ImageFrame(GUIElement* parent, HBITMAP sheet, int column);

    bool transparent = true; // black shows what is behind; false: plain copy
    HBITMAP sheet;           // not owned
    int32_t frameColumn;
    int32_t frameRow = 0;

    void OnPaint() override;

    // Shows the cell at `column` of the first row.
    void SetFrame(int column);
};

} // namespace TarnUtility
