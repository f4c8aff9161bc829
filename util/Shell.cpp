#include "util/Shell.h"

#include <objbase.h>
#include <shellapi.h>

#include "util/SystemLibrary.h"
#include "util/Text.h"

namespace TarnUtility {

namespace {

bool comInitialized = false;

// Some shell handlers (mailto: among them, on current Windows) are started
// through COM, which ShellExecuteW's callers are asked to initialise on the
// thread first. It is done with the first address opened rather than at
// start: loading COM costs Wine some 90 ms, a third of the game's start.
void InitializeCom() {
    using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
    static const auto initialize = reinterpret_cast<Initialize>(
        reinterpret_cast<void*>(SystemFunction(L"ole32.dll", "CoInitializeEx")));
    if (!comInitialized && initialize)
        comInitialized =
            SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

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
    InitializeCom();
    HINSTANCE result =
        shellExecuteFunction(nullptr, L"open", ToWide(target).c_str(), nullptr, nullptr, SW_SHOW);
    // The shell's convention: values above 32 mean success.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void ReleaseShell() {
    if (!comInitialized)
        return;
    using Uninitialize = void(WINAPI*)();
    if (const auto uninitialize = reinterpret_cast<Uninitialize>(
            reinterpret_cast<void*>(SystemFunction(L"ole32.dll", "CoUninitialize"))))
        uninitialize();
    comInitialized = false;
}

} // namespace TarnUtility
