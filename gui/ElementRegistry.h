#pragma once
// The process-wide list of live elements, in construction order, through
// which the window procedure finds the element of a window, a control id or
// a menu command id; and the counter that hands out those ids.
#include <windows.h>
#include <vector>

namespace TarnUtility {

class GUIElement;

// Ids come from here: the next id is ++nextElementId, so the first is 1.
extern int nextElementId;

std::vector<GUIElement*>& ElementRegistry();

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
