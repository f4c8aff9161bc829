#include "gui/ElementRegistry.h"

#include <algorithm>

#include "gui/ElementWndProc.h"
#include "gui/GUIElement.h"
#include "gui/controls/SubMenu.h"

namespace TarnUtility {

int nextElementId = 0;

namespace {

// The registry proper: live elements in construction order, each with the
// token it was registered under. Tokens are never reused, so a new element
// at the address of a deleted one is not taken for it.
struct Registry {
    std::vector<GUIElement*> elements;
    std::vector<uint64_t> tokens;
    uint64_t lastToken = 0;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

struct Binding {
    HWND window;
    GUIElement* element; // null once the element is gone
    WNDPROC original;    // the window's own procedure when subclassed
};

std::vector<Binding>& Bindings() {
    static std::vector<Binding> bindings;
    return bindings;
}

Binding* BindingOf(HWND window) {
    for (Binding& binding : Bindings())
        if (binding.window == window)
            return &binding;
    return nullptr;
}

uint64_t TokenOf(const GUIElement* element) {
    const Registry& registry = TheRegistry();
    for (size_t i = 0; i < registry.elements.size(); ++i)
        if (registry.elements[i] == element)
            return registry.tokens[i];
    return 0;
}

} // namespace

const std::vector<GUIElement*>& ElementRegistry() {
    return TheRegistry().elements;
}

void Register(GUIElement* element) {
    Registry& registry = TheRegistry();
    registry.elements.push_back(element);
    registry.tokens.push_back(++registry.lastToken);
}

// Teardown order: first the element leaves the registry, then its window,
// which may outlive it, goes back to the window's own procedure while that
// window still exists; the window itself goes later, with its parent or its
// owner.
void Unlink(GUIElement& element) {
    Registry& registry = TheRegistry();
    const auto at = std::find(registry.elements.begin(), registry.elements.end(), &element);
    if (at == registry.elements.end())
        return;
    registry.tokens.erase(registry.tokens.begin() + (at - registry.elements.begin()));
    registry.elements.erase(at);

    std::vector<Binding>& bindings = Bindings();
    for (auto it = bindings.begin(); it != bindings.end();) {
        if (it->element != &element) {
            ++it;
            continue;
        }
        // Our procedure can be taken out only while it is the outermost
        // layer; under another layer (a tooltip's subclass) it stays, and
        // hands every message to the window's own procedure.
        const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(it->window, GWLP_WNDPROC));
        if (it->original && current == ElementWndProc) {
            SetWindowLongPtrW(it->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->original));
            it = bindings.erase(it);
        } else {
            it->element = nullptr;
            ++it;
        }
    }
}

void OrphanChildrenOf(const GUIElement& parent) {
    for (GUIElement* element : TheRegistry().elements)
        if (element->parent == &parent)
            element->parent = nullptr;
}

ElementRef::ElementRef(GUIElement* element) : element(element), token(TokenOf(element)) {}

GUIElement* ElementRef::Get() const {
    const Registry& registry = TheRegistry();
    for (size_t i = 0; i < registry.elements.size(); ++i)
        if (registry.tokens[i] == token)
            return element;
    return nullptr;
}

void BindWindow(GUIElement& element, HWND window, WNDPROC original) {
    if (!window)
        return;
    if (Binding* binding = BindingOf(window)) {
        binding->element = &element;
        binding->original = original;
    } else {
        Bindings().push_back({window, &element, original});
    }
}

WindowLink LinkOf(HWND window) {
    if (const Binding* binding = BindingOf(window))
        return {true, binding->element, binding->original};
    // Not taken yet: the window is being created.
    GUIElement* element = FindElementByHwnd(window);
    return {false, element, element ? element->previousWindowProc : nullptr};
}

void ForgetWindow(HWND window) {
    std::vector<Binding>& bindings = Bindings();
    bindings.erase(std::remove_if(bindings.begin(), bindings.end(),
                                  [window](const Binding& b) { return b.window == window; }),
                   bindings.end());
}

GUIElement* ElementOfWindow(HWND window) {
    if (!window)
        return nullptr;
    if (const Binding* binding = BindingOf(window))
        return binding->element;
    const std::vector<GUIElement*>& elements = TheRegistry().elements;
    for (auto it = elements.rbegin(); it != elements.rend(); ++it)
        if ((*it)->hwnd == window)
            return *it;
    return nullptr;
}

GUIElement* FindElementByHwnd(HWND window) {
    const std::vector<GUIElement*>& elements = TheRegistry().elements;
    for (auto it = elements.rbegin(); it != elements.rend(); ++it)
        if ((*it)->hwnd == window)
            return *it;
    if (!elements.empty() && elements.back()->hwnd == nullptr)
        return elements.back();
    return nullptr;
}

GUIElement* FindElementById(int id) {
    if (id == 0)
        return nullptr;
    for (GUIElement* element : TheRegistry().elements)
        if (element->id == id)
            return element;
    return nullptr;
}

GUIElement* FindMenuItemById(int id) {
    if (id == 0)
        return nullptr;
    for (GUIElement* element : TheRegistry().elements)
        if (element->id == id && dynamic_cast<SubMenu*>(element))
            return element;
    return nullptr;
}

std::vector<GUIElement*> ChildrenOf(HWND window) {
    std::vector<GUIElement*> children;
    for (GUIElement* element : TheRegistry().elements)
        if (dynamic_cast<Child*>(element) && element->parent && element->parent->hwnd == window)
            children.push_back(element);
    return children;
}

} // namespace TarnUtility
