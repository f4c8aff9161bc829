#pragma once
// The element model: every piece of the user interface is a GUIElement paired
// with at most one native window.
//
// Handler convention. Code outside an element reacts to its events through
// handlers: plain function pointers stored in the element's fields, called
// with the element itself as the first argument and carrying no other
// context. A null handler does nothing. The owner assigns them at any time;
// the window procedure reads the field when the event happens. Only the
// character and close handlers return a value: false swallows the character
// or keeps the window open. The forms of this program forward every handler
// to a virtual operation of their own, finding themselves through `parent`.
//
// Properties are stored first and applied to the native window only once it
// exists (HasWindow): Create() builds the window from the stored values, and
// a setter on an element with a window applies its value at once; on an
// element without one it only stores the value.
//
// Lifetime. Every element is made as an Element<Kind>, on the heap or on the
// stack: `new Element<Button>(form, "OK")`, `Element<Form> form(instance)`.
// No other class can be made (GUIElement leaves one operation for Element
// alone to implement, and its answer is a seal only Element can make), and
// Element's destructor runs before any other: it stops all dispatching to
// the element (StopDispatching). So by the time a kind's own destructor
// runs, the element has left the registry, the dispatcher and every form
// have forgotten it, and a window that outlives it reaches none of it; the
// destructor may release what the element owns and talk to its window
// freely. A class derived from a kind needs nothing more: it is made as
// Element<Derived>. Whoever makes an element with new deletes it.
//
// A handler may delete its own element. Any code that runs a handler, or
// sends a message that may run one, and touches the element afterwards
// takes that step through Survives (gui/ElementRegistry.h), and touches the
// element only if it says so. A kind's destructor releases its window
// however far its Create got: a handler may delete the element in the
// middle of it.
#include <windows.h>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "gui/Dpi.h"

namespace TarnUtility {

class FontDescription;
class GUIElement;

// A colour field at this value means "no colour of the element's own": the
// system's colours are used.
constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);

using CreateHandler = void (*)(GUIElement* element, HWND window);
using MouseHandler = void (*)(GUIElement* element, HWND window, int x, int y);
using KeyHandler = void (*)(GUIElement* element, int key);
using CharHandler = bool (*)(GUIElement* element, int ch);
using ElementHandler = void (*)(GUIElement* element);
using CloseHandler = bool (*)(GUIElement* element);
using MouseMoveHandler = void (*)(GUIElement* element, int x, int y);

// The kinds of list notification OnListNotify is told of.
constexpr int kHeaderItemChanged = 1; // the numbers: the item, its new width
constexpr int kHeaderItemClicked = 2; // the numbers: the item
constexpr int kListRightClick = 3;    // no numbers

// What only Element can make: the answer of the one operation GUIElement
// leaves to it. (Its constructor is user-provided, so that `{}` cannot make
// one as an aggregate.)
class ElementSeal {
    ElementSeal() {}
    template <typename Kind> friend class Element;
};

class GUIElement {
public:
    // Joins the element registry.
    explicit GUIElement(HINSTANCE instance);
    // Runs last, long after Element's destructor stopped all dispatching:
    // children that outlive the element forget it as their parent.
    virtual ~GUIElement();
    GUIElement(const GUIElement&) = delete;
    GUIElement& operator=(const GUIElement&) = delete;

    bool visible = true;
    bool destroyed = false; // the window has been destroyed (OnDestroy ran); created stays set
    bool waitCursor = false;
    bool handCursor = false;
    HWND tooltipWindow = nullptr;
    HWND hwnd = nullptr;
    HINSTANCE instance;
    WNDCLASSW windowClass{};
    FontDescription* font = nullptr; // not owned
    int32_t width = 100;
    int32_t height = 50;
    int32_t left = 100;
    int32_t top = 100;
    bool created = false; // Create() ran, whether or not the window could be made
    COLORREF backColor = kNoColor;
    std::wstring text;
    std::wstring focusText;
    bool paintBackground = false; // SetBackColor painted once: every paint repaints it first
    bool enabled = true;
    int32_t id = 0;
    std::string typeName;
    std::string tooltipText;
    GUIElement* parent = nullptr; // not owned
    WNDPROC previousWindowProc = nullptr;
    CreateHandler createHandler = nullptr;
    bool createHandled = false; // createHandler has run, which it does once
    MouseHandler leftUpHandler = nullptr;
    MouseHandler leftDownHandler = nullptr;
    MouseHandler leftDoubleClickHandler = nullptr;
    MouseHandler rightUpHandler = nullptr;
    MouseHandler rightDownHandler = nullptr;
    MouseHandler rightDoubleClickHandler = nullptr;
    KeyHandler keyUpHandler = nullptr;
    KeyHandler keyDownHandler = nullptr;
    CharHandler charHandler = nullptr;
    ElementHandler moveHandler = nullptr;
    ElementHandler sizeHandler = nullptr;
    ElementHandler paintHandler = nullptr;
    CloseHandler closeHandler = nullptr;
    ElementHandler destroyHandler = nullptr;
    ElementHandler focusHandler = nullptr;
    ElementHandler lostFocusHandler = nullptr;
    ElementHandler activateHandler = nullptr;
    ElementHandler deactivateHandler = nullptr;
    ElementHandler textChangedHandler = nullptr;
    MouseMoveHandler mouseMoveHandler = nullptr;
    ElementHandler mouseHoverHandler = nullptr;
    ElementHandler mouseLeaveHandler = nullptr;

