#pragma once
// A form's menu bar; its items are Menu elements. Like every menu element,
// its `hwnd` holds the menu handle made for it.
#include "gui/controls/MenuNode.h"

namespace TarnUtility {

class MenuBar : public MenuNode {
public:
    explicit MenuBar(GUIElement* form);

    HMENU menuHandle = nullptr;

    // Builds the native bar and its menus and attaches it to the form's
    // window; nothing while that window does not exist.
    void Create() override;
};

} // namespace TarnUtility
