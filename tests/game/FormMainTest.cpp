// The game window: its layout at 640 x 480, its state right after it opens,
// the button colours on the screen, the menu bar, a whole match through
// real messages on a fake clock, closing in its three ways, and teardown.
#include "GameTest.h"

#include "gui/GdiCount.h"
#include "gui/controls/Image.h"
#include "gui/controls/Menu.h"
#include "gui/controls/MenuBar.h"
#include "gui/controls/SubMenu.h"
#include "res/ResourceIds.h"

namespace MyGame {
namespace {

using TarnUtility::GUIElement;

RECT PlaceInClient(const FormMain& form, const GUIElement* element) {
    RECT box{};
    GetWindowRect(element->hwnd, &box);
    MapWindowPoints(nullptr, form.hwnd, reinterpret_cast<POINT*>(&box), 2);
    return box;
}

void ExpectPlaced(const FormMain& form, const GUIElement* element, int left, int top, int width,
                  int height) {
    const RECT box = PlaceInClient(form, element);
    EXPECT_EQ(box.left, left) << element->typeName;
    EXPECT_EQ(box.top, top) << element->typeName;
    EXPECT_EQ(box.right - box.left, width) << element->typeName;
    EXPECT_EQ(box.bottom - box.top, height) << element->typeName;
}

class Game : public GameTest {};

TEST_F(Game, TheWindowIs640By480WithNoMaximizeBox) {
    Open();
    RECT client{};
    GetClientRect(form->hwnd, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    EXPECT_FALSE(TarnUtility::StyleOf(form->hwnd) & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(TarnUtility::StyleOf(form->hwnd) & WS_MINIMIZEBOX);
    wchar_t title[64] = {};
    GetWindowTextW(form->hwnd, title, 64);
    EXPECT_EQ(std::wstring(title), L"Tarn Trevalo test");
    EXPECT_NE(SendMessageW(form->hwnd, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(mainForm, form);
}

TEST_F(Game, EveryElementSitsWhereTheLayoutPutsIt) {
    Open();
    ExpectPlaced(*form, form->titleImage, 28, 10, 200, 50);
    ExpectPlaced(*form, form->playButton, 272, 26, 100, 40);
    ExpectPlaced(*form, form->infoButton, 392, 26, 100, 40);
    ExpectPlaced(*form, form->closeButton, 512, 26, 100, 40);
    ExpectPlaced(*form, form->scoreCell, 62, 96, 200, 29);
    ExpectPlaced(*form, form->messageCell, 280, 96, 300, 29);
    ExpectPlaced(*form, form->topBar, 60, 146, 519, 16);
    ExpectPlaced(*form, form->leftBar, 60, 162, 19, 203);
    ExpectPlaced(*form, form->rightBar, 560, 162, 19, 203);
    ExpectPlaced(*form, form->bottomBar, 60, 349, 519, 16);
    ExpectPlaced(*form, form->computerHand, 86, 197, 100, 100);
    ExpectPlaced(*form, form->playerHand, 453, 197, 100, 100);
    ExpectPlaced(*form, form->banner, 220, 197, 200, 100);
    ExpectPlaced(*form, form->paperChoice, 150, 369, 100, 100);
    ExpectPlaced(*form, form->rockChoice, 270, 369, 100, 100);
    ExpectPlaced(*form, form->scissorsChoice, 390, 369, 100, 100);
    EXPECT_TRUE(form->scoreCell->border);
    EXPECT_FALSE(form->messageCell->border);
    EXPECT_TRUE(form->playButton->GetHandCursor());
    EXPECT_FALSE(form->infoButton->GetHandCursor());
    EXPECT_TRUE(form->rockChoice->GetHandCursor());
    EXPECT_EQ(form->timer->interval, 30);
    EXPECT_TRUE(form->timer->running);
}

TEST_F(Game, RightAfterOpeningTheTableIsIdle) {
    Open();
    EXPECT_EQ(form->banner->frameColumn, 0);
    EXPECT_TRUE(form->banner->visible);
    EXPECT_EQ(form->computerHand->frameColumn, 3);
    EXPECT_TRUE(form->computerHand->visible);
    EXPECT_EQ(form->playerHand->frameColumn, 1);
    EXPECT_TRUE(form->playerHand->visible);
    EXPECT_FALSE(IsWindowVisible(form->paperChoice->hwnd));
    EXPECT_FALSE(IsWindowVisible(form->rockChoice->hwnd));
    EXPECT_FALSE(IsWindowVisible(form->scissorsChoice->hwnd));
    EXPECT_EQ(form->messageCell->GetText(), L"");
    EXPECT_EQ(form->scoreCell->GetText(), L"Punteggio: 0 - 0");
    EXPECT_EQ(form->playButton->GetTextNarrow(), "GIOCA");
    EXPECT_FALSE(form->engine.playing);
}

// The borderless elements skip the frame painting they do not need; the
// score cell, which has a frame, keeps its sunken edge.
TEST_F(Game, TheScoreCellKeepsItsSunkenEdge) {
    Open();
    UpdateWindow(form->hwnd);
    HDC dc = GetWindowDC(form->scoreCell->hwnd);
    const COLORREF edge = GetPixel(dc, 1, 1); // inside the one-pixel WS_BORDER line
    ReleaseDC(form->scoreCell->hwnd, dc);
    EXPECT_EQ(edge, GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(Game, ThePlayButtonIsRedWithWhiteTextTheOthersGrey) {
    Open();
    auto hasInk = [](HWND window, COLORREF ink) {
        for (int x = 20; x < 80; ++x)
            for (int y = 10; y < 30; ++y)
                if (ScreenPixel(window, x, y) == ink)
                    return true;
        return false;
    };
    EXPECT_EQ(ScreenPixel(form->playButton->hwnd, 5, 5), RGB(255, 0, 0));
    EXPECT_TRUE(hasInk(form->playButton->hwnd, RGB(255, 255, 255)));
    for (auto* button : {form->infoButton, form->closeButton}) {
        EXPECT_EQ(ScreenPixel(button->hwnd, 5, 5), RGB(0xDC, 0xDC, 0xDC));
        EXPECT_TRUE(hasInk(button->hwnd, RGB(0, 0, 0)));
    }
}

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

TEST_F(Game, TheMenuBarHoldsFileAndHelp) {
    Open();
    HMENU bar = GetMenu(form->hwnd);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuText(bar, 0), L"&File");
    EXPECT_EQ(MenuText(bar, 1), L"&?");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 0), 0), L"&Esci");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 2);
    EXPECT_EQ(MenuText(GetSubMenu(bar, 1), 0), L"&Guida");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 1), 1), L"&Home");

