// The game on a scaled display: run by dpi-test.sh with the prefix's dpi at
// 144 (the At144 cases) and at 120 (At120), which it names in
// TREVALO_TEST_DPI. Everything the player sees is the 96-dpi layout made
// larger: the client area, every element's window, the fonts, the pictures
// and the About window; the fields keep their 96-dpi values; real clicks on
// the scaled pictures pick them.
#include "game/GameTest.h"

#include <cstdlib>
#include <set>

#include "about/FormAbout.h"
#include "gui/Dpi.h"
#include "gui/FontDescription.h"
#include "gui/Canvas.h"
#include "gui/XInput.h"
#include "gui/controls/Image.h"
#include "gui/controls/PanelChildren.h"
#include "gui/controls/TextBox.h"
#include "gui/controls/Button.h"

namespace MyGame {
namespace {

using TarnUtility::GUIElement;

// A 96-dpi coordinate on this screen, rounded to the nearest pixel.
int Scaled(int coordinate) {
    return MulDiv(coordinate, TarnUtility::ScreenDpi(), 96);
}

class ScaledGame : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        const char* expected = std::getenv("TREVALO_TEST_DPI");
        ASSERT_NE(expected, nullptr) << "run by dpi-test.sh";
        ASSERT_EQ(TarnUtility::ScreenDpi(), std::atoi(expected)) << "the prefix's dpi was not read";
    }
};
using At144 = ScaledGame;
using At120 = ScaledGame;

// Where an element's window is, in its parent's client area, in pixels.
RECT PlaceOf(const GUIElement* element) {
    RECT box{};
    GetWindowRect(element->hwnd, &box);
    MapWindowPoints(nullptr, element->parent->hwnd, reinterpret_cast<POINT*>(&box), 2);
    return box;
}

// Each element's window is the box its 96-dpi edges make on the screen; its
// fields keep the 96-dpi values.
void ExpectScaled(const GUIElement* element, int left, int top, int width, int height) {
    const RECT expected{Scaled(left), Scaled(top), Scaled(left + width), Scaled(top + height)};
    const RECT box = PlaceOf(element);
    EXPECT_TRUE(EqualRect(&box, &expected))
        << element->typeName << " at " << left << "," << top << ": " << box.left << "," << box.top
        << " to " << box.right << "," << box.bottom;
    EXPECT_EQ(element->left, left) << element->typeName;
    EXPECT_EQ(element->width, width) << element->typeName;
}

int FontHeight(TarnUtility::FontDescription* font) {
    LOGFONTW described{};
    GetObjectW(font->GetHandle(), sizeof(described), &described);
    return described.lfHeight;
}

POINT ScreenPoint(const GUIElement* element, int x, int y) {
    POINT point{x, y};
    ClientToScreen(element->hwnd, &point);
    return point;
}

TEST_F(At144, TheWholeGameIsOneAndAHalfTimesItsSize) {
    Open();
    RECT client{};
    GetClientRect(form->hwnd, &client);
    EXPECT_EQ(client.right, 960);
    EXPECT_EQ(client.bottom, 720);
    ExpectScaled(form->titleImage, 28, 10, 200, 50);
    ExpectScaled(form->playButton, 272, 26, 100, 40);
    ExpectScaled(form->infoButton, 392, 26, 100, 40);
    ExpectScaled(form->closeButton, 512, 26, 100, 40);
    ExpectScaled(form->scoreCell, 62, 96, 200, 29);
    ExpectScaled(form->messageCell, 280, 96, 300, 29);
    ExpectScaled(form->computerHand, 86, 197, 100, 100);
    ExpectScaled(form->playerHand, 453, 197, 100, 100);
    ExpectScaled(form->banner, 220, 197, 200, 100);
    ExpectScaled(form->paperChoice, 150, 369, 100, 100);
    ExpectScaled(form->rockChoice, 270, 369, 100, 100);
    ExpectScaled(form->scissorsChoice, 390, 369, 100, 100);
    EXPECT_EQ(FontHeight(form->messageFont), 33);
    EXPECT_EQ(FontHeight(form->scoreFont), 33);
    EXPECT_EQ(FontHeight(form->font), 21);
    EXPECT_EQ(form->messageFont->height, 22);

    // A hand shows at 150 x 150 screen pixels: its frame enlarged with whole
    // pixels (no colour but the strip's own), the ink half as much again
    // each way.
    const std::vector<uint32_t> shown = TarnUtility::WindowPixels(form->computerHand->hwnd);
    ASSERT_EQ(shown.size(), 150u * 150u);
    HDC strip = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(strip, form->handsStrip);
    std::set<uint32_t> palette;
    int inkShown = 0;
    int inkDrawn = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const COLORREF pixel = GetPixel(strip, 300 + x, y);
            palette.insert(TarnUtility::ToDibPixel(pixel));
            inkDrawn += pixel != 0;
        }
    SelectObject(strip, previous);
    DeleteDC(strip);
    int foreign = 0;
    for (uint32_t pixel : shown) {
        foreign += palette.count(pixel & 0xFFFFFF) == 0;
        inkShown += (pixel & 0xFFFFFF) != 0;
    }
    EXPECT_EQ(foreign, 0) << "pixels of a colour the frame does not have";
    EXPECT_NEAR(inkShown, inkDrawn * 9 / 4, inkDrawn / 20);

    // The four bars of the table meet as they do at 96 dpi.
    const RECT top = PlaceOf(form->topBar), bottom = PlaceOf(form->bottomBar);
    const RECT left = PlaceOf(form->leftBar), right = PlaceOf(form->rightBar);
    EXPECT_EQ(top.bottom, left.top);
    EXPECT_EQ(top.bottom, right.top);
    EXPECT_EQ(left.bottom, bottom.bottom);
    EXPECT_EQ(right.bottom, bottom.bottom);
    EXPECT_EQ(left.left, top.left);
    EXPECT_EQ(right.right, top.right);
    EXPECT_EQ(top.right - top.left, 779); // 519 from x = 60: from 90 to 869

    // The About window and its children, likewise.
    SendMessageW(form->infoButton->hwnd, BM_CLICK, 0, 0);
    TarnUtility::FormAbout* about = form->aboutForm;
    GetClientRect(about->hwnd, &client);
    EXPECT_EQ(client.right, 900);
    EXPECT_EQ(client.bottom, 450);
    ExpectScaled(about->logoPanel, 10, 10, 184, 280);
    ExpectScaled(about->noticeBox, 209, 85, 381, 155);
    ExpectScaled(about->okButton, 359, 250, 80, 25);
    EXPECT_EQ(FontHeight(about->titleFont), 24);
}

