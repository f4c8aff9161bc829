#include "gui/Dpi.h"

namespace TarnUtility {

int ScreenDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int read = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
        if (screen)
            ReleaseDC(nullptr, screen);
        return read > 0 ? read : kLayoutDpi;
    }();
    return dpi;
}

int ToScreen(int logical) {
    const int dpi = ScreenDpi();
    return dpi == kLayoutDpi ? logical : MulDiv(logical, dpi, kLayoutDpi);
}

int ToLogical(int screen) {
    const int dpi = ScreenDpi();
    return dpi == kLayoutDpi ? screen : MulDiv(screen, kLayoutDpi, dpi);
}

// ToScreen(x) = floor((x * dpi + 48) / 96) for x >= 0, so the last x with
// ToScreen(x) <= p is floor(((2p + 1) * 96 - 1) / (2 dpi)); MulDiv rounds
// halves away from zero, which makes the negative side its mirror.
int ToLogicalPoint(int p) {
    const int dpi = ScreenDpi();
    if (dpi == kLayoutDpi)
        return p;
    const long long twice = 2LL * dpi;
    if (p >= 0)
        return static_cast<int>(((2LL * p + 1) * kLayoutDpi - 1) / twice);
    return -static_cast<int>(((2LL * -p - 1) * kLayoutDpi + twice - 1) / twice);
}

RECT ScreenBox(int left, int top, int width, int height) {
    return RECT{ToScreen(left), ToScreen(top), ToScreen(left + width), ToScreen(top + height)};
}

} // namespace TarnUtility
