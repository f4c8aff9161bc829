#pragma once
// The one window procedure of every element window: the class procedure of
// every form and panel class, and the subclass procedure of every system
// control an element wraps. It finds the element of the window in the
// registry and turns each message into a call of its operations.
#include <windows.h>
#include <string>

namespace TarnUtility {

class Form;
class GUIElement;
class PanelChildren;

LRESULT CALLBACK ElementWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Facts that span windows, one set per process.
struct DispatchState {
    HWND mainWindow = nullptr; // the first form window; its destruction ends the loop
    HCURSOR waitCursorHandle = nullptr;
    HCURSOR handCursorHandle = nullptr;
    Form* activeForm = nullptr;          // the form last activated in the foreground
    PanelChildren* wheelPanel = nullptr; // scrolled by the wheel over other windows
    bool mouseTracking = false;          // a hover and leave request is pending
};
DispatchState& Dispatch();

// Called as an element is deleted: the process-wide state lets go of it.
void ForgetElement(const GUIElement* element);

// Gives a window whose element is going away back to `original`, its own
// procedure, or, for a window of an element class, to a procedure that only
// keeps the main window's promise to end the loop. Only while the window
// still exists and still calls ElementWndProc.
void DetachWindow(HWND window, WNDPROC original);

// Unregisters an element's own window class once its window is gone, and
// releases the solid brush made for its background (any but the system's).
void ReleaseWindowClass(const std::wstring& className, HINSTANCE instance, HBRUSH background);

} // namespace TarnUtility