// A real click on the middle of a scaled choice picks it; one in the gap
// beside its scaled box, which the 96-dpi box would cover, does not.
TEST_F(At144, RealClicksOnTheScaledPicturesPlayARound) {
    Open();
    TickAt(0);
    const POINT play = ScreenPoint(form->playButton, 75, 30);
    ASSERT_TRUE(TarnUtility::XClick(play.x, play.y, true));
    ASSERT_TRUE(TarnUtility::PumpUntil([this] { return form->engine.playing; }));
    random.script = {1}; // the computer's rock
    ASSERT_TRUE(TickUntil([this] { return Choosing(); }));
    const RECT rock = PlaceOf(form->rockChoice);
    const POINT gap = ScreenPoint(form->rockChoice, rock.right - rock.left + 2, 75);
    ASSERT_TRUE(TarnUtility::XClick(gap.x, gap.y, true));
    TarnUtility::PumpMessages();
    EXPECT_TRUE(Choosing());
    const POINT middle = ScreenPoint(form->rockChoice, 75, 75);
    ASSERT_TRUE(TarnUtility::XClick(middle.x, middle.y, true));
    EXPECT_TRUE(TarnUtility::PumpUntil([this] { return !Choosing(); }));
    EXPECT_EQ(form->playerHand->frameColumn, 1);
    EXPECT_EQ(form->banner->frameColumn, 6); // rock against rock
}

// A handler is told where the mouse is in the element's own units.
TEST_F(At144, TheMouseIsReportedInTheElementsUnits) {
    static POINT pressed{};
    Open();
    form->leftDownHandler = [](GUIElement*, HWND, int x, int y) { pressed = {x, y}; };
    const POINT at = ScreenPoint(form, 150, 720 - 3); // below the choices
    ASSERT_TRUE(TarnUtility::XClick(at.x, at.y, true));
    ASSERT_TRUE(TarnUtility::PumpUntil([] { return pressed.x != 0; }));
    EXPECT_EQ(pressed.x, 100);
    EXPECT_EQ(pressed.y, 478);
}

// At 120 dpi lengths do not scale to whole pixels: the edges do, so that
// the bars still meet (rounding each size would end the side bars a pixel
// below the bottom bar).
TEST_F(At120, TheTablesBarsStillMeet) {
    Open();
    const RECT top = PlaceOf(form->topBar), bottom = PlaceOf(form->bottomBar);
    const RECT left = PlaceOf(form->leftBar), right = PlaceOf(form->rightBar);
    EXPECT_EQ(top.bottom, 203);
    EXPECT_EQ(left.top, 203);
    EXPECT_EQ(right.top, 203);
    EXPECT_EQ(left.bottom, 456);
    EXPECT_EQ(right.bottom, 456);
    EXPECT_EQ(bottom.bottom, 456);
    EXPECT_EQ(bottom.top, Scaled(349));
    RECT client{};
    GetClientRect(form->hwnd, &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 600);
}

} // namespace
} // namespace MyGame
