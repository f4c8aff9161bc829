#pragma once
// The "Info..." window: a logo in a framed panel, the title and version,
// the copyright line, links to the maker's web site and e-mail address, a
// read-only notice and "OK". Its owner is disabled while it is open, so it
// acts as a modal window without a modal loop of its own.
#include <string>

#include "gui/Form.h"

namespace TarnUtility {

class Button;
class CellControl;
class FontDescription;
class Image;
class Label;
class PanelChildren;
class TextBox;

class FormAbout : public Form {
public:
    // Disables the owner and becomes its companion, so that it comes forward
    // whenever the owner is brought to the front; the opener then fills the
    // fields below and calls Show().
    explicit FormAbout(Form* owner);
    // Gives the owner back if the window is still open; then the children,
    // then the window.
    ~FormAbout() override;

    Form* ownerForm; // not owned
    FontDescription* titleFont = nullptr;
    FontDescription* linkFont = nullptr;
    Image* logoImage = nullptr;
    Label* titleLabel = nullptr;
    Label* copyrightLabel = nullptr;
    PanelChildren* logoPanel = nullptr;
    TextBox* noticeBox = nullptr;
    Button* okButton = nullptr;
    CellControl* webLink = nullptr;
    CellControl* mailLink = nullptr;
    int32_t logoId = 0;
    int32_t logoWidth = 0;
    int32_t logoHeight = 0;
    std::string titleText;
    std::string copyrightText;
    std::string noticeText;
    std::string webAddress; // starts with "http://www."

    void OnShow() override;

    virtual void BuildContent();
    virtual bool OnFormClose();
    virtual void OnFormResize();
    virtual bool OnFormChar(int ch);
    virtual void OnFormKeyDown(int key);
    virtual void OnFormKeyUp(int key);
    virtual void OnButtonClicked(GUIElement* element);
    virtual void OnLinkClicked(GUIElement* element, int x, int y);

private:
    void ReleaseOwner();
};

} // namespace TarnUtility
