#include "gui/Form.h"

#include <algorithm>

#include "gui/Dpi.h"
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
// its window closes and goes without running any of its handling, however
// far Create got (a handler may delete the form while its window is made or
// shown); then its class, and those of its children's windows, go too.
Form::~Form() {
    if (hwnd && !destroyed && IsWindow(hwnd)) {
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
    RECT box = ScreenPlace();
    if (screenSize.cx && ToLogical(screenSize.cx) == width && ToLogical(screenSize.cy) == height) {
        box.right = box.left + screenSize.cx; // exactly the size SizeForClient found
        box.bottom = box.top + screenSize.cy;
    }
    if (!CreateOwnClassWindow(*this, className, ComputeExtendedStyle(), ComputeStyle(), box,
                              nullptr, nullptr, instance))
        return;
    if (!Dispatch().mainWindow)
        Dispatch().mainWindow = hwnd;
    if (!Survives(*this, [&] { OnCreate(hwnd); }) || !ShowOwnClassWindow(*this))
        return;
    created = true;
    CreateTooltip(hwnd);
    if (font)
        ApplyFont();
}

// The frame (caption, menu bar, borders) is the system's, in screen pixels
// at the system's dpi; only the client area is scaled.
void Form::SetClientSize(int clientWidth, int clientHeight) {
    if (!HasWindow())
        return;
    RECT outer{};
    RECT client{};
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    const int outerWidth = outer.right - outer.left;
    const int outerHeight = outer.bottom - outer.top;
    width = ToLogical(outerWidth);
    height = ToLogical(outerHeight);
    const int wantedWidth = ToScreen(clientWidth) + std::max<int>(0, outerWidth - client.right);
    const int wantedHeight = ToScreen(clientHeight) + std::max<int>(0, outerHeight - client.bottom);
    GetPosition();
    // A window that already has that size stays as it is: moving it onto
    // itself and invalidating it would only paint the same picture again.
    if (outerWidth == wantedWidth && outerHeight == wantedHeight)
        return;
    width = ToLogical(wantedWidth);
    height = ToLogical(wantedHeight);
    if (!Survives(*this, [&] {
            SetWindowPos(hwnd, nullptr, 0, 0, wantedWidth, wantedHeight, SWP_NOMOVE | SWP_NOZORDER);
        }))
        return; // a size handler deleted the form
    UpdateTooltip();
    Refresh();
}

void Form::SizeForClient(int clientWidth, int clientHeight, bool menuBar) {
    RECT outer{0, 0, ToScreen(clientWidth), ToScreen(clientHeight)};
    AdjustWindowRectEx(&outer, ComputeStyle(), menuBar, ComputeExtendedStyle());
    screenSize = SIZE{outer.right - outer.left, outer.bottom - outer.top};
    width = ToLogical(screenSize.cx);
    height = ToLogical(screenSize.cy);
}

// The move is SetPosition's: before creation only the place is stored.
void Form::CenterOnScreen() {
    const int screenWidth = ToLogical(GetSystemMetrics(SM_CXSCREEN));
    const int screenHeight = ToLogical(GetSystemMetrics(SM_CYSCREEN));
    if (HasWindow())
        GetSize();
    SetPosition((screenWidth - width) / 2, (screenHeight - height) / 2);
}

void Form::SetIcon(int resourceId) {
    iconId = resourceId;
    if (!HasWindow())
        return;
    // Icons from LoadIconW are shared: the one replaced needs no release.
    // LoadIconW gives the system's large-icon size, at the screen's dpi.
    iconHandle = LoadIconW(instance, MAKEINTRESOURCEW(iconId));
    if (!iconHandle)
        return;
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconHandle));
    // The taskbar, the window switcher and a window manager show the big
    // icon: without one they show the class's, the system's own.
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(iconHandle));
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
