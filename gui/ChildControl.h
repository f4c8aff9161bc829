#pragma once
// The common steps by which an element makes the system control it wraps
// ("Button", "static", "edit") inside its parent's window.
#include <windows.h>

namespace TarnUtility {

class GUIElement;

// Takes the element's id from the counter and creates the control window
// with that id, the element's text, place and size, in the parent's window.
// `style` is complete (the caller adds WS_DISABLED for a disabled element).
HWND CreateControlWindow(GUIElement& element, const wchar_t* className, DWORD style,
                         DWORD extendedStyle);

// Routes the control's messages through ElementWndProc, remembering the
// control's own procedure. A control that could not be made is not reported.
void SubclassControl(GUIElement& element);

// The last steps: the element counts as created, gets its tooltip and font.
void FinishControl(GUIElement& element);

} // namespace TarnUtility
