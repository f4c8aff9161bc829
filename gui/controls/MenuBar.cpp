#include "gui/controls/MenuBar.h"

#include "gui/ChildControl.h"

namespace TarnUtility {

MenuBar::MenuBar(GUIElement* form) : MenuNode(nullptr) {
    parent = form;
    typeName = "menubar";
    id = -1; // never an id the counter hands out
}

void MenuBar::Create() {
    if (!parent || !parent->hwnd)
        return;
    if (created)
        return; // the native bar is built once
    menuHandle = CreateMenu();
    for (GUIElement* item : items)
        item->Create();
    SetMenu(parent->hwnd, menuHandle);
    hwnd = reinterpret_cast<HWND>(menuHandle);
    FinishControl(*this);
}

} // namespace TarnUtility
