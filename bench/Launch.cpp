// launch.exe PROGRAM: starts PROGRAM and prints the milliseconds from the
// start of the process until its message loop first waits for input
// (WaitForInputIdle), then waits for it to end.
#include <windows.h>
#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, idle;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 1;
    WaitForInputIdle(process.hProcess, 60000);
    QueryPerformanceCounter(&idle);
    std::printf("idle %.1f\n", static_cast<double>(idle.QuadPart - start.QuadPart) * 1000.0 /
                                   static_cast<double>(frequency.QuadPart));
    std::fflush(stdout);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
