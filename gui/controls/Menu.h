#pragma once
// One drop-down menu of a menu bar; its items are SubMenu elements.
#include <string>

#include "gui/controls/MenuNode.h"

namespace TarnUtility {

class MenuBar;

class Menu : public MenuNode {
public:
    // Joins the bar's items.
    Menu(MenuBar* bar, const std::string& caption);

    HMENU menuHandle = nullptr;

    // Made only inside a created bar.
    void Create() override;
};

} // namespace TarnUtility
