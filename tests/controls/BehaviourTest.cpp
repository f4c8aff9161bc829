// Controls at work: panel and wheel scrolling, timer ticks through a real
// message loop, menus with their ids, check marks and greyed items, and
// control colours that hold one brush at a time.
#include "gui/GuiTest.h"

#include <vector>

#include "gui/GdiCount.h"
#include "gui/controls/Image.h"
#include "gui/controls/Label.h"
#include "gui/controls/Menu.h"
#include "gui/controls/MenuBar.h"
#include "gui/controls/PanelChildren.h"
#include "gui/controls/SubMenu.h"
#include "gui/controls/Timer.h"
#include "res/ResourceIds.h"
#include "util/Text.h"

namespace TarnUtility {
namespace {

class Behaviour : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form.Create();
    }
    Element<Form> form{GetModuleHandleW(nullptr)};
};

std::vector<int> scrolls;
void Scrolled(PanelChildren*, int delta) {
    scrolls.push_back(delta);
}

int Position(HWND window) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    GetScrollInfo(window, SB_VERT, &info);
    return info.nPos;
}

TEST_F(Behaviour, ScrollingAtTheTopStillTellsTheHandler) {
    scrolls.clear();
    Element<PanelChildren> panel(&form);
    panel.verticalScroll = true;
    panel.verticalScrollHandler = Scrolled;
    panel.Create();
    EXPECT_EQ(SendMessageW(panel.hwnd, WM_VSCROLL, SB_LINEUP, 0), 0);
    EXPECT_EQ(Position(panel.hwnd), 0);
    SendMessageW(panel.hwnd, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(panel.hwnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(Position(panel.hwnd), 11);
    SendMessageW(panel.hwnd, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(scrolls, (std::vector<int>{1, -1, -10, -89}));
    EXPECT_EQ(Dispatch().wheelPanel, &panel);

    // A horizontal message for a panel without that bar is not its business.
    SendMessageW(panel.hwnd, WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(scrolls.size(), 4u);
}

TEST_F(Behaviour, EachWheelMessageScrollsOnePage) {
    scrolls.clear();
    Element<PanelChildren> panel(&form);
    panel.verticalScroll = true;
    panel.verticalScrollHandler = Scrolled;
    panel.Create();
    SendMessageW(panel.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    SendMessageW(panel.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    EXPECT_EQ(Position(panel.hwnd), 20);
    SendMessageW(panel.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 0);
    EXPECT_EQ(Position(panel.hwnd), 10);

    // Over a window that is not a panel, the last panel pressed scrolls.
    Element<Label> label(&form, "x");
    label.Create();
    SendMessageW(panel.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(label.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    EXPECT_EQ(Position(panel.hwnd), 20);
    EXPECT_EQ(scrolls, (std::vector<int>{-10, -10, 10, -10}));
}

int ticks = 0;
void Ticked(Timer*) {
    if (++ticks >= 3)
        PostQuitMessage(0);
}

void CALLBACK EndLoopUnfinished(HWND, UINT, UINT_PTR, DWORD) {
    PostQuitMessage(1);
}

TEST_F(Behaviour, TicksArriveThroughTheMessageLoop) {
    ticks = 0;
    Element<Timer> timer(&form, 10);
    timer.tickHandler = Ticked;
    timer.Start();
    const int id = timer.id;
    timer.Start(); // running already: nothing
    EXPECT_EQ(timer.id, id);
    // The third tick ends the loop; a thread timer ends it otherwise.
    const UINT_PTR bound = SetTimer(nullptr, 0, 3000, EndLoopUnfinished);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    KillTimer(nullptr, bound);
    EXPECT_EQ(message.wParam, 0u) << "no third tick in three seconds";
    EXPECT_EQ(ticks, 3);

    timer.Stop();
    EXPECT_FALSE(timer.running);
    EXPECT_FALSE(KillTimer(form.hwnd, static_cast<UINT_PTR>(id))); // the native timer is gone
    timer.Stop();                                                  // not running: nothing
    timer.Start();
    EXPECT_EQ(timer.id, id); // the same id, no second host window
    EXPECT_TRUE(timer.running);
}

TEST_F(Behaviour, DeletingARunningTimerKillsIt) {
    auto* timer = new Element<Timer>(&form, 10000);
    timer->Start();
    const int id = timer->id;
    delete timer;
    EXPECT_FALSE(KillTimer(form.hwnd, static_cast<UINT_PTR>(id)));
}

// The system would make a timer of its own choosing, which no handler hears
// and Stop() cannot end.
TEST_F(Behaviour, ATimerOnAParentWithoutAWindowSetsNoTimerUntilThereIsOne) {
    Element<Form> windowless(GetModuleHandleW(nullptr));
    Element<Timer> timer(&windowless, 1);
    timer.Start();
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_TIMER),
              static_cast<DWORD>(WAIT_TIMEOUT));
    windowless.Create();
    timer.Start();
    EXPECT_TRUE(timer.running);
    timer.Stop();
    EXPECT_FALSE(KillTimer(windowless.hwnd, static_cast<UINT_PTR>(timer.id)));
}

TEST_F(Behaviour, ATickForAnythingButATimerIsIgnored) {
    ticks = 0;
    Element<Label> label(&form, "x");
    label.Create();
    SendMessageW(form.hwnd, WM_TIMER, static_cast<WPARAM>(label.id), 0);
    SendMessageW(form.hwnd, WM_TIMER, 0x7FFF, 0);
    Element<Timer> silent(&form, 10);
    silent.Create();
    SendMessageW(form.hwnd, WM_TIMER, static_cast<WPARAM>(silent.id), 0); // no handler
    EXPECT_EQ(ticks, 0);
}

std::vector<std::string> clicks;
void Chosen(GUIElement* element) {
    auto* item = static_cast<SubMenu*>(element);
    clicks.push_back(
        ToNarrow(item->text) + (item->checkState ? " checked" : "") +
        (GetMenuState(item->ParentMenuHandle(), static_cast<UINT>(item->id), MF_BYCOMMAND) &
                 MF_CHECKED
             ? " shown"
             : ""));
}

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

TEST_F(Behaviour, TheGamesMenuBar) {
    Element<MenuBar> bar(&form);
    Element<Menu> file(&bar, "&File");
    Element<SubMenu> exit(&file, "&Esci");
    Element<Menu> help(&bar, "&?");
    Element<SubMenu> guide(&help, "&Guida");
    Element<SubMenu> home(&help, "&Home");
    EXPECT_EQ(guide.id, exit.id + 1);
    EXPECT_EQ(home.id, exit.id + 2);
    bar.Create();

    HMENU native = GetMenu(form.hwnd);
    ASSERT_EQ(native, bar.menuHandle);
    ASSERT_EQ(GetMenuItemCount(native), 2);
    EXPECT_EQ(MenuText(native, 0), L"&File");
    EXPECT_EQ(MenuText(native, 1), L"&?");
    EXPECT_EQ(MenuText(GetSubMenu(native, 0), 0), L"&Esci");
    EXPECT_EQ(GetMenuItemID(GetSubMenu(native, 1), 0), static_cast<UINT>(guide.id));
    EXPECT_EQ(MenuText(GetSubMenu(native, 1), 1), L"&Home");
}

TEST_F(Behaviour, ACheckableItemShowsItsNewStateBeforeItsHandler) {
    clicks.clear();
    Element<MenuBar> bar(&form);
    Element<Menu> menu(&bar, "&Vista");
    Element<SubMenu> item(&menu, "Griglia");
    item.checkable = true;
    item.clickHandler = Chosen;
    bar.Create();
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(item.id, 0), 0);
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(item.id, 0), 0);
    EXPECT_EQ(clicks, (std::vector<std::string>{"Griglia checked shown", "Griglia"}));
}

TEST_F(Behaviour, ItemsAreGreyedBeforeAndAfterCreationAndAddedAtOnce) {
    Element<MenuBar> bar(&form);
    Element<Menu> menu(&bar, "&File");
    Element<SubMenu> early(&menu, "Prima");
    early.SetEnabled(false);
    Element<SubMenu> separator(&menu, "");
    separator.itemFlags = MF_SEPARATOR;
    bar.Create();
    EXPECT_TRUE(GetMenuState(menu.menuHandle, static_cast<UINT>(early.id), MF_BYCOMMAND) &
                MF_GRAYED);
    EXPECT_TRUE(GetMenuState(menu.menuHandle, 1, MF_BYPOSITION) & MF_SEPARATOR);

    Element<SubMenu> late(&menu, "Dopo"); // the menu exists: appended at once
    EXPECT_TRUE(late.created);
    ASSERT_EQ(GetMenuItemCount(menu.menuHandle), 3);
    EXPECT_EQ(MenuText(menu.menuHandle, 2), L"Dopo");
    late.SetEnabled(false);
    EXPECT_TRUE(GetMenuState(menu.menuHandle, static_cast<UINT>(late.id), MF_BYCOMMAND) &
                MF_GRAYED);

    Element<SubMenu> cascade(&menu, "Altro"); // a cascading item, made with its children
    EXPECT_TRUE(cascade.created);
}

TEST_F(Behaviour, ACascadingItemGreysAndACheckedGreyedItemStaysChecked) {
    Element<MenuBar> bar(&form);
    Element<Menu> menu(&bar, "&File");
    Element<SubMenu> cascade(&menu, "Altro");
    Element<SubMenu> inner(&cascade, "Dentro");
    Element<SubMenu> option(&menu, "Opzione");
    option.checkable = true;
    option.checkState = true;
    bar.Create();
    cascade.SetEnabled(false);
    EXPECT_TRUE(GetMenuState(menu.menuHandle, 0, MF_BYPOSITION) & MF_GRAYED);
    cascade.SetEnabled(true);
    EXPECT_FALSE(GetMenuState(menu.menuHandle, 0, MF_BYPOSITION) & MF_GRAYED);

    option.SetEnabled(false);
    EXPECT_TRUE(option.ReadCheckState());
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(option.id, 0), 0);
    EXPECT_FALSE(option.checkState); // toggled off, not on again
}

// The bar is not repainted by anything else here: what shows of the new
// menu, DrawMenuBar painted.
TEST_F(Behaviour, AMenuAddedToABarOnTheWindowShowsAtOnce) {
    Element<MenuBar> bar(&form);
    Element<Menu> file(&bar, "&File");
    bar.Create();
    PumpMessages();
    Element<Menu> late(&bar, "&Zeta");
    RECT item{};
    ASSERT_TRUE(GetMenuItemRect(form.hwnd, bar.menuHandle, 1, &item));
    RECT window{};
    GetWindowRect(form.hwnd, &window);
    HDC dc = GetWindowDC(form.hwnd);
    const COLORREF background =
        GetPixel(dc, item.right - window.left + 20, item.top - window.top + 2);
    int inked = 0;
    for (int y = item.top; y < item.bottom; ++y)
        for (int x = item.left; x < item.right; ++x)
            inked += GetPixel(dc, x - window.left, y - window.top) != background;
    ReleaseDC(form.hwnd, dc);
    EXPECT_GT(inked, 10);
}

TEST_F(Behaviour, AnImageDeletedBeforeItsControlLeavesItNoBitmap) {
    auto* image = new Element<Image>(&form, IDB_FRAME_TOP);
    image->Create();
    HWND window = image->hwnd;
    ASSERT_NE(SendMessageW(window, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    delete image;
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(SendMessageW(window, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(Behaviour, APanelInAPanelRegistersItsClassForTheProgram) {
    Element<PanelChildren> outer(&form);
    outer.Create();
    Element<PanelChildren> inner(&outer);
    inner.Create();
    WNDCLASSEXW registered{};
    registered.cbSize = sizeof(registered);
    EXPECT_TRUE(
        GetClassInfoExW(GetModuleHandleW(nullptr), ClassNameOf(inner.hwnd).c_str(), &registered));
    EXPECT_EQ(registered.lpfnWndProc, ElementWndProc);
    // Wine takes a null instance for the program's: what the library passes.
    EXPECT_EQ(inner.windowClass.hInstance, GetModuleHandleW(nullptr));
}

// The menus only refer to their items: one deleted leaves its parent's
// list, which building the menus would otherwise walk.
TEST_F(Behaviour, ADeletedMenuItemLeavesItsParentsList) {
    Element<MenuBar> bar(&form);
    auto* early = new Element<Menu>(&bar, "&Prima");
    Element<Menu> menu(&bar, "&File");
    auto* gone = new Element<SubMenu>(&menu, "Via");
    Element<SubMenu> kept(&menu, "Resta");
    delete gone;
    delete early;
    EXPECT_EQ(menu.items, std::vector<GUIElement*>{&kept});
    EXPECT_EQ(bar.items, std::vector<GUIElement*>{&menu});
    bar.Create();
    EXPECT_EQ(GetMenuItemCount(bar.menuHandle), 1);
    EXPECT_EQ(GetMenuItemCount(menu.menuHandle), 1);
}

TEST_F(Behaviour, AMenuWithoutACreatedBarMakesNothing) {
    Element<MenuBar> bar(&form);
    Element<Menu> menu(&bar, "&File");
    Element<SubMenu> item(&menu, "&Esci");
    menu.Create();
    item.Create();
    EXPECT_FALSE(menu.created);
    EXPECT_FALSE(item.created);
    bar.Create();
    EXPECT_TRUE(menu.created);
    EXPECT_TRUE(item.created);
}

TEST_F(Behaviour, APanelColoursItsChildrenWithOneBrushAtATime) {
    Element<PanelChildren> panel(&form);
    panel.backColor = RGB(0, 0, 0);
    panel.childTextColor = RGB(255, 255, 255);
    panel.Create();
    Element<Label> label(&panel, "x");
    label.Create();
    HDC dc = GetDC(label.hwnd);
    SendMessageW(panel.hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(label.hwnd));
    const int before = CountGdiObjects();
    for (int i = 0; i < 100; ++i) {
        auto brush = reinterpret_cast<HBRUSH>(SendMessageW(panel.hwnd, WM_CTLCOLORSTATIC,
                                                           reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(label.hwnd)));
        ASSERT_EQ(brush, panel.controlBrush);
    }
    EXPECT_EQ(CountGdiObjects(), before);
    EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
    panel.childBackColor = RGB(0, 0, 255);
    SendMessageW(panel.hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(label.hwnd));
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 255));
    ReleaseDC(label.hwnd, dc);
}

} // namespace
} // namespace TarnUtility
