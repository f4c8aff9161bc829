// Starts the example program, uses its window as a person would (moves and
// resizes it, clicks into it) and closes it: the program ends with 0.
#include <gtest/gtest.h>

#include <windows.h>
#include <string>

namespace {

std::wstring BesideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring full = path;
    return full.substr(0, full.find_last_of(L"\\/") + 1) + name;
}

HWND WaitForWindow(const wchar_t* title, DWORD processId) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        HWND window = FindWindowW(nullptr, title);
        DWORD owner = 0;
        if (window && GetWindowThreadProcessId(window, &owner) && owner == processId &&
            IsWindowVisible(window))
            return window;
        Sleep(50); // another process starting: nothing to pump here
    }
    return nullptr;
}

TEST(EmptyFormProgram, OpensIsUsedAndClosesWithExitCodeZero) {
    std::wstring command = L"\"" + BesideThisProgram(L"empty_form.exe") + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    WaitForInputIdle(process.hProcess, 10000);

    HWND window = WaitForWindow(L"Empty form", process.dwProcessId);
    ASSERT_NE(window, nullptr);
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 320);
    EXPECT_EQ(outer.bottom - outer.top, 200);

    SetWindowPos(window, nullptr, 10, 10, 400, 300, SWP_NOZORDER);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    PostMessageW(window, WM_CLOSE, 0, 0);

    ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace
