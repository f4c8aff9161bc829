// Teardown: a deleted element is never reached again, whether through the
// registry, its surviving window (even under a tooltip's subclass) or the
// dispatcher's state; a form deleted with its window open closes it without
// running its derived class; a handler may delete its own element.
#include "GuiTest.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <new>
#include <type_traits>

#include "gui/GdiCount.h"
#include "util/Text.h"
#include "gui/controls/Button.h"
#include "gui/controls/PanelChildren.h"
#include "gui/controls/Timer.h"

namespace TarnUtility {
namespace {

// Only Element can make the seal a kind answers with, by either form of
// initialisation, so no class derived from a kind can be made without it.
template <typename T, typename = void> struct BraceMade : std::false_type {};
template <typename T> struct BraceMade<T, std::void_t<decltype(T{})>> : std::true_type {};
static_assert(!std::is_default_constructible_v<ElementSeal> && !BraceMade<ElementSeal>::value);
static_assert(std::is_abstract_v<Button> && std::is_abstract_v<Form>);

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
    Element<Form> form(instance);
    form.Create();
    auto button = std::make_unique<Element<Button>>(&form, "Via");
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
    Element<Form> form(instance);
    form.Create();
    auto panel = std::make_unique<Element<PanelChildren>>(&form);
    panel->Create();
    HWND window = panel->hwnd;
    panel.reset();

