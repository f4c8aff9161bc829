#pragma once
// The display's scale. Elements keep their places, sizes and font heights
// in 96-dpi units, as the layouts give them; the library converts to the
// screen's pixels where it talks to windows, and back where it reads from
// them. The dpi is read once, the first time it is needed, from the
// screen: Windows tells a program whose manifest declares no awareness 96
// and scales its whole picture itself; Windows XP, and Wine, tell it the
// real dpi, and then the library scales. At 96 every conversion is the
// identity, so nothing changes by a single pixel.
#include <windows.h>

namespace TarnUtility {

// The dpi the elements' units are: a pixel of the layouts.
constexpr int kLayoutDpi = 96;

int ScreenDpi();

// Whether the screen's pixels are others than the elements' units.
inline bool ScreenScaled() {
    return ScreenDpi() != kLayoutDpi;
}

// A length or a coordinate in screen pixels (rounded to the nearest).
int ToScreen(int logical);

// A screen length or coordinate back in 96-dpi units (rounded to the
// nearest): exact for every value ToScreen gave.
int ToLogical(int screen);

// The 96-dpi coordinate of the screen pixel `p`: the last one whose edge
// ToScreen puts at or before it, so that a pixel belongs to the element
// whose scaled box holds it.
int ToLogicalPoint(int p);

// A box in screen pixels. Its edges are scaled, not its size, so that
// boxes that meet in 96-dpi units meet on the screen too.
RECT ScreenBox(int left, int top, int width, int height);

} // namespace TarnUtility
