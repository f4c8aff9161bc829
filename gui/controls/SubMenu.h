#pragma once
// One menu item with a caption and a command id; chosen, it runs its
// clickHandler. With items of its own it becomes a cascading submenu; made
// checkable, choosing it toggles its check mark first.
#include <string>

#include "gui/controls/MenuNode.h"

namespace TarnUtility {

class SubMenu : public MenuNode, public CommandElement {
public:
    // Takes its command id now; joins the items of a Menu or SubMenu parent.
    SubMenu(GUIElement* parent, const std::string& caption);

    HMENU popupHandle = nullptr; // for a cascading item
    UINT itemFlags = MF_STRING;  // AppendMenuW flags of a plain item
    bool checkable = false;
    bool checkState = false;

    void SetEnabled(bool value) override;
    // Made only inside a created Menu or cascading SubMenu.
    void Create() override;

    HMENU ParentMenuHandle() const;
    // The check state the native menu shows, when there is one.
    bool ReadCheckState();
    void UpdateCheckMark();
};

} // namespace TarnUtility
