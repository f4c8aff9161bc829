#pragma once
// The library's own window type: a rectangle with a class of its own, served
// by ElementWndProc, that holds other elements, colours its child controls,
// and can carry a border and scroll bars.
#include "gui/GUIElement.h"

namespace TarnUtility {

class Drawing;
class PanelChildren;
using ScrollHandler = void (*)(PanelChildren* panel, int delta);

class PanelChildren : public Child {
public:
    explicit PanelChildren(GUIElement* parent);
    ~PanelChildren() override;

    // Run after a scroll that asked for a new position, with the old
    // position minus the requested one.
    ScrollHandler verticalScrollHandler = nullptr;
    ScrollHandler horizontalScrollHandler = nullptr;
    bool border = false;
    bool flatBorder = false; // with border: no sunken edge
    bool verticalScroll = false;
    bool horizontalScroll = false;
    int32_t scrollMin = 0;
    int32_t scrollMax = 100;
    bool tabStop = true;
    HBRUSH controlBrush = nullptr; // the one brush last handed to a child; owned
    COLORREF childTextColor = kNoColor;
    COLORREF childBackColor = kNoColor; // none: the panel's backColor

    HBRUSH OnControlColor(HDC dc) override;
    void Create() override;

    DWORD ComputeStyle() const;
    void SetBorder(bool flag);
    void SetScrollRange(int minimum, int maximum);

protected:
    // Paints the whole client area in the panel's background colour (the
    // system's button face when it has none). A self-painted panel starts
    // every paint with it: a paint asked for without erasing (a parent
    // refreshing its children) must not draw over what the last one left.
    void FillBackground(Drawing& drawing, int clientWidth, int clientHeight) const;

    // The part of its box a panel paints, in its units: all of it, unless a
    // border or a scroll bar, which the system draws in its own pixels,
    // takes part of the window; then the client area the system leaves.
    SIZE PaintedSize() const;

    // Runs the shared paint behaviour without repainting the background over
    // what the panel has just drawn.
    void PaintHandlerOnly();

private:
    HINSTANCE OwningInstance() const;
};

} // namespace TarnUtility
