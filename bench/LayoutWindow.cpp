// The game's layout without the game: the same window, menu bar and 17
// child windows (the same classes, places and pictures) in plain Win32,
// with nothing behind them. The least the game's shape can cost to start,
// to idle and to hold.
#include <windows.h>

#include "res/ResourceIds.h"

namespace {

// The children in the order the game makes them; each one's control id.
enum Child {
    kTitle = 1,
    kInfoButton,
    kCloseButton,
    kPlayButton,
    kScoreCell,
    kMessageCell,
    kTopBar,
    kLeftBar,
    kRightBar,
    kBottomBar,
    kComputerHand,
    kPlayerHand,
    kBanner,
    kPaperChoice,
    kRockChoice,
    kScissorsChoice,
    kTimerHost,
    kChildCount
};

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
constexpr UINT kTickInterval = 30; // ms

// What a self-painted panel shows: a cell its text in its font, a picture
// one frame of its strip.
struct Panel {
    HFONT font = nullptr;
    HBITMAP strip = nullptr;
    int frame = 0;
};

HINSTANCE instance = nullptr;
Panel panels[kChildCount];
HBITMAP bitmaps[7]; // the two strips and the five bitmaps the statics show
int bitmapCount = 0;
HFONT fonts[2];
HCURSOR arrow = nullptr;           // loaded once: each load checks the display again
WNDPROC staticProcedure = nullptr; // the system's procedures under the subclass
WNDPROC buttonProcedure = nullptr;

HBITMAP LoadBitmapResource(int id) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    bitmaps[bitmapCount++] = bitmap;
    return bitmap;
}

// A window whose client area is the whole of it has no frame to paint, and
// the default processing would still take and release a device context for
// it: under Wine some ten server calls per child at the first show.
bool HasFrame(HWND window) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return outer.right - outer.left != client.right || outer.bottom - outer.top != client.bottom;
}

LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCPAINT && !HasFrame(window))
        return 0;
    const int id = GetDlgCtrlID(window);
    const bool button = id >= kInfoButton && id <= kPlayButton;
    return CallWindowProcW(button ? buttonProcedure : staticProcedure, window, message, wParam,
                           lParam);
}

// One of the system's controls, subclassed for the frame painting above.
HWND MakeControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id,
                 int left, int top, int width, int height) {
    HWND control = CreateWindowExW(0, className, text, WS_CHILD | style, left, top, width, height,
                                   parent, reinterpret_cast<HMENU>(INT_PTR{id}), instance, nullptr);
    const auto original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProcedure)));
    (className[0] == L'B' ? buttonProcedure : staticProcedure) = original;
    return control;
}

void MakeBitmapStatic(HWND parent, int id, int bitmapId, int left, int top, int width, int height) {
    HWND control = MakeControl(parent, L"static", L"", WS_VISIBLE | SS_NOTIFY | SS_BITMAP, id, left,
                               top, width, height);
    SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(LoadBitmapResource(bitmapId)));
}

LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCPAINT && !HasFrame(window))
        return 0;
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    const Panel& panel = panels[GetDlgCtrlID(window)];
    if (panel.font) {
        wchar_t text[64];
        GetWindowTextW(window, text, 64);
        HGDIOBJ previous = SelectObject(dc, panel.font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextW(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, previous);
    } else {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, panel.strip);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, panel.frame * client.right, 0,
               SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    EndPaint(window, &paint);
    return 0;
}

// A self-painted panel with a window class of its own, as each of the
// game's has: the cells on a black brush of their own, the pictures on the
// system's button face.
void MakePanel(HWND parent, int id, Panel panel, const wchar_t* text, DWORD style,
               DWORD extendedStyle, int left, int top, int width, int height) {
    wchar_t className[16] = L"Panel";
    className[5] = static_cast<wchar_t>(L'A' + id);
    WNDCLASSW windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = PanelProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = arrow;
    windowClass.hbrBackground =
        panel.font ? CreateSolidBrush(RGB(0, 0, 0)) : GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    panels[id] = panel;
    CreateWindowExW(extendedStyle, className, text, WS_CHILD | style, left, top, width, height,
                    parent, reinterpret_cast<HMENU>(INT_PTR{id}), instance, nullptr);
}

// A picture: one frame, WIDTH x 100, of a strip of frames side by side.
void MakePicture(HWND parent, int id, HBITMAP strip, int frame, DWORD visible, int left, int top,
                 int width) {
    MakePanel(parent, id, {nullptr, strip, frame}, L"", visible, 0, left, top, width, 100);
}

