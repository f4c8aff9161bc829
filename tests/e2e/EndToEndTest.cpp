// Starts the built Trevalo.exe and plays it as a person would: the mouse
// presses "GIOCA", picks hands, opens "Info" and answers the close question,
// all with real input from the X server, so that every click goes through
// hit-testing, the z-order, the enabled state and activation, and a click
// that does not arrive fails the test. The screen is read back and compared,
// pixel for pixel, with the frames of the game's own picture strips. The
// game runs on its real clock, so a match takes a few minutes: those
// seconds are the game's.
#include <gtest/gtest.h>

#include <windows.h>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "gui/Canvas.h"
#include "gui/XInput.h"
#include "res/ResourceIds.h"

namespace {

constexpr const wchar_t* kTitle = L"Tarn Trevalo " TREVALO_COPYRIGHT_WIDE;

std::wstring GameProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    folder = folder.substr(0, folder.find_last_of(L"\\/")); // tests
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"Trevalo.exe";
}

// Waits for `done`, checking every 50 ms: the other process runs on its own.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

// The screen, or a part of it, as 32-bit pixels.
struct Shot {
    int left, top, width, height;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const {
        return pixels[static_cast<size_t>((y - top) * width + (x - left))];
    }
};

Shot Capture(int left, int top, int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();
    Shot shot{left, top, width, height, std::vector<COLORREF>(static_cast<size_t>(width * height))};
    const auto* raw = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < shot.pixels.size(); ++i)
        shot.pixels[i] = RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

// One frame of one of the game's strips, as the game draws it.
Shot Frame(int stripId, int frame, int width, int height) {
    HBITMAP strip =
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(stripId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(source, strip);
    Shot shot{0, 0, width, height, std::vector<COLORREF>(static_cast<size_t>(width * height))};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            shot.pixels[static_cast<size_t>(y * width + x)] =
                GetPixel(source, frame * width + x, y);
    SelectObject(source, previous);
    DeleteDC(source);
    ReleaseDC(nullptr, screen);
    DeleteObject(strip);
    return shot;
}

// Saves the whole screen as a bitmap file in the temporary folder, for a
// person to look at when the test failed; returns its path.
std::string SaveScreen(const char* name) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const Shot shot = Capture(0, 0, width, height);
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name + ".bmp";
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{sizeof(info), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(width * height * 4);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return "";
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&info, sizeof(info), 1, out);
    for (COLORREF pixel : shot.pixels) {
        const uint32_t bgr = TarnUtility::ToDibPixel(pixel);
        std::fwrite(&bgr, 4, 1, out);
    }
    std::fclose(out);
    return path;
}

