// What the system sees of each control kind: window styles in their
// variants, class names and ids, the text box rules, images and labels.
#include "gui/GuiTest.h"

#include <commctrl.h>

#include "gui/FontDescription.h"
#include "gui/controls/Button.h"
#include "gui/controls/CellControl.h"
#include "gui/controls/Image.h"
#include "gui/controls/ImageFrame.h"
#include "gui/controls/Label.h"
#include "gui/controls/PanelChildren.h"
#include "gui/controls/TextBox.h"
#include "gui/controls/Timer.h"
#include "res/ResourceIds.h"

namespace TarnUtility {
namespace {

class Controls : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form.Create();
    }
    Element<Form> form{GetModuleHandleW(nullptr)};
};

TEST_F(Controls, ButtonStyles) {
    Element<Button> plain(&form, "OK");
    plain.Create();
    EXPECT_EQ(StyleOf(plain.hwnd), 0x50010000u);
    EXPECT_EQ(plain.width, 80);
    EXPECT_EQ(plain.height, 30);

    Element<Button> drawn(&form, "GIOCA");
    drawn.ownerDraw = true;
    drawn.enabled = false;
    drawn.Create();
    EXPECT_EQ(StyleOf(drawn.hwnd), 0x50010000u | BS_OWNERDRAW | WS_DISABLED);
    EXPECT_EQ(GetDlgCtrlID(drawn.hwnd), drawn.id);
}

TEST_F(Controls, LabelStylesAndText) {
    Element<Label> disabled(&form, "pu\xF2");
    disabled.enabled = false;
    disabled.Create();
    EXPECT_EQ(StyleOf(disabled.hwnd), 0x58000100u);
    EXPECT_EQ(disabled.text, L"pu\u00F2");

    Element<Label> framed(&form, "x");
    framed.border = true;
    framed.alignRight = true;
    framed.alignCenter = true; // right wins
    framed.Create();
    EXPECT_EQ(StyleOf(framed.hwnd), 0x50000100u | WS_BORDER | SS_RIGHT);
    EXPECT_EQ(ExtendedStyleOf(framed.hwnd) & WS_EX_CLIENTEDGE, 0x200u);

    const int id = framed.id;
    framed.Create(); // a second Create makes nothing
    EXPECT_EQ(framed.id, id);
}

// Without a description a window goes back to the system font: it must not
// keep a font that its owner may delete next.
TEST_F(Controls, SetFontWithoutADescriptionGivesTheSystemFontBack) {
    FontDescription font("Arial", 20);
    Element<Label> label(&form, "x");
    Element<Button> button(&form, "OK");
    Element<TextBox> box(&form, "");
    for (GUIElement* element : std::initializer_list<GUIElement*>{&label, &button, &box}) {
        element->font = &font;
        element->Create();
        ASSERT_EQ(SendMessageW(element->hwnd, WM_GETFONT, 0, 0),
                  reinterpret_cast<LRESULT>(font.GetHandle()));
        element->SetFont(nullptr);
        EXPECT_EQ(SendMessageW(element->hwnd, WM_GETFONT, 0, 0), 0) << element->typeName;
    }
}

// An element whose window could not be made acts on no other window: its
// operations only store their values.
TEST_F(Controls, AnElementWithoutAWindowOnlyStoresItsValues) {
    Element<Button> focused(&form, "OK");
    focused.left = focused.top = 0;
    focused.Create();
    SetForegroundWindow(form.hwnd);
    SetFocus(focused.hwnd);
    Element<Label> lost(nullptr, "x"); // a control needs a parent window
    lost.Create();
    ASSERT_TRUE(lost.created);
    ASSERT_EQ(lost.hwnd, nullptr);
    PumpMessages();
    lost.Focus();
    EXPECT_EQ(GetFocus(), focused.hwnd);
    lost.SetBackColor(RGB(1, 2, 3));
    EXPECT_FALSE(GetUpdateRect(form.hwnd, nullptr, FALSE)); // nothing else repaints
    EXPECT_FALSE(GetUpdateRect(focused.hwnd, nullptr, FALSE));
    lost.SetText(std::string("y"));
    lost.SetPosition(3, 4);
    lost.SetSize(20, 10);
    EXPECT_EQ(lost.GetText(), L"y");
    EXPECT_EQ(lost.GetPosition().x, 3);
    EXPECT_EQ(lost.GetSize().cy, 10);
    EXPECT_EQ(lost.backColor, RGB(1, 2, 3));
}

