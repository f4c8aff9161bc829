// Teardown: a deleted element is never reached again, whether through the
// registry, its surviving window or the dispatcher's state; a form deleted
// with its window open closes it without running its derived class.
#include "GuiTest.h"

#include <memory>

#include "gui/controls/Button.h"
#include "gui/controls/PanelChildren.h"

namespace TarnUtility {
namespace {

int handlerCalls = 0;
void CountCall(GUIElement*, HWND, int, int) {
    ++handlerCalls;
}
void CountClick(GUIElement*) {
    ++handlerCalls;
}

class Lifetime : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        handlerCalls = 0;
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
};

TEST_F(Lifetime, ADeletedControlsWindowGoesBackToItsOwnProcedure) {
    Form form(instance);
    form.Create();
    auto button = std::make_unique<Button>(&form, "Via");
    button->leftDownHandler = CountCall;
    button->clickHandler = CountClick;
    button->Create();
    HWND window = button->hwnd;
    const int id = button->id;
    ASSERT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)), ElementWndProc);

    button.reset();
    ASSERT_TRUE(IsWindow(window)); // lives on until its parent goes
    EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)), ElementWndProc);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), HTCLIENT);
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    EXPECT_EQ(handlerCalls, 0);
    EXPECT_EQ(FindElementById(id), nullptr);
}

TEST_F(Lifetime, ADeletedPanelsWindowReachesNoOtherElement) {
    Form form(instance);
    form.Create();
    auto panel = std::make_unique<PanelChildren>(&form);
    panel->Create();
    HWND window = panel->hwnd;
    panel.reset();

    // The newest element has no window yet: a message for the orphaned
    // window must not fall back to it.
    PanelChildren newest(&form);
    newest.leftDownHandler = CountCall;
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window, WM_PAINT, 0, 0);
    EXPECT_EQ(handlerCalls, 0);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(Lifetime, TheDispatcherForgetsADeletedActiveFormAndWheelPanel) {
    auto form = std::make_unique<Form>(instance);
    form->Create();
    auto panel = std::make_unique<PanelChildren>(form.get());
    panel->Create();
    SetForegroundWindow(form->hwnd);
    PumpMessages();
    SendMessageW(panel->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(Dispatch().wheelPanel, panel.get());
    panel.reset();
    EXPECT_EQ(Dispatch().wheelPanel, nullptr);

    Dispatch().activeForm = form.get();
    form.reset();
    EXPECT_EQ(Dispatch().activeForm, nullptr);
}

// A form whose close handler forwards to an operation of its own class, as
// the game's forms do.
class AskingForm : public Form {
public:
    explicit AskingForm(HINSTANCE instance) : Form(instance) {
        closeHandler = [](GUIElement* element) {
            return static_cast<AskingForm*>(element)->ConfirmClose();
        };
        destroyHandler = [](GUIElement* element) { static_cast<AskingForm*>(element)->OnGone(); };
    }
    ~AskingForm() override { alive = false; }
    virtual bool ConfirmClose() {
        ++asked;
        EXPECT_TRUE(alive) << "the derived form ran while being destroyed";
        return true;
    }
    virtual void OnGone() { EXPECT_TRUE(alive) << "the derived form ran while being destroyed"; }

    bool alive = true;
    static inline int asked = 0;
};

TEST_F(Lifetime, AFormDeletedWithItsWindowOpenClosesItWithoutItsDerivedClass) {
    AskingForm::asked = 0;
    auto form = std::make_unique<AskingForm>(instance);
    form->Create();
    Button child(form.get(), "child");
    child.Create();
    HWND window = form->hwnd;
    HWND childWindow = child.hwnd;
    form.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(childWindow));
    EXPECT_TRUE(child.destroyed); // its element still heard of it
    EXPECT_EQ(AskingForm::asked, 0);
}

TEST_F(Lifetime, DeletingTheMainFormWithItsWindowOpenStillEndsTheLoop) {
    Dispatch().mainWindow = nullptr;
    auto form = std::make_unique<Form>(instance);
    form->Create();
    form.reset();
    EXPECT_EQ(TakeQuitMessages(), 1);
}

} // namespace
} // namespace TarnUtility