    // The shared operations, in their fixed order; derived classes append
    // their own after these.
    virtual void SetBackColor(COLORREF color);
    virtual void SetEnabled(bool value);
    virtual void SetText(const std::wstring& value);
    virtual void SetText(const std::string& value);
    virtual void OnLeftButtonUp(int x, int y);
    virtual void OnLeftButtonDown(int x, int y);
    virtual void OnLeftDoubleClick(int x, int y);
    virtual void OnRightButtonUp(int x, int y);
    virtual void OnRightButtonDown(int x, int y);
    virtual void OnRightDoubleClick(int x, int y);
    virtual void OnKeyUp(int key);
    virtual void OnKeyDown(int key);
    virtual bool OnChar(int ch);
    virtual void OnMouseMove(int x, int y);
    virtual void OnMouseHover();
    virtual void OnMouseLeave();
    virtual void Focus();
    virtual void OnMove();
    virtual void OnSize();
    virtual void OnPaint();
    virtual HBRUSH OnControlColor(HDC dc);
    virtual bool OnClose();
    virtual void OnDestroy();
    virtual void OnFocus();
    virtual void OnLostFocus();
    virtual void OnActivate();
    virtual void OnDeactivate();
    virtual void OnCreate(HWND window);
    virtual void Refresh();
    virtual bool GetWaitCursor();
    virtual bool GetHandCursor();
    virtual void SetWaitCursor(bool value);
    virtual void SetHandCursor(bool value);
    virtual void OnShow();
    virtual void OnListNotify(int kind, std::vector<int32_t> numbers,
                              std::vector<std::wstring> texts);
    virtual void Create() = 0;

    void Show();
    void Hide();
    std::wstring GetText();
    std::string GetTextNarrow();
    POINT GetPosition();
    SIZE GetSize();
    void SetSize(int newWidth, int newHeight);
    void SetPosition(int newLeft, int newTop);
    // How the element's 96-dpi units map to its window's pixels (gui/Dpi.h):
    // its box starts at its place plus its parents' places in its form.
    ElementMapping Mapping() const;
    // The element's window in its parent's client area: its box mapped by the
    // parent's mapping (a form's: its corner and size on the screen).
    RECT ScreenPlace() const;
    // The same for a box of another size at the element's place (a picture's).
    RECT ScreenPlace(int boxWidth, int boxHeight) const;
    // The window's place back in the element's units, the same way.
    RECT LogicalPlace() const;
    // The size of the window's client area in the element's units (0 x 0
    // without a window).
    SIZE GetClientSize() const;
    void SetFont(FontDescription* description);
    // Sends the window its font: the description's, or the system font
    // without one (WM_SETFONT).
    void ApplyFont();
    void CreateTooltip(HWND window);
    void UpdateTooltip();

    // The element made its window and has it: what setters apply to.
    bool HasWindow() const { return created && hwnd; }
    // ...and the window is still there, not destroyed: what teardown closes.
    bool WindowOpen() const;

private:
    // Implemented by Element alone, so that no other class can be made.
    virtual ElementSeal MadeAsElement() = 0;
};

// Stops everything that could reach the element: it leaves the registry
// (Unlink), the dispatcher forgets it, no form keeps it as its companion,
// and a window it subclassed gets its own procedure back. Run by Element's
// destructor, first thing; does nothing the second time.
void StopDispatching(GUIElement& element);

// An element of kind `Kind` (see Lifetime above): the only way to make one.
template <typename Kind> class Element final : public Kind {
public:
    template <typename... Args>
    explicit Element(Args&&... args) : Kind(std::forward<Args>(args)...) {}
    // Teardown order: first stop dispatching, then the kind's own
    // destructors, each releasing what it owns; the window goes with its
    // parent's, or with the form's own destructor.
    ~Element() override { StopDispatching(*this); }

private:
    ElementSeal MadeAsElement() override { return ElementSeal(); }
};

// An element hosted in the window of its parent element.
class Child : public GUIElement {
public:
    using GUIElement::GUIElement;
};

// Marks elements that raise a command when activated (buttons, menu items).
// The handler is called with the element itself, not with this part.
class CommandElement {
public:
    virtual ~CommandElement() = default;
    ElementHandler clickHandler = nullptr;
};

} // namespace TarnUtility
