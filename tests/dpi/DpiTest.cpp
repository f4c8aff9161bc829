// The game on a scaled display. dpi-test.sh runs this program in a prefix
// of its own: the EveryDpi cases with the prefix at 96, setting the
// library's dpi in process to every value they sweep; the At144 and At120
// cases with the prefix at that dpi (named in TREVALO_TEST_DPI), where the
// program reads it from the screen and real clicks play a round.
#include "game/GameTest.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <typeinfo>
#include <vector>

#include "about/FormAbout.h"
#include "gui/Canvas.h"
#include "gui/Dpi.h"
#include "gui/FontDescription.h"
#include "gui/XInput.h"
#include "gui/controls/Image.h"
#include "gui/controls/PanelChildren.h"

namespace MyGame {
namespace {

using TarnUtility::Button;
using TarnUtility::CellControl;
using TarnUtility::GUIElement;
using TarnUtility::Image;
using TarnUtility::ImageFrame;

// Where an element's window is, in its parent's client area, in pixels.
RECT PlaceOf(const GUIElement* element) {
    RECT box{};
    GetWindowRect(element->hwnd, &box);
    MapWindowPoints(nullptr, element->parent->hwnd, reinterpret_cast<POINT*>(&box), 2);
    return box;
}

POINT ScreenPoint(const GUIElement* element, int x, int y) {
    POINT point{x, y};
    ClientToScreen(element->hwnd, &point);
    return point;
}

int FontHeight(TarnUtility::FontDescription* font) {
    LOGFONTW described{};
    GetObjectW(font->GetHandle(), sizeof(described), &described);
    return described.lfHeight;
}

// The children with windows of their own in their parents' (not menus,
// timers or forms), in the order they were made.
std::vector<GUIElement*> WindowedChildren() {
    std::vector<GUIElement*> children;
    for (GUIElement* element : TarnUtility::ElementRegistry())
        if (element->parent && element->hwnd && IsWindow(element->hwnd) &&
            GetParent(element->hwnd) == element->parent->hwnd)
            children.push_back(element);
    return children;
}

// The rule at `dpi`, worked out here: the 96-dpi coordinate x of a box that
// starts at `origin` in its form is this pixel of its window.
int Pixel(int dpi, int origin, int x) {
    return MulDiv(origin + x, dpi, 96) - MulDiv(origin, dpi, 96);
}

// Where the element's box starts in its form, in 96-dpi units.
POINT OriginOf(const GUIElement* element) {
    POINT origin{0, 0};
    for (; element->parent; element = element->parent)
        origin = {origin.x + element->left, origin.y + element->top};
    return origin;
}

// A bitmap resource of the program, at its own size; the caller owns it.
HBITMAP LoadPicture(int id) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

// The part of `source` stretched to the size as StretchBlt with
// COLORONCOLOR gives it, as DIB pixels.
std::vector<uint32_t> Stretched(HBITMAP source, RECT part, SIZE size) {
    TarnUtility::Canvas canvas(size.cx, size.cy);
    HDC from = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(from, source);
    SetStretchBltMode(canvas.dc, COLORONCOLOR);
    StretchBlt(canvas.dc, 0, 0, size.cx, size.cy, from, part.left, part.top, part.right - part.left,
               part.bottom - part.top, SRCCOPY);
    SelectObject(from, previous);
    DeleteDC(from);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            pixels.push_back(TarnUtility::ToDibPixel(canvas.Pixel(x, y)));
    return pixels;
}

// Every pixel of the element's client area as the screen shows it, its
// form moved first, if need be, so that all of it is on the desktop.
std::vector<uint32_t> ShownPixels(GUIElement* element) {
    HWND top = GetAncestor(element->hwnd, GA_ROOT);
    RECT box{}, frame{};
    GetWindowRect(element->hwnd, &box);
    GetWindowRect(top, &frame);
    if (box.left < 0 || box.top < 0 || box.right > GetSystemMetrics(SM_CXSCREEN) ||
        box.bottom > GetSystemMetrics(SM_CYSCREEN))
        SetWindowPos(top, nullptr, frame.left + 8 - box.left, frame.top + 8 - box.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    UpdateWindow(top);
    std::vector<uint32_t> pixels = TarnUtility::WindowPixels(element->hwnd);
    for (uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

// The pixels of the element that differ from `expected`, leaving out those
// a sibling's window covers.
int Mismatches(GUIElement* element, const std::vector<uint32_t>& expected) {
    const std::vector<uint32_t> shown = ShownPixels(element);
    if (shown.size() != expected.size())
        return -1;
    const RECT own = PlaceOf(element);
    std::vector<RECT> covered;
    for (const GUIElement* other : WindowedChildren())
        if (other != element && other->parent == element->parent) {
            covered.push_back(PlaceOf(other));
            OffsetRect(&covered.back(), -own.left, -own.top);
        }
    int count = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        const POINT at{static_cast<int>(i) % (own.right - own.left),
                       static_cast<int>(i) / (own.right - own.left)};
        count += shown[i] != expected[i] &&
                 std::none_of(covered.begin(), covered.end(),
                              [&](const RECT& box) { return PtInRect(&box, at); });
    }
    return count;
}

// An element told of a header column's new width, as a list's header
// tells its parent.
class HeaderProbe : public TarnUtility::PanelChildren {
public:
    using PanelChildren::PanelChildren;
    void OnListNotify(int kind, std::vector<int32_t> numbers, std::vector<std::wstring>) override {
        if (kind == TarnUtility::kHeaderItemChanged)
            told = numbers.at(1);
    }
    int told = -1;
};

// The library's dpi is set in process, to every dpi swept, while no
// element exists; the prefix stays at 96, so the system's own parts (the
// frames, the captions) keep their size and only the library scales.
class EveryDpi : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_EQ(TarnUtility::ScreenDpi(), 96) << "run by dpi-test.sh, with the prefix at 96";
    }
    void TearDown() override {
        GameTest::TearDown();
        TarnUtility::SetScreenDpiForTests(96);
    }

    // The dpis swept: every one from 96 to 200, then every eighth to 288.
    static std::vector<int> Dpis() {
        std::vector<int> dpis;
        for (int dpi = 96; dpi <= 288; dpi += dpi < 200 ? 1 : 8)
            dpis.push_back(dpi);
        return dpis;
    }

    // Each child's window is its box mapped by the rule: a picture's box
    // is its picture's size, every other one the element's fields.
    void ExpectEveryWindowMapped(int dpi) {
        for (GUIElement* element : WindowedChildren()) {
            SIZE box{element->width, element->height};
            if (auto* image = dynamic_cast<Image*>(element)) {
                HBITMAP picture = LoadPicture(image->resourceId);
                box = SizeOf(picture);
                DeleteObject(picture);
            }
            const POINT origin = OriginOf(element->parent);
            const RECT expected{Pixel(dpi, origin.x, element->left),
                                Pixel(dpi, origin.y, element->top),
                                Pixel(dpi, origin.x, element->left + box.cx),
                                Pixel(dpi, origin.y, element->top + box.cy)};
            const RECT shown = PlaceOf(element);
            EXPECT_TRUE(EqualRect(&shown, &expected))
                << element->typeName << " at " << element->left << "," << element->top << ": "
                << shown.right << "," << shown.bottom << ", not " << expected.right << ","
                << expected.bottom;
        }
        for (auto [window, width, height] :
             {std::tuple{form->hwnd, 640, 480}, std::tuple{form->aboutForm->hwnd, 600, 300}}) {
            RECT client{};
            GetClientRect(window, &client);
            EXPECT_TRUE(client.right == MulDiv(width, dpi, 96) &&
                        client.bottom == MulDiv(height, dpi, 96));
        }
        for (auto* font : {form->messageFont, form->scoreFont, form->font,
                           form->aboutForm->titleFont, form->aboutForm->linkFont})
            EXPECT_EQ(FontHeight(font), MulDiv(font->height, dpi, 96));
        // The four bars of the table meet, as they do at 96 dpi.
        const RECT top = PlaceOf(form->topBar), bottom = PlaceOf(form->bottomBar);
        const RECT left = PlaceOf(form->leftBar), right = PlaceOf(form->rightBar);
        EXPECT_TRUE(top.bottom == left.top && top.bottom == right.top &&
                    left.bottom == bottom.bottom && right.bottom == bottom.bottom &&
                    left.left == top.left && right.right == top.right);
    }

    // Pictures show their 96-dpi pixels enlarged whole to their windows; an
    // owner-drawn button's outline and a cell's fill lie on the rule's
    // image of their edges. Only the windows of one form are read, the
    // About window's while it is in front.
    void ExpectEveryPictureExact(int dpi, HWND form) {
        for (GUIElement* element : WindowedChildren()) {
            RECT client{};
            GetClientRect(element->hwnd, &client);
            const SIZE size{client.right, client.bottom};
            if (GetAncestor(element->hwnd, GA_ROOT) != form)
                continue;
            if (auto* frame = dynamic_cast<ImageFrame*>(element)) {
                const int x = frame->frameColumn * frame->width,
                          y = frame->frameRow * frame->height;
                const RECT cell{x, y, x + frame->width, y + frame->height};
                EXPECT_EQ(Mismatches(frame, Stretched(frame->sheet, cell, size)), 0)
                    << "frame at " << frame->left << "," << frame->top;
            } else if (auto* image = dynamic_cast<Image*>(element)) {
                HBITMAP picture = LoadPicture(image->resourceId);
                const SIZE own = SizeOf(picture);
                EXPECT_EQ(Mismatches(image, Stretched(picture, RECT{0, 0, own.cx, own.cy}, size)),
                          0)
                    << "image " << image->resourceId;
                DeleteObject(picture);
            } else if (auto* button = dynamic_cast<Button*>(element); button && button->ownerDraw) {
                ExpectOutlined(dpi, button, ShownPixels(button));
            } else if (auto* cell = dynamic_cast<CellControl*>(element)) {
                const std::vector<uint32_t> shown = ShownPixels(cell);
                const uint32_t fill = TarnUtility::ToDibPixel(
                    cell->backColor != TarnUtility::kNoColor ? cell->backColor
                                                             : GetSysColor(COLOR_BTNFACE));
                const size_t w = static_cast<size_t>(size.cx);
                EXPECT_TRUE(shown[0] == fill && shown[w - 1] == fill &&
                            shown[shown.size() - w] == fill && shown.back() == fill)
                    << "cell at " << cell->left << "," << cell->top;
            }
        }
    }

    // The outline is the image of the four one-pixel lines of the face:
    // all of one colour, and the first pixels inside it of another.
    static void ExpectOutlined(int dpi, const Button* button, const std::vector<uint32_t>& shown) {
        const POINT origin = OriginOf(button);
        const auto x = [&](int at) { return Pixel(dpi, origin.x, at); };
        const auto y = [&](int at) { return Pixel(dpi, origin.y, at); };
        const int w = button->width, h = button->height;
        ASSERT_EQ(shown.size(), static_cast<size_t>(x(w) * y(h)));
        const auto at = [&](int px, int py) { return shown[static_cast<size_t>(py * x(w) + px)]; };
        int off = 0;
        for (int py = 0; py < y(h); ++py)
            for (int px = 0; px < x(w); ++px)
                if (px < x(1) || px >= x(w - 1) || py < y(1) || py >= y(h - 1))
                    off += at(px, py) != at(0, 0);
        EXPECT_EQ(off, 0) << "button " << button->left << ": the outline is off its edges";
        for (const POINT inside : {POINT{x(1), y(1)}, POINT{x(w - 1) - 1, y(h - 1) - 1}})
            EXPECT_NE(at(inside.x, inside.y), at(0, 0)) << "the outline is wider than its edges";
    }

    // A mouse position maps into a choice's box exactly when its pixel is
    // inside the choice's window: told to the form and to the choice, at
    // every pixel across the choice and just beyond, each way.
    void ExpectEveryPixelHitsItsBox() {
        static POINT told;
        const auto record = [](GUIElement*, int x, int y) { told = {x, y}; };
        form->mouseMoveHandler = record;
        for (ImageFrame* choice : {form->paperChoice, form->rockChoice, form->scissorsChoice}) {
            choice->mouseMoveHandler = record;
            const RECT box = PlaceOf(choice);
            const POINT middle{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
            const auto tell = [](GUIElement* to, POINT at) {
                SendMessageW(to->hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
                return told;
            };
            int wrong = 0;
            for (int d = -2; d < std::max(box.right - box.left, box.bottom - box.top) + 2; ++d) {
                const POINT across{box.left + d, middle.y}, down{middle.x, box.top + d};
                const bool inX = PtInRect(&box, across), inY = PtInRect(&box, down);
                const POINT formX = tell(form, across), formY = tell(form, down);
                wrong += (formX.x >= choice->left && formX.x < choice->left + choice->width) != inX;
                wrong += (formY.y >= choice->top && formY.y < choice->top + choice->height) != inY;
                const POINT ownX = tell(choice, {d, middle.y - box.top});
                const POINT ownY = tell(choice, {middle.x - box.left, d});
                wrong += (ownX.x >= 0 && ownX.x < choice->width) != inX;
                wrong += (ownY.y >= 0 && ownY.y < choice->height) != inY;
            }
            EXPECT_EQ(wrong, 0) << "choice at " << choice->left;
            choice->mouseMoveHandler = nullptr;
        }
        form->mouseMoveHandler = nullptr;
        // A header's width is handed on in the element's units too.
        auto* header = new TarnUtility::Element<HeaderProbe>(form);
        header->Create();
        int wrong = 0;
        for (int width = 0; width <= 300; ++width) {
            HDITEMW item{};
            item.mask = HDI_WIDTH;
            item.cxy = MulDiv(width, TarnUtility::ScreenDpi(), 96);
            NMHEADERW notice{};
            notice.hdr = NMHDR{header->hwnd, 0, HDN_ITEMCHANGEDW};
            notice.pitem = &item;
            SendMessageW(form->hwnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
            wrong += header->told != width;
        }
        EXPECT_EQ(wrong, 0) << "header widths";
        delete header;
        // Scrolled by n positions, a panel's contents move by the image of n.
        auto* panel = new TarnUtility::Element<TarnUtility::PanelChildren>(form);
        panel->verticalScroll = true;
        panel->Create();
        auto* content = new TarnUtility::Element<TarnUtility::PanelChildren>(panel);
        content->top = 30;
        content->Create();
        const auto contentTop = [&] {
            RECT box{};
            GetWindowRect(content->hwnd, &box);
            MapWindowPoints(nullptr, panel->hwnd, reinterpret_cast<POINT*>(&box), 2);
            return static_cast<int>(box.top);
        };
        const int top = contentTop();
        wrong = 0;
        for (int n = 1; n <= 40; ++n) {
            SendMessageW(panel->hwnd, WM_VSCROLL, SB_LINEDOWN, 0);
            wrong += contentTop() != top - TarnUtility::ToScreen(n);
        }
        EXPECT_EQ(wrong, 0) << "scrolled contents";
        delete content;
        delete panel;
    }

    // What SetPosition and SetSize are given, GetPosition and GetSize give
    // back: on one child of each kind, on a child of a panel and on a form.
    void ExpectPlacesComeBack() {
        std::vector<GUIElement*> elements{form->aboutForm};
        std::vector<std::string> kinds;
        for (GUIElement* element : WindowedChildren()) {
            const std::string kind = typeid(*element).name();
            if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end() ||
                element->parent->parent) {
                kinds.push_back(kind);
                elements.push_back(element);
            }
        }
        for (GUIElement* element : elements) {
            const int base = element->parent ? 0 : 40; // a form stays on the desktop
            int wrong = 0;
            for (int v = 0; v < 12; ++v) {
                element->SetPosition(base + v, base + 2 * v + 1);
                const POINT place = element->GetPosition();
                wrong += place.x != base + v || place.y != base + 2 * v + 1;
                const SIZE given{(element->parent ? 1 : 300) + v,
                                 (element->parent ? 2 : 200) + 3 * v};
                element->SetSize(given.cx, given.cy);
                const SIZE size = element->GetSize();
                wrong += size.cx != given.cx || size.cy != given.cy;
            }
            EXPECT_EQ(wrong, 0) << element->typeName;
        }
    }
};

TEST_F(EveryDpi, EveryElementIsItsLayoutMappedByOneRule) {
    std::vector<RECT> fieldsAt96;
    for (const int dpi : Dpis()) {
        SCOPED_TRACE(dpi);
        ASSERT_TRUE(TarnUtility::SetScreenDpiForTests(dpi)) << "an element is left from before";
        Open();
        SendMessageW(form->infoButton->hwnd, BM_CLICK, 0, 0);
        ASSERT_NE(form->aboutForm, nullptr);
        // The fields keep the 96-dpi values, whatever the scale.
        std::vector<RECT> fields;
        for (GUIElement* element : WindowedChildren())
            fields.push_back(RECT{element->left, element->top, element->width, element->height});
        if (fieldsAt96.empty())
            fieldsAt96 = fields;
        EXPECT_TRUE(std::equal(fields.begin(), fields.end(), fieldsAt96.begin(), fieldsAt96.end(),
                               [](const RECT& a, const RECT& b) { return EqualRect(&a, &b); }));
        ExpectEveryWindowMapped(dpi);
        ExpectEveryPictureExact(dpi, form->aboutForm->hwnd);
        ShowWindow(form->aboutForm->hwnd, SW_HIDE);
        for (ImageFrame* choice : {form->paperChoice, form->rockChoice, form->scissorsChoice})
            choice->Show(); // hidden until a round asks for a choice
        ExpectEveryPictureExact(dpi, form->hwnd);
        ExpectEveryPixelHitsItsBox();
        // A moved picture keeps the size its picture gives it, whatever
        // its fields say.
        form->titleImage->SetImageResource(form->leftBar->resourceId);
        form->titleImage->SetPosition(21, 17);
        ExpectEveryWindowMapped(dpi);
        ExpectPlacesComeBack();
        delete form;
        form = nullptr;
        if (HasFailure())
            return; // the first dpi that breaks the rule says enough
    }
}

// Below 96 the library draws as at 96, and at every dpi it uses a length
// comes back from the screen as it went. The seam refuses while an element
// exists, whose windows were made at the old scale.
TEST_F(EveryDpi, ScalingDownIsRefusedAndEveryLengthComesBack) {
    for (const int below : {72, 80, 88, 95}) {
        ASSERT_TRUE(TarnUtility::SetScreenDpiForTests(below));
        EXPECT_EQ(TarnUtility::ScreenDpi(), 96);
    }
    for (const int dpi : Dpis()) {
        ASSERT_TRUE(TarnUtility::SetScreenDpiForTests(dpi));
        int wrong = 0;
        for (int x = -300; x <= 2000; ++x)
            wrong += TarnUtility::ToLogical(TarnUtility::ToScreen(x)) != x ||
                     TarnUtility::ToLogicalPoint(TarnUtility::ToScreen(x)) != x;
        EXPECT_EQ(wrong, 0) << dpi;
    }
    Open();
    EXPECT_FALSE(TarnUtility::SetScreenDpiForTests(120));
}

class ScaledGame : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        const char* expected = std::getenv("TREVALO_TEST_DPI");
        ASSERT_NE(expected, nullptr) << "run by dpi-test.sh";
        ASSERT_EQ(TarnUtility::ScreenDpi(), std::atoi(expected)) << "the prefix's dpi was not read";
    }

    // A real click on the middle of a scaled choice picks it; one in the
    // gap beside its scaled box, which the 96-dpi box would cover, does not.
    void PlayARoundWithRealClicks() {
        Open();
        TickAt(0);
        const RECT button = PlaceOf(form->playButton);
        const POINT play = ScreenPoint(form->playButton, (button.right - button.left) / 2,
                                       (button.bottom - button.top) / 2);
        ASSERT_TRUE(TarnUtility::XClick(play.x, play.y, true));
        ASSERT_TRUE(TarnUtility::PumpUntil([this] { return form->engine.playing; }));
        random.script = {1}; // the computer's rock
        ASSERT_TRUE(TickUntil([this] { return Choosing(); }));
        const RECT rock = PlaceOf(form->rockChoice);
        const POINT gap = ScreenPoint(form->rockChoice, rock.right - rock.left + 2, 75);
        ASSERT_TRUE(TarnUtility::XClick(gap.x, gap.y, true));
        TarnUtility::PumpMessages();
        EXPECT_TRUE(Choosing());
        const POINT middle = ScreenPoint(form->rockChoice, (rock.right - rock.left) / 2, 75);
        ASSERT_TRUE(TarnUtility::XClick(middle.x, middle.y, true));
        EXPECT_TRUE(TarnUtility::PumpUntil([this] { return !Choosing(); }));
        EXPECT_EQ(form->playerHand->frameColumn, 1);
        EXPECT_EQ(form->banner->frameColumn, 6); // rock against rock
    }
};
using At144 = ScaledGame;
using At120 = ScaledGame;

TEST_F(At144, RealClicksOnTheScaledPicturesPlayARound) {
    PlayARoundWithRealClicks();
}

TEST_F(At120, RealClicksOnTheScaledPicturesPlayARound) {
    PlayARoundWithRealClicks();
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

} // namespace
} // namespace MyGame
