#pragma once
// The window classes of the elements that have one of their own: every form
// and every panel registers a class for its one window, named after the id
// counter. A class lives exactly as long as its window, whether its element
// is still there or not: once the window is gone the class is unregistered
// and the solid brush made for its background is deleted (a system colour
// brush never is). So no class and no brush outlives the window that uses it.
#include <windows.h>
#include <string>

namespace TarnUtility {

class GUIElement;

// Fills the element's windowClass (ElementWndProc serves it; its background
// is the element's backColor, or the system's button face without one),
// registers it under `prefix` followed by the id counter, and takes the
// element's id from the counter. Returns the class name.
std::wstring RegisterOwnClass(GUIElement& element, const wchar_t* prefix, UINT style,
                              HINSTANCE instance, HICON icon);

// The class `name` now has its window (null: none could be made, and the
// class has nothing to wait for).
void OwnClassWindowMade(const std::wstring& name, HWND window);

// The window is being destroyed (WM_NCDESTROY): its class, if one of these,
// goes as soon as the system lets it, once the window is gone.
void OwnClassWindowGone(HWND window);

// Unregisters every class whose window is gone, and deletes its brush.
void ReleaseUnusedClasses();

} // namespace TarnUtility
