#pragma once
// What the three menu kinds (MenuBar, Menu, SubMenu) share: the list of
// their items, in the order they were added.
#include <vector>

#include "gui/GUIElement.h"

namespace TarnUtility {

class MenuNode : public Child {
public:
    using Child::Child;
    // Leaves the item list of its parent, which may outlive it.
    ~MenuNode() override;

    std::vector<GUIElement*> items; // not owned

    // Appends an item, created at once if this menu already is.
    void AddItem(GUIElement* child);
};

} // namespace TarnUtility
