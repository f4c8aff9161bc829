// An element's optional tooltip: made when its window is made, if the element
// has a tooltip text, and kept in step when the window moves or resizes. The
// tooltip window belongs to the element's window and goes with it.
#include <windows.h>
#include <commctrl.h>
#include <vector>

#include "gui/GUIElement.h"
#include "util/SystemLibrary.h"
#include "util/Text.h"

namespace TarnUtility {

namespace {

constexpr size_t kTipBuffer = 2024; // at most 2023 characters are shown

struct ToolInfo {
    TOOLINFOW info{};
    std::vector<wchar_t> buffer = std::vector<wchar_t>(kTipBuffer, L'\0');

    ToolInfo(HWND window, const std::string& tip) {
        const std::wstring wide = ToWide(tip);
        wide.copy(buffer.data(), kTipBuffer - 1);
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.uFlags = TTF_SUBCLASS;
        info.hwnd = window;
        info.uId = reinterpret_cast<UINT_PTR>(window);
        GetClientRect(window, &info.rect);
        info.lpszText = buffer.data();
    }
};

} // namespace

void GUIElement::CreateTooltip(HWND window) {
    if (tooltipText.empty() || !window)
        return;
    // comctl32.dll, which makes the tooltip class, is loaded with the first
    // tooltip; this program's elements carry none.
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const auto init = reinterpret_cast<InitFunction>(
        reinterpret_cast<void*>(SystemFunction(L"comctl32.dll", "InitCommonControlsEx")));
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    if (init)
        init(&controls);
    tooltipWindow = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, window,
                                    nullptr, nullptr, nullptr);
    SetWindowPos(tooltipWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ToolInfo tool(window, tooltipText);
    SendMessageW(tooltipWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool.info));
}

void GUIElement::UpdateTooltip() {
    if (!tooltipWindow) {
        CreateTooltip(hwnd);
        return;
    }
    ToolInfo tool(hwnd, tooltipText);
    SendMessageW(tooltipWindow, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool.info));
    SendMessageW(tooltipWindow, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool.info));
}

} // namespace TarnUtility
