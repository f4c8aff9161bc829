#include "gui/controls/TextBox.h"

#include "gui/ChildControl.h"
#include "util/Text.h"

namespace TarnUtility {

TextBox::TextBox(GUIElement* parent, const std::string& initialText) : Child(nullptr) {
    this->parent = parent;
    text = ToWide(initialText);
    width = 80;
    height = 30;
    typeName = "textbox";
}

DWORD TextBox::ComputeStyle() const {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    if (!enabled)
        style |= WS_DISABLED;
    if (horizontalScroll)
        style |= WS_HSCROLL;
    if (verticalScroll)
        style |= WS_VSCROLL;
    if (numbersOnly)
        style |= ES_NUMBER;
    if (border)
        style |= WS_BORDER;
    if (multiline)
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | (wordWrap ? 0 : ES_AUTOHSCROLL);
    else
        style |= ES_AUTOHSCROLL;
    if (readOnly)
        style |= ES_READONLY;
    if (uppercase)
        style |= ES_UPPERCASE;
    else if (lowercase)
        style |= ES_LOWERCASE;
    if (alignRight)
        style |= ES_RIGHT;
    else if (alignCenter)
        style |= ES_CENTER;
    return style;
}

void TextBox::Create() {
    if (created)
        return;
    CreateControlWindow(*this, L"edit", ComputeStyle(), border ? WS_EX_CLIENTEDGE : 0);
    SubclassControl(*this);
    created = true;
    if (maxLength != -1)
        SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    FinishControl(*this);
}

void TextBox::ApplyStyle() {
    if (!HasWindow())
        return;
    SetLastError(0);
    if (SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(ComputeStyle())) == 0 &&
        GetLastError() != 0)
        return;
    SendMessageW(hwnd, EM_SETREADONLY, readOnly ? 1 : 0, 0);
    SendMessageW(hwnd, EM_SETPASSWORDCHAR, password ? L'*' : 0, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace TarnUtility
