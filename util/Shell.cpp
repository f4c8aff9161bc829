#include "util/Shell.h"

#include <shellapi.h>

#include "util/SystemLibrary.h"
#include "util/Text.h"

namespace TarnUtility {

namespace {
// ShellExecuteW of shell32.dll, loaded with the first address opened.
HINSTANCE WINAPI ShellExecuteOnDemand(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                      LPCWSTR directory, INT show) {
    static const auto execute = reinterpret_cast<ShellExecuteFunction>(
        reinterpret_cast<void*>(SystemFunction(L"shell32.dll", "ShellExecuteW")));
    return execute ? execute(owner, verb, file, parameters, directory, show)
                   : reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
}
} // namespace

ShellExecuteFunction shellExecuteFunction = ShellExecuteOnDemand;

bool ShellOpen(std::string target) {
    HINSTANCE result =
        shellExecuteFunction(nullptr, L"open", ToWide(target).c_str(), nullptr, nullptr, SW_SHOW);
    // The shell's convention: values above 32 mean success.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace TarnUtility
