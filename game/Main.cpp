// Trevalo: rock, paper, scissors against the computer.
#include <windows.h>
#include <cstdlib>

#include "game/FormMain.h"
#include "gui/MessageLoop.h"
#include "res/ResourceIds.h"
#include "util/Shell.h"

// What ends the program when an exception leaves it (memory ran out). The C++
// library's own handler first writes the exception's type to the standard
// error, which a Windows program has none of, and brings in a demangler and
// a printf for it: a fifth of the program's code. Either way the end is
// abort().
#ifdef __GLIBCXX__
namespace __gnu_cxx {
[[noreturn]] void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    auto* form =
        new TarnUtility::Element<MyGame::FormMain>(instance, "Tarn Trevalo " TREVALO_COPYRIGHT);
    if (!form->hwnd) { // no window could be made: nothing to run
        delete form;
        return 1;
    }
    TarnUtility::RunMessageLoop(form);
    delete form;
    TarnUtility::ReleaseShell();
    return 0;
}