TEST_F(Controls, ImageStylesAndItsResourceBitmap) {
    Element<Image> image(&form, IDB_FRAME_TOP);
    image.border = true;
    image.Create();
    EXPECT_EQ(StyleOf(image.hwnd), 0x5000010Eu | WS_BORDER);
    EXPECT_EQ(ExtendedStyleOf(image.hwnd) & WS_EX_CLIENTEDGE, 0x200u);
    ASSERT_NE(image.bitmap, nullptr);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageW(image.hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0)),
              image.bitmap);
    BITMAP size{};
    GetObjectW(image.bitmap, sizeof(size), &size);
    EXPECT_EQ(size.bmWidth, 519);

    // An id below 1 clears the file name and keeps the bitmap shown.
    HBITMAP shown = image.bitmap;
    image.SetImageResource(0);
    EXPECT_EQ(image.resourceId, 0);
    EXPECT_EQ(image.bitmap, shown);
}

TEST_F(Controls, AnImageTakesAFileChosenBeforeCreation) {
    Element<Image> image(&form, IDB_FRAME_TOP);
    image.SetImageFile("Z:\\no\\such\\file.bmp");
    EXPECT_EQ(image.resourceId, -1);
    image.enabled = false;
    image.Create();
    EXPECT_EQ(StyleOf(image.hwnd), 0x5800010Eu);
    EXPECT_EQ(image.bitmap, nullptr); // the missing file shows nothing
}

TEST_F(Controls, AnImageWithoutAWindowStaysNotCreatedAndTriesAgain) {
    Element<Form> noWindow(GetModuleHandleW(nullptr));
    Element<Image> image(&noWindow, IDB_FRAME_TOP);
    image.Create();
    EXPECT_FALSE(image.created);
    const int firstId = image.id;
    noWindow.Create();
    image.Create();
    EXPECT_TRUE(image.created);
    EXPECT_EQ(image.id, firstId + 2); // the form took one id in between
    EXPECT_NE(image.bitmap, nullptr);
}

TEST_F(Controls, ATimersHostWindowIsHidden) {
    Element<Timer> timer(&form, 30);
    timer.Create();
    EXPECT_EQ(StyleOf(timer.hwnd), static_cast<DWORD>(WS_CHILD));
    EXPECT_FALSE(IsWindowVisible(timer.hwnd));
    EXPECT_EQ(timer.text, L"timer");
}

TEST_F(Controls, PanelStylesClassNamesAndIds) {
    Element<PanelChildren> panel(&form);
    EXPECT_EQ(panel.ComputeStyle(), 0x50010000u);
    panel.border = true;
    panel.verticalScroll = true;
    panel.enabled = false;
    EXPECT_EQ(panel.ComputeStyle(), 0x50010000u | WS_BORDER | WS_VSCROLL | WS_DISABLED);

    Element<ImageFrame> frame(&form, nullptr, 0);
    Element<CellControl> cell(&form);
    EXPECT_EQ(frame.ComputeStyle(), 0x50000000u);
    EXPECT_EQ(cell.ComputeStyle(), 0x50000000u);

    const int counter = nextElementId;
    panel.Create();
    EXPECT_EQ(panel.id, counter + 1);
    EXPECT_EQ(ClassNameOf(panel.hwnd), L"PanelChildren" + std::to_wstring(counter));
    EXPECT_EQ(ExtendedStyleOf(panel.hwnd) & WS_EX_CLIENTEDGE, 0x200u);

    Element<PanelChildren> flat(&form);
    flat.border = true;
    flat.flatBorder = true;
    flat.Create();
    EXPECT_EQ(ExtendedStyleOf(flat.hwnd) & WS_EX_CLIENTEDGE, 0u);
    flat.SetBorder(false);
    EXPECT_EQ(StyleOf(flat.hwnd) & WS_BORDER, 0u);
}

