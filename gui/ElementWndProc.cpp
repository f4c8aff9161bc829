#include "gui/ElementWndProc.h"

#include <commctrl.h>

#include "gui/Dpi.h"
#include "gui/ElementRegistry.h"
#include "gui/Form.h"
#include "gui/WindowClass.h"
#include "gui/controls/Button.h"
#include "gui/controls/PanelChildren.h"
#include "gui/controls/SubMenu.h"
#include "gui/controls/Timer.h"

namespace TarnUtility {

DispatchState& Dispatch() {
    static DispatchState state;
    return state;
}

void EndMouseTracking() {
    Dispatch().mouseTracking = false;
    Dispatch().trackedWindow = nullptr;
}

// Each part forgets the element where what it keeps of it is declared.
void StopDispatching(GUIElement& element) {
    Unlink(element);
    DispatchState& state = Dispatch();
    if (static_cast<GUIElement*>(state.activeForm) == &element)
        state.activeForm = nullptr;
    if (static_cast<GUIElement*>(state.wheelPanel) == &element)
        state.wheelPanel = nullptr;
    // A subclassed control's window has its own procedure back: its
    // WM_MOUSELEAVE would never reach us, and no hover would come again.
    if (element.hwnd && element.hwnd == state.trackedWindow)
        EndMouseTracking();
    ForgetCompanion(element);
}

namespace {

// The shared system cursor `id`, loaded into `handle` the first time.
HCURSOR SharedCursor(HCURSOR& handle, LPCWSTR id) {
    if (!handle)
        handle = LoadCursorW(nullptr, id);
    return handle;
}

// The mouse position of a message, in the element's units.
int MouseX(const GUIElement* element, LPARAM lParam) {
    return element->Mapping().LogicalX(static_cast<short>(LOWORD(lParam)));
}
int MouseY(const GUIElement* element, LPARAM lParam) {
    return element->Mapping().LogicalY(static_cast<short>(HIWORD(lParam)));
}

// Whether the window has a frame, caption, menu bar or scroll bar around
// its client area.
bool HasNonClientArea(HWND hwnd) {
    RECT outer{};
    RECT client{};
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    return outer.right - outer.left != client.right || outer.bottom - outer.top != client.bottom;
}

// The form in the foreground becomes the active form, and its companion
// form is put directly behind it. A companion that stands in for a modal
// dialog of a disabled form is also activated, which brings it to the
// front, as a dialog comes forward whenever its owner is brought there;
// beside an enabled form that would only take the activation back and
// forth between the two.
void Activate(Form& form, HWND hwnd) {
    DispatchState& state = Dispatch();
    state.wheelPanel = nullptr;
    if (GetForegroundWindow() != hwnd) {
        form.UnregisterHotKeys();
        form.OnDeactivate();
        return;
    }
    if (Form* previous = state.activeForm) {
        previous->UnregisterHotKeys();
        if (!Survives(form, [&] { previous->OnDeactivate(); }))
            return;
    }
    form.RegisterHotKeys();
    if (!Survives(form, [&] { form.OnActivate(); }))
        return;
    state.activeForm = &form;
    Form* companion = form.companionForm;
    if (companion && companion->created && form.hwnd) {
        const UINT activation = IsWindowEnabled(form.hwnd) ? SWP_NOACTIVATE : 0;
        SetWindowPos(companion->hwnd, form.hwnd, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | activation);
    }
}

// A press on a form that stands disabled behind its companion (a modal
// dialog) brings both forward, the companion above the form and active, as
// the system does for a dialog and its owner. Only a disabled form: a press
// on a disabled control of an enabled form reaches the form as well (the
// default processing hands a child's cursor query to its parent).
void BringDialogForward(GUIElement& element, UINT mouseMessage) {
    const bool press = mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_RBUTTONDOWN ||
                       mouseMessage == WM_MBUTTONDOWN;
    auto* form = dynamic_cast<Form*>(&element);
    if (!press || !form || IsWindowEnabled(form->hwnd))
        return;
    const Form* companion = form->companionForm;
    if (!companion || !companion->HasWindow())
        return;
    HWND dialog = companion->hwnd;
    HWND owner = form->hwnd;
    SetForegroundWindow(dialog);
    // Not every system raises a window it activates.
    SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(owner, dialog, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void RunHotKey(Form& form, WPARAM hotKeyId) {
    if (hotKeyId < 1 || hotKeyId > form.hotKeys.size())
        return;
    const HotKey pressed = form.hotKeys[hotKeyId - 1];
    HWND foreground = GetForegroundWindow();
    if (foreground == form.hwnd) {
        if (pressed.handler)
            pressed.handler(&form, pressed.modifiers, pressed.key);
        return;
    }
    Form* front = dynamic_cast<Form*>(ElementOfWindow(foreground));
    if (!front)
        return;
    for (const HotKey& record : front->hotKeys)
        if (record.modifiers == pressed.modifiers && record.key == pressed.key) {
            if (record.handler)
                record.handler(front, record.modifiers, record.key);
            return;
        }
}

void RouteCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) {
        if (HIWORD(wParam) != 0)
            return; // an accelerator
        auto* item = static_cast<SubMenu*>(FindMenuItemById(LOWORD(wParam)));
        if (!item)
            return;
        // A checkable item shows its new state before its handler runs.
        if (item->checkable) {
            item->checkState = !item->ReadCheckState();
            if (item->created)
                item->UpdateCheckMark();
        }
        if (item->clickHandler)
            item->clickHandler(item);
        return;
    }
    GUIElement* source = ElementOfWindow(reinterpret_cast<HWND>(lParam));
    if (auto* command = dynamic_cast<CommandElement*>(source); command && command->clickHandler)
        command->clickHandler(source);
}

void NavigateTab(GUIElement& element, HWND hwnd) {
    HWND dialogWindow =
        dynamic_cast<Child*>(&element) && element.parent ? element.parent->hwnd : hwnd;
    const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    HWND next = GetNextDlgTabItem(dialogWindow, hwnd, backwards);
    if (GUIElement* target = ElementOfWindow(next))
        target->Focus();
}

// Moves a panel's scroll bar (SB_HORZ or SB_VERT) as `code` asks, scrolls
// the contents by what the bar really moved, and tells the panel's handler
// how far the request went.
void ScrollPanel(PanelChildren& panel, int bar, int code, const int* wheelDelta) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(panel.hwnd, bar, &info);
    const int old = info.nPos;
    const int page = static_cast<int>(info.nPage);
    int requested = old;
    if (wheelDelta) {
        requested = *wheelDelta > 0 ? old - page : old + page; // one page per message
    } else {
        switch (code) {
        case SB_LINEUP:
            requested = old - 1;
            break;
        case SB_LINEDOWN:
            requested = old + 1;
            break;
        case SB_PAGEUP:
            requested = old - page;
            break;
        case SB_PAGEDOWN:
            requested = old + page;
            break;
        case SB_THUMBTRACK:
            requested = info.nTrackPos;
            break;
        case SB_TOP:
            if (bar == SB_VERT)
                requested = info.nMin;
            break;
        case SB_BOTTOM:
            if (bar == SB_VERT)
                requested = info.nMax;
            break;
        default:
            break;
        }
    }

