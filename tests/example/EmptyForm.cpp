// The smallest program on the library: one empty form, the message loop,
// and exit code 0 once the form has been closed.
#include <windows.h>

#include "gui/Form.h"
#include "gui/MessageLoop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    auto* form = new TarnUtility::Element<TarnUtility::Form>(instance);
    form->SetText(std::string("Empty form"));
    form->width = 320;
    form->height = 200;
    form->CenterOnScreen();
    form->Create();
    TarnUtility::RunMessageLoop(form);
    delete form;
    return 0;
}
