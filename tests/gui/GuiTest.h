#pragma once
// Shared pieces of the tests that drive real windows under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

#include "gui/ElementRegistry.h"
#include "gui/ElementWndProc.h"
#include "gui/Form.h"
#include "gui/GUIElement.h"

namespace TarnUtility {

// An element kind with no window of its own, for registry tests.
class ProbeElement : public Child {
public:
    explicit ProbeElement(HWND window = nullptr, int elementId = 0) : Child(nullptr) {
        hwnd = window;
        id = elementId;
    }
    void Create() override { created = true; }
};

// Delivers every message waiting for this thread, as a message loop would,
// up to a bound: a window whose paint never validates it gets WM_PAINT for
// ever.
inline void PumpMessages() {
    MSG message;
    for (int count = 0; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++count) {
        if (count == 100000) {
            ADD_FAILURE() << "messages keep coming: the last was " << message.message;
            return;
        }
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Handles messages as they come until `done`, for at most `limitMs`: input,
// and activation that another thread or process asked for, arrive through
// this thread's queue.
template <typename Done> bool PumpUntil(Done done, DWORD limitMs = 2000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

// Counts the quit messages waiting for this thread and removes them.
inline int TakeQuitMessages() {
    int count = 0;
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        ++count;
    return count;
}

// A pixel of a window as the screen shows it, once every pending paint has
// happened.
inline COLORREF ScreenPixel(HWND window, int x, int y) {
    UpdateWindow(window);
    PumpMessages();
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

// Every pixel of a window's client area as the screen shows it, once every
// pending paint has happened.
inline std::vector<uint32_t> WindowPixels(HWND window) {
    UpdateWindow(window);
    PumpMessages();
    RECT client{};
    GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HDC dc = GetDC(window);
    BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> pixels(first, first + client.right * client.bottom);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return pixels;
}

inline DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

inline DWORD ExtendedStyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

inline std::wstring ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// Each test starts with no main window of its own, so that destroying a
// test form does not end anything unless the test asks for it.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedMain = Dispatch().mainWindow;
        Dispatch().mainWindow = kNotAWindow;
    }
    void TearDown() override {
        PumpMessages();
        TakeQuitMessages();
        Dispatch().mainWindow = savedMain;
    }

    static inline HWND const kNotAWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(-2));
    HWND savedMain = nullptr;
};

} // namespace TarnUtility
