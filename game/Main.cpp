// Trevalo: rock, paper, scissors against the computer.
#include <windows.h>

#include "game/FormMain.h"
#include "gui/MessageLoop.h"
#include "res/ResourceIds.h"
#include "util/Shell.h"

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
