#include "util/SystemLibrary.h"

#include <string>

namespace TarnUtility {

FARPROC SystemFunction(const wchar_t* library, const char* name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    // A full path: never a library of the same name beside the program.
    const std::wstring path = std::wstring(folder) + L"\\" + library;
    HMODULE module = LoadLibraryW(path.c_str());
    return module ? GetProcAddress(module, name) : nullptr;
}

} // namespace TarnUtility
