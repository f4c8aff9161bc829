// Starts the built Trevalo.exe and plays it as a person would: the mouse
// presses "GIOCA", picks hands and answers the close question; the screen
// is read back and compared, pixel for pixel, with the frames of the
// game's own picture strips. The game runs on its real clock, so a match
// takes a few minutes: those seconds are the game's.
#include <gtest/gtest.h>

#include <windows.h>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

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

    COLORREF At(int x, int y) const { return pixels[(y - top) * width + (x - left)]; }
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
    Shot shot{left, top, width, height, std::vector<COLORREF>(width * height)};
    const auto* raw = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i)
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
    Shot shot{0, 0, width, height, std::vector<COLORREF>(width * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            shot.pixels[y * width + x] = GetPixel(source, frame * width + x, y);
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
    file.bfSize = file.bfOffBits + width * height * 4;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return "";
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&info, sizeof(info), 1, out);
    for (COLORREF pixel : shot.pixels) {
        const uint32_t bgr = (GetRValue(pixel) << 16) | (GetGValue(pixel) << 8) | GetBValue(pixel);
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
        SetForegroundWindow(game);
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

    // Moves the mouse to a point of the game's client area and clicks there.
    void ClickAt(int x, int y) { ClickScreen(clientLeft + x, clientTop + y); }

    // Clicks at a point of the client area until `done`, at most three
    // times: under Wine a click now and then reaches no window, and a person
    // would simply click again. Each extra click is reported.
    bool ClickUntil(int x, int y, const char* what, const std::function<bool()>& done) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (attempt > 0)
                std::printf("clicking %s again\n", what);
            // A few pixels apart each time, so that no click is taken for
            // the second half of a double click.
            ClickAt(x + 5 * attempt, y + 3 * attempt);
            if (WaitFor(done, 3000))
                return true;
        }
        std::printf("the screen after the last click: %s\n", SaveScreen("trevalo-e2e").c_str());
        Describe(clientLeft + x, clientTop + y);
        // Wine's input now and then delivers no click to a window that shows
        // under the cursor: press the window itself, and say so.
        HWND under = WindowFromPoint(POINT{clientLeft + x, clientTop + y});
        POINT inside{clientLeft + x, clientTop + y};
        ScreenToClient(under, &inside);
        PostMessageW(under, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
        PostMessageW(under, WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
        const bool pressed = WaitFor(done, 3000);
        std::printf("pressing %s's window directly %s\n", what, pressed ? "worked" : "failed too");
        return pressed;
    }

    // What the system thinks of the mouse and the game's input, for a test
    // that failed to click.
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

    // Moves the mouse there, presses and releases, in one batch of input: a
    // pause between them gives the X server's pointer time to move the
    // cursor back under Wine's virtual desktop.
    static void ClickScreen(int x, int y) {
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        SetCursorPos(x, y);
        INPUT input[3] = {};
        const DWORD steps[] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
        for (int i = 0; i < 3; ++i) {
            input[i].type = INPUT_MOUSE;
            input[i].mi.dx = (x * 65535 + width / 2) / (width - 1);
            input[i].mi.dy = (y * 65535 + height / 2) / (height - 1);
            input[i].mi.dwFlags = steps[i] | MOUSEEVENTF_ABSOLUTE;
        }
        SendInput(3, input, sizeof(INPUT));
    }

    static void PressKey(WORD key) {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = key;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
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
    // is on the screen; a click that came too early is made again.
    void Answer(int button) {
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor(
            [&] {
                box = FindWindowW(nullptr, L"Uscita");
                return box && IsWindowVisible(box) && GetDlgItem(box, button);
            },
            10000));
        for (int attempt = 0; attempt < 5 && IsWindow(box); ++attempt) {
            RECT bounds{};
            GetWindowRect(GetDlgItem(box, button), &bounds);
            ClickScreen((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
            WaitFor([&] { return !IsWindow(box); }, 2000);
        }
        ASSERT_FALSE(IsWindow(box));
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

    ASSERT_TRUE(
        ClickUntil(322, 46, "GIOCA", [&] { return ChildText(L"ABBANDONA") == L"ABBANDONA"; }));

    const int picks[] = {1, 0, 2}; // rock, paper, scissors in turn
    const int choiceLeft[] = {150, 270, 390};
    int rounds = 0;
    while (ChildText(L"ABBANDONA") == L"ABBANDONA") {
        const int pick = picks[rounds % 3];
        // The choices appear after the countdown.
        ASSERT_TRUE(WaitFor([&] { return Shows(270, 369, hands[1]); }, 15000)) << rounds;
        ASSERT_TRUE(ClickUntil(choiceLeft[pick] + 50, 419, "a choice",
                               [&] { return Shows(453, 197, hands[pick]); }))
            << "round " << rounds;
        int computer = -1;
        for (int frame = 3; frame < 6; ++frame)
            if (Shows(86, 197, hands[frame]))
                computer = frame;
        ASSERT_NE(computer, -1) << "no computer hand on the table";
        EXPECT_TRUE(
            WaitFor([&] { return Shows(220, 197, banners[ResultFrame(pick, computer)]); }, 2000))
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
    ASSERT_TRUE(ClickUntil(442, 46, "Info",
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
    SetForegroundWindow(about);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(about); }, 10000));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(game) != FALSE; }, 2000));

    // "Chiudi": No keeps the game, Yes ends it with exit code 0.
    auto question = [] { return FindWindowW(nullptr, L"Uscita") != nullptr; };
    ASSERT_TRUE(ClickUntil(562, 46, "Chiudi", question));
    Answer(IDNO);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 500), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(IsWindow(game));
    ASSERT_TRUE(ClickUntil(562, 46, "Chiudi", question));
    Answer(IDYES);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

} // namespace
