#pragma once
// The window classes of the elements that have one of their own: every form
// and every panel registers a class for its one window, named after the id
// counter. A class lives exactly as long as its window, whether its element
// is still there or not, and is released exactly once: when its window's
// destruction is over (the system refuses while it runs), or at once if its
// window could not be made. A destruction that some message of an element
// window started (a close, a handler) is over when the outermost such
// message is done; one that the library starts outside any message (a form
// deleted) is followed by the release; one that other code starts, by the
// end of the next such message. The solid brush made for a class's
// background belongs to the class: unregistering it deletes the brush, as
// the system documents for a class background; the library deletes one
// itself only when no class took it. So no class and no brush outlives the
// window that uses it, and none is released twice.
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

// Makes the element's one window of the class `name`, from the element's
// text, at `box` (screen pixels), and links the two. Messages reach the element while
// the call runs, and a handler may delete it: false then (the window, which
// is nobody's, is destroyed). A window that could not be made leaves the
// element without one, and the answer true.
bool CreateOwnClassWindow(GUIElement& element, const std::wstring& name, DWORD extendedStyle,
                          DWORD style, const RECT& box, HWND parentWindow, HMENU menu,
                          HINSTANCE instance);

// Shows the element's window and paints it at once; false if a handler
// deleted the element meanwhile.
bool ShowOwnClassWindow(GUIElement& element);

// The window is being destroyed (WM_NCDESTROY): its class, if one of these,
// is released by the next ReleaseUnusedClasses after the destruction.
void OwnClassWindowGone(HWND window);

// Unregisters every class whose window is gone (with it goes its brush).
void ReleaseUnusedClasses();

} // namespace TarnUtility
