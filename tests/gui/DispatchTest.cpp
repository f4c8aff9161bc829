// Window messages reaching the element objects: closing with a veto, the
// quit message, creation, focus and text changes, characters, cursors,
// commands, Tab navigation, hot keys and the companion form.
#include "GuiTest.h"

#include <vector>

#include "gui/XInput.h"
#include "gui/controls/Button.h"
#include "gui/controls/Label.h"
#include "gui/controls/Menu.h"
#include "gui/controls/MenuBar.h"
#include "gui/controls/SubMenu.h"
#include "gui/controls/TextBox.h"

namespace TarnUtility {
namespace {

std::vector<std::string> events;

void Record(GUIElement* element, const char* what) {
    events.push_back(std::string(what) + " " + element->typeName);
}

class Dispatching : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        events.clear();
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
};

bool Refuse(GUIElement* element) {
    Record(element, "close");
    return false;
}

bool Allow(GUIElement* element) {
    Record(element, "close");
    return true;
}

TEST_F(Dispatching, AVetoedCloseAnswersOneAndTheWindowStays) {
    Element<Form> form(instance);
    form.closeHandler = Refuse;
    form.Create();
    EXPECT_EQ(SendMessageW(form.hwnd, WM_CLOSE, 0, 0), 1);
    EXPECT_TRUE(IsWindow(form.hwnd));
    EXPECT_FALSE(form.destroyed);

    form.closeHandler = Allow; // a handler assigned later is used for the next event
    SendMessageW(form.hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(form.hwnd));
    EXPECT_TRUE(form.destroyed);
    EXPECT_EQ(events, (std::vector<std::string>{"close form", "close form"}));
}

TEST_F(Dispatching, WithoutACloseHandlerTheWindowIsDestroyed) {
    Element<Form> form(instance);
    form.Create();
    SendMessageW(form.hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(form.hwnd));
}

TEST_F(Dispatching, OnlyTheMainWindowPostsTheQuitMessageAndOnlyOnce) {
    Dispatch().mainWindow = nullptr;
    Element<Form> main(instance);
    Element<Form> other(instance);
    main.Create();
    other.Create();
    ASSERT_EQ(Dispatch().mainWindow, main.hwnd);

    DestroyWindow(other.hwnd);
    EXPECT_EQ(TakeQuitMessages(), 0);
    DestroyWindow(main.hwnd);
    EXPECT_EQ(TakeQuitMessages(), 1);
}

int creations = 0;
void CountCreation(GUIElement*, HWND window) {
    ++creations;
    EXPECT_NE(window, nullptr);
    // Still inside CreateWindowExW (WM_CREATE), not after it: the window is
    // not shown yet.
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(Dispatching, TheCreateHandlerRunsOnceWithTheWindowAlreadyAdopted) {
    creations = 0;
    Element<Form> form(instance);
    form.createHandler = CountCreation;
    form.Create();
    EXPECT_EQ(creations, 1);
    EXPECT_TRUE(form.createHandled);
    form.OnCreate(reinterpret_cast<HWND>(1));
    EXPECT_EQ(creations, 1);
    EXPECT_NE(form.hwnd, reinterpret_cast<HWND>(1));
}

void OnFocusEvent(GUIElement* e) {
    Record(e, "focus");
}
void OnLostFocusEvent(GUIElement* e) {
    Record(e, "lost");
}
void OnTextChanged(GUIElement* e) {
    Record(e, "changed");
}

TEST_F(Dispatching, FocusTakesATextSnapshotAndLosingItReportsAChange) {
    Element<Form> form(instance);
    form.Create();
    Element<TextBox> box(&form, "alpha");
    Element<TextBox> other(&form, "");
    box.focusHandler = OnFocusEvent;
    box.lostFocusHandler = OnLostFocusEvent;
    box.textChangedHandler = OnTextChanged;
    box.Create();
    other.Create();

    SendMessageW(box.hwnd, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(box.focusText, L"alpha");
    SendMessageW(box.hwnd, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"focus textbox", "lost textbox"}));

    events.clear();
    SendMessageW(box.hwnd, WM_SETFOCUS, 0, 0);
    SetWindowTextW(box.hwnd, L"beta");
    SendMessageW(box.hwnd, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(events,
              (std::vector<std::string>{"focus textbox", "lost textbox", "changed textbox"}));
}

bool NoLetterX(GUIElement*, int ch) {
    return ch != 'x';
}

TEST_F(Dispatching, ACharacterRefusedByTheHandlerNeverReachesTheControl) {
    Element<Form> form(instance);
    form.Create();
    Element<TextBox> box(&form, "");
    box.charHandler = NoLetterX;
    box.Create();
    EXPECT_EQ(SendMessageW(box.hwnd, WM_CHAR, 'x', 0), 1);
    SendMessageW(box.hwnd, WM_CHAR, 'y', 0);
    SendMessageW(box.hwnd, WM_CHAR, 'x', 0);
    SendMessageW(box.hwnd, WM_CHAR, 'z', 0);
    EXPECT_EQ(box.GetText(), L"yz");
}

TEST_F(Dispatching, TheCursorIsSetOnlyInTheClientAreaAndTheHandWins) {
    Element<Form> form(instance);
    form.Create();
    form.SetWaitCursor(true);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(SendMessageW(form.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(form.hwnd),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));

    form.SetHandCursor(true);
    SendMessageW(form.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(form.hwnd),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(form.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(form.hwnd),
                 MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

void Hovered(GUIElement* e) {
    Record(e, "hover");
}

// Hover and leave come again for the next element the pointer reaches,
// after a leave, and also where no WM_MOUSELEAVE comes to us: for a window
// destroyed under the pointer, or one whose subclassing element was
// deleted (its own procedure has it back).
TEST_F(Dispatching, HoverComesAgainAfterTheTrackedWindowWentFromUnderThePointer) {
    Element<Form> form(instance);
    form.width = 400;
    form.height = 200;
    form.Create();
    SetForegroundWindow(form.hwnd);
    Element<Label> next(&form, "next");
    next.left = 20;
    next.top = 100;
    next.mouseHoverHandler = Hovered;
    next.Create();
    auto pointAt = [](HWND window) {
        POINT middle{40, 15};
        ClientToScreen(window, &middle);
        return middle;
    };
    const struct {
        const char* way;
        void (*end)(Element<Label>* gone);
        bool deletesElement;
    } ways[] = {
        {"the pointer left it", nullptr, false},
        {"its window destroyed", [](Element<Label>* gone) { DestroyWindow(gone->hwnd); }, false},
        {"its element deleted", [](Element<Label>* gone) { delete gone; }, true},
    };
    for (const auto& each : ways) {
        auto* gone = new Element<Label>(&form, "gone");
        gone->left = gone->top = 20;
        gone->Create();
        PumpMessages();
        // The last element tracked is left once the pointer is over the
        // next: the move after that is tracked, here and below.
        HWND goneWindow = gone->hwnd;
        const POINT over = pointAt(goneWindow);
        ASSERT_TRUE(XMove(over.x, over.y, true));
        ASSERT_TRUE(PumpUntil([&] {
            return !Dispatch().mouseTracking || Dispatch().trackedWindow == goneWindow;
        })) << each.way;
        ASSERT_TRUE(XMove(over.x + 2, over.y, true));
        ASSERT_TRUE(PumpUntil([&] { return Dispatch().trackedWindow == goneWindow; })) << each.way;
        if (each.end) {
            each.end(gone);
            EXPECT_FALSE(Dispatch().mouseTracking) << each.way;
        }

        events.clear();
        const POINT then = pointAt(next.hwnd);
        ASSERT_TRUE(XMove(then.x, then.y, true));
        PumpUntil(
            [&] { return !Dispatch().mouseTracking || Dispatch().trackedWindow == next.hwnd; });
        ASSERT_TRUE(XMove(then.x + 2, then.y, true));
        EXPECT_TRUE(PumpUntil([] { return !events.empty(); }, 3000)) << each.way;
        EXPECT_EQ(events, (std::vector<std::string>{"hover label"})) << each.way;
        if (!each.deletesElement)
            delete gone;
        DestroyWindow(goneWindow);
    }
}

int heard = -1;
POINT heardAt{};
template <int Kind> void Heard(GUIElement*, HWND, int x, int y) {
    heard = Kind;
    heardAt = {x, y};
}

// Each button message runs its own handler, with the pointer's position.
TEST_F(Dispatching, EachMouseButtonMessageRunsItsOwnHandler) {
    Element<Form> form(instance);
    form.Create();
    const UINT messages[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                             WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK};
    form.leftDownHandler = Heard<0>;
    form.leftUpHandler = Heard<1>;
    form.leftDoubleClickHandler = Heard<2>;
    form.rightDownHandler = Heard<3>;
    form.rightUpHandler = Heard<4>;
    form.rightDoubleClickHandler = Heard<5>;
    for (int kind = 0; kind < 6; ++kind) {
        heard = -1;
        SendMessageW(form.hwnd, messages[kind], 0, MAKELPARAM(3 + kind, 40 - kind));
        EXPECT_EQ(heard, kind) << "message " << messages[kind];
        EXPECT_EQ(heardAt.x, 3 + kind);
        EXPECT_EQ(heardAt.y, 40 - kind);
    }
}

void Clicked(GUIElement* e) {
    Record(e, "click");
}

TEST_F(Dispatching, EveryCommandFromAButtonRunsItsClickHandler) {
    Element<Form> form(instance);
    form.Create();
    Element<Button> button(&form, "OK");
    button.clickHandler = Clicked;
    button.Create();
    const LPARAM from = reinterpret_cast<LPARAM>(button.hwnd);
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(button.id, BN_CLICKED), from);
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(button.id, BN_SETFOCUS), from);
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(button.id, 0x1234), from);
    EXPECT_EQ(events.size(), 3u);

    events.clear();
    SendMessageW(button.hwnd, BM_CLICK, 0, 0); // a real click of the native button
    EXPECT_EQ(events, (std::vector<std::string>{"click button"}));

    events.clear();
    Element<TextBox> box(&form, "");
    box.Create();
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(box.id, EN_CHANGE),
                 reinterpret_cast<LPARAM>(box.hwnd));
    EXPECT_TRUE(events.empty());
}

TEST_F(Dispatching, AMenuCommandRunsTheItemAndAnAcceleratorDoesNothing) {
    Element<Form> form(instance);
    form.Create();
    Element<MenuBar> bar(&form);
    Element<Menu> menu(&bar, "&File");
    Element<SubMenu> item(&menu, "&Esci");
    item.clickHandler = Clicked;
    bar.Create();
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(item.id, 0), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"click submenu"}));
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(item.id, 1), 0);
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(0x7FFF, 0), 0);
    EXPECT_EQ(events.size(), 1u);
}

