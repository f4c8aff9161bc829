#include "gui/controls/MenuNode.h"

#include <algorithm>

namespace TarnUtility {

MenuNode::~MenuNode() {
    if (auto* menu = dynamic_cast<MenuNode*>(parent))
        menu->items.erase(std::remove(menu->items.begin(), menu->items.end(), this),
                          menu->items.end());
}

void MenuNode::AddItem(GUIElement* child) {
    items.push_back(child);
    if (created)
        child->Create();
}

} // namespace TarnUtility