TEST_F(Controls, SetScrollRangeSetsATenthAsThePage) {
    Element<PanelChildren> panel(&form);
    panel.verticalScroll = true;
    panel.Create();
    panel.SetScrollRange(0, 95);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(panel.hwnd, SB_VERT, &info);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 95);
    EXPECT_EQ(info.nPage, 9u);
}

struct TextBoxCase {
    const char* name;
    void (*set)(TextBox&);
    DWORD style;
};

TEST_F(Controls, TextBoxStylesForTheFlagCombinations) {
    const DWORD base = 0x50010000u | WS_BORDER;
    const TextBoxCase cases[] = {
        {"default", [](TextBox&) {}, base | ES_AUTOHSCROLL},
        {"about box",
         [](TextBox& b) {
             b.multiline = true;
             b.readOnly = true;
             b.verticalScroll = true;
         },
         base | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_AUTOHSCROLL |
             ES_READONLY},
        {"word wrap",
         [](TextBox& b) {
             b.multiline = true;
             b.readOnly = true;
             b.verticalScroll = true;
             b.wordWrap = true;
         },
         base | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_READONLY},
        {"both cases",
         [](TextBox& b) {
             b.uppercase = true;
             b.lowercase = true;
         },
         base | ES_AUTOHSCROLL | ES_UPPERCASE},
        {"both alignments",
         [](TextBox& b) {
             b.alignRight = true;
             b.alignCenter = true;
         },
         base | ES_AUTOHSCROLL | ES_RIGHT},
        {"digits, no border",
         [](TextBox& b) {
             b.numbersOnly = true;
             b.border = false;
         },
         0x50010000u | ES_NUMBER | ES_AUTOHSCROLL},
    };
    for (const TextBoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        Element<TextBox> box(&form, "text");
        c.set(box);
        EXPECT_EQ(box.ComputeStyle(), c.style);
        box.Create();
        EXPECT_EQ(StyleOf(box.hwnd), c.style);
        EXPECT_EQ(ExtendedStyleOf(box.hwnd) & WS_EX_CLIENTEDGE, box.border ? 0x200u : 0u);
    }
}

TEST_F(Controls, TheLengthLimitIsSentOnlyWhenSet) {
    Element<TextBox> standard(&form, "");
    standard.Create();
    const LRESULT defaultLimit = SendMessageW(standard.hwnd, EM_GETLIMITTEXT, 0, 0);

    Element<TextBox> limited(&form, "");
    limited.maxLength = 5;
    limited.Create();
    EXPECT_EQ(SendMessageW(limited.hwnd, EM_GETLIMITTEXT, 0, 0), 5);
    SetWindowTextW(limited.hwnd, L"");
    for (wchar_t c : std::wstring(L"abcdefgh"))
        SendMessageW(limited.hwnd, WM_CHAR, c, 0);
    EXPECT_EQ(limited.GetText(), L"abcde");

    Element<TextBox> zero(&form, "");
    zero.maxLength = 0; // the control's own meaning of 0: as large as it goes
    zero.Create();
    EXPECT_GT(SendMessageW(zero.hwnd, EM_GETLIMITTEXT, 0, 0), defaultLimit);
}

TEST_F(Controls, ApplyStyleActsOnlyOnACreatedBox) {
    Element<TextBox> box(&form, "x");
    box.readOnly = true;
    box.ApplyStyle();
    EXPECT_FALSE(box.created);
    EXPECT_EQ(box.hwnd, nullptr);

    for (const bool readOnly : {false, true})
        for (const bool password : {false, true}) {
            Element<TextBox> live(&form, "x");
            live.Create();
            live.readOnly = readOnly;
            live.password = password;
            live.ApplyStyle();
            EXPECT_EQ((StyleOf(live.hwnd) & ES_READONLY) != 0, readOnly);
            EXPECT_EQ(SendMessageW(live.hwnd, EM_GETPASSWORDCHAR, 0, 0), password ? '*' : 0)
                << "read-only " << readOnly;
        }
}

} // namespace
} // namespace TarnUtility
