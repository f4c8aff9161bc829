#include "util/Shell.h"

#include <shellapi.h>

#include "util/Text.h"

namespace TarnUtility {

ShellExecuteFunction shellExecuteFunction = ShellExecuteW;

bool ShellOpen(std::string target) {
    HINSTANCE result =
        shellExecuteFunction(nullptr, L"open", ToWide(target).c_str(), nullptr, nullptr, SW_SHOW);
    // The shell's convention: values above 32 mean success.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace TarnUtility
