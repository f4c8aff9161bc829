#pragma once
// A text shown by the system "static" control.
#include <string>

#include "gui/GUIElement.h"

namespace TarnUtility {

class Label : public Child {
public:
    Label(GUIElement* parent, const std::string& caption);

    bool border = false;
    bool alignRight = false;
    bool alignCenter = false; // ignored when alignRight is set

    void Create() override;

    DWORD ComputeStyle() const;
};

} // namespace TarnUtility