    SCROLLINFO position{};
    position.cbSize = sizeof(position);
    position.fMask = SIF_POS;
    position.nPos = requested;
    SetScrollInfo(panel.hwnd, bar, &position, TRUE);
    GetScrollInfo(panel.hwnd, bar, &info);
    const int actual = info.nPos;
    if (actual != old) {
        // A position is a unit of the panel's children: as far as their
        // edges move on the screen.
        const int moved = ToScreen(old) - ToScreen(actual);
        if (bar == SB_HORZ)
            ScrollWindow(panel.hwnd, moved, 0, nullptr, nullptr);
        else
            ScrollWindow(panel.hwnd, 0, moved, nullptr, nullptr);
        if (!Survives(panel, [&] { UpdateWindow(panel.hwnd); })) // paints: runs a handler
            return;
    }
    if (requested != old) {
        auto handler = bar == SB_HORZ ? panel.horizontalScrollHandler : panel.verticalScrollHandler;
        if (handler)
            handler(&panel, old - requested);
    }
}

// WM_HSCROLL and WM_VSCROLL: true when a panel scrolled.
bool HandleScroll(GUIElement* element, UINT message, WPARAM wParam, LPARAM lParam) {
    const int code = LOWORD(wParam);
    GUIElement* target = element;
    if (lParam != 0 && code == SB_ENDSCROLL)
        target = ElementOfWindow(reinterpret_cast<HWND>(lParam));
    auto* panel = dynamic_cast<PanelChildren*>(target);
    const bool vertical = message == WM_VSCROLL;
    if (!panel || !(vertical ? panel->verticalScroll : panel->horizontalScroll))
        return false;
    if (vertical)
        Dispatch().wheelPanel = panel;
    ScrollPanel(*panel, vertical ? SB_VERT : SB_HORZ, code, nullptr);
    return true;
}

bool HandleWheel(GUIElement* element, WPARAM wParam) {
    auto* panel = dynamic_cast<PanelChildren*>(element);
    if (!panel)
        panel = Dispatch().wheelPanel;
    if (!panel || !panel->verticalScroll)
        return false;
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    ScrollPanel(*panel, SB_VERT, 0, &delta);
    return true;
}

void Notify(const NMHDR& header) {
    GUIElement* sender = ElementOfWindow(header.hwndFrom);
    if (!sender)
        return;
    const auto& item = reinterpret_cast<const NMHEADERW&>(header);
    switch (header.code) {
    case HDN_ITEMCHANGEDW:
        // The column's width as the system measures it, in the element's units.
        sender->OnListNotify(kHeaderItemChanged,
                             {item.iItem, item.pitem ? ToLogical(item.pitem->cxy) : 0}, {});
        break;
    case HDN_ITEMCLICKW:
        sender->OnListNotify(kHeaderItemClicked, {item.iItem}, {});
        break;
    case NM_RCLICK:
        sender->OnListNotify(kListRightClick, {}, {});
        break;
    default:
        break;
    }
}

// The window is being destroyed (WM_NCDESTROY): what is kept of it goes. A
// destroyed window gets no WM_MOUSELEAVE, so a hover and leave request
// pending for it ends here, or no element would be tracked again.
void WindowGone(HWND hwnd) {
    ForgetWindow(hwnd);
    OwnClassWindowGone(hwnd);
    if (hwnd == Dispatch().trackedWindow)
        EndMouseTracking();
}

// A window without a live element: one that is being created before any
// element took it, or one that outlived its element. It gets the default
// processing of its own procedure; the program's end and the mouse
// tracking, which do not depend on an element, are kept.
LRESULT Unattended(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC original) {
    DispatchState& state = Dispatch();
    if (message == WM_DESTROY && hwnd == state.mainWindow)
        PostQuitMessage(0);
    if (message == WM_MOUSELEAVE)
        EndMouseTracking();
    const LRESULT result = original ? CallWindowProcW(original, hwnd, message, wParam, lParam)
                                    : DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        WindowGone(hwnd);
    return result;
}

} // namespace

