#include "gui/MessageLoop.h"

#include "gui/Form.h"

namespace TarnUtility {

void RunMessageLoop(Form* form) {
    MSG message;
    // GetMessageW answers -1 on an error: that ends the loop as well.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form && form->dialog && IsDialogMessageW(form->hwnd, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace TarnUtility