class Trevalo : public ::testing::Test {
protected:
    void SetUp() override {
        std::wstring command = L"\"" + GameProgram() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process));
        WaitForInputIdle(process.hProcess, 20000);
        ASSERT_TRUE(
            WaitFor([this] { return (game = FindWindowW(nullptr, kTitle)) != nullptr; }, 20000));
        WaitForInputIdle(process.hProcess, 20000); // the loop waits for the first click
        POINT origin{0, 0};
        ClientToScreen(game, &origin);
        clientLeft = origin.x;
        clientTop = origin.y;
    }

    void TearDown() override {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    // Clicks once at a point of the game's client area and waits for what
    // the click must do. A click that does nothing fails the test, with a
    // screenshot and what the system thinks of the input at that moment.
    bool Click(int x, int y, const char* what, const std::function<bool()>& done) {
        return ClickScreen(clientLeft + x, clientTop + y, what, done);
    }

    bool ClickScreen(int x, int y, const char* what, const std::function<bool()>& done) {
        if (!TarnUtility::XClick(x, y, false)) {
            std::printf("xdotool could not click %s\n", what);
            return false;
        }
        if (WaitFor(done, 5000))
            return true;
        std::printf("the click on %s did nothing; the screen: %s\n", what,
                    SaveScreen("trevalo-e2e").c_str());
        Describe(x, y);
        return false;
    }

    // What the system thinks of the mouse and the game's input, for a test
    // whose click did nothing.
    void Describe(int x, int y) const {
        GUITHREADINFO input{};
        input.cbSize = sizeof(input);
        GetGUIThreadInfo(GetWindowThreadProcessId(game, nullptr), &input);
        POINT cursor{};
        GetCursorPos(&cursor);
        HWND under = WindowFromPoint(POINT{x, y});
        wchar_t kind[64] = {};
        GetClassNameW(under, kind, 64);
        std::printf("cursor %ld,%ld; click at %d,%d; window there %p (%ls); capture %p, "
                    "focus %p, active %p, flags %lx; foreground %p, game %p\n",
                    cursor.x, cursor.y, x, y, static_cast<void*>(under), kind,
                    static_cast<void*>(input.hwndCapture), static_cast<void*>(input.hwndFocus),
                    static_cast<void*>(input.hwndActive), input.flags,
                    static_cast<void*>(GetForegroundWindow()), static_cast<void*>(game));
    }

    // The part of the client area at (x, y) equals the frame, pixel for pixel.
    bool Shows(int x, int y, const Shot& frame) const {
        const Shot shot = Capture(clientLeft + x, clientTop + y, frame.width, frame.height);
        return shot.pixels == frame.pixels;
    }

    struct TextSearch {
        const wchar_t* prefix;
        std::wstring found;
    };

    static BOOL CALLBACK MatchText(HWND child, LPARAM data) {
        auto* search = reinterpret_cast<TextSearch*>(data);
        wchar_t text[64] = {};
        GetWindowTextW(child, text, 64);
        if (std::wstring(text).rfind(search->prefix, 0) != 0)
            return TRUE;
        search->found = text;
        return FALSE;
    }

    // The text of the game's first child window whose text starts so.
    std::wstring ChildText(const wchar_t* startingWith) const {
        TextSearch search{startingWith, L""};
        EnumChildWindows(game, MatchText, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // Answers the question box by clicking one of its buttons, once the box
    // is on the screen and ready for input.
    void Answer(int button, const char* what) {
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor(
            [&] {
                box = FindWindowW(nullptr, L"Uscita");
                return box && IsWindowVisible(box) && GetDlgItem(box, button);
            },
            10000));
        RECT bounds{};
        GetWindowRect(GetDlgItem(box, button), &bounds);
        ASSERT_TRUE(ClickScreen((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2,
                                what, [&] { return !IsWindow(box); }));
    }

    static BOOL CALLBACK MatchPicture(HWND child, LPARAM data) {
        wchar_t kind[16] = {};
        GetClassNameW(child, kind, 16);
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if (lstrcmpiW(kind, L"Static") != 0 || (style & SS_TYPEMASK) != SS_BITMAP)
            return TRUE;
        GetWindowRect(child, reinterpret_cast<RECT*>(data));
        return FALSE;
    }

    // The screen rectangle of the About window's logo picture.
    static RECT LogoOf(HWND about) {
        RECT found{};
        EnumChildWindows(about, MatchPicture, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    PROCESS_INFORMATION process{};
    HWND game = nullptr;
    int clientLeft = 0, clientTop = 0;
};

// The outcome table: the banner frame for the player's pick (0-2) against
// the computer's move (3-5).
int ResultFrame(int pick, int computer) {
    if (pick + computer == 5)
        return 6;
    const bool wins = (pick == 0 && computer == 4) || (pick == 1 && computer == 3) ||
                      (pick == 2 && computer == 5);
    return wins ? 4 : 5;
}

TEST_F(Trevalo, APlayerPlaysAMatchLooksAtInfoAndQuits) {
    const Shot title = Frame(IDB_BANNERS, 0, 200, 100);
    std::vector<Shot> hands;
    for (int frame = 0; frame < 6; ++frame)
        hands.push_back(Frame(IDB_HANDS, frame, 100, 100));
    std::vector<Shot> banners;
    for (int frame = 0; frame < 7; ++frame)
        banners.push_back(Frame(IDB_BANNERS, frame, 200, 100));

    // The idle table: the title, the computer's scissors, the player's rock.
    ASSERT_TRUE(WaitFor([&] { return Shows(220, 197, title); }, 10000));
    EXPECT_TRUE(Shows(86, 197, hands[3]));
    EXPECT_TRUE(Shows(453, 197, hands[1]));

    ASSERT_TRUE(Click(322, 46, "GIOCA", [&] { return ChildText(L"ABBANDONA") == L"ABBANDONA"; }));

    const int picks[] = {1, 0, 2}; // rock, paper, scissors in turn
    const int choiceLeft[] = {150, 270, 390};
    int rounds = 0;
    while (ChildText(L"ABBANDONA") == L"ABBANDONA") {
        // Ten points to one side take at most 19 decided rounds; ties, a third
        // of the rounds, could not make up 41 more.
        ASSERT_LT(rounds, 60) << "no side reached ten points in 60 rounds";
        const int pick = picks[rounds % 3];
        // The choices appear after the countdown.
        ASSERT_TRUE(WaitFor([&] { return Shows(270, 369, hands[1]); }, 15000)) << rounds;
        ASSERT_TRUE(Click(choiceLeft[pick] + 50, 419, "a choice",
                          [&] { return Shows(453, 197, hands[static_cast<size_t>(pick)]); }))
            << "round " << rounds;
        int computer = -1;
        for (int frame = 3; frame < 6; ++frame)
            if (Shows(86, 197, hands[static_cast<size_t>(frame)]))
                computer = frame;
        ASSERT_NE(computer, -1) << "no computer hand on the table";
        EXPECT_TRUE(WaitFor(
            [&] {
                return Shows(220, 197, banners[static_cast<size_t>(ResultFrame(pick, computer))]);
            },
            2000))
            << "round " << rounds << ": pick " << pick << " against " << computer;
        ++rounds;
        // The next round starts (the countdown's first digit) or the match ends.
        ASSERT_TRUE(WaitFor(
            [&] { return Shows(220, 197, banners[1]) || ChildText(L"GIOCA") == L"GIOCA"; }, 8000));
    }
    const std::wstring score = ChildText(L"Punteggio: ");
    EXPECT_TRUE(score.find(L"10") != std::wstring::npos) << std::string(score.begin(), score.end());
    EXPECT_EQ(ChildText(L"Fine"), L"Fine partita");
    EXPECT_GE(rounds, 10);

    // "Info" shows the About window over the disabled game window.
    HWND about = nullptr;
    ASSERT_TRUE(Click(442, 46, "Info",
                      [&] { return (about = FindWindowW(nullptr, L"Info...")) != nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(game); }, 2000));
    const RECT logoPlace = LogoOf(about);
    HBITMAP logo =
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_ABOUT_LOGO),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    HDC logoDc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(logoDc, logo);
    EXPECT_EQ(logoPlace.right - logoPlace.left, 163);
    EXPECT_TRUE(WaitFor(
        [&] {
            const Shot shot = Capture(logoPlace.left, logoPlace.top, 163, 50);
            for (int y = 0; y < 50; ++y)
                for (int x = 0; x < 163; ++x)
                    if (shot.At(shot.left + x, shot.top + y) != GetPixel(logoDc, x, y))
                        return false;
            return true;
        },
        5000));
    SelectObject(logoDc, previous);
    DeleteDC(logoDc);
    DeleteObject(logo);

    // Another program brings the game window to the front, as a taskbar
    // click or Alt+Tab does: the About window comes forward above it, and is
    // what shows inside its own rectangle.
    SwitchToThisWindow(game, TRUE);
    RECT place{};
    GetWindowRect(about, &place);
    const POINT middle{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    EXPECT_TRUE(WaitFor(
        [&] {
            HWND shown = WindowFromPoint(middle);
            return GetForegroundWindow() == about && (shown == about || IsChild(about, shown));
        },
        5000))
        << "the About window is not in front of the game window";

    // Escape closes it, and the game window takes the very next click.
    ASSERT_TRUE(TarnUtility::XKey("Escape", false));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(about); }, 5000)) << "Escape did not close Info";
    EXPECT_TRUE(
        WaitFor([&] { return IsWindowEnabled(game) && GetForegroundWindow() == game; }, 2000));

    // "Chiudi": No keeps the game, Yes ends it with exit code 0.
    auto question = [] { return FindWindowW(nullptr, L"Uscita") != nullptr; };
    ASSERT_TRUE(Click(562, 46, "Chiudi", question));
    Answer(IDNO, "No");
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 500), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(IsWindow(game));
    ASSERT_TRUE(Click(562, 46, "Chiudi", question));
    Answer(IDYES, "Yes");
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

} // namespace
