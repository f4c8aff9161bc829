#include "gui/Form.h"

#include <algorithm>

#include "gui/ElementRegistry.h"
#include "gui/ElementWndProc.h"
#include "gui/FontDescription.h"
#include "gui/WindowClass.h"

namespace TarnUtility {

namespace {
// Every captioned form starts from this, and so does every dialog form.
constexpr DWORD kCaptionStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX;
} // namespace

Form::Form(HINSTANCE instance, bool dialog) : GUIElement(instance), dialog(dialog) {
    typeName = "form";
}

// Nothing reaches the form any more (Element stopped dispatching to it), so
// its window closes and goes without running any of its handling; then its
// class, and those of its children's windows, go too.
Form::~Form() {
    if (WindowOpen()) {
        UnregisterHotKeys();
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
        created = false;
        DestroyWindow(hwnd);
    }
    // Icons from LoadIconW are shared by the system: there is nothing to release.
    iconHandle = nullptr;
    ReleaseUnusedClasses();
}

void ForgetCompanion(const GUIElement& gone) {
    for (GUIElement* element : ElementRegistry())
        if (auto* form = dynamic_cast<Form*>(element); form && form->companionForm == &gone)
            form->companionForm = nullptr;
}

DWORD Form::ComputeStyle() const {
    DWORD style;
    if (dialog)
        style = modalFrame ? (kCaptionStyle | DS_MODALFRAME) : kCaptionStyle;
    else if (hasCaption)
        style = kCaptionStyle | (minimizeBox ? WS_MINIMIZEBOX : 0) |
                (maximizeBox ? (WS_THICKFRAME | WS_MAXIMIZEBOX) : 0);
    else
        style = WS_POPUP;
    if (!maximizeBox)
        style &= ~static_cast<DWORD>(WS_MAXIMIZEBOX);
    if (!minimizeBox)
        style &= ~static_cast<DWORD>(WS_MINIMIZEBOX);
    if (!enabled)
        style |= WS_DISABLED;
    return style;
}

DWORD Form::ComputeExtendedStyle() const {
    if (!dialog)
        return 0;
    return WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | (topmost ? WS_EX_TOPMOST : 0);
}

void Form::Create() {
    if (created)
        return;
    const std::wstring className =
        RegisterOwnClass(*this, L"Window", CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, instance,
                         iconId ? LoadIconW(instance, MAKEINTRESOURCEW(iconId))
                                : LoadIconW(nullptr, IDI_APPLICATION));

    // WM_CREATE reaches this form while the window is made (it is the
    // newest element without a window) and adopts the handle there, so a
    // create handler can already build children inside it. Every message
    // from here on may run a handler that deletes the form.
    const ElementRef self(this);
    if (!CreateOwnClassWindow(*this, className, ComputeExtendedStyle(), ComputeStyle(), nullptr,
                              nullptr, instance))
        return;
    if (!Dispatch().mainWindow)
        Dispatch().mainWindow = hwnd;
    OnCreate(hwnd);
    if (!self || !ShowOwnClassWindow(*this))
        return;
    created = true;
    CreateTooltip(hwnd);
    if (font)
        ApplyFont();
}

void Form::SetClientSize(int clientWidth, int clientHeight) {
    if (!HasWindow())
        return;
    RECT outer{};
    RECT client{};
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    width = outer.right - outer.left;
    height = outer.bottom - outer.top;
    const int frameWidth = std::max<int>(0, width - (client.right - client.left));
    const int frameHeight = std::max<int>(0, height - (client.bottom - client.top));
    GetPosition();
    // A window that already has that size stays as it is: moving it onto
    // itself and invalidating it would only paint the same picture again.
    if (width == clientWidth + frameWidth && height == clientHeight + frameHeight)
        return;
    width = clientWidth + frameWidth;
    height = clientHeight + frameHeight;
    const ElementRef self(this);
    SetWindowPos(hwnd, nullptr, left, top, width, height, SWP_NOMOVE | SWP_NOZORDER);
    if (!self)
        return; // a size handler deleted the form
    UpdateTooltip();
    Refresh();
}

// The move is SetPosition's: before creation only the place is stored.
void Form::CenterOnScreen() {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (HasWindow())
        GetSize();
    SetPosition((screenWidth - width) / 2, (screenHeight - height) / 2);
}

void Form::SetIcon(int resourceId) {
    iconId = resourceId;
    if (!HasWindow())
        return;
    // Icons from LoadIconW are shared: the one replaced needs no release.
    iconHandle = LoadIconW(instance, MAKEINTRESOURCEW(iconId));
    if (iconHandle)
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconHandle));
}

void Form::RegisterHotKeys() {
    for (size_t i = 0; i < hotKeys.size(); ++i)
        RegisterHotKey(hwnd, static_cast<int>(i + 1), static_cast<UINT>(hotKeys[i].modifiers),
                       static_cast<UINT>(hotKeys[i].key));
}

void Form::UnregisterHotKeys() {
    for (size_t i = 0; i < hotKeys.size(); ++i)
        UnregisterHotKey(hwnd, static_cast<int>(i + 1));
}

} // namespace TarnUtility
