#pragma once
// The program's one message loop.

namespace TarnUtility {

class Form;

// Feeds ElementWndProc until WM_QUIT. Dialog navigation (IsDialogMessageW)
// applies only when `form` is a dialog form.
void RunMessageLoop(Form* form);

} // namespace TarnUtility
