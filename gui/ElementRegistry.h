#pragma once
// Where elements live, and how their windows find them.
//
// An element is reached only through this registry, and only while it is
// registered: it leaves it first thing in its destruction (Element's
// destructor, gui/GUIElement.h). Code that runs a handler, which may delete
// the element it serves, learns afterwards whether the element is still
// there (Survives), by a token that is never reused (ElementRef), and
// touches nothing of it once it is gone.
//
// A window and its element are linked here from both ends. The link is
// made when the element takes the window (a form at WM_CREATE, a panel
// once its window is made, a system control when it is subclassed) and
// cut when the element is unlinked or the window is gone (WM_NCDESTROY).
// A window that outlives its element never reaches it, nor any other
// element: it gets the processing of its own procedure only, whatever
// subclassed it after us. The registry knows only elements and windows;
// what the dispatcher and the forms keep of an element, they forget
// themselves (StopDispatching).
//
// The registry also hands out the ids of controls, menu items and timers.
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace TarnUtility {

class GUIElement;

// Ids come from here: the next id is ++nextElementId, so the first is 1.
extern int nextElementId;

// Every live element, in construction order.
const std::vector<GUIElement*>& ElementRegistry();

// Called by the element constructor: the element joins the registry.
void Register(GUIElement* element);

// The registry's part of StopDispatching: the element leaves the registry,
// and its window, should it outlive the element, no longer reaches it (a
// subclassed control gets its own procedure back when nothing subclassed it
// after us). Does nothing the second time.
void Unlink(GUIElement& element);

// Children whose parent is being deleted keep no pointer to it.
void OrphanChildrenOf(const GUIElement& parent);

// A reference to an element that knows whether the element is still alive.
class ElementRef {
public:
    explicit ElementRef(GUIElement* element);
    // The element, or null once it has been unlinked (deleted).
    GUIElement* Get() const;
    explicit operator bool() const { return Get() != nullptr; }

private:
    GUIElement* element;
    uint64_t token;
};

// Takes a step that may run a handler (sends a message; makes, shows,
// sizes, moves or paints a window; calls a handler) and tells whether the
// element survived it. Every operation that touches its element after such
// a step takes the step through here, and touches nothing once it says no.
template <typename Step> bool Survives(GUIElement& element, Step&& step) {
    const ElementRef alive(&element);
    step();
    return static_cast<bool>(alive);
}

// Links a window to the element that took it. `original` is the window's
// own procedure when the element subclassed it, else null.
void BindWindow(GUIElement& element, HWND window, WNDPROC original);

struct WindowLink {
    bool bound = false;            // the window was taken by an element
    GUIElement* element = nullptr; // that element, while it is alive
    WNDPROC original = nullptr;    // the window's own procedure, if subclassed
};

// How a window that calls ElementWndProc is linked.
WindowLink LinkOf(HWND window);

// The window is gone (WM_NCDESTROY): the link goes with it.
void ForgetWindow(HWND window);

// The live element whose window is `window`, with no fallback (for windows
// that a message names, which are never the one being created).
GUIElement* ElementOfWindow(HWND window);

// The last element whose window is `window`. While CreateWindowExW runs, the
// element being created has no handle yet: when nothing matches and the
// newest element has no window, that element.
GUIElement* FindElementByHwnd(HWND window);

// The first element with this id; 0 never matches.
GUIElement* FindElementById(int id);

// The first menu item (SubMenu) with this command id.
GUIElement* FindMenuItemById(int id);

// Every Child whose parent's window is `window`, in registry order.
std::vector<GUIElement*> ChildrenOf(HWND window);

} // namespace TarnUtility
