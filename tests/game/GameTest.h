#pragma once
// A game window on a fake clock and generator, with the question box and
// the sounds answered and recorded instead of shown and played.
#include "gui/GuiTest.h"

#include <string>
#include <vector>

#include "engine/FakeRound.h"
#include "game/FormMain.h"
#include "gui/controls/Button.h"
#include "gui/controls/CellControl.h"
#include "gui/controls/ImageFrame.h"
#include "gui/controls/Timer.h"
#include "util/Shell.h"
#include "util/Sound.h"

namespace MyGame {

struct Question {
    std::string text, caption;
    UINT type;
};

// What the tests' message box and sound stand-ins saw and will answer.
struct Recorder {
    static inline std::vector<Question> questions;
    static inline int answer = IDNO;
    static inline std::vector<int> sounds;
    static inline std::vector<std::wstring> opened;
    static inline void (*whileAsking)() = nullptr; // what happens while the box is open

    static int WINAPI Ask(HWND, LPCSTR text, LPCSTR caption, UINT type) {
        questions.push_back({text, caption, type});
        if (whileAsking)
            whileAsking();
        return answer;
    }
    static BOOL WINAPI Play(LPCWSTR sound, HMODULE, DWORD) {
        sounds.push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(sound)));
        return TRUE;
    }
    static HINSTANCE WINAPI Open(HWND, LPCWSTR, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
        opened.push_back(file);
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
    }
};

class GameTest : public TarnUtility::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        Recorder::questions.clear();
        Recorder::sounds.clear();
        Recorder::opened.clear();
        Recorder::answer = IDNO;
        Recorder::whileAsking = nullptr;
        savedSound = TarnUtility::playSoundFunction;
        savedShell = TarnUtility::shellExecuteFunction;
        messageBoxFunction = Recorder::Ask;
        TarnUtility::playSoundFunction = Recorder::Play;
        TarnUtility::shellExecuteFunction = Recorder::Open;
    }
    void TearDown() override {
        delete form;
        form = nullptr;
        messageBoxFunction = MessageBoxA;
        TarnUtility::playSoundFunction = savedSound;
        TarnUtility::shellExecuteFunction = savedShell;
        GuiTest::TearDown();
    }

    FormMain* Open() {
        form = new TarnUtility::Element<FormMain>(GetModuleHandleW(nullptr), "Tarn Trevalo test",
                                                  clock, random, timing);
        SetForegroundWindow(form->hwnd);
        TarnUtility::PumpMessages();
        return form;
    }

    // One tick of the game's timer, as the system delivers it, at `ms`.
    void TickAt(int64_t ms) {
        clock.Set(ms);
        SendMessageW(form->hwnd, WM_TIMER, static_cast<WPARAM>(form->timer->id), 0);
    }

    // Ticks every 30 ms until `done`; false if it never happened.
    template <typename Done> bool TickUntil(Done done, int64_t limitMs = 60000) {
        const int64_t end = clock.Millis() + limitMs;
        while (!done()) {
            if (clock.Millis() > end)
                return false;
            TickAt(clock.Millis() + 30);
        }
        return true;
    }

    // The left mouse button pressed and released on an element's window.
    static void Click(TarnUtility::GUIElement* element, int x = 10, int y = 10) {
        SendMessageW(element->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(element->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    bool Choosing() const {
        return form->paperChoice->visible && form->rockChoice->visible &&
               form->scissorsChoice->visible;
    }

    TarnUtility::PlaySoundFunction savedSound = nullptr;
    TarnUtility::ShellExecuteFunction savedShell = nullptr;
    FakeClock clock;
    FakeRandom random;
    EngineTiming timing;
    FormMain* form = nullptr;
};

using TarnUtility::ScreenPixel;

} // namespace MyGame
