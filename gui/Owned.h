#pragma once
// Small helpers for forms and elements that own their children and handles.
#include <windows.h>

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

// Deletes a GDI object kept for longer than one call (a bitmap, a brush) and
// forgets it; null is fine.
template <typename Handle> void DeleteOwnedObject(Handle& handle) {
    if (handle)
        DeleteObject(handle);
    handle = nullptr;
}

} // namespace TarnUtility
