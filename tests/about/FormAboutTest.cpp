// The About window opened by the game's "Info" button: its layout and
// style, the owner disabled while it is open, every way of closing it and
// the game window taking the next click, coming forward whenever the game
// window is brought to the front, the links, a fresh window per click, and
// the game window going first.
#include "game/GameTest.h"

#include <atomic>
#include <thread>

#include "about/FormAbout.h"
#include "gui/controls/Image.h"
#include "gui/controls/Label.h"
#include "gui/controls/PanelChildren.h"
#include "gui/XInput.h"
#include "gui/controls/TextBox.h"
#include "res/ResourceIds.h"

namespace MyGame {
namespace {

using TarnUtility::FormAbout;
using TarnUtility::GUIElement;
using TarnUtility::PumpUntil;

class About : public GameTest {
protected:
    FormAbout* OpenAbout() {
        Open();
        SendMessageW(form->infoButton->hwnd, BM_CLICK, 0, 0);
        TarnUtility::PumpMessages();
        return form->aboutForm;
    }

    // `window` is above `below` in the z-order.
    static bool Above(HWND window, HWND below) {
        for (HWND w = GetWindow(below, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
            if (w == window)
                return true;
        return false;
    }

    // ...and it is what shows at its own centre.
    static bool InFront(HWND window, HWND below) {
        RECT place{};
        GetWindowRect(window, &place);
        HWND shown =
            WindowFromPoint({(place.left + place.right) / 2, (place.top + place.bottom) / 2});
        return Above(window, below) && (shown == window || IsChild(window, shown));
    }
};

void ExpectPlaced(HWND parent, const GUIElement* element, int left, int top, int width,
                  int height) {
    RECT box{};
    GetWindowRect(element->hwnd, &box);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(box.left, left) << element->typeName;
    EXPECT_EQ(box.top, top) << element->typeName;
    EXPECT_EQ(box.right - box.left, width) << element->typeName;
    EXPECT_EQ(box.bottom - box.top, height) << element->typeName;
}

TEST_F(About, TheLayoutFillsA600By300ClientArea) {
    FormAbout* about = OpenAbout();
    ASSERT_NE(about, nullptr);
    ExpectPlaced(about->hwnd, about->logoPanel, 10, 10, 184, 280);
    // A bitmap static sizes itself to its bitmap: 163 of the 164 asked for.
    ExpectPlaced(about->logoPanel->hwnd, about->logoImage, 5, 5, 163, 50);
    ExpectPlaced(about->hwnd, about->titleLabel, 209, 10, 381, 25);
    ExpectPlaced(about->hwnd, about->copyrightLabel, 209, 35, 381, 25);
    ExpectPlaced(about->hwnd, about->webLink, 209, 55, 150, 22);
    ExpectPlaced(about->hwnd, about->mailLink, 369, 55, 150, 22);
    ExpectPlaced(about->hwnd, about->noticeBox, 209, 85, 381, 155);
    ExpectPlaced(about->hwnd, about->okButton, 359, 250, 80, 25);
    RECT client{};
    GetClientRect(about->hwnd, &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 300);
}

TEST_F(About, ItShowsTheGamesTextsInADialogWindow) {
    FormAbout* about = OpenAbout();
    EXPECT_EQ(TarnUtility::StyleOf(about->hwnd) & ~static_cast<DWORD>(WS_CLIPSIBLINGS),
              0x10C80080u);
    EXPECT_EQ(TarnUtility::ExtendedStyleOf(about->hwnd) & ~static_cast<DWORD>(WS_EX_WINDOWEDGE),
              0x81u);
    wchar_t title[32] = {};
    GetWindowTextW(about->hwnd, title, 32);
    EXPECT_EQ(std::wstring(title), L"Info...");
    EXPECT_EQ(about->titleLabel->GetText(), L"Tarn Trevalo 1.0");
    EXPECT_EQ(about->copyrightLabel->GetTextNarrow(), TREVALO_COPYRIGHT);
    EXPECT_EQ(about->webLink->GetText(), L"http://www.tarn.example");
    EXPECT_EQ(about->mailLink->GetText(), L"info@tarn.example");
    EXPECT_NE(about->noticeBox->GetText().find(L"freeware"), std::wstring::npos);
    EXPECT_NE(about->logoImage->bitmap, nullptr);
    const DWORD box = TarnUtility::StyleOf(about->noticeBox->hwnd);
    EXPECT_TRUE(box & ES_MULTILINE);
    EXPECT_TRUE(box & ES_READONLY);
    EXPECT_TRUE(box & WS_VSCROLL);
    EXPECT_EQ(GetFocus(), about->okButton->hwnd);
}

// The ways of closing the About window.
void CloseByOk(FormAbout& about) {
    SendMessageW(about.okButton->hwnd, BM_CLICK, 0, 0);
}
void CloseByEnterInTheNotice(FormAbout& about) {
    SendMessageW(about.noticeBox->hwnd, WM_CHAR, '\r', 0);
}
void CloseByEscape(FormAbout& about) {
    SendMessageW(about.okButton->hwnd, WM_CHAR, 27, 0);
}
void CloseByBox(FormAbout& about) {
    SendMessageW(about.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

class AboutClosing : public About, public ::testing::WithParamInterface<void (*)(FormAbout&)> {};

TEST_P(AboutClosing, TheOwnerIsDisabledWhileOpenAndEnabledAfter) {
    FormAbout* about = OpenAbout();
    HWND window = about->hwnd;
    EXPECT_FALSE(IsWindowEnabled(form->hwnd));
    EXPECT_EQ(form->companionForm, about);
    // Another program's window lies between the two, as the system may
    // order them: the activation must still go back to the game.
    HWND other = CreateWindowExW(0, L"static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    SetWindowPos(other, window, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    GetParam()(*about);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsWindowEnabled(form->hwnd));
    EXPECT_EQ(form->companionForm, nullptr);
    EXPECT_EQ(form->aboutForm, about); // kept until the next click
    EXPECT_TRUE(Recorder::questions.empty());

    // The game is given back at once: it is active, and a real click on
    // "GIOCA" reaches it.
    EXPECT_EQ(GetActiveWindow(), form->hwnd);
    EXPECT_EQ(GetForegroundWindow(), form->hwnd);
    POINT play{50, 20};
    ClientToScreen(form->playButton->hwnd, &play);
    ASSERT_TRUE(TarnUtility::XClick(play.x, play.y, true));
    EXPECT_TRUE(PumpUntil([this] { return form->engine.playing; }));
    DestroyWindow(other);
}

// Closed while another window is active (from the taskbar, say), the About
// window gives the game back enabled, but takes the foreground from nobody.
TEST_F(About, ClosedWhileAnotherWindowIsActiveItLeavesThatOneActive) {
    FormAbout* about = OpenAbout();
    HWND other = CreateWindowExW(0, L"static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    TarnUtility::PumpMessages();
    ASSERT_EQ(GetForegroundWindow(), other);
    CloseByBox(*about);
    TarnUtility::PumpMessages();
    EXPECT_TRUE(IsWindowEnabled(form->hwnd));
    EXPECT_EQ(GetForegroundWindow(), other);
    DestroyWindow(other);
}

INSTANTIATE_TEST_SUITE_P(EveryWay, AboutClosing,
                         ::testing::Values(CloseByOk, CloseByEnterInTheNotice, CloseByEscape,
                                           CloseByBox));

// However the game window is brought to the front (a taskbar click, Alt+Tab:
// another thread's foreground call), the About window ends up above it.
TEST_F(About, ItComesForwardWhenTheGameWindowIsBroughtToTheFront) {
    FormAbout* about = OpenAbout();
    HWND game = form->hwnd;
    std::atomic<bool> called{false};
    std::thread other([&] {
        SwitchToThisWindow(game, TRUE); // may wait for this thread's answer
        called = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return called && GetForegroundWindow() == about->hwnd; }));
    other.join();
    EXPECT_TRUE(InFront(about->hwnd, game));
}

// As for a dialog and its owner: a click on the disabled game window brings
// the About window forward.
TEST_F(About, AClickOnTheDisabledGameWindowBringsItForward) {
    FormAbout* about = OpenAbout();
    RECT place{};
    GetWindowRect(about->hwnd, &place);
    HWND cover = CreateWindowExW(0, L"static", L"", WS_POPUP | WS_VISIBLE, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(cover);
    TarnUtility::PumpMessages();
    ASSERT_FALSE(InFront(about->hwnd, cover));
    POINT free{5, 5}; // the game's client area, clear of both windows
    ClientToScreen(form->hwnd, &free);
    ASSERT_TRUE(TarnUtility::XClick(free.x, free.y, true));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == about->hwnd; }));
    EXPECT_TRUE(InFront(about->hwnd, cover));
    EXPECT_TRUE(InFront(about->hwnd, form->hwnd));
    // Wine may bring the About window forward by itself; only the game
    // brings its own window forward too, directly behind the About window.
    EXPECT_TRUE(Above(form->hwnd, cover));

    // Windows tells the pressed disabled window, and the game brings both
    // forward, the About window above the game's and active. Then the
    // default processing runs (on Windows it beeps), which sets the arrow.
    RECT game{};
    GetWindowRect(form->hwnd, &game);
    UnionRect(&place, &place, &game);
    SetWindowPos(cover, HWND_TOP, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, 0);
    SetForegroundWindow(cover);
    TarnUtility::PumpMessages();
    ASSERT_TRUE(Above(cover, form->hwnd));
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    SendMessageW(form->hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(form->hwnd),
                 MAKELPARAM(static_cast<WORD>(HTERROR), WM_LBUTTONDOWN));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == about->hwnd; }));
    EXPECT_TRUE(InFront(about->hwnd, cover));
    EXPECT_TRUE(Above(form->hwnd, cover));
    EXPECT_TRUE(Above(about->hwnd, form->hwnd));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
    DestroyWindow(cover);
}

TEST_F(About, OtherCharactersReachTheControls) {
    FormAbout* about = OpenAbout();
    HWND box = about->noticeBox->hwnd;
    SendMessageW(box, EM_SETREADONLY, FALSE, 0); // so that a typed letter shows
    SendMessageW(box, EM_SETSEL, 0, 0);
    SendMessageW(box, WM_CHAR, 'x', 0);
    EXPECT_EQ(about->noticeBox->GetText().substr(0, 8), L"xTrevalo");
    EXPECT_TRUE(IsWindow(about->hwnd));
}

TEST_F(About, TheLinksOpenTheSiteAndTheMailAddress) {
    FormAbout* about = OpenAbout();
    Click(about->webLink);
    Click(about->mailLink);
    EXPECT_EQ(Recorder::opened,
              (std::vector<std::wstring>{L"http://www.tarn.example", L"mailto:info@tarn.example"}));
    EXPECT_TRUE(IsWindow(about->hwnd));
}

TEST_F(About, EachClickMakesAFreshWindow) {
    FormAbout* first = OpenAbout();
    HWND firstWindow = first->hwnd;
    CloseByOk(*first);
    const size_t elements = TarnUtility::ElementRegistry().size();
    SendMessageW(form->infoButton->hwnd, BM_CLICK, 0, 0);
    FormAbout* second = form->aboutForm;
    EXPECT_NE(second->hwnd, firstWindow);
    EXPECT_TRUE(IsWindow(second->hwnd));
    EXPECT_FALSE(IsWindowEnabled(form->hwnd));
    EXPECT_EQ(TarnUtility::ElementRegistry().size(), elements); // the first one is gone
}

TEST_F(About, TheGameWindowMayGoWhileTheAboutWindowIsOpen) {
    FormAbout* about = OpenAbout();
    HWND aboutWindow = about->hwnd;
    HWND okWindow = about->okButton->hwnd;
    HWND panelWindow = about->logoPanel->hwnd;
    delete form;
    form = nullptr;
    TarnUtility::PumpMessages();
    EXPECT_FALSE(IsWindow(aboutWindow));
    EXPECT_FALSE(IsWindow(okWindow));
    EXPECT_FALSE(IsWindow(panelWindow));
}

} // namespace
} // namespace MyGame
