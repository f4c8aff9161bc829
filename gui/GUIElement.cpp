#include "gui/GUIElement.h"

#include "gui/Dpi.h"
#include "gui/ElementRegistry.h"
#include "gui/FontDescription.h"
#include "util/GdiScope.h"
#include "util/Text.h"

namespace TarnUtility {

GUIElement::GUIElement(HINSTANCE instance) : instance(instance) {
    Register(this);
}

GUIElement::~GUIElement() {
    OrphanChildrenOf(*this);
}

bool GUIElement::WindowOpen() const {
    return HasWindow() && !destroyed && IsWindow(hwnd);
}

void GUIElement::SetBackColor(COLORREF color) {
    backColor = color;
    if (!HasWindow())
        return; // InvalidateRect(NULL) would repaint every window
    InvalidateRect(hwnd, nullptr, FALSE);
    RECT client{};
    GetClientRect(hwnd, &client);
    {
        PaintScope paint(hwnd);
        SetBkColor(paint.Dc(), color);
        ExtTextOutW(paint.Dc(), 0, 0, ETO_OPAQUE, &client, L"", 0, nullptr);
    }
    paintBackground = true;
}

void GUIElement::SetEnabled(bool value) {
    enabled = value;
    if (HasWindow())
        EnableWindow(hwnd, value);
}

void GUIElement::SetText(const std::wstring& value) {
    text = value;
    if (HasWindow())
        SetWindowTextW(hwnd, text.c_str());
}

void GUIElement::SetText(const std::string& value) {
    SetText(ToWide(value));
}

void GUIElement::OnLeftButtonUp(int x, int y) {
    if (leftUpHandler)
        leftUpHandler(this, hwnd, x, y);
}

void GUIElement::OnLeftButtonDown(int x, int y) {
    if (leftDownHandler)
        leftDownHandler(this, hwnd, x, y);
}

void GUIElement::OnLeftDoubleClick(int x, int y) {
    if (leftDoubleClickHandler)
        leftDoubleClickHandler(this, hwnd, x, y);
}

void GUIElement::OnRightButtonUp(int x, int y) {
    if (rightUpHandler)
        rightUpHandler(this, hwnd, x, y);
}

void GUIElement::OnRightButtonDown(int x, int y) {
    if (rightDownHandler)
        rightDownHandler(this, hwnd, x, y);
}

void GUIElement::OnRightDoubleClick(int x, int y) {
    if (rightDoubleClickHandler)
        rightDoubleClickHandler(this, hwnd, x, y);
}

void GUIElement::OnKeyUp(int key) {
    if (keyUpHandler)
        keyUpHandler(this, key);
}

void GUIElement::OnKeyDown(int key) {
    if (keyDownHandler)
        keyDownHandler(this, key);
}

bool GUIElement::OnChar(int ch) {
    return charHandler ? charHandler(this, ch) : true;
}

void GUIElement::OnMouseMove(int x, int y) {
    if (mouseMoveHandler)
        mouseMoveHandler(this, x, y);
}

void GUIElement::OnMouseHover() {
    if (mouseHoverHandler)
        mouseHoverHandler(this);
}

void GUIElement::OnMouseLeave() {
    if (mouseLeaveHandler)
        mouseLeaveHandler(this);
}

void GUIElement::Focus() {
    if (HasWindow()) // SetFocus(NULL) would take the focus from whoever has it
        SetFocus(hwnd);
}

void GUIElement::OnMove() {
    GetPosition();
    if (moveHandler)
        moveHandler(this);
}

void GUIElement::OnSize() {
    if (sizeHandler)
        sizeHandler(this);
}

void GUIElement::OnPaint() {
    if (paintBackground)
        SetBackColor(backColor);
    if (paintHandler)
        paintHandler(this);
}

HBRUSH GUIElement::OnControlColor(HDC) {
    return nullptr;
}

bool GUIElement::OnClose() {
    return closeHandler ? closeHandler(this) : true;
}

void GUIElement::OnDestroy() {
    if (Survives(*this, [&] {
            if (destroyHandler)
                destroyHandler(this);
        }))
        destroyed = true;
}

void GUIElement::OnFocus() {
    focusText = GetText();
    if (focusHandler)
        focusHandler(this);
}

void GUIElement::OnLostFocus() {
    if (!Survives(*this, [&] {
            if (lostFocusHandler)
                lostFocusHandler(this);
        }))
        return;
    if (GetText() != focusText && textChangedHandler)
        textChangedHandler(this);
}

void GUIElement::OnActivate() {
    if (activateHandler)
        activateHandler(this);
}

void GUIElement::OnDeactivate() {
    if (deactivateHandler)
        deactivateHandler(this);
}

void GUIElement::OnCreate(HWND window) {
    if (!hwnd)
        hwnd = window;
    if (Survives(*this, [&] {
            if (!createHandled && createHandler)
                createHandler(this, hwnd);
        }))
        createHandled = true;
}

void GUIElement::Refresh() {
    if (HasWindow())
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool GUIElement::GetWaitCursor() {
    return waitCursor;
}
bool GUIElement::GetHandCursor() {
    return handCursor;
}
void GUIElement::SetWaitCursor(bool value) {
    waitCursor = value;
}
void GUIElement::SetHandCursor(bool value) {
    handCursor = value;
}
void GUIElement::OnShow() {}
void GUIElement::OnListNotify(int, std::vector<int32_t>, std::vector<std::wstring>) {}

// Showing and hiding may run a show or size handler that deletes the element.
void GUIElement::Show() {
    if (!created && !Survives(*this, [&] { Create(); }))
        return;
    if (!HasWindow() || Survives(*this, [&] { ShowWindow(hwnd, SW_SHOWNA); }))
        visible = true;
}

void GUIElement::Hide() {
    if (HasWindow() && Survives(*this, [&] { ShowWindow(hwnd, SW_HIDE); }))
        visible = false;
}

std::wstring GUIElement::GetText() {
    if (HasWindow()) {
        const int length = GetWindowTextLengthW(hwnd);
        if (length <= 0) {
            text.clear();
        } else {
            std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
            const int copied = GetWindowTextW(hwnd, &buffer[0], length + 1);
            if (copied != 0)
                text.assign(buffer.c_str(), static_cast<size_t>(copied));
        }
    }
    return text;
}

std::string GUIElement::GetTextNarrow() {
    return ToNarrow(GetText());
}

ElementMapping GUIElement::Mapping() const {
    ElementMapping mapping;
    for (const GUIElement* element = this; element->parent; element = element->parent) {
        mapping.origin.x += element->left;
        mapping.origin.y += element->top;
    }
    return mapping;
}

RECT GUIElement::ScreenPlace() const {
    return ScreenPlace(width, height);
}

// A form's frame is the system's: only its corner and size are scaled.
RECT GUIElement::ScreenPlace(int boxWidth, int boxHeight) const {
    if (parent)
        return parent->Mapping().Box(left, top, boxWidth, boxHeight);
    const int screenLeft = ToScreen(left);
    const int screenTop = ToScreen(top);
    return RECT{screenLeft, screenTop, screenLeft + ToScreen(boxWidth),
                screenTop + ToScreen(boxHeight)};
}

RECT GUIElement::LogicalPlace() const {
    RECT box{};
    GetWindowRect(hwnd, &box);
    if (!parent) {
        const int logicalLeft = ToLogical(box.left);
        const int logicalTop = ToLogical(box.top);
        return RECT{logicalLeft, logicalTop, logicalLeft + ToLogical(box.right - box.left),
                    logicalTop + ToLogical(box.bottom - box.top)};
    }
    MapWindowPoints(nullptr, parent->hwnd, reinterpret_cast<POINT*>(&box), 2);
    const ElementMapping mapping = parent->Mapping();
    return RECT{mapping.LogicalX(box.left), mapping.LogicalY(box.top), mapping.LogicalX(box.right),
                mapping.LogicalY(box.bottom)};
}

SIZE GUIElement::GetClientSize() const {
    RECT client{};
    if (hwnd) // also while the window is being made (a form's create handler)
        GetClientRect(hwnd, &client);
    return SIZE{ToLogical(client.right), ToLogical(client.bottom)};
}

POINT GUIElement::GetPosition() {
    if (HasWindow()) {
        const RECT place = LogicalPlace();
        left = place.left;
        top = place.top;
    }
    return POINT{left, top};
}

SIZE GUIElement::GetSize() {
    if (HasWindow()) {
        RECT place{};
        if (!ScreenScaled())
            GetWindowRect(hwnd, &place); // the size alone: no need to find the parent
        else
            place = LogicalPlace();
        width = place.right - place.left;
        height = place.bottom - place.top;
    }
    return SIZE{width, height};
}

void GUIElement::SetSize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    if (!HasWindow())
        return;
    const RECT box = ScreenPlace();
    if (!Survives(*this, [&] {
            SetWindowPos(hwnd, nullptr, box.left, box.top, box.right - box.left,
                         box.bottom - box.top, SWP_NOMOVE | SWP_NOZORDER);
        }))
        return; // a size handler deleted the element
    UpdateTooltip();
    Refresh();
}

void GUIElement::SetPosition(int newLeft, int newTop) {
    if (!HasWindow()) {
        left = newLeft;
        top = newTop;
        return;
    }
    // A move keeps the window's size in 96-dpi units: a picture static's is
    // its picture's, not the fields'. A scaled child's size in pixels
    // depends on where its edges fall, so it is sent too.
    const bool resize = parent && ScreenScaled();
    const RECT was = resize ? LogicalPlace() : RECT{};
    left = newLeft;
    top = newTop;
    const RECT box = ScreenPlace(was.right - was.left, was.bottom - was.top);
    if (Survives(*this, [&] {
            SetWindowPos(hwnd, nullptr, box.left, box.top, box.right - box.left,
                         box.bottom - box.top, (resize ? 0 : SWP_NOSIZE) | SWP_NOZORDER);
        }))
        Refresh(); // unless a move handler deleted the element
}

// Without a description the window goes back to the system font: it must
// not keep drawing with a font its owner may delete next.
void GUIElement::SetFont(FontDescription* description) {
    font = description;
    if (HasWindow())
        ApplyFont();
}

void GUIElement::ApplyFont() {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->GetHandle() : nullptr),
                 TRUE);
}

} // namespace TarnUtility
