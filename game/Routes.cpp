// The handlers that the game window and its elements carry. Each finds its
// FormMain from the element it is given and calls one of the form's own
// operations, so that a derived form can change what happens.
#include "game/FormMain.h"
#include "gui/controls/TextBox.h"
#include "gui/controls/Timer.h"

namespace MyGame {

using namespace TarnUtility;

MessageBoxFunction messageBoxFunction = MessageBoxA;

bool AskYesNo(const std::string& text, const std::string& caption) {
    return messageBoxFunction(nullptr, text.c_str(), caption.c_str(),
                              MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES;
}

namespace {
FormMain* AsGame(GUIElement* element) {
    return dynamic_cast<FormMain*>(element);
}
} // namespace

void RouteCreate(GUIElement* element, HWND) {
    if (FormMain* form = AsGame(element))
        form->BuildContent();
}

bool RouteClose(GUIElement* element) {
    FormMain* form = AsGame(element);
    return form ? form->ConfirmClose() : true;
}

void RouteSize(GUIElement* element) {
    if (FormMain* form = AsGame(element))
        form->OnFormResize();
}

bool RouteChar(GUIElement* element, int ch) {
    if (auto* textBox = dynamic_cast<TextBox*>(element)) {
        FormMain* form = AsGame(textBox->parent);
        return form ? form->OnTextBoxChar(textBox, ch) : true;
    }
    FormMain* form = AsGame(element);
    return form ? form->OnFormChar(ch) : true;
}

void RouteKeyDown(GUIElement* element, int key) {
    if (FormMain* form = AsGame(element))
        form->OnFormKeyDown(key);
}

void RouteKeyUp(GUIElement* element, int key) {
    if (FormMain* form = AsGame(element))
        form->OnFormKeyUp(key);
}

void RouteLeftUp(GUIElement* element, HWND, int x, int y) {
    if (auto* textBox = dynamic_cast<TextBox*>(element)) {
        if (FormMain* form = AsGame(textBox->parent))
            form->OnTextBoxClicked(textBox);
    } else if (FormMain* form = AsGame(element)) {
        form->OnFormLeftButtonUp(x, y);
    }
}

void RouteLeftDown(GUIElement* element, HWND, int x, int y) {
    if (dynamic_cast<Child*>(element)) {
        if (FormMain* form = AsGame(element->parent))
            form->OnChoiceClicked(element);
    } else if (FormMain* form = AsGame(element)) {
        form->OnFormLeftButtonDown(x, y);
    }
}

void RouteButtonClick(GUIElement* element) {
    FormMain* form = AsGame(element->parent);
    if (!form && element->parent)
        form = AsGame(element->parent->parent);
    if (form)
        form->OnButtonClicked(element);
}

// A menu item's parent is its menu, whose parent is the bar, whose parent
// is the form: the first FormMain up the chain takes the command.
void RouteMenuClick(GUIElement* element) {
    for (GUIElement* up = element->parent ? element->parent : mainForm; up; up = up->parent)
        if (FormMain* form = AsGame(up)) {
            form->OnMenuCommand(element);
            return;
        }
    if (mainForm)
        mainForm->OnMenuCommand(element);
}

void RouteTimerTick(Timer* timer) {
    if (FormMain* form = AsGame(timer->parent))
        form->OnTimerTick();
}

} // namespace MyGame