    SendMessageW(form->hwnd, WM_COMMAND, MAKEWPARAM(form->homeItem->id, 0), 0);
    SendMessageW(form->hwnd, WM_COMMAND, MAKEWPARAM(form->guideItem->id, 0), 0);
    EXPECT_EQ(Recorder::opened,
              (std::vector<std::wstring>{L"http://www.tarn.example",
                                         L"http://www.tarn.example/Trevalo.asp"}));
}

TEST_F(Game, AWholeMatchThroughRealMessages) {
    Open();
    TickAt(0);
    SendMessageW(form->playButton->hwnd, BM_CLICK, 0, 0);
    EXPECT_EQ(form->playButton->GetTextNarrow(), "ABBANDONA");
    EXPECT_TRUE(form->engine.playing);

    // The player wins nine rounds with paper on rock, then the computer
    // answers scissors once, then the player's tenth win ends the match.
    int rounds = 0;
    while (form->engine.playing) {
        ASSERT_LT(rounds, 11) << "the match goes on after eleven rounds";
        random.script = {rounds == 9 ? 0 : 1};
        random.next = 0;
        ASSERT_TRUE(TickUntil([this] { return Choosing(); }));
        EXPECT_FALSE(form->banner->visible);
        Click(rounds == 9 ? form->scissorsChoice : form->paperChoice);
        Click(form->rockChoice); // a late press on a choice just hidden counts for nothing
        EXPECT_FALSE(Choosing());
        EXPECT_TRUE(form->computerHand->visible);
        ++rounds;
        ASSERT_TRUE(
            TickUntil([this] { return !form->engine.playing || form->banner->frameColumn == 1; }));
    }
    EXPECT_EQ(rounds, 11);
    EXPECT_EQ(form->scoreCell->GetText(), L"Punteggio: 10 - 0");
    EXPECT_EQ(form->messageCell->GetText(), L"Fine partita");
    EXPECT_EQ(form->playButton->GetTextNarrow(), "GIOCA");
    EXPECT_EQ(form->banner->frameColumn, 4);
    // Three ticks a round, a jingle for each of ten wins, silence for the draw.
    EXPECT_EQ(Recorder::sounds.size(), 11u * 3 + 10);
}

