// Ten thousand random input events on the real game window, from a printed
// seed (TREVALO_SEED repeats a run): mouse moves, clicks and double-clicks
// anywhere in the window, keys, Alt+F, menu commands and time passing on
// the fake clock. After every event the game must hold its invariants, and
// once warm it must not grow in GDI objects, windows or elements.
#include "game/GameTest.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "about/FormAbout.h"
#include "gui/controls/Button.h"
#include "gui/controls/TextBox.h"
#include "gui/GdiCount.h"
#include "gui/controls/SubMenu.h"

namespace MyGame {
namespace {

using TarnUtility::GUIElement;

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}

int CountWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindowAndChildren,
                      reinterpret_cast<LPARAM>(&count));
    return count;
}

// Ends a menu that Alt+F opened: the menu's own loop runs this thread's
// timers, and nothing else here would close it.
void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

class RandomInput : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        const char* given = std::getenv("TREVALO_SEED");
        seed = given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : GetTickCount();
        std::printf("seed %u (TREVALO_SEED=%u repeats this run)\n", seed, seed);
        generator.seed(seed);
        OpenGame();
    }

    void OpenGame() {
        Open();
        form->timer->Stop(); // time passes only when the test says so
    }

    int Random(int below) { return std::uniform_int_distribution<int>(0, below - 1)(generator); }

    TarnUtility::FormAbout* OpenAbout() const {
        auto* about = form->aboutForm;
        return about && IsWindow(about->hwnd) ? about : nullptr;
    }

    // A point of a window's client area: half the time inside one of its
    // visible children (buttons, choices, cells), else anywhere. A player
    // mostly picks while choosing.
    POINT RandomPoint(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        const bool choosing = form->rockChoice->visible && window == form->hwnd;
        std::vector<HWND> children;
        for (HWND child = GetWindow(window, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const bool choice = child == form->paperChoice->hwnd ||
                                child == form->rockChoice->hwnd ||
                                child == form->scissorsChoice->hwnd;
            if (IsWindowVisible(child) && (!choosing || choice || Random(8) == 0))
                children.push_back(child);
        }
        if (!children.empty() && Random(2) == 0) {
            RECT box{};
            GetWindowRect(children[static_cast<size_t>(Random(static_cast<int>(children.size())))],
                          &box);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
            client = box;
        }
        return {client.left + Random(std::max<int>(1, client.right - client.left)),
                client.top + Random(std::max<int>(1, client.bottom - client.top))};
    }

    // The mouse at a point of the game window or of the About window, as
    // the system delivers it: to the window under it, or, over a disabled
    // window, only the cursor query that a press on it raises.
    void Mouse(int kind) {
        const TarnUtility::FormAbout* about = OpenAbout();
        HWND top = about && Random(2) == 0 ? about->hwnd : form->hwnd;
        POINT at = RandomPoint(top);
        if (!IsWindowEnabled(top)) {
            if (kind != 0)
                SendMessageW(top, WM_SETCURSOR, reinterpret_cast<WPARAM>(top),
                             MAKELPARAM(static_cast<WORD>(HTERROR), WM_LBUTTONDOWN));
            return;
        }
        HWND target = ChildWindowFromPointEx(top, at, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
        if (!target)
            target = top;
        if (kind != 0 && Seldom(target))
            return;
        MapWindowPoints(top, target, &at, 1);
        const LPARAM where = MAKELPARAM(at.x, at.y);
        // Each message reaches the window only while a person's hand could:
        // a click may hide it, or disable its window (the About window).
        auto send = [&](UINT message, WPARAM keys) {
            if (IsWindowVisible(target) && IsWindowEnabled(GetAncestor(target, GA_ROOT)))
                SendMessageW(target, message, keys, where);
        };
        send(WM_MOUSEMOVE, 0);
        if (kind == 1 || kind == 2) {
            send(WM_LBUTTONDOWN, MK_LBUTTON);
            send(WM_LBUTTONUP, 0);
        }
        if (kind == 2) {
            send(WM_LBUTTONDBLCLK, MK_LBUTTON);
            send(WM_LBUTTONUP, 0);
        }
        if (kind == 3) { // two clicks posted while the program was busy
            for (int i = 0; i < 2; ++i) {
                PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, where);
                PostMessageW(target, WM_LBUTTONUP, 0, where);
            }
        }
    }

    // Whether to drop a press on `target` that a player seldom makes: one
    // that abandons the match in play, or one on "Info" (a new window each
    // time, which is slow).
    bool Seldom(HWND target) {
        if (target == form->playButton->hwnd && form->engine.playing)
            return Random(20) != 0;
        return target == form->infoButton->hwnd && Random(4) != 0;
    }

    // A key to the window with the keyboard focus, with its character.
    void Key() {
        static const int keys[] = {VK_TAB, VK_RETURN, VK_SPACE, VK_ESCAPE, VK_LEFT,
                                   VK_UP,  VK_RIGHT,  VK_DOWN,  'A',       'G'};
        const int key = keys[Random(10)];
        HWND target = GetFocus() ? GetFocus() : GetActiveWindow();
        if (!target || (key == VK_SPACE && Seldom(target)))
            return;
        SendMessageW(target, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        const int ch = key == VK_TAB      ? '\t'
                       : key == VK_RETURN ? '\r'
                       : key == VK_SPACE  ? ' '
                       : key == VK_ESCAPE ? 27
                       : key >= 'A'       ? key + ('a' - 'A')
                                          : 0;
        if (ch && IsWindow(target))
            SendMessageW(target, WM_CHAR, static_cast<WPARAM>(ch), 1);
        if (IsWindow(target))
            SendMessageW(target, WM_KEYUP, static_cast<WPARAM>(key),
                         static_cast<LPARAM>(0xC0000001));
    }

    void AltF() {
        HWND target = GetActiveWindow() ? GetActiveWindow() : form->hwnd;
        SetTimer(nullptr, 0, 10, EndMenuSoon);
        SendMessageW(target, WM_SYSKEYDOWN, VK_MENU, 0x20000001);
        SendMessageW(target, WM_SYSCHAR, 'f', 0x20000001);
        if (IsWindow(target))
            SendMessageW(target, WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(0xC0000001));
    }

    void MenuCommand() {
        TarnUtility::SubMenu* items[] = {form->exitItem, form->homeItem, form->guideItem};
        SendMessageW(form->hwnd, WM_COMMAND, MAKEWPARAM(items[Random(3)]->id, 0), 0);
    }

    // Ticks every 30 ms for up to four seconds. A side at ten ends
    // the match two ticks later: the first shows the result, the second ends.
    void TimePasses(int event) {
        const int64_t until = clock.Millis() + Random(4000);
        while (clock.Millis() < until) {
            TickAt(clock.Millis() + 30);
            const RoundEngine& engine = form->engine;
            const bool ten = engine.playerScore == 10 || engine.computerScore == 10;
            ticksAtTen = engine.playing && ten ? ticksAtTen + 1 : 0;
            ASSERT_LE(ticksAtTen, 1) << "seed " << seed << ", event " << event
                                     << ": a side has ten points and the match goes on";
        }
    }

    // What must hold after every event; a failure names the seed and event.
    void CheckInvariants(int event) {
        const std::string where =
            "seed " + std::to_string(seed) + ", event " + std::to_string(event);
        ASSERT_TRUE(IsWindow(form->hwnd)) << where;
        const RoundEngine& engine = form->engine;
        ASSERT_LE(engine.playerScore, 10) << where;
        ASSERT_LE(engine.computerScore, 10) << where;
        // Input picks at most once: time alone scores nothing, and a
        // new match starts both sides at zero.
        const int points = engine.playerScore + engine.computerScore;
        ASSERT_LE(points, pointsBefore + 1) << where << ": one event scored twice";
        pointsBefore = points;
        const bool ten = engine.playerScore == 10 || engine.computerScore == 10;
        if (form->messageCell->GetText() == L"Fine partita") {
            ASSERT_TRUE(ten) << where << ": the match ended before ten points";
        }
        const bool choosing =
            engine.playing && form->banner->frameColumn == 3 && !form->banner->visible;
        for (auto* choice : {form->paperChoice, form->rockChoice, form->scissorsChoice})
            ASSERT_TRUE(!choice->visible || choosing)
                << where << ": a choice shows outside a round";
        ASSERT_EQ(IsWindowEnabled(form->hwnd) != FALSE, OpenAbout() == nullptr) << where;
    }

    unsigned seed = 0;
    std::mt19937 generator;
    int ticksAtTen = 0;
    int pointsBefore = 0;
};

TEST_F(RandomInput, TenThousandEventsKeepTheGameRight) {
    struct Usage {
        int gdi, windows;
        size_t elements;
    };
    bool warm = false;
    Usage baseline{};
    int matches = 0, abouts = 0;
    bool endedBefore = false, aboutBefore = false;
    // What the process keeps once made is made before the measures: the
    // menu's fonts, what the first game window leaves for the next, and the
    // display DC that the system caches when an edit box repaints a word
    // selected by a double-click.
    AltF();
    SendMessageW(form->infoButton->hwnd, BM_CLICK, 0, 0);
    const HWND notice = form->aboutForm->noticeBox->hwnd;
    const LPARAM word = MAKELPARAM(180, 28);
    SendMessageW(notice, WM_LBUTTONDOWN, MK_LBUTTON, word);
    SendMessageW(notice, WM_LBUTTONUP, 0, word);
    SendMessageW(notice, WM_LBUTTONDBLCLK, MK_LBUTTON, word);
    SendMessageW(notice, WM_LBUTTONUP, 0, word);
    TarnUtility::PumpMessages();
    SendMessageW(form->aboutForm->okButton->hwnd, BM_CLICK, 0, 0);
    TarnUtility::PumpMessages();
    delete form;
    form = nullptr;
    OpenGame();
    for (int event = 0; event < 10000; ++event) {
        Recorder::answer = Random(20) == 0 ? IDYES : IDNO;
        const int kind = Random(100);
        if (kind < 15)
            Mouse(0);
        else if (kind < 50)
            Mouse(1);
        else if (kind < 55)
            Mouse(2);
        else if (kind < 58)
            Mouse(3);
        else if (kind < 73)
            Key();
        else if (kind < 75)
            AltF();
        else if (kind < 78)
            MenuCommand();
        else
            TimePasses(event);
        TarnUtility::PumpMessages();
        if (form->destroyed) { // closed with "Yes": the player starts it again
            delete form;
            form = nullptr;
            OpenGame();
        }
        CheckInvariants(event);
        if (HasFatalFailure())
            return;
        const bool ended = form->messageCell->GetText() == L"Fine partita";
        matches += ended && !endedBefore;
        endedBefore = ended;
        abouts += OpenAbout() && !aboutBefore;
        aboutBefore = OpenAbout() != nullptr;

        // Measured the same way each time: with a fresh About window opened,
        // painted and closed, as a player leaves it.
        if (event % 500 == 499 && event >= 2000 && IsWindowEnabled(form->hwnd)) {
            SendMessageW(form->infoButton->hwnd, BM_CLICK, 0, 0);
            TarnUtility::PumpMessages();
            SendMessageW(form->aboutForm->okButton->hwnd, BM_CLICK, 0, 0);
            TarnUtility::PumpMessages();
            Recorder::opened.clear();
            const Usage now{TarnUtility::CountGdiObjects(), CountWindows(),
                            TarnUtility::ElementRegistry().size()};
            if (!warm) {
                baseline = now;
                warm = true;
            }
            EXPECT_LE(now.gdi, baseline.gdi) << "GDI objects grew by event " << event;
            EXPECT_LE(now.windows, baseline.windows) << "windows grew by event " << event;
            EXPECT_LE(now.elements, baseline.elements) << "elements grew by event " << event;
        }
    }
    EXPECT_TRUE(warm) << "no measure was taken: the About window was open at every one";
    std::printf("%d matches played to the end, %d About windows opened\n", matches, abouts);
}

} // namespace
} // namespace MyGame
