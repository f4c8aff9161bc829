#pragma once
// A top-level window element. Each form registers a window class of its own
// served by ElementWndProc. The first form whose window is created is the
// program's main window: when it is destroyed the message loop ends.
#include <cstdint>
#include <vector>

#include "gui/GUIElement.h"

namespace TarnUtility {

class Form;

// A system-wide hot key, active while its form is the foreground form. The
// record at list position i is registered with the id i + 1.
struct HotKey {
    int32_t modifiers; // MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN
    int32_t key;       // virtual-key code
    void (*handler)(Form* form, int modifiers, int key);
};

class Form : public GUIElement {
public:
    explicit Form(HINSTANCE instance, bool dialog = false);
    // Closes and destroys a window that is still open. Nothing of a derived
    // form runs meanwhile: the window is detached from this object first.
    ~Form() override;

    // Put directly behind this form whenever it is activated, and activated
    // too while this form is disabled (a modal dialog comes forward); not owned.
    Form* companionForm = nullptr;
    bool topmost = true; // dialog forms only
    bool minimizeBox = true;
    bool maximizeBox = true; // also a sizing border
    bool hasCaption = true;
    bool dialog;
    bool modalFrame = false; // dialog forms only
    std::vector<HotKey> hotKeys;
    HICON iconHandle = nullptr;
    int32_t iconId = 0; // 0: the system application icon

    void Create() override;

    // Makes the client area, not the outer window, this size.
    void SetClientSize(int clientWidth, int clientHeight);
    void CenterOnScreen();
    void SetIcon(int resourceId);
    void RegisterHotKeys();
    void UnregisterHotKeys();

    // The window style and extended style that Create() uses.
    DWORD ComputeStyle() const;
    DWORD ComputeExtendedStyle() const;

private:
    std::wstring className; // this form's own window class, once registered
};

} // namespace TarnUtility