HCURSOR ArrowCursor() {
    return SharedCursor(Dispatch().arrowCursorHandle, IDC_ARROW);
}

LRESULT CALLBACK ElementWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DispatchState& state = Dispatch();
    // A window destroyed during a message is gone for good once the
    // outermost message is done: its class can be released then.
    struct Outermost {
        int& depth;
        explicit Outermost(int& counter) : depth(++counter) {}
        ~Outermost() {
            if (--depth == 0)
                ReleaseUnusedClasses();
        }
        Outermost(const Outermost&) = delete;
        Outermost& operator=(const Outermost&) = delete;
    } const outermost(state.messageDepth);
    const WindowLink link = LinkOf(hwnd);
    if (!link.element)
        return Unattended(hwnd, message, wParam, lParam, link.original);

    // From here on there is an element. Any call below may run a handler,
    // and a handler may delete the element: what touches it after a call
    // makes that call through Survives.
    GUIElement* element = link.element;
    auto byDefault = [&] {
        return link.original ? CallWindowProcW(link.original, hwnd, message, wParam, lParam)
                             : DefWindowProcW(hwnd, message, wParam, lParam);
    };

    switch (message) {
    case WM_CREATE:
        if (auto* form = dynamic_cast<Form*>(element);
            form && Survives(*form, [&] { form->OnCreate(hwnd); }) && form->hwnd == hwnd)
            BindWindow(*form, hwnd, nullptr);
        break;
    case WM_DESTROY:
        if (auto* form = dynamic_cast<Form*>(element))
            form->UnregisterHotKeys();
        element->OnDestroy();
        if (hwnd == state.mainWindow)
            PostQuitMessage(0);
        break;
    case WM_NCDESTROY: {
        const LRESULT result = byDefault();
        WindowGone(hwnd);
        return result;
    }
    case WM_MOVE:
        element->OnMove();
        break;
    case WM_SIZE:
        element->OnSize();
        break;
    case WM_SHOWWINDOW:
        if (Survives(*element, [&] { element->OnShow(); }))
            element->OnSize();
        break;
    case WM_ACTIVATE:
        if (auto* form = dynamic_cast<Form*>(element))
            Activate(*form, hwnd);
        break;
    case WM_SETFOCUS:
        element->OnFocus();
        break;
    case WM_KILLFOCUS:
        element->OnLostFocus();
        break;
    case WM_NCPAINT:
        // Nothing to draw outside the client area: the default processing
        // would only take and give back a device context for the window,
        // which under Wine costs some ten server calls per child at start.
        if (!HasNonClientArea(hwnd))
            return 0;
        break;
    case WM_PAINT:
        element->OnPaint();
        break;
    case WM_CLOSE:
        if (!element->OnClose())
            return 1;
        break;
    case WM_SETCURSOR:
        if (static_cast<short>(LOWORD(lParam)) == HTERROR) {
            BringDialogForward(*element, HIWORD(lParam));
            break; // the default processing too: on Windows it beeps, as for any dialog
        }
        if (LOWORD(lParam) == HTCLIENT) {
            if (element->GetHandCursor()) {
                SetCursor(SharedCursor(state.handCursorHandle, IDC_HAND));
                return TRUE;
            }
            if (element->GetWaitCursor()) {
                SetCursor(SharedCursor(state.waitCursorHandle, IDC_WAIT));
                return TRUE;
            }
        }
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        auto* button = dynamic_cast<Button*>(FindElementById(static_cast<int>(wParam)));
        if (button && item && item->CtlType == ODT_BUTTON) {
            button->PaintFace(*item);
            return TRUE;
        }
        break;
    }
    case WM_COMMAND:
        RouteCommand(wParam, lParam);
        break;
    case WM_TIMER:
        if (auto* timer = dynamic_cast<Timer*>(FindElementById(static_cast<int>(wParam)));
            timer && timer->tickHandler)
            timer->tickHandler(timer);
        break;
    case WM_KEYDOWN:
        if (wParam != VK_TAB || Survives(*element, [&] { NavigateTab(*element, hwnd); }))
            element->OnKeyDown(static_cast<int>(wParam));
        break;
    case WM_KEYUP:
        element->OnKeyUp(static_cast<int>(wParam));
        break;
    case WM_CHAR:
        if (!element->OnChar(static_cast<int>(wParam)))
            return 1; // swallowed: the control never sees it
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = element->OnControlColor(reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_LBUTTONDOWN: {
        const bool survived = Survives(*element, [&] {
            element->OnLeftButtonDown(MouseX(element, lParam), MouseY(element, lParam));
        });
        state.wheelPanel = survived ? dynamic_cast<PanelChildren*>(element) : nullptr;
        break;
    }
    case WM_LBUTTONUP:
        element->OnLeftButtonUp(MouseX(element, lParam), MouseY(element, lParam));
        break;
    case WM_LBUTTONDBLCLK:
        element->OnLeftDoubleClick(MouseX(element, lParam), MouseY(element, lParam));
        break;
    case WM_RBUTTONDOWN:
        element->OnRightButtonDown(MouseX(element, lParam), MouseY(element, lParam));
        break;
    case WM_RBUTTONUP:
        element->OnRightButtonUp(MouseX(element, lParam), MouseY(element, lParam));
        break;
    case WM_RBUTTONDBLCLK:
        element->OnRightDoubleClick(MouseX(element, lParam), MouseY(element, lParam));
        break;
    case WM_MOUSEMOVE: {
        const bool survived = Survives(*element, [&] {
            element->OnMouseMove(MouseX(element, lParam), MouseY(element, lParam));
        });
        if (survived && !state.mouseTracking) {
            TRACKMOUSEEVENT request{sizeof(request), TME_HOVER | TME_LEAVE, element->hwnd,
                                    HOVER_DEFAULT};
            state.mouseTracking = TrackMouseEvent(&request) != FALSE;
            state.trackedWindow = state.mouseTracking ? element->hwnd : nullptr;
        }
        break;
    }
    case WM_MOUSEHOVER:
        element->OnMouseHover();
        break;
    case WM_MOUSELEAVE:
        EndMouseTracking();
        element->OnMouseLeave();
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (HandleScroll(element, message, wParam, lParam))
            return 0;
        break;
    case WM_MOUSEWHEEL:
        if (HandleWheel(element, wParam))
            return 0;
        break;
    case WM_NOTIFY:
        if (lParam)
            Notify(*reinterpret_cast<const NMHDR*>(lParam));
        break;
    case WM_HOTKEY:
        if (auto* form = dynamic_cast<Form*>(element))
            RunHotKey(*form, wParam);
        break;
    default:
        break;
    }
    return byDefault();
}

} // namespace TarnUtility
