// The element registry: lookups by window, id and menu id, the fallback for
// the window being created, the id counter, and entries leaving on delete.
#include "GuiTest.h"

#include <algorithm>
#include <memory>

#include "gui/controls/Label.h"
#include "gui/controls/Menu.h"
#include "gui/controls/MenuBar.h"
#include "gui/controls/SubMenu.h"

namespace TarnUtility {
namespace {

HWND FakeWindow(INT_PTR value) {
    return reinterpret_cast<HWND>(value);
}

class Registry : public GuiTest {};

TEST_F(Registry, TheLaterOfTwoEqualHandlesWins) {
    Element<ProbeElement> first(FakeWindow(0x7001));
    Element<ProbeElement> second(FakeWindow(0x7001));
    Element<ProbeElement> newest(FakeWindow(0x7002));
    EXPECT_EQ(FindElementByHwnd(FakeWindow(0x7001)), &second);
}

TEST_F(Registry, TheEarlierOfTwoEqualIdsWins) {
    Element<ProbeElement> first(nullptr, 9001);
    Element<ProbeElement> second(nullptr, 9001);
    EXPECT_EQ(FindElementById(9001), &first);
    EXPECT_EQ(FindElementById(0), nullptr);
}

TEST_F(Registry, AnUnknownWindowFallsBackToTheNewestElementWithoutAWindow) {
    Element<ProbeElement> older(FakeWindow(0x7101));
    {
        Element<ProbeElement> beingCreated;
        EXPECT_EQ(FindElementByHwnd(FakeWindow(0x7999)), &beingCreated);
    }
    // The newest element now has a window: no fallback.
    EXPECT_EQ(FindElementByHwnd(FakeWindow(0x7999)), nullptr);
}

TEST_F(Registry, ADeletedElementLeavesTheRegistryAndTheOrderStays) {
    auto a = std::make_unique<Element<ProbeElement>>(FakeWindow(0x7201), 9101);
    auto b = std::make_unique<Element<ProbeElement>>(FakeWindow(0x7202), 9101);
    auto c = std::make_unique<Element<ProbeElement>>(FakeWindow(0x7203), 9101);
    const size_t size = ElementRegistry().size();
    a.reset();
    EXPECT_EQ(ElementRegistry().size(), size - 1);
    EXPECT_EQ(FindElementById(9101), b.get());
    EXPECT_EQ(FindElementByHwnd(FakeWindow(0x7201)), nullptr);
    const auto& registry = ElementRegistry();
    EXPECT_EQ(registry[registry.size() - 2], b.get());
    EXPECT_EQ(registry.back(), c.get());
}

TEST_F(Registry, MenuItemsAreFoundOnlyAmongMenuItems) {
    Element<Form> form(GetModuleHandleW(nullptr));
    Element<MenuBar> bar(&form);
    Element<Menu> menu(&bar, "&File");
    Element<SubMenu> item(&menu, "&Esci");
    Element<ProbeElement> sameId(nullptr, item.id);
    EXPECT_EQ(FindMenuItemById(item.id), &item);
    EXPECT_EQ(FindElementById(item.id), &item);
    EXPECT_EQ(FindMenuItemById(0), nullptr);
}

TEST_F(Registry, ChildrenOfAWindowInRegistryOrder) {
    Element<Form> form(GetModuleHandleW(nullptr));
    form.Create();
    Element<Label> first(&form, "a");
    Element<Label> second(&form, "b");
    Element<Label> elsewhere(nullptr, "c");
    const std::vector<GUIElement*> children = ChildrenOf(form.hwnd);
    EXPECT_EQ(children, (std::vector<GUIElement*>{&first, &second}));
}

TEST_F(Registry, IdsStartAtOneAndNameTheClasses) {
    const int saved = nextElementId;
    nextElementId = 0;
    Element<Form> owner(GetModuleHandleW(nullptr));
    Element<Label> label(&owner, "x");
    label.Create(); // no parent window, but the id is still taken
    EXPECT_EQ(label.id, 1);

    nextElementId = 41 + saved;
    Element<Form> form(GetModuleHandleW(nullptr));
    form.Create();
    EXPECT_EQ(form.id, 42 + saved);
    EXPECT_EQ(ClassNameOf(form.hwnd), L"Window" + std::to_wstring(41 + saved));
    nextElementId = std::max(nextElementId, saved + 100);
}

} // namespace
} // namespace TarnUtility
