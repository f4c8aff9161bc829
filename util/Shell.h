#pragma once
// Opening documents and web or "mailto:" addresses with the user's handler.
#include <windows.h>
#include <string>

namespace TarnUtility {

// Hands `target` to the shell's "open" verb; true when the shell accepted it.
bool ShellOpen(std::string target);

// The platform call behind ShellOpen: ShellExecuteW, from shell32.dll
// loaded with the first address opened. Tests point it at a recorder so
// that no browser starts; the program never changes it.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND owner, LPCWSTR verb, LPCWSTR file,
                                                LPCWSTR parameters, LPCWSTR directory, INT show);
extern ShellExecuteFunction shellExecuteFunction;

} // namespace TarnUtility
