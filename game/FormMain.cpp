#include "game/FormMain.h"

#include "about/FormAbout.h"
#include "gui/ElementRegistry.h"
#include "gui/FontDescription.h"
#include "gui/Owned.h"
#include "gui/controls/Button.h"
#include "gui/controls/CellControl.h"
#include "gui/controls/Image.h"
#include "gui/controls/ImageFrame.h"
#include "gui/controls/Menu.h"
#include "gui/controls/MenuBar.h"
#include "gui/controls/SubMenu.h"
#include "gui/controls/TextBox.h"
#include "gui/controls/Timer.h"
#include "res/ResourceIds.h"
#include "util/GdiScope.h"
#include "util/Shell.h"

namespace MyGame {

using namespace TarnUtility;

const char* const kHomePage = "http://www.tarn.example";
const char* const kGuidePage = "http://www.tarn.example/Trevalo.asp";

FormMain* mainForm = nullptr;

namespace {

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
constexpr int kTickInterval = 30;         // ms
constexpr COLORREF kPlayFace = 0x0000FF;  // red
constexpr COLORREF kOtherFace = 0xDCDCDC; // light grey

HBITMAP LoadStrip(int id) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

} // namespace

FormMain::FormMain(HINSTANCE instance, const std::string& title)
    : FormMain(instance, title, LocalClock(), StandardRandom(), ProcessTiming()) {}

FormMain::FormMain(HINSTANCE instance, const std::string& title, Clock& clock, RandomSource& random,
                   EngineTiming& timing)
    : Form(instance), engine(view, clock, random, timing) {
    font = new FontDescription("Lucida Console", 14);
    messageFont = new FontDescription("Arial", 22);
    messageFont->bold = true;
    scoreFont = new FontDescription("Arial", 22);
    cellTextColor = 0xFFFFFF;
    width = kClientWidth;
    height = kClientHeight;
    SetText(title);
    minimizeBox = true;
    maximizeBox = false;
    createHandler = RouteCreate;
    closeHandler = RouteClose;
    sizeHandler = RouteSize;
    charHandler = RouteChar;
    keyDownHandler = RouteKeyDown;
    keyUpHandler = RouteKeyUp;
    leftUpHandler = RouteLeftUp;
    leftDownHandler = RouteLeftDown;
    SetBackColor(0);
    // Made at the outer size that holds a 640 x 480 client area and a menu
    // bar: resizing the window once it shows would paint it all again.
    SizeForClient(kClientWidth, kClientHeight, true);
    Create(); // builds the content from WM_CREATE, before the window shows
    SetIcon(IDI_TREVALO);
    if (HasWindow())
        ApplyFont();
    SetClientSize(kClientWidth, kClientHeight);
    if (!mainForm)
        mainForm = this;
}

// Teardown order (nothing reaches the form any more, so closing asks
// nothing: the program is ending): the timer, so that no tick comes; the
// window; then every element, font and bitmap.
FormMain::~FormMain() {
    if (mainForm == this)
        mainForm = nullptr; // menu commands must not fall back on a form that is gone
    DeleteOwned(timer);
    if (WindowOpen())
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
    created = false;
    DeleteOwned(aboutForm);
    DeleteOwned(menuBar);
    DeleteOwned(fileMenu);
    DeleteOwned(exitItem);
    DeleteOwned(helpMenu);
    DeleteOwned(homeItem);
    DeleteOwned(guideItem);
    DeleteOwned(font);
    DeleteOwned(closeButton);
    DeleteOwned(infoButton);
    DeleteOwned(playButton);
    DeleteOwned(titleImage);
    DeleteOwnedObject(controlBrush);
    DeleteOwned(messageFont);
    DeleteOwned(scoreFont);
    // The strips go before the pictures that show them; nothing paints
    // in between, since the window is gone.
    DeleteOwnedObject(handsStrip);
    DeleteOwnedObject(bannerStrip);
    DeleteOwned(scoreCell);
    DeleteOwned(topBar);
    DeleteOwned(bottomBar);
    DeleteOwned(leftBar);
    DeleteOwned(rightBar);
    DeleteOwned(computerHand);
    DeleteOwned(playerHand);
    DeleteOwned(rockChoice);
    DeleteOwned(scissorsChoice);
    DeleteOwned(paperChoice);
    DeleteOwned(banner);
    DeleteOwned(messageCell);
}

void FormMain::BuildMenuBar() {
    menuBar = new Element<MenuBar>(this);
    fileMenu = new Element<Menu>(menuBar, "&File");
    exitItem = new Element<SubMenu>(fileMenu, "&Esci");
    exitItem->clickHandler = RouteMenuClick;
    helpMenu = new Element<Menu>(menuBar, "&?");
    guideItem = new Element<SubMenu>(helpMenu, "&Guida");
    guideItem->clickHandler = RouteMenuClick;
    homeItem = new Element<SubMenu>(helpMenu, "&Home");
    homeItem->clickHandler = RouteMenuClick;
    menuBar->Create();
}

// Builds every element for a client area of width W: the buttons keep to
// the right edge, the table and the choices are centred. The window exists
// while this runs (from WM_CREATE), so W is its client width.
void FormMain::BuildContent() {
    BuildMenuBar();
    if (hwnd) {
        const SIZE client = GetClientSize();
        width = client.cx;
        height = client.cy;
    }
    const int w = width;
    const int tableLeft = (w - 519) / 2;
    const int choicesLeft = (w - 340) / 2;
    handsStrip = LoadStrip(IDB_HANDS);
    bannerStrip = LoadStrip(IDB_BANNERS);

    titleImage = Placed(new Element<Image>(this, IDB_MAIN_LOGO), 28, 10, 200, 50);
    titleImage->Create();

    auto makeButton = [this](const char* caption, int left) {
        auto* button = Placed(new Element<Button>(this, caption), left, 26, 100, 40);
        button->clickHandler = RouteButtonClick;
        button->ownerDraw = true;
        return button;
    };
    infoButton = makeButton("Info", w - 248);
    infoButton->Create();
    closeButton = makeButton("Chiudi", w - 128);
    closeButton->Create();
    playButton = makeButton(RoundEngine::kPlayCaption, w - 368);
    playButton->SetHandCursor(true);
    playButton->Create();

    auto makeCell = [this](FontDescription* cellFont, int left, int cellWidth) {
        auto* cell = Placed(new Element<CellControl>(this), left, 96, cellWidth, 29);
        cell->SetFont(cellFont);
        cell->SetBackColor(backColor);
        cell->textColor = cellTextColor;
        return cell;
    };
    scoreCell = makeCell(scoreFont, tableLeft + 2, 200);
    scoreCell->flatBorder = false;
    scoreCell->SetBorder(true);
    scoreCell->Create();
    messageCell = makeCell(messageFont, tableLeft + 220, 300);
    messageCell->Create();
    engine.UpdateScore();

    auto makeBar = [this](int id, int left, int top, int barWidth, int barHeight) {
        auto* bar = Placed(new Element<Image>(this, id), left, top, barWidth, barHeight);
        bar->Create();
        return bar;
    };
    topBar = makeBar(IDB_FRAME_TOP, tableLeft, 146, 519, 16);
    leftBar = makeBar(IDB_FRAME_LEFT, tableLeft, 162, 19, 203);
    rightBar = makeBar(IDB_FRAME_RIGHT, tableLeft + 500, 162, 19, 203);
    bottomBar = makeBar(IDB_FRAME_BOTTOM, tableLeft, 349, 519, 16);

    auto makePicture = [this](HBITMAP strip, int column, int left, int top, int pictureWidth) {
        auto* picture =
            Placed(new Element<ImageFrame>(this, strip, column), left, top, pictureWidth, 100);
        picture->transparent = false;
        return picture;
    };
    auto makeChoice = [&](int column, int left) {
        auto* choice = makePicture(handsStrip, column, left, 369, 100);
        choice->SetHandCursor(true);
        choice->leftDownHandler = RouteLeftDown;
        choice->Create();
        return choice;
    };
    computerHand = makePicture(handsStrip, 3, tableLeft + 26, 197, 100);
    computerHand->Create();
    playerHand = makePicture(handsStrip, 1, tableLeft + 393, 197, 100);
    playerHand->Create();
    banner = makePicture(bannerStrip, 0, (w - 200) / 2, 197, 200);
    banner->Create();
    paperChoice = makeChoice(0, choicesLeft);
    rockChoice = makeChoice(1, choicesLeft + 120);
    scissorsChoice = makeChoice(2, choicesLeft + 240);
    engine.ShowIdle();

    timer = new Element<Timer>(this, kTickInterval);
    timer->tickHandler = RouteTimerTick;
    timer->Start();
}

// The form does not clip its children, so its background covers those in
// the area being repainted: they repaint with it. The others keep their
// pixels, and repainting them too would only cost time.
void FormMain::OnPaint() {
    GdiObject<HRGN> repainted(CreateRectRgn(0, 0, 0, 0));
    GetUpdateRgn(hwnd, repainted.Get(), FALSE);
    for (GUIElement* child : ChildrenOf(hwnd)) {
        RECT place{};
        if (!IsWindow(child->hwnd) || !GetWindowRect(child->hwnd, &place))
            continue; // a menu: its handle is not a window
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&place), 2);
        if (RectInRegion(repainted.Get(), &place))
            child->Refresh();
    }
    Form::OnPaint();
}

