#pragma once
// A push button wrapping the system "Button" control: plain, or owner-drawn
// with a face the library paints (background, a frame that shows the
// pressed and disabled states, an optional bitmap, the centred caption).
// Every command the native button sends runs its clickHandler.
#include <string>

#include "gui/GUIElement.h"

namespace TarnUtility {

class Drawing;

class Button : public Child, public CommandElement {
public:
    Button(GUIElement* parent, const std::string& caption);

    bool ownerDraw = false;
    HBITMAP bitmap = nullptr;         // drawn while enabled; not owned
    HBITMAP disabledBitmap = nullptr; // drawn while disabled; not owned

    void Create() override;

    // Draws the face's bitmap and returns where the caption area starts,
    // relative to the item's left edge (0 without a bitmap).
    virtual int DrawFace(Drawing& drawing, const RECT& item, bool pressed);

    // Paints the whole owner-drawn face for WM_DRAWITEM. The device context
    // carries the colours its parent chose for it (WM_CTLCOLORBTN).
    void PaintFace(const DRAWITEMSTRUCT& item);

    DWORD ComputeStyle() const;
};

} // namespace TarnUtility
