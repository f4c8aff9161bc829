#include "gui/controls/SubMenu.h"

#include "gui/ChildControl.h"
#include "gui/ElementRegistry.h"
#include "gui/controls/Menu.h"
#include "util/Text.h"

namespace TarnUtility {

SubMenu::SubMenu(GUIElement* parent, const std::string& caption) : MenuNode(nullptr) {
    this->parent = parent;
    text = ToWide(caption);
    typeName = "submenu";
    id = ++nextElementId;
    if (auto* menu = dynamic_cast<Menu*>(parent))
        menu->AddItem(this);
    else if (auto* item = dynamic_cast<SubMenu*>(parent))
        item->AddItem(this);
}

HMENU SubMenu::ParentMenuHandle() const {
    if (auto* menu = dynamic_cast<Menu*>(parent))
        return menu->menuHandle;
    if (auto* item = dynamic_cast<SubMenu*>(parent))
        return item->popupHandle;
    return nullptr;
}

void SubMenu::Create() {
    if (created)
        return;
    HMENU menu = ParentMenuHandle();
    if (!menu)
        return;
    if (items.empty()) {
        AppendMenuW(menu, itemFlags, static_cast<UINT_PTR>(id),
                    text.empty() ? nullptr : text.c_str());
        if (checkable)
            CheckMenuItem(menu, static_cast<UINT>(id), checkState ? MF_CHECKED : MF_UNCHECKED);
    } else {
        popupHandle = CreatePopupMenu();
        for (GUIElement* item : items)
            item->Create();
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popupHandle), text.c_str());
    }
    created = true;
    hwnd = reinterpret_cast<HWND>(popupHandle);
    if (!enabled)
        SetEnabled(false);
    FinishControl(*this);
}

// A cascading item has no command id of its own (the system knows it by
// its popup), so it is found by its place in the parent menu.
void SubMenu::SetEnabled(bool value) {
    enabled = value;
    if (!created)
        return;
    HMENU menu = ParentMenuHandle();
    const UINT state = value ? MF_ENABLED : MF_GRAYED;
    if (!popupHandle) {
        EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | state);
        return;
    }
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position)
        if (GetSubMenu(menu, position) == popupHandle)
            EnableMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION | state);
}

// The check mark is one bit of the item's state, which may also be greyed
// or highlighted.
bool SubMenu::ReadCheckState() {
    HMENU menu = ParentMenuHandle();
    if (created && menu) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
        checkState = state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
    }
    return checkState;
}

void SubMenu::UpdateCheckMark() {
    HMENU menu = ParentMenuHandle();
    if (menu)
        CheckMenuItem(menu, static_cast<UINT>(id),
                      checkState && checkable ? MF_CHECKED : MF_UNCHECKED);
}

} // namespace TarnUtility