// The play button is white on red, the other buttons black on light grey.
// A new brush answers every message; the previous one is released.
HBRUSH FormMain::OnControlColor(HDC dc) {
    DeleteOwnedObject(controlBrush);
    if (font)
        SelectObject(dc, font->GetHandle());
    const bool play = playButton && WindowFromDC(dc) == playButton->hwnd;
    const COLORREF face = play ? kPlayFace : kOtherFace;
    SetBkColor(dc, face);
    controlBrush = CreateSolidBrush(face);
    SetTextColor(dc, play ? 0xFFFFFF : 0x000000);
    return controlBrush;
}

// The one place that decides whether the window may close, however the
// closing was asked for.
bool FormMain::ConfirmClose() {
    UnregisterHotKeys();
    if (!AskYesNo("Vuoi realmente uscire?", "Uscita")) {
        RegisterHotKeys();
        // The task-modal box, with no owner, disabled this window; as it
        // closed, Windows may have activated another program's window
        // before this one was enabled again. The game is what goes on.
        SetForegroundWindow(hwnd);
        return false;
    }
    if (timer)
        timer->Stop();
    return true;
}

void FormMain::OnFormResize() {}
void FormMain::OnTimerTick() {
    engine.OnTimerTick();
}
bool FormMain::OnFormChar(int) {
    return true;
}

