#pragma once
// One drop-down menu of a menu bar; its items are SubMenu elements.
#include <string>
#include <vector>

#include "gui/GUIElement.h"

namespace TarnUtility {

class MenuBar;

class Menu : public Child {
public:
    // Joins the bar's items.
    Menu(MenuBar* bar, const std::string& caption);

    std::vector<GUIElement*> items; // not owned
    HMENU menuHandle = nullptr;

    // Made only inside a created bar.
    void Create() override;
    void AddItem(GUIElement* child);
};

} // namespace TarnUtility
