#include "gui/ElementRegistry.h"

#include "gui/GUIElement.h"
#include "gui/controls/SubMenu.h"

namespace TarnUtility {

int nextElementId = 0;

std::vector<GUIElement*>& ElementRegistry() {
    static std::vector<GUIElement*> registry;
    return registry;
}

GUIElement* FindElementByHwnd(HWND window) {
    const std::vector<GUIElement*>& registry = ElementRegistry();
    for (auto it = registry.rbegin(); it != registry.rend(); ++it)
        if ((*it)->hwnd == window)
            return *it;
    if (!registry.empty() && registry.back()->hwnd == nullptr)
        return registry.back();
    return nullptr;
}

GUIElement* FindElementById(int id) {
    if (id == 0)
        return nullptr;
    for (GUIElement* element : ElementRegistry())
        if (element->id == id)
            return element;
    return nullptr;
}

GUIElement* FindMenuItemById(int id) {
    if (id == 0)
        return nullptr;
    for (GUIElement* element : ElementRegistry())
        if (element->id == id && dynamic_cast<SubMenu*>(element))
            return element;
    return nullptr;
}

std::vector<GUIElement*> ChildrenOf(HWND window) {
    std::vector<GUIElement*> children;
    for (GUIElement* element : ElementRegistry())
        if (dynamic_cast<Child*>(element) && element->parent && element->parent->hwnd == window)
            children.push_back(element);
    return children;
}

} // namespace TarnUtility
