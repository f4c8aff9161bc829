#include "gui/controls/PanelChildren.h"

#include "gui/ElementRegistry.h"
#include "gui/FontDescription.h"
#include "gui/Owned.h"
#include "gui/WindowClass.h"
#include "util/Drawing.h"

namespace TarnUtility {

PanelChildren::PanelChildren(GUIElement* parent) : Child(nullptr) {
    this->parent = parent;
    typeName = "panel";
}

// The class and its background brush go with the window (gui/WindowClass.h).
PanelChildren::~PanelChildren() {
    DeleteOwnedObject(controlBrush);
}

DWORD PanelChildren::ComputeStyle() const {
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (tabStop)
        style |= WS_TABSTOP;
    if (!enabled)
        style |= WS_DISABLED;
    if (border)
        style |= WS_BORDER;
    if (horizontalScroll)
        style |= WS_HSCROLL;
    if (verticalScroll)
        style |= WS_VSCROLL;
    return style;
}

void PanelChildren::Create() {
    if (created)
        return;
    const std::wstring className =
        RegisterOwnClass(*this, L"PanelChildren", CS_DBLCLKS, OwningInstance(), nullptr);
    const DWORD extendedStyle = border && !flatBorder ? WS_EX_CLIENTEDGE : 0;
    // Every message from here on may run a handler that deletes the panel.
    if (!CreateOwnClassWindow(*this, className, extendedStyle, ComputeStyle(), ScreenPlace(),
                              parent ? parent->hwnd : nullptr, reinterpret_cast<HMENU>(INT_PTR{id}),
                              nullptr))
        return;
    // Created before its first paint, so that this paint already draws the
    // panel's picture or text.
    created = true;
    if (!ShowOwnClassWindow(*this) || !Survives(*this, [&] {
            if (createHandler)
                createHandler(this, hwnd);
        }))
        return;
    if (!Survives(*this, [&] { SetScrollRange(scrollMin, scrollMax); }))
        return;
    CreateTooltip(hwnd);
    if (font)
        ApplyFont();
}

void PanelChildren::SetBorder(bool flag) {
    border = flag;
    if (!HasWindow())
        return;
    SetLastError(0);
    const LONG_PTR before =
        SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(ComputeStyle()));
    if (before != 0 || GetLastError() == 0)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

// A bar that comes or goes resizes the client area, which runs the size
// handler.
void PanelChildren::SetScrollRange(int minimum, int maximum) {
    scrollMin = minimum;
    scrollMax = maximum;
    if (!HasWindow())
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPage = static_cast<UINT>((maximum - minimum) / 10);
    if (verticalScroll && !Survives(*this, [&] { SetScrollInfo(hwnd, SB_VERT, &info, TRUE); }))
        return;
    if (horizontalScroll)
        SetScrollInfo(hwnd, SB_HORZ, &info, TRUE);
}

// One brush at a time: the previous answer's brush is released first.
HBRUSH PanelChildren::OnControlColor(HDC dc) {
    DeleteOwnedObject(controlBrush);
    if (font)
        SelectObject(dc, font->GetHandle());
    if (childBackColor != kNoColor) {
        SetBkColor(dc, childBackColor);
        controlBrush = CreateSolidBrush(childBackColor);
    } else if (backColor != kNoColor) {
        SetBkColor(dc, backColor);
        controlBrush = CreateSolidBrush(backColor);
    } else {
        controlBrush = GetSysColorBrush(COLOR_BTNFACE);
    }
    if (childTextColor != kNoColor)
        SetTextColor(dc, childTextColor);
    return controlBrush;
}

void PanelChildren::FillBackground(Drawing& drawing, int clientWidth, int clientHeight) const {
    drawing.Fill(0, 0, clientWidth, clientHeight,
                 backColor != kNoColor ? backColor : GetSysColor(COLOR_BTNFACE));
}

SIZE PanelChildren::PaintedSize() const {
    if (border || horizontalScroll || verticalScroll)
        return GetClientSize();
    return SIZE{width, height};
}

void PanelChildren::PaintHandlerOnly() {
    const bool saved = paintBackground;
    paintBackground = false;
    if (Survives(*this, [&] { GUIElement::OnPaint(); }))
        paintBackground = saved;
}

// Every Child is made with no instance of its own; the class belongs to the
// module of the form the panel is in, however deeply it is nested.
HINSTANCE PanelChildren::OwningInstance() const {
    for (const GUIElement* up = parent; up; up = up->parent)
        if (up->instance)
            return up->instance;
    return GetModuleHandleW(nullptr);
}

} // namespace TarnUtility
