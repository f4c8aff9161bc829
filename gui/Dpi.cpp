#include "gui/Dpi.h"

#ifdef TREVALO_TEST_SEAMS
#include "gui/ElementRegistry.h"
#endif

namespace TarnUtility {

namespace {

int dpi = 0; // not read yet

int Usable(int read) {
    return read > kLayoutDpi ? read : kLayoutDpi;
}

} // namespace

int ScreenDpi() {
    if (dpi == 0) {
        HDC screen = GetDC(nullptr);
        const int read = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
        if (screen)
            ReleaseDC(nullptr, screen);
        dpi = Usable(read);
    }
    return dpi;
}

#ifdef TREVALO_TEST_SEAMS
bool SetScreenDpiForTests(int value) {
    if (!ElementRegistry().empty())
        return false;
    dpi = Usable(value);
    return true;
}
#endif

int ToScreen(int logical) {
    const int scale = ScreenDpi();
    return scale == kLayoutDpi ? logical : MulDiv(logical, scale, kLayoutDpi);
}

int ToLogical(int screen) {
    const int scale = ScreenDpi();
    return scale == kLayoutDpi ? screen : MulDiv(screen, kLayoutDpi, scale);
}

// ToScreen(x) = floor((x * dpi + 48) / 96) for x >= 0, so the last x with
// ToScreen(x) <= p is floor(((2p + 1) * 96 - 1) / (2 dpi)); MulDiv rounds
// halves away from zero, which makes the negative side its mirror.
int ToLogicalPoint(int p) {
    const int scale = ScreenDpi();
    if (scale == kLayoutDpi)
        return p;
    const long long twice = 2LL * scale;
    if (p >= 0)
        return static_cast<int>(((2LL * p + 1) * kLayoutDpi - 1) / twice);
    return -static_cast<int>(((2LL * -p - 1) * kLayoutDpi + twice - 1) / twice);
}

} // namespace TarnUtility
