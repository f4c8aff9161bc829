#pragma once
// The one window procedure of every element window: the class procedure of
// every form and panel class, and the subclass procedure of every system
// control an element wraps. It finds the element of the window in the
// registry and turns each message into a call of its operations.
#include <windows.h>

namespace TarnUtility {

class Form;
class GUIElement;
class PanelChildren;

LRESULT CALLBACK ElementWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Facts that span windows, one set per process.
struct DispatchState {
    HWND mainWindow = nullptr; // the first form window; its destruction ends the loop
    // The system cursors, each loaded once, when first needed: every
    // LoadCursorW makes Wine check the display configuration again.
    HCURSOR arrowCursorHandle = nullptr;
    HCURSOR waitCursorHandle = nullptr;
    HCURSOR handCursorHandle = nullptr;
    Form* activeForm = nullptr;          // the form last activated in the foreground
    PanelChildren* wheelPanel = nullptr; // scrolled by the wheel over other windows
    bool mouseTracking = false;          // a hover and leave request is pending
    HWND trackedWindow = nullptr;        // the window it is pending for
    int messageDepth = 0;                // element window messages being handled, nested
};
DispatchState& Dispatch();

// No hover and leave request is pending any more.
void EndMouseTracking();

// The arrow cursor of every form and panel class.
HCURSOR ArrowCursor();

} // namespace TarnUtility
