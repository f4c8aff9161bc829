#pragma once
// Two small helpers for forms that build and own their children.

namespace TarnUtility {

// Gives an element its place and size, before it is created.
template <typename Element>
Element* Placed(Element* element, int left, int top, int width, int height) {
    element->left = left;
    element->top = top;
    element->width = width;
    element->height = height;
    return element;
}

// Deletes something the form owns and forgets it; null is fine.
template <typename Owned> void DeleteOwned(Owned*& owned) {
    delete owned;
    owned = nullptr;
}

} // namespace TarnUtility