// Whatever sequence of paints reaches an element (its own change, the form
// repainting around it, being covered and uncovered), it shows the same.
TEST_F(Game, EveryElementLooksTheSameWhateverPaintedIt) {
    Open();
    form->scoreCell->SetText(std::string("Punteggio: 0 - 0"));
    form->messageCell->SetText(std::string("Fine partita"));
    auto screen = [this] {
        std::vector<std::vector<uint32_t>> pixels;
        for (GUIElement* child : TarnUtility::ChildrenOf(form->hwnd))
            if (IsWindowVisible(child->hwnd))
                pixels.push_back(TarnUtility::WindowPixels(child->hwnd));
        return pixels;
    };
    const auto first = screen();
    ASSERT_EQ(first.size(), 13u); // the choices are hidden

    form->rockChoice->Show(); // hiding it again repaints the form around it
    form->rockChoice->Hide();
    EXPECT_TRUE(screen() == first) << "after the form repainted";

    // Each element repainted alone, without erasing: what it leaves must
    // not show through (text drawn twice over itself, say).
    for (GUIElement* child : TarnUtility::ChildrenOf(form->hwnd))
        child->Refresh();
    EXPECT_TRUE(screen() == first) << "after each repainted itself";

    RECT place{};
    GetWindowRect(form->hwnd, &place);
    HWND cover = CreateWindowExW(WS_EX_TOPMOST, L"static", L"", WS_POPUP | WS_VISIBLE, place.left,
                                 place.top, place.right - place.left, place.bottom - place.top,
                                 nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(cover);
    DestroyWindow(cover);
    EXPECT_TRUE(screen() == first) << "after being covered";
}

TEST_F(Game, AbandoningShowsTheIdleTable) {
    Open();
    TickAt(0);
    SendMessageW(form->playButton->hwnd, BM_CLICK, 0, 0);
    ASSERT_TRUE(TickUntil([this] { return Choosing(); }));
    SendMessageW(form->playButton->hwnd, BM_CLICK, 0, 0);
    EXPECT_FALSE(form->engine.playing);
    EXPECT_EQ(form->playButton->GetTextNarrow(), "GIOCA");
    EXPECT_FALSE(Choosing());
    EXPECT_EQ(form->computerHand->frameColumn, 3);
    EXPECT_TRUE(form->banner->visible);
}

// The three ways of closing: the menu, the "Chiudi" button, the close box.
void CloseByMenu(FormMain& form) {
    SendMessageW(form.hwnd, WM_COMMAND, MAKEWPARAM(form.exitItem->id, 0), 0);
}
void CloseByButton(FormMain& form) {
    SendMessageW(form.closeButton->hwnd, BM_CLICK, 0, 0);
}
void CloseByBox(FormMain& form) {
    SendMessageW(form.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

class Closing : public GameTest, public ::testing::WithParamInterface<void (*)(FormMain&)> {};

// Another program's window, active while the question is open.
HWND otherProgram = nullptr;
void ActivateOtherProgram() {
    SetForegroundWindow(otherProgram);
}

TEST_P(Closing, NoLeavesEverythingAsItWas) {
    Open();
    Recorder::answer = IDNO;
    otherProgram = CreateWindowExW(0, L"static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                   nullptr, nullptr, nullptr);
    Recorder::whileAsking = ActivateOtherProgram;
    GetParam()(*form);
    EXPECT_EQ(GetForegroundWindow(), form->hwnd); // the game goes on
    DestroyWindow(otherProgram);
    ASSERT_EQ(Recorder::questions.size(), 1u);
    EXPECT_EQ(Recorder::questions[0].text, "Vuoi realmente uscire?");
    EXPECT_EQ(Recorder::questions[0].caption, "Uscita");
    EXPECT_EQ(Recorder::questions[0].type,
              static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL));
    EXPECT_TRUE(IsWindow(form->hwnd));
    EXPECT_TRUE(form->created);
    EXPECT_TRUE(form->timer->running);

    // A vetoed close left the window created: focus requests still work,
    // and the About window still disables it.
    SetFocus(nullptr);
    form->Focus();
    EXPECT_EQ(GetFocus(), form->hwnd);
    SendMessageW(form->infoButton->hwnd, BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(form->hwnd));
}

TEST_P(Closing, YesStopsTheTimerAndClosesTheWindow) {
    Open();
    Recorder::answer = IDYES;
    HWND window = form->hwnd;
    GetParam()(*form);
    EXPECT_EQ(Recorder::questions.size(), 1u);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(form->timer->running);
    EXPECT_TRUE(form->destroyed);
}

INSTANTIATE_TEST_SUITE_P(EveryWay, Closing,
                         ::testing::Values(CloseByMenu, CloseByButton, CloseByBox));

TEST_F(Game, ClosingTheMainWindowEndsTheLoop) {
    TarnUtility::Dispatch().mainWindow = nullptr;
    Open();
    Recorder::answer = IDYES;
    CloseByBox(*form);
    EXPECT_EQ(TarnUtility::TakeQuitMessages(), 1);
}

TEST_F(Game, TeardownLeavesNothingBehind) {
    // A first window loads what the process keeps (fonts, cursors, icons).
    Open();
    delete form;
    form = nullptr;
    TarnUtility::PumpMessages();

    const int gdiBefore = TarnUtility::CountGdiObjects();
    const size_t elementsBefore = TarnUtility::ElementRegistry().size();
    Open();
    HWND window = form->hwnd;
    HWND play = form->playButton->hwnd;
    EXPECT_EQ(TarnUtility::ElementRegistry().size(), elementsBefore + 24);
    delete form;
    form = nullptr;
    TarnUtility::PumpMessages();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(play));
    EXPECT_EQ(TarnUtility::ElementRegistry().size(), elementsBefore);
    EXPECT_EQ(TarnUtility::CountGdiObjects(), gdiBefore);
    EXPECT_EQ(mainForm, nullptr);
}

} // namespace
} // namespace MyGame
