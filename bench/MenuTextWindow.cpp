// The floor for a window that shows something: the minimal window with a
// menu bar ("File", "?") and one line of Arial text, at the game's client
// size (640 x 480), with the same 30 ms timer.
#include <windows.h>

namespace {

HFONT textFont = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HGDIOBJ previous = SelectObject(dc, textFont);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        TextOutW(dc, 20, 20, L"Rock, paper, scissors", 21);
        SelectObject(dc, previous);
        EndPaint(window, &paint);
        return 0;
    }
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
    AppendMenuW(file, MF_STRING, 1, L"&Exit");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, 2, L"&Help");
    AppendMenuW(help, MF_STRING, 3, L"&Home");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&?");
    return bar;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    textFont = CreateFontW(22, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                           DEFAULT_PITCH, L"Arial");
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = L"MenuTextWindow";
    RegisterClassW(&windowClass);
    RECT outer{0, 0, 640, 480};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, TRUE, 0);
    HWND window =
        CreateWindowExW(0, L"MenuTextWindow", L"Menu and text", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        100, 100, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                        MakeMenuBar(), instance, nullptr);
    SetTimer(window, 1, 30, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(textFont);
    return 0;
}