void KeyDown(GUIElement* e, int key) {
    if (key == VK_TAB)
        Record(e, "tab");
}

void SetShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

TEST_F(Dispatching, TabAndShiftTabMoveBetweenTabStops) {
    Element<Form> form(instance);
    form.Create();
    Element<Button> first(&form, "1");
    Element<Button> second(&form, "2");
    Element<Button> third(&form, "3");
    for (Button* button : {&first, &second, &third}) {
        button->keyDownHandler = KeyDown;
        button->Create();
    }
    SetForegroundWindow(form.hwnd);
    SetFocus(second.hwnd);

    SetShift(false);
    SendMessageW(second.hwnd, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), third.hwnd);
    SetShift(true);
    SendMessageW(third.hwnd, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), second.hwnd);
    SetShift(false);
    EXPECT_EQ(events, (std::vector<std::string>{"tab button", "tab button"}));
}

// Which record's handler ran, for which form and key.
std::vector<std::string> hotKeysRun;
void HotKeyRecord(const char* record, Form* form, int key) {
    hotKeysRun.push_back(std::string(record) + " " + form->typeName + std::to_string(form->id) +
                         " " + static_cast<char>(key));
}
void BackA(Form* form, int, int key) {
    HotKeyRecord("backA", form, key);
}
void BackB(Form* form, int, int key) {
    HotKeyRecord("backB", form, key);
}
void FrontB(Form* form, int, int key) {
    HotKeyRecord("frontB", form, key);
}