// The game's BuildContent, child for child: the buttons keep to the right
// edge, the table and the choices are centred.
void BuildContent(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const int w = client.right;
    const int tableLeft = (w - 519) / 2;
    const int choicesLeft = (w - 340) / 2;
    HBITMAP hands = LoadBitmapResource(IDB_HANDS);
    HBITMAP banners = LoadBitmapResource(IDB_BANNERS);

    MakeBitmapStatic(window, kTitle, IDB_MAIN_LOGO, 28, 10, 200, 50);
    const DWORD button = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
    MakeControl(window, L"Button", L"Info", button, kInfoButton, w - 248, 26, 100, 40);
    MakeControl(window, L"Button", L"Chiudi", button, kCloseButton, w - 128, 26, 100, 40);
    MakeControl(window, L"Button", L"GIOCA", button, kPlayButton, w - 368, 26, 100, 40);

    MakePanel(window, kScoreCell, {fonts[0]}, L"Punteggio: 0 - 0", WS_VISIBLE | WS_BORDER,
              WS_EX_CLIENTEDGE, tableLeft + 2, 96, 200, 29);
    MakePanel(window, kMessageCell, {fonts[1]}, L"", WS_VISIBLE, 0, tableLeft + 220, 96, 300, 29);

    MakeBitmapStatic(window, kTopBar, IDB_FRAME_TOP, tableLeft, 146, 519, 16);
    MakeBitmapStatic(window, kLeftBar, IDB_FRAME_LEFT, tableLeft, 162, 19, 203);
    MakeBitmapStatic(window, kRightBar, IDB_FRAME_RIGHT, tableLeft + 500, 162, 19, 203);
    MakeBitmapStatic(window, kBottomBar, IDB_FRAME_BOTTOM, tableLeft, 349, 519, 16);

    // The table at rest: the computer's scissors, the player's rock, the
    // title banner; the choices stay hidden until a match starts.
    MakePicture(window, kComputerHand, hands, 3, WS_VISIBLE, tableLeft + 26, 197, 100);
    MakePicture(window, kPlayerHand, hands, 1, WS_VISIBLE, tableLeft + 393, 197, 100);
    MakePicture(window, kBanner, banners, 0, WS_VISIBLE, (w - 200) / 2, 197, 200);
    MakePicture(window, kPaperChoice, hands, 0, 0, choicesLeft, 369, 100);
    MakePicture(window, kRockChoice, hands, 1, 0, choicesLeft + 120, 369, 100);
    MakePicture(window, kScissorsChoice, hands, 2, 0, choicesLeft + 240, 369, 100);

    MakeControl(window, L"static", L"timer", 0, kTimerHost, 100, 100, 50, 22);
    SetTimer(window, kTimerHost, kTickInterval, nullptr);
}

// The buttons' face and caption: white on red for play, black on light
// grey for the others.
void DrawButton(const DRAWITEMSTRUCT& item) {
    const bool play = item.CtlID == kPlayButton;
    SetDCBrushColor(item.hDC, play ? RGB(255, 0, 0) : RGB(220, 220, 220));
    FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    wchar_t caption[16];
    GetWindowTextW(item.hwndItem, caption, 16);
    RECT box = item.rcItem;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, play ? RGB(255, 255, 255) : RGB(0, 0, 0));
    DrawTextW(item.hDC, caption, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        BuildContent(window); // before the window shows, as the game does
        return 0;
    case WM_DRAWITEM:
        DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

HMENU MakeMenuBar() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"&Esci");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, 2, L"&Guida");
    AppendMenuW(help, MF_STRING, 3, L"&Home");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&?");
    return bar;
}

HFONT Arial(int weight) {
    return CreateFontW(22, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                       L"Arial");
}

} // namespace

int WINAPI wWinMain(HINSTANCE thisInstance, HINSTANCE, PWSTR, int) {
    instance = thisInstance;
    arrow = LoadCursorW(nullptr, IDC_ARROW);
    fonts[0] = Arial(FW_NORMAL); // the score
    fonts[1] = Arial(FW_BOLD);   // the message
    WNDCLASSW windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = arrow;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = L"LayoutWindow";
    RegisterClassW(&windowClass);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE;
    RECT outer{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&outer, style, TRUE, 0);
    CreateWindowExW(0, L"LayoutWindow", L"Layout", style, 100, 100, outer.right - outer.left,
                    outer.bottom - outer.top, nullptr, MakeMenuBar(), instance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    for (int i = 0; i < bitmapCount; ++i)
        DeleteObject(bitmaps[i]);
    DeleteObject(fonts[0]);
    DeleteObject(fonts[1]);
    return 0;
}
