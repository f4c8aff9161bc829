#pragma once
// Functions of Windows' own libraries that the program needs only now and
// then (sounds, links, tooltips). Loading such a library at start-up costs
// more than anything else the program does before its window is ready, so
// it is loaded the first time one of its functions is wanted, from the
// system folder only, and kept until the process ends.
#include <windows.h>

namespace TarnUtility {

// The address of `name` in the system library `library`, or null.
FARPROC SystemFunction(const wchar_t* library, const char* name);

} // namespace TarnUtility
