#pragma once
// A single-line or multi-line text field wrapping the system "edit" control,
// shaped by flags that become its window style.
#include <string>

#include "gui/GUIElement.h"

namespace TarnUtility {

class TextBox : public Child {
public:
    TextBox(GUIElement* parent, const std::string& initialText);

    int32_t maxLength = -1; // -1: the control's own limit; applied at creation only
    bool multiline = false;
    bool horizontalScroll = false;
    bool verticalScroll = false;
    bool readOnly = false;
    bool numbersOnly = false;
    bool password = false; // applied by ApplyStyle() only
    bool lowercase = false;
    bool uppercase = false; // wins over lowercase
    bool alignRight = false;
    bool alignCenter = false; // ignored when alignRight is set
    bool border = true;       // the sunken edge is set at creation only
    bool wordWrap = false;    // with multiline: no horizontal auto-scroll

    void Create() override;

    DWORD ComputeStyle() const;
    // Pushes the flags to a created box; nothing before creation.
    void ApplyStyle();
};

} // namespace TarnUtility
