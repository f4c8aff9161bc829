#include "gui/controls/Menu.h"

#include "gui/ChildControl.h"
#include "gui/controls/MenuBar.h"
#include "util/Text.h"

namespace TarnUtility {

Menu::Menu(MenuBar* bar, const std::string& caption) : MenuNode(nullptr) {
    parent = bar;
    text = ToWide(caption);
    typeName = "menu";
    id = -1; // never an id the counter hands out
    if (bar)
        bar->AddItem(this);
}

void Menu::Create() {
    if (created)
        return;
    auto* bar = dynamic_cast<MenuBar*>(parent);
    if (!bar || !bar->menuHandle)
        return;
    menuHandle = CreateMenu();
    for (GUIElement* item : items)
        item->Create();
    AppendMenuW(bar->menuHandle, MF_POPUP, reinterpret_cast<UINT_PTR>(menuHandle), text.c_str());
    // A menu added to a bar already on the window shows at once, not at the
    // bar's next repaint.
    if (bar->created && bar->parent)
        DrawMenuBar(bar->parent->hwnd);
    hwnd = reinterpret_cast<HWND>(menuHandle);
    FinishControl(*this);
}

} // namespace TarnUtility
