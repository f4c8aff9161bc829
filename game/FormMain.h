#pragma once
// The game's one window: a 640 x 480 black client area with the menu bar,
// three owner-drawn buttons, the title picture, the score and message
// cells, the bevelled frame of the table and the six pictures that show
// the hands, the choices, the countdown and the result.
#include <string>

#include "game/GameView.h"
#include "game/RoundEngine.h"
#include "gui/Form.h"

namespace TarnUtility {
class Button;
class CellControl;
class FontDescription;
class FormAbout;
class Image;
class ImageFrame;
class Menu;
class MenuBar;
class SubMenu;
class TextBox;
class Timer;
} // namespace TarnUtility

namespace MyGame {

using TarnUtility::GUIElement;

// The maker's web site, its guide page for this program, and its line.
extern const char* const kHomePage;
extern const char* const kGuidePage;

class FormMain : public TarnUtility::Form {
public:
    // Creates and shows the window with its whole content; the 30 ms timer
    // runs from then on.
    FormMain(HINSTANCE instance, const std::string& title);
    // The same on a clock, generator and engine timing of the caller's.
    FormMain(HINSTANCE instance, const std::string& title, Clock& clock, RandomSource& random,
             EngineTiming& timing);
    ~FormMain() override;

    HBRUSH controlBrush = nullptr; // the brush of the last control-colour answer
    TarnUtility::FormAbout* aboutForm = nullptr;
    TarnUtility::MenuBar* menuBar = nullptr;
    TarnUtility::Menu* fileMenu = nullptr;
    TarnUtility::SubMenu* exitItem = nullptr;
    TarnUtility::Menu* helpMenu = nullptr;
    TarnUtility::SubMenu* homeItem = nullptr;
    TarnUtility::SubMenu* guideItem = nullptr;
    TarnUtility::Button* infoButton = nullptr;
    TarnUtility::Button* playButton = nullptr;
    TarnUtility::Button* closeButton = nullptr;
    TarnUtility::Image* titleImage = nullptr;
    TarnUtility::Timer* timer = nullptr;
    TarnUtility::FontDescription* messageFont = nullptr;
    TarnUtility::FontDescription* scoreFont = nullptr;
    HBITMAP handsStrip = nullptr;
    HBITMAP bannerStrip = nullptr;
    COLORREF cellTextColor = 0xFFFFFF;
    TarnUtility::CellControl* scoreCell = nullptr;
    TarnUtility::CellControl* messageCell = nullptr;
    TarnUtility::Image* topBar = nullptr;
    TarnUtility::Image* bottomBar = nullptr;
    TarnUtility::Image* leftBar = nullptr;
    TarnUtility::Image* rightBar = nullptr;
    TarnUtility::ImageFrame* computerHand = nullptr;
    TarnUtility::ImageFrame* playerHand = nullptr;
    TarnUtility::ImageFrame* rockChoice = nullptr;
    TarnUtility::ImageFrame* scissorsChoice = nullptr;
    TarnUtility::ImageFrame* paperChoice = nullptr;
    TarnUtility::ImageFrame* banner = nullptr;

    // The rules, the timing and the score of the match (with `playing`,
    // `playerScore` and `computerScore`), acting through `view`.
    GameView view{*this};
    RoundEngine engine;

    void OnPaint() override;
    HBRUSH OnControlColor(HDC dc) override;

    virtual void BuildContent();
    virtual bool ConfirmClose();
    virtual void OnFormResize();
    virtual void OnTimerTick();
    virtual bool OnFormChar(int ch);
    virtual bool OnTextBoxChar(TarnUtility::TextBox* textBox, int ch);
    virtual void OnFormKeyDown(int key);
    virtual void OnFormKeyUp(int key);
    virtual void OnMenuCommand(GUIElement* item);
    virtual void OnFormLeftButtonUp(int x, int y);
    virtual void OnFormLeftButtonDown(int x, int y);
    virtual void OnChoiceClicked(GUIElement* element);
    virtual void OnTextBoxClicked(TarnUtility::TextBox* textBox);
    virtual void OnButtonClicked(GUIElement* button);

    void BuildMenuBar();
    void StartMatch() { engine.StartMatch(); }
    void AbandonMatch() { engine.AbandonMatch(); }

private:
    void Construct();
};

// The first FormMain constructed; menu commands fall back on it.
extern FormMain* mainForm;

// Asks a yes-or-no question in a task-modal box; true for yes.
bool AskYesNo(const std::string& text, const std::string& caption);

// The platform call behind AskYesNo. The program leaves it at MessageBoxA;
// tests point it at an answering machine.
using MessageBoxFunction = int(WINAPI*)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
extern MessageBoxFunction messageBoxFunction;

// The handlers the game window and its elements carry; each finds its
// FormMain and calls one of the form's own operations.
void RouteCreate(GUIElement* element, HWND window);
bool RouteClose(GUIElement* element);
void RouteSize(GUIElement* element);
bool RouteChar(GUIElement* element, int ch);
void RouteKeyDown(GUIElement* element, int key);
void RouteKeyUp(GUIElement* element, int key);
void RouteLeftUp(GUIElement* element, HWND window, int x, int y);
void RouteLeftDown(GUIElement* element, HWND window, int x, int y);
void RouteButtonClick(GUIElement* element);
void RouteMenuClick(GUIElement* element);
void RouteTimerTick(TarnUtility::Timer* timer);

} // namespace MyGame
