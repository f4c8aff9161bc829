#include "gui/ChildControl.h"

#include "gui/ElementRegistry.h"
#include "gui/ElementWndProc.h"
#include "gui/FontDescription.h"
#include "gui/GUIElement.h"

namespace TarnUtility {

HWND CreateControlWindow(GUIElement& element, const wchar_t* className, DWORD style,
                         DWORD extendedStyle) {
    element.id = ++nextElementId;
    HWND parentWindow = element.parent ? element.parent->hwnd : nullptr;
    const RECT box = element.ScreenPlace();
    element.hwnd =
        CreateWindowExW(extendedStyle, className, element.text.c_str(), style, box.left, box.top,
                        box.right - box.left, box.bottom - box.top, parentWindow,
                        reinterpret_cast<HMENU>(INT_PTR{element.id}), nullptr, nullptr);
    return element.hwnd;
}

void SubclassControl(GUIElement& element) {
    if (!element.hwnd)
        return; // not reported: the element still counts as created
    element.previousWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(element.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ElementWndProc)));
    BindWindow(element, element.hwnd, element.previousWindowProc);
}

void FinishControl(GUIElement& element) {
    element.created = true;
    element.CreateTooltip(element.hwnd);
    if (element.font)
        element.ApplyFont();
}

} // namespace TarnUtility
