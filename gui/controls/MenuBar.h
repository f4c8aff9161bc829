#pragma once
// A form's menu bar; its items are Menu elements. Like every menu element,
// its `hwnd` holds the menu handle made for it.
#include <vector>

#include "gui/GUIElement.h"

namespace TarnUtility {

class MenuBar : public Child {
public:
    explicit MenuBar(GUIElement* form);

    std::vector<GUIElement*> items; // not owned
    HMENU menuHandle = nullptr;

    // Builds the native bar and its menus and attaches it to the form's
    // window; nothing while that window does not exist.
    void Create() override;
    // Appends an item, created at once if the bar already is.
    void AddItem(GUIElement* child);
};

} // namespace TarnUtility