    // The newest element has no window yet: a message for the orphaned
    // window must not fall back to it.
    Element<PanelChildren> newest(&form);
    newest.leftDownHandler = CountCall;
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window, WM_PAINT, 0, 0);
    EXPECT_EQ(handlerCalls, 0);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(Lifetime, TheDispatcherForgetsADeletedActiveFormAndWheelPanel) {
    auto form = std::make_unique<Element<Form>>(instance);
    form->Create();
    auto panel = std::make_unique<Element<PanelChildren>>(form.get());
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
    auto form = std::make_unique<Element<AskingForm>>(instance);
    form->Create();
    Element<Button> child(form.get(), "child");
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
    auto form = std::make_unique<Element<Form>>(instance);
    form->Create();
    form.reset();
    EXPECT_EQ(TakeQuitMessages(), 1);
}

// A tooltip subclasses its tool's window after us; deleting the element
// cannot take our procedure out from under it.
TEST_F(Lifetime, AWindowUnderATooltipReachesNoElementOnceItsOwnIsGone) {
    Element<Form> form(instance);
    form.Create();
    auto button = std::make_unique<Element<Button>>(&form, "Tip");
    button->tooltipText = "a tip";
    button->leftDownHandler = CountCall;
    button->Create();
    ASSERT_NE(button->tooltipWindow, nullptr);
    HWND window = button->hwnd;
    button.reset();

    Element<PanelChildren> newest(&form); // no window yet: the creation fallback
    newest.leftDownHandler = CountCall;
    newest.leftUpHandler = CountCall;
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(SendMessageW(window, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED); // still a button
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(handlerCalls, 0);

    // Nor does the window of a deleted panel under a tooltip route what its
    // messages name: a command, a tick.
    auto panel = std::make_unique<Element<PanelChildren>>(&form);
    panel->tooltipText = "a tip";
    panel->Create();
    HWND orphan = panel->hwnd;
    panel.reset();
    Element<Button> live(&form, "Live");
    live.clickHandler = CountClick;
    live.Create();
    Element<Timer> timer(&form, 1000);
    timer.tickHandler = [](Timer*) { ++handlerCalls; };
    timer.Create();
    SendMessageW(orphan, WM_COMMAND, MAKEWPARAM(live.id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(live.hwnd));
    SendMessageW(orphan, WM_TIMER, static_cast<WPARAM>(timer.id), 0);
    EXPECT_EQ(handlerCalls, 0);
}

TEST_F(Lifetime, AFormUnderATooltipDeletedWhileOpenRunsNoHandler) {
    AskingForm::asked = 0;
    auto form = std::make_unique<Element<AskingForm>>(instance);
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
    Element<Form> other(instance);
    other.Create();
    auto form = std::make_unique<Element<Form>>(instance);
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

// An element in pages of our own. Once its handler has deleted it, the
// pages take no access: whatever reads or writes them afterwards faults, and
// is counted (and let through) instead of crashing the test.
struct Arena {
    static constexpr size_t kSize = std::max(sizeof(Element<Form>), sizeof(Element<PanelChildren>));
    unsigned char* const bytes = static_cast<unsigned char*>(
        VirtualAlloc(nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    void* const watcher = AddVectoredExceptionHandler(1, Fault);
    static inline Arena* current = nullptr;
    static inline int touches = 0; // faults in a deleted element

    Arena() { current = this; }
    ~Arena() {
        RemoveVectoredExceptionHandler(watcher);
        VirtualFree(bytes, 0, MEM_RELEASE);
        current = nullptr;
    }
    template <typename Kind, typename... Args> Kind* Make(Args... args) {
        Open();
        touches = 0;
        return new (bytes) Element<Kind>(args...);
    }
    template <typename Kind> Kind* Make() { return Make<Kind>(GetModuleHandleW(nullptr)); }
    // A handler that deletes its element and seals its memory.
    static void DeleteAndMark(GUIElement* element) {
        element->~GUIElement();
        DWORD was = 0;
        VirtualProtect(current->bytes, kSize, PAGE_NOACCESS, &was);
    }
    bool Untouched() const { return touches == 0; }

private:
    void Open() const {
        DWORD was = 0;
        VirtualProtect(bytes, kSize, PAGE_READWRITE, &was);
    }
    static LONG CALLBACK Fault(EXCEPTION_POINTERS* exception) {
        const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
        const auto* at = reinterpret_cast<const unsigned char*>(record.ExceptionInformation[1]);
        if (record.ExceptionCode != EXCEPTION_ACCESS_VIOLATION || !current || at < current->bytes ||
            at >= current->bytes + kSize)
            return EXCEPTION_CONTINUE_SEARCH;
        ++touches;
        current->Open();
        return EXCEPTION_CONTINUE_EXECUTION;
    }
};

TEST_F(Lifetime, NothingTouchesAnElementThatItsHandlerDeleted) {
    Arena arena;
    Form* form = arena.Make<Form>();
    form->destroyHandler = Arena::DeleteAndMark;
    form->OnDestroy();
    EXPECT_TRUE(arena.Untouched());

    form = arena.Make<Form>();
    form->Create();
    HWND window = form->hwnd;
    Element<Form> other(instance);
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

BOOL CALLBACK CountVisible(HWND window, LPARAM counter) {
    if (IsWindowVisible(window))
        ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

// The visible top-level windows of this thread.
int VisibleTopLevelWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountVisible, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The library's own operations send messages that may run a handler that
// deletes the element; none of them reads or writes the element afterwards,
// and a form's window goes with it, however far its creation got.
TEST_F(Lifetime, NoOperationTouchesAnElementThatAHandlerDeletedMeanwhile) {
    Arena arena;
    Element<Form> host(instance);
    host.width = 400;
    host.height = 300;
    host.Create();
    PumpMessages(); // painted: a new child's first paint comes inside its Create
    // A panel inside the host, or a form at the screen's corner, whose
    // handler `field` deletes it; `create` makes its window first.
    auto panel = [&](ElementHandler GUIElement::*field, bool create) {
        auto* made = arena.Make<PanelChildren>(static_cast<GUIElement*>(&host));
        made->left = made->top = 10; // inside the host's client area, so that it paints
        if (create)
            made->Create();
        made->*field = Arena::DeleteAndMark;
        return made;
    };
    auto form = [&](ElementHandler GUIElement::*field, bool create) {
        Form* made = arena.Make<Form>();
        made->left = made->top = 0;
        if (create)
            made->Create();
        made->*field = Arena::DeleteAndMark;
        return made;
    };
    const struct {
        const char* operation;
        std::function<void()> run;
    } cases[] = {
        {"a panel's first paint", [&] { panel(&GUIElement::paintHandler, false)->Create(); }},
        {"a form's first activation", [&] { form(&GUIElement::activateHandler, false)->Create(); }},
        {"a form's first paint", [&] { form(&GUIElement::paintHandler, false)->Create(); }},
        {"a form's creation",
         [&] {
             Form* made = form(&GUIElement::activateHandler, false);
             // Its create handler, the first to run, deletes it.
             made->createHandler = [](GUIElement* e, HWND) { Arena::DeleteAndMark(e); };
             made->Create();
         }},
        {"SetClientSize", [&] { form(&GUIElement::sizeHandler, true)->SetClientSize(300, 200); }},
        {"CenterOnScreen", [&] { form(&GUIElement::moveHandler, true)->CenterOnScreen(); }},
        // WM_SHOWWINDOW runs OnShow, then OnSize.
        {"Hide", [&] { panel(&GUIElement::sizeHandler, true)->Hide(); }},
        {"Show",
         [&] {
             GUIElement* made = panel(&GUIElement::sizeHandler, true);
             made->sizeHandler = nullptr;
             made->Hide();
             made->sizeHandler = Arena::DeleteAndMark;
             made->Show();
         }},
        {"SetSize", [&] { panel(&GUIElement::sizeHandler, true)->SetSize(70, 30); }},
        {"SetPosition", [&] { panel(&GUIElement::moveHandler, true)->SetPosition(7, 3); }},
        // The vertical bar appears: the client area shrinks.
        {"SetScrollRange",
         [&] {
             auto* made = arena.Make<PanelChildren>(static_cast<GUIElement*>(&host));
             made->verticalScroll = made->horizontalScroll = true;
             made->scrollMax = 0; // no bars
             made->Create();
             made->sizeHandler = Arena::DeleteAndMark;
             made->SetScrollRange(0, 100);
         }},
    };
    const int windows = VisibleTopLevelWindows();
    for (const auto& each : cases) {
        each.run();
        PumpMessages();
        EXPECT_TRUE(arena.Untouched()) << each.operation;
        EXPECT_EQ(VisibleTopLevelWindows(), windows) << each.operation;
    }
}

bool ClassRegistered(const std::wstring& name) {
    WNDCLASSEXW registered{};
    registered.cbSize = sizeof(registered);
    return GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &registered) != FALSE;
}

// A form's and a panel's own window class, and the brush of a coloured
// background, go exactly once, when their window goes, even when the
// element went first; with no window, when the element goes.
TEST_F(Lifetime, NoClassOrBrushOutlivesItsWindow) {
    DeleteWatch watch;
    ASSERT_TRUE(watch.Watching());
    auto warmUp = std::make_unique<Element<Form>>(instance); // what the process keeps
    warmUp->backColor = RGB(1, 2, 3);
    warmUp->Create();
    Element<PanelChildren>(warmUp.get()).Create();
    warmUp.reset();
    const int before = CountGdiObjects();

    auto form = std::make_unique<Element<Form>>(instance);
    form->backColor = RGB(0, 0, 128);
    form->Create();
    std::vector<std::wstring> classes{ClassNameOf(form->hwnd)};
    for (int i = 0; i < 10; ++i) {
        auto* panel = new Element<PanelChildren>(form.get());
        panel->backColor = RGB(0, i, 0);
        panel->Create();
        classes.push_back(ClassNameOf(panel->hwnd));
        delete panel; // its window lives on, with the form's
    }
    Element<PanelChildren> kept(form.get()); // outlives its window
    kept.backColor = RGB(9, 9, 9);
    kept.Create();
    classes.push_back(ClassNameOf(kept.hwnd));
    EXPECT_GT(CountGdiObjects(), before + 10);
    form.reset();
    EXPECT_EQ(CountGdiObjects(), before);
    for (const std::wstring& name : classes)
        EXPECT_FALSE(ClassRegistered(name)) << ToNarrow(name);

    // A form closed the way a user closes it: the classes go as soon as the
    // close is done, not at some later destruction.
    Element<Form> closed(instance);
    closed.backColor = RGB(0, 64, 0);
    closed.Create();
    Element<PanelChildren> inside(&closed);
    inside.backColor = RGB(64, 0, 0);
    inside.Create();
    const std::wstring names[] = {ClassNameOf(closed.hwnd), ClassNameOf(inside.hwnd)};
    SendMessageW(closed.hwnd, WM_CLOSE, 0, 0);
    for (const std::wstring& name : names)
        EXPECT_FALSE(ClassRegistered(name)) << ToNarrow(name) << " after its window closed";
    EXPECT_EQ(CountGdiObjects(), before);

    // A panel whose window could not be made: no parent window to hold it.
    Element<Form> windowless(instance);
    auto* orphan = new Element<PanelChildren>(&windowless);
    orphan->backColor = RGB(5, 5, 5);
    orphan->Create();
    EXPECT_EQ(orphan->hwnd, nullptr);
    delete orphan;
    EXPECT_EQ(CountGdiObjects(), before);
    EXPECT_EQ(DeleteWatch::deadDeletes, 0) << "a brush was deleted after the system deleted it";
}

TEST_F(Lifetime, AChildOutlivingItsParentForgetsIt) {
    auto parent = std::make_unique<Element<Form>>(instance);
    Element<Button> child(parent.get(), "child");
    parent.reset();
    EXPECT_EQ(child.parent, nullptr); // ChildrenOf, run at every paint, reads it
}

} // namespace
} // namespace TarnUtility
