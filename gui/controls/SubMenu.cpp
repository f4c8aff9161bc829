#include "gui/controls/SubMenu.h"

#include "gui/ChildControl.h"
#include "gui/ElementRegistry.h"
#include "gui/controls/Menu.h"
#include "util/Text.h"

namespace TarnUtility {

SubMenu::SubMenu(GUIElement* parent, const std::string& caption) : Child(nullptr) {
    this->parent = parent;
    text = ToWide(caption);
    typeName = "submenu";
    id = ++nextElementId;
    if (auto* menu = dynamic_cast<Menu*>(parent))
        menu->AddItem(this);
    else if (auto* item = dynamic_cast<SubMenu*>(parent))
        item->AddItem(this);
}

void SubMenu::AddItem(GUIElement* child) {
    items.push_back(child);
    if (created)
        child->Create();
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

void SubMenu::SetEnabled(bool value) {
    enabled = value;
    if (created)
        EnableMenuItem(ParentMenuHandle(), static_cast<UINT>(id),
                       MF_BYCOMMAND | (value ? MF_ENABLED : MF_GRAYED));
}

bool SubMenu::ReadCheckState() {
    HMENU menu = ParentMenuHandle();
    if (created && menu)
        checkState = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) == MF_CHECKED;
    return checkState;
}

void SubMenu::UpdateCheckMark() {
    HMENU menu = ParentMenuHandle();
    if (menu)
        CheckMenuItem(menu, static_cast<UINT>(id),
                      checkState && checkable ? MF_CHECKED : MF_UNCHECKED);
}

} // namespace TarnUtility
