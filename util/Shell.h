#pragma once
// Opening documents and web or "mailto:" addresses with the user's handler.
#include <windows.h>
#include <string>

namespace TarnUtility {

// Hands `target` to the shell's "open" verb; true when the shell accepted it.
// The first call initialises COM on the calling thread, apartment-threaded.
bool ShellOpen(std::string target);

// Uninitialises COM if ShellOpen initialised it: the program calls it once,
// at exit, on the thread that opened the addresses.
void ReleaseShell();

// The platform call behind ShellOpen: ShellExecuteW, from shell32.dll
// loaded with the first address opened. Tests point it at a recorder so
// that no browser starts; the program never changes it.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND owner, LPCWSTR verb, LPCWSTR file,
                                                LPCWSTR parameters, LPCWSTR directory, INT show);
extern ShellExecuteFunction shellExecuteFunction;

} // namespace TarnUtility
