// Forms as the system sees them: styles of each kind, the client size,
// centring, and the class background.
#include "GuiTest.h"

namespace TarnUtility {
namespace {

class Forms : public GuiTest {
protected:
    HINSTANCE instance = GetModuleHandleW(nullptr);
};

// The system adds WS_CLIPSIBLINGS to every top-level window and the
// window-edge extended style to framed ones; the form asks for neither.
constexpr DWORD kSystemAdded = WS_CLIPSIBLINGS;
constexpr DWORD kSystemAddedEx = WS_EX_WINDOWEDGE;

TEST_F(Forms, AStandardFormHasCaptionMenuMinimizeMaximizeAndSizingBorder) {
    Element<Form> form(instance);
    form.Create();
    EXPECT_EQ(StyleOf(form.hwnd) & ~kSystemAdded,
              static_cast<DWORD>(WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                 WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(ExtendedStyleOf(form.hwnd) & ~kSystemAddedEx, 0u);
    EXPECT_EQ(form.typeName, "form");
}

TEST_F(Forms, TheGameWindowStyleHasNoMaximizeBoxAndNoSizingBorder) {
    Element<Form> form(instance);
    form.maximizeBox = false;
    form.Create();
    EXPECT_EQ(StyleOf(form.hwnd) & ~kSystemAdded, 0x10CA0000u);
}

TEST_F(Forms, ADialogFormIgnoresCaptionFlagAndIsATopmostToolWindow) {
    Element<Form> dialog(instance, true);
    dialog.hasCaption = false;
    dialog.maximizeBox = false;
    dialog.Create();
    EXPECT_EQ(StyleOf(dialog.hwnd) & ~kSystemAdded, 0x10C80000u);
    EXPECT_EQ(ExtendedStyleOf(dialog.hwnd) & ~kSystemAddedEx, 0x89u);

    Element<Form> modal(instance, true);
    modal.modalFrame = true;
    modal.topmost = false;
    modal.Create();
    EXPECT_EQ(StyleOf(modal.hwnd) & ~kSystemAdded, 0x10C90080u);
    EXPECT_EQ(ExtendedStyleOf(modal.hwnd) & ~kSystemAddedEx, 0x81u);
}

TEST_F(Forms, ACaptionlessFormIsABarePopup) {
    Element<Form> form(instance);
    form.hasCaption = false;
    form.Create();
    EXPECT_EQ(StyleOf(form.hwnd) & ~kSystemAdded, static_cast<DWORD>(WS_POPUP | WS_VISIBLE));
}

TEST_F(Forms, ADisabledFormIsCreatedDisabled) {
    Element<Form> form(instance);
    form.enabled = false;
    form.Create();
    EXPECT_TRUE(StyleOf(form.hwnd) & WS_DISABLED);
    EXPECT_FALSE(IsWindowEnabled(form.hwnd));
}

TEST_F(Forms, SetClientSizeGivesExactlyThatClientArea) {
    Element<Form> form(instance);
    form.maximizeBox = false;
    form.Create();
    form.SetClientSize(640, 480);
    RECT client{};
    GetClientRect(form.hwnd, &client);
    EXPECT_EQ(client.right - client.left, 640);
    EXPECT_EQ(client.bottom - client.top, 480);
    RECT outer{};
    GetWindowRect(form.hwnd, &outer);
    EXPECT_EQ(form.width, outer.right - outer.left);
    EXPECT_GT(form.height, 480);
}

// The game window is made at its final size: asking for the size it has
// must not paint the whole window again.
TEST_F(Forms, SetClientSizeAtTheSizeTheFormHasLeavesNothingToPaint) {
    Element<Form> form(instance);
    form.maximizeBox = false;
    form.Create();
    form.SetClientSize(640, 480);
    UpdateWindow(form.hwnd);
    form.SetClientSize(640, 480);
    EXPECT_FALSE(GetUpdateRect(form.hwnd, nullptr, FALSE));
    RECT outer{};
    GetWindowRect(form.hwnd, &outer);
    EXPECT_EQ(form.width, outer.right - outer.left);
    EXPECT_EQ(form.left, outer.left);
}

TEST_F(Forms, SetClientSizeBeforeCreationChangesNothing) {
    Element<Form> form(instance);
    form.SetClientSize(640, 480);
    EXPECT_EQ(form.width, 100);
    EXPECT_EQ(form.height, 50);
}

TEST_F(Forms, CenterOnScreenBeforeAndAfterCreation) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    Element<Form> form(instance);
    form.width = 301;
    form.height = 201;
    form.CenterOnScreen();
    EXPECT_EQ(form.left, (screenWidth - 301) / 2);
    EXPECT_EQ(form.top, (screenHeight - 201) / 2);
    form.Create();
    RECT outer{};
    GetWindowRect(form.hwnd, &outer);
    EXPECT_EQ(outer.left, form.left);
    EXPECT_EQ(outer.top, form.top);

    SetWindowPos(form.hwnd, nullptr, 0, 0, 400, 300, SWP_NOZORDER);
    form.CenterOnScreen();
    GetWindowRect(form.hwnd, &outer);
    EXPECT_EQ(outer.left, (screenWidth - 400) / 2);
    EXPECT_EQ(outer.top, (screenHeight - 300) / 2);
}

TEST_F(Forms, TheClassBackgroundIsTheButtonFaceOrTheFormsColour) {
    Element<Form> plain(instance);
    plain.Create();
    EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrW(plain.hwnd, GCLP_HBRBACKGROUND)),
              GetSysColorBrush(COLOR_BTNFACE));

    Element<Form> black(instance);
    black.backColor = RGB(0, 0, 0);
    black.Create();
    auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(black.hwnd, GCLP_HBRBACKGROUND));
    LOGBRUSH info{};
    ASSERT_EQ(GetObjectW(brush, sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(info.lbColor, RGB(0, 0, 0));
}

TEST_F(Forms, EachFormRegistersAClassOfItsOwn) {
    Element<Form> first(instance);
    Element<Form> second(instance);
    first.Create();
    second.Create();
    EXPECT_NE(ClassNameOf(first.hwnd), ClassNameOf(second.hwnd));
    EXPECT_EQ(ClassNameOf(second.hwnd), L"Window" + std::to_wstring(second.id - 1));
}

TEST_F(Forms, TheFirstFormCreatedIsTheMainWindow) {
    Dispatch().mainWindow = nullptr;
    Element<Form> first(instance);
    Element<Form> second(instance);
    second.Create();
    first.Create();
    EXPECT_EQ(Dispatch().mainWindow, second.hwnd);
}

} // namespace
} // namespace TarnUtility
