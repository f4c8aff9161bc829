#include "about/FormAbout.h"

#include "gui/FontDescription.h"
#include "gui/Owned.h"
#include "gui/controls/Button.h"
#include "gui/controls/CellControl.h"
#include "gui/controls/Image.h"
#include "gui/controls/Label.h"
#include "gui/controls/PanelChildren.h"
#include "gui/controls/TextBox.h"
#include "util/Shell.h"
#include "util/Text.h"

namespace TarnUtility {

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 300;
constexpr COLORREF kLinkColor = 0xFF0000; // blue
constexpr int kEnter = '\r';              // the characters the two keys type
constexpr int kEscape = 0x1B;

FormAbout* AsAbout(GUIElement* element) {
    return dynamic_cast<FormAbout*>(element);
}

void AboutRouteCreate(GUIElement* element, HWND) {
    if (FormAbout* about = AsAbout(element))
        about->BuildContent();
}

bool AboutRouteClose(GUIElement* element) {
    FormAbout* about = AsAbout(element);
    return about ? about->OnFormClose() : true;
}

void AboutRouteSize(GUIElement* element) {
    if (FormAbout* about = AsAbout(element))
        about->OnFormResize();
}

// Carried by the form and by every child it makes, so that Enter and
// Escape close the window wherever the focus is.
bool AboutRouteChar(GUIElement* element, int ch) {
    FormAbout* about = AsAbout(element);
    if (!about)
        about = AsAbout(element->parent);
    return about ? about->OnFormChar(ch) : true;
}

void AboutRouteKeyDown(GUIElement* element, int key) {
    if (FormAbout* about = AsAbout(element))
        about->OnFormKeyDown(key);
}

void AboutRouteKeyUp(GUIElement* element, int key) {
    if (FormAbout* about = AsAbout(element))
        about->OnFormKeyUp(key);
}

void AboutRouteLinkDown(GUIElement* element, HWND, int x, int y) {
    if (FormAbout* about = AsAbout(element->parent))
        about->OnLinkClicked(element, x, y);
}

void AboutRouteButtonClick(GUIElement* element) {
    if (FormAbout* about = AsAbout(element->parent))
        about->OnButtonClicked(element);
}

// Every child carries the character handler, so that Enter and Escape
// close the window wherever the focus is.
template <typename Element> Element* AboutChild(Element* element, int left, int top, int w, int h) {
    element->charHandler = AboutRouteChar;
    return Placed(element, left, top, w, h);
}

} // namespace

FormAbout::FormAbout(Form* owner) : Form(owner->instance, true), ownerForm(owner) {
    topmost = false;
    font = new FontDescription("Arial", 14);
    titleFont = new FontDescription("Arial", 16);
    titleFont->bold = true;
    linkFont = new FontDescription("Arial", 16);
    linkFont->underline = true;
    modalFrame = true;
    width = kWidth;
    height = kHeight;
    CenterOnScreen();
    SetText(std::string("Info..."));
    minimizeBox = false;
    maximizeBox = false;
    createHandler = AboutRouteCreate;
    closeHandler = AboutRouteClose;
    sizeHandler = AboutRouteSize;
    charHandler = AboutRouteChar;
    keyDownHandler = AboutRouteKeyDown;
    keyUpHandler = AboutRouteKeyUp;
    owner->SetEnabled(false);
    owner->companionForm = this;
}

// Teardown order (nothing reaches the form any more): if its window is
// still open (its opener is being destroyed), give the owner back first, as
// every closing does; then the children, each window cut off from its
// element as the element goes, so that the window's destruction reaches
// none; then the window; the form's own font, which the window uses, last.
FormAbout::~FormAbout() {
    const bool open = WindowOpen();
    if (open)
        ReleaseOwner();
    DeleteOwned(logoPanel);
    DeleteOwned(copyrightLabel);
    DeleteOwned(logoImage);
    DeleteOwned(titleLabel);
    DeleteOwned(noticeBox);
    DeleteOwned(okButton);
    DeleteOwned(titleFont);
    DeleteOwned(linkFont);
    DeleteOwned(webLink);
    DeleteOwned(mailLink);
    if (open) {
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
        created = false;
        DestroyWindow(hwnd);
    }
    DeleteOwned(font);
}

