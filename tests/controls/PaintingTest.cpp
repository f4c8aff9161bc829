// What the self-painted elements put on the screen: an image frame's cell
// of its strip, a text cell's text and bitmap, an owner-drawn button's face.
#include "gui/GuiTest.h"

#include "gui/Canvas.h"
#include "gui/FontDescription.h"
#include "gui/controls/Button.h"
#include "gui/controls/CellControl.h"
#include "gui/controls/ImageFrame.h"
#include "gui/controls/Label.h"
#include "util/Drawing.h"

namespace TarnUtility {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The topmost row of `window` holding a pixel other than `background`.
int TopInk(HWND window, int width, int height, COLORREF background) {
    UpdateWindow(window);
    PumpMessages();
    HDC dc = GetDC(window);
    int top = -1;
    for (int y = 0; y < height && top < 0; ++y)
        for (int x = 0; x < width; ++x)
            if (GetPixel(dc, x, y) != background) {
                top = y;
                break;
            }
    ReleaseDC(window, dc);
    return top;
}

class Painting : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form.left = 0;
        form.top = 0;
        form.width = 500;
        form.height = 400;
        form.Create();
        SetForegroundWindow(form.hwnd);
        PumpMessages();
    }
    Element<Form> form{GetModuleHandleW(nullptr)};
};

// Frames of 100 x 100: red, then green with a black square, then blue.
HBITMAP Strip() {
    return MakeBitmap(300, 100, [](int x, int y) -> COLORREF {
        if (x < 100)
            return kRed;
        if (x < 200)
            return x < 120 && y < 20 ? RGB(0, 0, 0) : kGreen;
        return kBlue;
    });
}

// The control's own procedure, spied on: which frame paints reached it.
WNDPROC staticProcedure = nullptr;
std::vector<HWND> framesPainted;
LRESULT CALLBACK SpyOnFramePaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCPAINT)
        framesPainted.push_back(window);
    return CallWindowProcW(staticProcedure, window, message, wParam, lParam);
}

// A window without a frame answers WM_NCPAINT itself, with nothing to
// draw; one with a frame still gets it painted by its own procedure.
TEST_F(Painting, OnlyAWindowWithAFrameHasItPainted) {
    Element<Label> bare(&form, "x");
    Element<Label> framed(&form, "y");
    framed.border = true;
    bare.left = framed.left = 10;
    framed.top = 50;
    bare.Create();
    framed.Create();
    staticProcedure = bare.previousWindowProc;
    framesPainted.clear();
    for (GUIElement* label : {&bare, &framed}) {
        BindWindow(*label, label->hwnd, SpyOnFramePaints);
        EXPECT_EQ(SendMessageW(label->hwnd, WM_NCPAINT, 1, 0), 0);
    }
    EXPECT_EQ(framesPainted, std::vector<HWND>{framed.hwnd});
    HDC dc = GetWindowDC(framed.hwnd);
    EXPECT_EQ(GetPixel(dc, 1, 1), GetSysColor(COLOR_BTNSHADOW)); // inside its border line
    ReleaseDC(framed.hwnd, dc);
    for (GUIElement* label : {&bare, &framed})
        BindWindow(*label, label->hwnd, staticProcedure);
}

TEST_F(Painting, AnImageFrameShowsTheCellItWasSetTo) {
    HBITMAP strip = Strip();
    Element<ImageFrame> frame(&form, strip, 0);
    frame.transparent = false;
    frame.left = 10;
    frame.top = 10;
    frame.width = 100;
    frame.height = 100;
    frame.Create();
    EXPECT_EQ(ScreenPixel(frame.hwnd, 50, 50), kRed);
    frame.SetFrame(2);
    EXPECT_EQ(frame.frameRow, 0);
    EXPECT_EQ(ScreenPixel(frame.hwnd, 50, 50), kBlue);
    frame.SetFrame(1);
    EXPECT_EQ(ScreenPixel(frame.hwnd, 5, 5), RGB(0, 0, 0)); // opaque: black is drawn
    EXPECT_EQ(ScreenPixel(frame.hwnd, 50, 50), kGreen);
    DeleteObject(strip);
}

TEST_F(Painting, ATransparentFrameShowsItsBackgroundThroughBlack) {
    HBITMAP strip = Strip();
    Element<ImageFrame> frame(&form, strip, 1);
    frame.backColor = kWhite; // the class background behind the picture
    frame.left = 10;
    frame.top = 10;
    frame.width = 100;
    frame.height = 100;
    frame.Create();
    InvalidateRect(frame.hwnd, nullptr, TRUE);
    EXPECT_EQ(ScreenPixel(frame.hwnd, 5, 5), kWhite);
    EXPECT_EQ(ScreenPixel(frame.hwnd, 50, 50), kGreen);
    DeleteObject(strip);
}