TEST_F(Dispatching, AHotKeyRunsForTheForegroundForm) {
    hotKeysRun.clear();
    Element<Form> back(instance);
    Element<Form> front(instance);
    back.hotKeys = {{MOD_CONTROL, 'A', BackA}, {MOD_CONTROL, 'B', BackB}};
    front.hotKeys = {{MOD_CONTROL, 'B', FrontB}};
    back.Create();
    front.Create();
    SetForegroundWindow(front.hwnd);
    ASSERT_EQ(GetForegroundWindow(), front.hwnd);

    // The background form's second hot key is the front form's first: the
    // front form's record runs, with the front form.
    SendMessageW(back.hwnd, WM_HOTKEY, 2, 0);
    SendMessageW(front.hwnd, WM_HOTKEY, 1, 0);
    SendMessageW(front.hwnd, WM_HOTKEY, 7, 0); // beyond the list: ignored
    SendMessageW(back.hwnd, WM_HOTKEY, 1, 0);  // nothing in front has Ctrl+A
    const std::string frontB = "frontB form" + std::to_string(front.id) + " B";
    EXPECT_EQ(hotKeysRun, (std::vector<std::string>{frontB, frontB}));
    SetForegroundWindow(back.hwnd);
    SendMessageW(back.hwnd, WM_HOTKEY, 2, 0); // in front itself: its own record
    EXPECT_EQ(hotKeysRun.back(), "backB form" + std::to_string(back.id) + " B");
}

