#pragma once
// Tiny scope guards that pair every GDI acquisition with its release.
#include <windows.h>

namespace TarnUtility {

// BeginPaint in the constructor, EndPaint in the destructor.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window(window) { dc = BeginPaint(window, &paint); }
    ~PaintScope() { EndPaint(window, &paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return dc; }

private:
    HWND window;
    PAINTSTRUCT paint{};
    HDC dc;
};

// Selects an object into a device context and selects the previous one back.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    ~SelectScope() {
        if (previous)
            SelectObject(dc, previous);
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
    HGDIOBJ Previous() const { return previous; }

private:
    HDC dc;
    HGDIOBJ previous;
};

// Owns a GDI object (pen, brush, bitmap, font) and deletes it.
template <typename Handle> class GdiObject {
public:
    explicit GdiObject(Handle handle = nullptr) : handle(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    Handle Get() const { return handle; }
    void Reset(Handle next = nullptr) {
        if (handle)
            DeleteObject(handle);
        handle = next;
    }

private:
    Handle handle;
};

// A memory device context compatible with another one, deleted at the end.
class MemoryDc {
public:
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (dc)
            DeleteDC(dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC Get() const { return dc; }

private:
    HDC dc;
};

} // namespace TarnUtility
