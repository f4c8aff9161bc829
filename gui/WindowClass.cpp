#include "gui/WindowClass.h"

#include <algorithm>
#include <vector>

#include "gui/ElementRegistry.h"
#include "gui/ElementWndProc.h"
#include "gui/GUIElement.h"
#include "util/Numbers.h"

namespace TarnUtility {

namespace {

struct OwnClass {
    std::wstring name;
    HINSTANCE instance;
    HWND window;     // its one window, once made
    bool windowGone; // the window is destroyed, or could not be made
};

std::vector<OwnClass>& OwnClasses() {
    static std::vector<OwnClass> classes;
    return classes;
}

} // namespace

std::wstring RegisterOwnClass(GUIElement& element, const wchar_t* prefix, UINT style,
                              HINSTANCE instance, HICON icon) {
    std::wstring name = prefix + ToDecimalWide(nextElementId);
    element.id = ++nextElementId;
    const bool ownBrush = element.backColor != kNoColor;
    WNDCLASSW& windowClass = element.windowClass;
    windowClass = WNDCLASSW{};
    windowClass.style = style;
    windowClass.lpfnWndProc = ElementWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = ArrowCursor();
    windowClass.hbrBackground =
        ownBrush ? CreateSolidBrush(element.backColor) : GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name.c_str();
    const bool registered = RegisterClassW(&windowClass) != 0;
    windowClass.lpszClassName = nullptr; // the name does not outlive this call
    if (registered)
        OwnClasses().push_back({name, instance, nullptr, false});
    else if (ownBrush)
        DeleteObject(windowClass.hbrBackground); // no class took it
    return name;
}

bool CreateOwnClassWindow(GUIElement& element, const std::wstring& name, DWORD extendedStyle,
                          DWORD style, const RECT& box, HWND parentWindow, HMENU menu,
                          HINSTANCE instance) {
    const std::wstring title = element.text; // a create handler may change the text
    HWND made = nullptr;
    const bool survived = Survives(element, [&] {
        made = CreateWindowExW(extendedStyle, name.c_str(), title.c_str(), style, box.left, box.top,
                               box.right - box.left, box.bottom - box.top, parentWindow, menu,
                               instance, nullptr);
    });
    for (OwnClass& own : OwnClasses())
        if (own.name == name) {
            own.window = made;
            own.windowGone = made == nullptr;
        }
    if (!survived && made)
        DestroyWindow(made);
    if (!survived || !made)
        ReleaseUnusedClasses(); // the class has no window to wait for
    if (!survived)
        return false;
    element.hwnd = made;
    BindWindow(element, made, nullptr);
    return true;
}

bool ShowOwnClassWindow(GUIElement& element) {
    return Survives(element, [&] { ShowWindow(element.hwnd, SW_SHOW); }) &&
           Survives(element, [&] { UpdateWindow(element.hwnd); });
}

void OwnClassWindowGone(HWND window) {
    for (OwnClass& own : OwnClasses())
        if (own.window == window)
            own.windowGone = true;
}

void ReleaseUnusedClasses() {
    std::vector<OwnClass>& classes = OwnClasses();
    classes.erase(std::remove_if(classes.begin(), classes.end(),
                                 [](const OwnClass& own) {
                                     // The system refuses while a window of the class
                                     // exists, and deletes the class's brush itself.
                                     return own.windowGone &&
                                            UnregisterClassW(own.name.c_str(), own.instance);
                                 }),
                  classes.end());
}

} // namespace TarnUtility
