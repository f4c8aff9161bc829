#include "gui/controls/Label.h"

#include "gui/ChildControl.h"
#include "util/Text.h"

namespace TarnUtility {

Label::Label(GUIElement* parent, const std::string& caption) : Child(nullptr) {
    this->parent = parent;
    text = ToWide(caption);
    width = 80;
    height = 30;
    typeName = "label";
}

DWORD Label::ComputeStyle() const {
    DWORD style = WS_CHILD | WS_VISIBLE | SS_NOTIFY;
    if (!enabled)
        style |= WS_DISABLED;
    if (border)
        style |= WS_BORDER;
    if (alignRight)
        style |= SS_RIGHT;
    else if (alignCenter)
        style |= SS_CENTER;
    return style;
}

void Label::Create() {
    if (created)
        return;
    CreateControlWindow(*this, L"static", ComputeStyle(), border ? WS_EX_CLIENTEDGE : 0);
    SubclassControl(*this);
    FinishControl(*this);
}

} // namespace TarnUtility
