#pragma once
// Real input, as a person gives it: the X server's own pointer and keyboard,
// driven by xdotool. Wine takes it as it takes a hand on the mouse, through
// hit-testing, the z-order, the enabled state and activation; input made
// inside Wine (SendInput) can go astray under its virtual desktop.
//
// Wine starts Unix programs but gives no handle to wait on, so the command
// runs through /bin/sh, which leaves its exit status in a file when done.
#include <windows.h>
#include <string>

namespace TarnUtility {

// Runs `xdotool ARGUMENTS` and waits until it has finished, handling this
// thread's messages meanwhile when `pump` is set (the windows that take the
// input may be this thread's). True when xdotool succeeded within 10 s.
inline bool Xdotool(const std::string& arguments, bool pump) {
    static int serial = 0;
    const std::string done = "/tmp/trevalo-xdotool-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(++serial);
    std::string command = "/bin/sh -c \"xdotool " + arguments + "; echo $? >" + done +
                          ".part && mv " + done + ".part " + done + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    if (process.hThread)
        CloseHandle(process.hThread);
    if (process.hProcess)
        CloseHandle(process.hProcess);
    std::string path = "Z:" + done; // the Unix root as Wine's drive Z
    for (char& c : path)
        if (c == '/')
            c = '\\';
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > 10000)
            return false;
        if (pump) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        } else {
            Sleep(5);
        }
    }
    char status[8] = {};
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD read = 0;
    ReadFile(file, status, sizeof(status) - 1, &read, nullptr);
    CloseHandle(file);
    DeleteFileA(path.c_str());
    return status[0] == '0';
}

// A left click at a point of the screen (Wine's virtual desktop).
inline bool XClick(int x, int y, bool pump) {
    return Xdotool("search --limit 1 --name 'Wine desktop$' mousemove --window %1 " +
                       std::to_string(x) + " " + std::to_string(y) + " click 1",
                   pump);
}

// The pointer moved to a point of the screen (Wine's virtual desktop).
inline bool XMove(int x, int y, bool pump) {
    return Xdotool("search --limit 1 --name 'Wine desktop$' mousemove --window %1 " +
                       std::to_string(x) + " " + std::to_string(y),
                   pump);
}

// A key pressed and released, by its X name ("Escape", "Return").
inline bool XKey(const std::string& name, bool pump) {
    return Xdotool("key " + name, pump);
}

} // namespace TarnUtility