void Activated(GUIElement* e) {
    Record(e, "activate");
}
void Deactivated(GUIElement* e) {
    Record(e, "deactivate");
}

TEST_F(Dispatching, AnActivatedFormKeepsItsCompanionDirectlyBehindIt) {
    Element<Form> owner(instance);
    Element<Form> companion(instance);
    Element<Form> stranger(instance);
    owner.activateHandler = Activated;
    owner.deactivateHandler = Deactivated;
    owner.Create();
    companion.Create();
    stranger.Create();
    owner.companionForm = &companion;
    SetForegroundWindow(owner.hwnd);
    PumpMessages();
    ASSERT_EQ(GetForegroundWindow(), owner.hwnd);

    // The system puts windows in its own order as activation completes;
    // the activation message itself must leave the companion right behind.
    SetWindowPos(stranger.hwnd, owner.hwnd, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    events.clear();
    SendMessageW(owner.hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetWindow(owner.hwnd, GW_HWNDNEXT), companion.hwnd);
    EXPECT_EQ(Dispatch().activeForm, &owner);
    EXPECT_EQ(events, (std::vector<std::string>{"deactivate form", "activate form"}));

    // Another form coming to the foreground deactivates the active one.
    SetForegroundWindow(stranger.hwnd);
    PumpMessages();
    Dispatch().activeForm = &owner;
    events.clear();
    SendMessageW(stranger.hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"deactivate form"}));
    EXPECT_EQ(Dispatch().activeForm, &stranger);

    // A form that is not in the foreground only deactivates itself.
    events.clear();
    SendMessageW(owner.hwnd, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"deactivate form"}));
    EXPECT_EQ(Dispatch().activeForm, &stranger);
}

// The default processing hands a disabled control's cursor query to its
// parent: an enabled form that gets one brings no companion forward.
TEST_F(Dispatching, APressOnADisabledControlOfAnEnabledFormActivatesNothing) {
    Element<Form> owner(instance);
    Element<Form> companion(instance);
    Element<Form> front(instance);
    owner.Create();
    companion.Create();
    front.Create();
    owner.companionForm = &companion;
    Element<Button> off(&owner, "off");
    off.left = off.top = 0;
    off.enabled = false;
    off.Create();
    SetForegroundWindow(front.hwnd);
    PumpMessages();
    ASSERT_EQ(GetForegroundWindow(), front.hwnd);
    SendMessageW(off.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(off.hwnd),
                 MAKELPARAM(static_cast<WORD>(HTERROR), WM_LBUTTONDOWN));
    PumpMessages();
    EXPECT_EQ(GetForegroundWindow(), front.hwnd);
}

} // namespace
} // namespace TarnUtility