bool FormMain::OnTextBoxChar(TextBox*, int ch) {
    return ch != '\t' && ch != '\r';
}

void FormMain::OnFormKeyDown(int) {}
void FormMain::OnFormKeyUp(int) {}

void FormMain::OnMenuCommand(GUIElement* item) {
    if (exitItem && item->id == exitItem->id) {
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
        // Only a close that really happened ends the window's life: after a
        // vetoed one the window stays exactly as it was.
        if (destroyed)
            created = false;
    }
    if (homeItem && item->id == homeItem->id)
        ShellOpen(kHomePage);
    if (guideItem && item->id == guideItem->id)
        ShellOpen(kGuidePage);
}

void FormMain::OnFormLeftButtonUp(int, int) {}
void FormMain::OnFormLeftButtonDown(int, int) {}

void FormMain::OnChoiceClicked(GUIElement* element) {
    auto* picture = dynamic_cast<ImageFrame*>(element);
    if (!picture)
        return;
    const std::pair<ImageFrame*, Picture> pictures[] = {
        {paperChoice, Picture::PaperChoice},       {rockChoice, Picture::RockChoice},
        {scissorsChoice, Picture::ScissorsChoice}, {banner, Picture::Banner},
        {computerHand, Picture::ComputerHand},     {playerHand, Picture::PlayerHand}};
    for (const auto& [frame, name] : pictures)
        if (frame == picture)
            engine.OnChoiceClicked(name);
}

void FormMain::OnTextBoxClicked(TextBox* textBox) {
    if (textBox->HasWindow())
        SendMessageW(textBox->hwnd, EM_SETSEL, 0, -1);
}

void FormMain::OnButtonClicked(GUIElement* button) {
    if (closeButton && button->id == closeButton->id) {
        OnMenuCommand(exitItem);
    } else if (playButton && button->id == playButton->id) {
        // The caption is the only record of which half of the command applies.
        if (playButton->GetTextNarrow() == RoundEngine::kAbandonCaption)
            AbandonMatch();
        else
            StartMatch();
    } else if (infoButton && button->id == infoButton->id) {
        delete aboutForm; // every click makes a fresh window
        aboutForm = new Element<FormAbout>(this);
        aboutForm->logoId = IDB_ABOUT_LOGO;
        aboutForm->logoWidth = 164;
        aboutForm->logoHeight = 50;
        aboutForm->titleText = "Tarn Trevalo 1.0";
        aboutForm->copyrightText = TREVALO_COPYRIGHT;
        // Lines short enough for the notice box, which does not wrap them.
        aboutForm->noticeText = "Trevalo \xE8 un programma freeware: puoi usarlo e\r\n"
                                "regalarlo liberamente, purch\xE9 non venga\r\n"
                                "modificato n\xE9 venduto.\r\n"
                                "\r\n"
                                "Il programma \xE8 fornito cos\xEC com'\xE8, senza alcuna\r\n"
                                "garanzia: l'autore non risponde di alcun danno\r\n"
                                "derivante dal suo uso.\r\n"
                                "\r\n"
                                "Buon divertimento!";
        aboutForm->webAddress = kHomePage;
        Focus();
        aboutForm->Show();
    }
}

} // namespace MyGame