TEST_F(Painting, ACellCentresItsTextVerticallyByTheFontsHeight) {
    FontDescription font("Arial", 12);
    auto topOfText = [&](int cellHeight) {
        Element<CellControl> cell(&form);
        cell.width = 200;
        cell.height = cellHeight;
        cell.left = 0;
        cell.top = 0;
        cell.backColor = kWhite;
        cell.font = &font;
        cell.SetText(std::string("XXXX"));
        cell.Create();
        InvalidateRect(cell.hwnd, nullptr, TRUE);
        return TopInk(cell.hwnd, 200, cellHeight, kWhite);
    };
    // A 12-pixel font in a 29-pixel cell starts at y 8; 20 pixels more
    // of cell move it down by 10.
    const int inSmall = topOfText(29);
    EXPECT_GE(inSmall, 8);
    EXPECT_LT(inSmall, 8 + 12);
    EXPECT_EQ(topOfText(49), inSmall + 10);
}

TEST_F(Painting, ACellPlacesItsBitmapByItsAlignment) {
    HBITMAP mark = MakeBitmap(16, 10, [](int, int) { return kRed; });
    auto leftOfMark = [&](int align) {
        Element<CellControl> cell(&form);
        cell.width = 200;
        cell.height = 30;
        cell.left = 0;
        cell.top = 0;
        cell.backColor = kWhite;
        cell.bitmap = mark;
        cell.bitmapWidth = 16;
        cell.bitmapHeight = 10;
        cell.bitmapAlign = align;
        cell.Create();
        InvalidateRect(cell.hwnd, nullptr, TRUE);
        UpdateWindow(cell.hwnd);
        for (int x = 0; x < 200; ++x)
            if (ScreenPixel(cell.hwnd, x, 15) == kRed)
                return x;
        return -1;
    };
    EXPECT_EQ(leftOfMark(2), 92);
    EXPECT_EQ(leftOfMark(1), 200 - 16 - 3);
    EXPECT_EQ(leftOfMark(0), 3);
    DeleteObject(mark);
}

// A form that colours its buttons white on red, as the game colours "GIOCA".
class RedButtons : public Form {
public:
    using Form::Form;
    ~RedButtons() override { DeleteObject(brush); }
    HBRUSH OnControlColor(HDC dc) override {
        SetBkColor(dc, kRed);
        SetTextColor(dc, kWhite);
        return brush;
    }
    HBRUSH brush = CreateSolidBrush(kRed);
};

class Faces : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form.left = 0;
        form.top = 0;
        form.width = 400;
        form.height = 300;
        form.Create();
        SetForegroundWindow(form.hwnd);
        button.ownerDraw = true;
        button.left = 20;
        button.top = 20;
        button.width = 100;
        button.height = 40;
    }
    Element<RedButtons> form{GetModuleHandleW(nullptr)};
    Element<Button> button{&form, "GIOCA"};
};

TEST_F(Faces, NormalPressedAndDisabledFrames) {
    button.Create();
    EXPECT_EQ(ScreenPixel(button.hwnd, 50, 3), kRed);  // background
    EXPECT_EQ(ScreenPixel(button.hwnd, 0, 0), kWhite); // frame in the caption colour
    EXPECT_EQ(ScreenPixel(button.hwnd, 99, 39), kWhite);

    SendMessageW(button.hwnd, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(ScreenPixel(button.hwnd, 0, 0), RGB(0, 0, 0)); // inverted caption colour
    SendMessageW(button.hwnd, BM_SETSTATE, FALSE, 0);

    button.SetEnabled(false);
    InvalidateRect(button.hwnd, nullptr, TRUE);
    EXPECT_EQ(ScreenPixel(button.hwnd, 0, 0), RGB(0x69, 0x69, 0x69));
    bool disabledCaption = false;
    for (int x = 20; x < 80 && !disabledCaption; ++x)
        for (int y = 5; y < 35; ++y)
            disabledCaption =
                disabledCaption || ScreenPixel(button.hwnd, x, y) == RGB(0x96, 0x96, 0x96);
    EXPECT_TRUE(disabledCaption);
}

TEST_F(Faces, TheBitmapSitsFivePixelsInAndTheCaptionAfterIt) {
    HBITMAP icon = MakeBitmap(16, 16, [](int, int) { return kBlue; });
    button.bitmap = icon;
    button.SetText(std::string(""));
    button.Create();
    EXPECT_EQ(ScreenPixel(button.hwnd, 4, 20), kRed);
    EXPECT_EQ(ScreenPixel(button.hwnd, 5, 20), kBlue);
    EXPECT_EQ(ScreenPixel(button.hwnd, 20, 20), kBlue);
    EXPECT_EQ(ScreenPixel(button.hwnd, 21, 20), kRed);

    Drawing drawing(&button);
    RECT item{0, 0, 100, 40};
    EXPECT_EQ(button.DrawFace(drawing, item, false), 24);
    button.enabled = false; // no disabled bitmap: none is drawn
    EXPECT_EQ(button.DrawFace(drawing, item, false), 0);
    DeleteObject(icon);
}

} // namespace
} // namespace TarnUtility
