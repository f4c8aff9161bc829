// Teardown: a deleted element is never reached again, whether through the
// registry, its surviving window (even under a tooltip's subclass) or the
// dispatcher's state; a form deleted with its window open closes it without
// running its derived class; a handler may delete its own element.
#include "GuiTest.h"

#include <cstring>
#include <memory>
#include <new>

#include "gui/controls/Button.h"
#include "gui/controls/PanelChildren.h"
#include "gui/controls/Timer.h"

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

// A tooltip subclasses its tool's window after us; deleting the element
// cannot take our procedure out from under it.
TEST_F(Lifetime, AWindowUnderATooltipReachesNoElementOnceItsOwnIsGone) {
    Form form(instance);
    form.Create();
    auto button = std::make_unique<Button>(&form, "Tip");
    button->tooltipText = "a tip";
    button->leftDownHandler = CountCall;
    button->Create();
    ASSERT_NE(button->tooltipWindow, nullptr);
    HWND window = button->hwnd;
    button.reset();

    PanelChildren newest(&form); // no window yet: the creation fallback
    newest.leftDownHandler = CountCall;
    newest.leftUpHandler = CountCall;
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(SendMessageW(window, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED); // still a button
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(handlerCalls, 0);

    // Nor does the window of a deleted panel under a tooltip route what its
    // messages name: a command, a tick.
    auto panel = std::make_unique<PanelChildren>(&form);
    panel->tooltipText = "a tip";
    panel->Create();
    HWND orphan = panel->hwnd;
    panel.reset();
    Button live(&form, "Live");
    live.clickHandler = CountClick;
    live.Create();
    Timer timer(&form, 1000);
    timer.tickHandler = [](Timer*) { ++handlerCalls; };
    timer.Create();
    SendMessageW(orphan, WM_COMMAND, MAKEWPARAM(live.id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(live.hwnd));
    SendMessageW(orphan, WM_TIMER, static_cast<WPARAM>(timer.id), 0);
    EXPECT_EQ(handlerCalls, 0);
}

TEST_F(Lifetime, AFormUnderATooltipDeletedWhileOpenRunsNoHandler) {
    AskingForm::asked = 0;
    auto form = std::make_unique<AskingForm>(instance);
    form->tooltipText = "a tip";
    form->Create();
    HWND window = form->hwnd;
    form.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(AskingForm::asked, 0);
}

// Destroying the active form's window activates another form at once; the
// dying form must not be deactivated by then.
TEST_F(Lifetime, AnActiveFormBeingDeletedIsNoLongerTheActiveForm) {
    Form other(instance);
    other.Create();
    auto form = std::make_unique<Form>(instance);
    form->deactivateHandler = [](GUIElement*) { ++handlerCalls; };
    form->Create();
    SetForegroundWindow(form->hwnd);
    PumpMessages();
    ASSERT_EQ(Dispatch().activeForm, form.get());
    handlerCalls = 0;
    form.reset();
    PumpMessages();
    EXPECT_EQ(handlerCalls, 0);
}

// An element in a buffer of our own, so that the test can see whether
// anything writes to it once its handler has deleted it.
struct Arena {
    alignas(Form) unsigned char bytes[sizeof(Form)];
    static inline Arena* current = nullptr;

    template <typename Element> Element* Make() {
        return new (bytes) Element(GetModuleHandleW(nullptr));
    }
    // A handler that deletes its element and marks the memory.
    static void DeleteAndMark(GUIElement* element) {
        element->~GUIElement();
        std::memset(current->bytes, 0xA5, sizeof(current->bytes));
    }
    bool Untouched() const {
        for (unsigned char byte : bytes)
            if (byte != 0xA5)
                return false;
        return true;
    }
};

TEST_F(Lifetime, NothingTouchesAnElementThatItsHandlerDeleted) {
    Arena arena;
    Arena::current = &arena;
    Form* form = arena.Make<Form>();
    form->destroyHandler = Arena::DeleteAndMark;
    form->OnDestroy();
    EXPECT_TRUE(arena.Untouched());

    form = arena.Make<Form>();
    form->Create();
    HWND window = form->hwnd;
    Form other(instance);
    other.Create(); // now in the foreground
    form->activateHandler = Arena::DeleteAndMark;
    SetForegroundWindow(window);
    PumpMessages();
    EXPECT_TRUE(arena.Untouched());
    EXPECT_NE(static_cast<void*>(Dispatch().activeForm), static_cast<void*>(arena.bytes));
    EXPECT_FALSE(IsWindow(window));

    // A new element at the address of a deleted one is not taken for it.
    form = arena.Make<Form>();
    const ElementRef first(form);
    form->~Form();
    form = arena.Make<Form>();
    EXPECT_FALSE(first);
    EXPECT_TRUE(ElementRef(form));
    form->~Form();
}

TEST_F(Lifetime, AChildOutlivingItsParentForgetsIt) {
    auto parent = std::make_unique<Form>(instance);
    Button child(parent.get(), "child");
    parent.reset();
    EXPECT_EQ(child.parent, nullptr); // ChildrenOf, run at every paint, reads it
}

} // namespace
} // namespace TarnUtility