// A modal window gives its owner back before it goes, however it closes:
// the owner is enabled and, if this window was the active one, activated,
// so that the very next click reaches it.
void FormAbout::ReleaseOwner() {
    UnregisterHotKeys();
    if (!ownerForm)
        return;
    if (ownerForm->companionForm == this)
        ownerForm->companionForm = nullptr;
    ownerForm->SetEnabled(true);
    if (hwnd && GetActiveWindow() == hwnd && IsWindow(ownerForm->hwnd))
        SetForegroundWindow(ownerForm->hwnd);
}

void FormAbout::OnShow() {
    SetClientSize(kWidth, kHeight);
}

void FormAbout::BuildContent() {
    const int w = width;
    const int h = height;
    const int column = logoWidth + 45;
    const int columnWidth = w - column - 10;

    logoPanel = AboutChild(new Element<PanelChildren>(this), 10, 10, logoWidth + 20, h - 20);
    logoPanel->flatBorder = false;
    logoPanel->SetBorder(true);
    logoPanel->Create();

    logoImage = AboutChild(new Element<Image>(logoPanel, logoId), 5, 5, logoWidth, logoHeight);
    logoImage->Create();

    titleLabel = AboutChild(new Element<Label>(this, titleText), column, 10, columnWidth, 25);
    titleLabel->font = titleFont;
    titleLabel->Create();

    copyrightLabel =
        AboutChild(new Element<Label>(this, copyrightText), column, 35, columnWidth, 25);
    copyrightLabel->font = font;
    copyrightLabel->Create();

    auto makeLink = [this](int left, const std::string& shown) {
        auto* link = AboutChild(new Element<CellControl>(this), left, 55, 150, 22);
        link->textColor = kLinkColor;
        link->textAlign = kAlignLeft;
        link->SetText(shown);
        link->SetHandCursor(true);
        link->leftDownHandler = AboutRouteLinkDown;
        link->font = linkFont;
        link->Create();
        return link;
    };
    webLink = makeLink(column, webAddress);
    mailLink = makeLink(column + 160, ReplaceAll(webAddress, "http://www.", "info@"));

    noticeBox =
        AboutChild(new Element<TextBox>(this, noticeText), column, 85, columnWidth, h - 145);
    noticeBox->multiline = true;
    noticeBox->ApplyStyle();
    noticeBox->readOnly = true;
    noticeBox->ApplyStyle();
    noticeBox->verticalScroll = true;
    noticeBox->ApplyStyle();
    noticeBox->Create();

    okButton = AboutChild(new Element<Button>(this, "OK"), column + columnWidth / 2 - 80 / 2,
                          h - 50, 80, 25);
    okButton->clickHandler = AboutRouteButtonClick;
    okButton->Create();
    okButton->Focus();
}

bool FormAbout::OnFormClose() {
    ReleaseOwner();
    return true;
}

void FormAbout::OnFormResize() {}

bool FormAbout::OnFormChar(int ch) {
    if (ch != kEnter && ch != kEscape)
        return true;
    OnButtonClicked(okButton);
    return false;
}

void FormAbout::OnFormKeyDown(int) {}
void FormAbout::OnFormKeyUp(int) {}

void FormAbout::OnButtonClicked(GUIElement* element) {
    if (!element || !okButton || element->id != okButton->id)
        return;
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    created = false;
}

void FormAbout::OnLinkClicked(GUIElement* element, int, int) {
    if (webLink && element->id == webLink->id)
        ShellOpen(webAddress);
    else if (mailLink && element->id == mailLink->id)
        ShellOpen("mailto:" + mailLink->GetTextNarrow());
}

} // namespace TarnUtility
