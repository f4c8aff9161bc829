// The message loop: it ends on WM_QUIT and lets IsDialogMessageW take a
// message only for a dialog form.
#include "GuiTest.h"

#include "gui/MessageLoop.h"
#include "gui/controls/Button.h"

namespace TarnUtility {
namespace {

int tabsSeen = 0;
void SeeTab(GUIElement*, int key) {
    if (key == VK_TAB)
        ++tabsSeen;
}

class Loop : public GuiTest {
protected:
    // Posts a Tab to a button of a form, then the quit message, and runs the
    // loop for that form; returns how often the button saw the Tab itself.
    int TabsReachingTheButton(bool dialog) {
        tabsSeen = 0;
        Element<Form> form(GetModuleHandleW(nullptr), dialog);
        form.Create();
        Element<Button> button(&form, "OK");
        button.keyDownHandler = SeeTab;
        button.Create();
        PostMessageW(button.hwnd, WM_KEYDOWN, VK_TAB, 0);
        PostQuitMessage(0);
        RunMessageLoop(&form);
        return tabsSeen;
    }
};

TEST_F(Loop, ANonDialogFormGetsEveryMessageDispatched) {
    EXPECT_EQ(TabsReachingTheButton(false), 1);
}

TEST_F(Loop, ADialogFormLetsIsDialogMessageTakeTheTab) {
    EXPECT_EQ(TabsReachingTheButton(true), 0);
}

TEST_F(Loop, EndsOnTheQuitMessageOnceThePostedMessagesAreDispatched) {
    tabsSeen = 0;
    Element<Form> form(GetModuleHandleW(nullptr));
    form.Create();
    Element<Button> button(&form, "OK");
    button.keyDownHandler = SeeTab;
    button.Create();
    PostMessageW(button.hwnd, WM_KEYDOWN, VK_TAB, 0);
    PostQuitMessage(0);
    PostMessageW(button.hwnd, WM_KEYDOWN, VK_TAB, 0); // the quit message comes last
    RunMessageLoop(nullptr);
    EXPECT_EQ(tabsSeen, 2);
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE));
}

} // namespace
} // namespace TarnUtility
