#pragma once
// A top-level window element. Each form registers a window class of its own
// served by ElementWndProc. The first form whose window is created is the
// program's main window: when it is destroyed the message loop ends.
//
// A derived form (the game window, the About window) is made as
// Element<Derived>, as every element is. It builds its children from its
// create handler (at WM_CREATE, before the window shows) and owns them. Its
// destructor runs with the form already cut off from every message and its
// window still open: it deletes what it made (each child is cut off from
// its window as it goes, and the window goes with the form's), and may
// close the window first where its teardown order asks for that. Then
// ~Form closes and destroys a window still open, and the window classes of
// the form and its children go with their windows.
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
    // Closes and destroys a window that is still open, without running any
    // of the form's handling: the form stopped receiving messages before its
    // first destructor ran.
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
    HICON iconHandle = nullptr; // given as the window's small and big icon
    int32_t iconId = 0;         // 0: the system application icon

    void Create() override;

    // Makes the client area, not the outer window, this size.
    void SetClientSize(int clientWidth, int clientHeight);
    // Before creation: makes the form's size the outer size around a client
    // area of this size (with a menu bar, if it will have one), so that the
    // window is made at its final size and painted once.
    void SizeForClient(int clientWidth, int clientHeight, bool menuBar);
    void CenterOnScreen();
    void SetIcon(int resourceId);
    void RegisterHotKeys();
    void UnregisterHotKeys();

    // The window style and extended style that Create() uses.
    DWORD ComputeStyle() const;
    DWORD ComputeExtendedStyle() const;

private:
    SIZE screenSize{0, 0}; // the outer size SizeForClient found, in screen pixels
};

// No form keeps `gone` as its companion any more (part of StopDispatching).
void ForgetCompanion(const GUIElement& gone);

} // namespace TarnUtility
