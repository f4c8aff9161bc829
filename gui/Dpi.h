#pragma once
// The display's scale.
//
// Elements keep their places, sizes and font heights in 96-dpi units, as the
// layouts give them; the library alone converts, and game code never does.
// The dpi is read once, the first time it is needed, from the screen:
// Windows tells a program whose manifest declares no awareness 96 and scales
// its whole picture itself; Windows XP, and Wine, tell it the real dpi, and
// then the library scales. Below 96 the library draws as at 96: Windows never
// asks a program to shrink, and shrinking pixel art loses rows. At 96 every
// conversion is the identity, so nothing changes by a single pixel.
//
// The rule. A 96-dpi x of an element is the pixel
//     ToScreen(origin + x) - ToScreen(origin)
// of its window, `origin` being where the element's box starts in its
// form's client area (its own place plus its parents'; 0 for the form
// itself), and y likewise (ElementMapping, from GUIElement::Mapping). Edges
// are scaled, never sizes: boxes that meet in 96-dpi units meet on the
// screen, an element's window is exactly the image of its box under its
// parent's mapping, and whatever it paints inside its box lands exactly
// inside its window. The window's place, painting (util/Drawing.h) and the
// mouse positions handlers get all go through this one mapping; no code
// turns a window's size back into 96-dpi units to convert it again. For
// every dpi the library uses, 96 and above, ToScreen is strictly increasing
// and ToLogical(ToScreen(x)) == x, so an edge read back from a window the
// library placed is exactly the value it was given.
//
// What the system owns stays in its own pixels, at its own dpi:
// - A form's frame, caption and menu bar. Only a form's client area is
//   scaled: its corner and outer size are ToScreen of its fields, and
//   SetClientSize adds the frame as the system measures it.
// - Tooltips cover their tool's client area as the system reports it.
// - The notice box and the other system controls lay out their own text
//   inside the window the rule gives them; only their fonts are scaled.
#include <windows.h>

namespace TarnUtility {

// The dpi the elements' units are: a pixel of the layouts.
constexpr int kLayoutDpi = 96;

// The dpi the library scales to: the screen's, and never below 96.
int ScreenDpi();

#ifdef TREVALO_TEST_SEAMS
// Tests only: scale to `dpi` (taken as the screen's would be) from now on.
// Refused while any element exists, whose windows and fonts were made at
// the old scale. Compiled only into the library of a tree that builds the
// tests; the shipped program is always built in a tree without them.
bool SetScreenDpiForTests(int dpi);
#endif

// Whether the screen's pixels are others than the elements' units.
inline bool ScreenScaled() {
    return ScreenDpi() != kLayoutDpi;
}

// A length or a coordinate in screen pixels (rounded to the nearest).
int ToScreen(int logical);

// A screen length back in 96-dpi units (rounded to the nearest): exact for
// every value ToScreen gave. For what the system measures: a form's frame,
// a font's height, a header column's width.
int ToLogical(int screen);

// The 96-dpi coordinate of the screen pixel `p`: the last one whose edge
// ToScreen puts at or before it, so that a pixel belongs to the element
// whose scaled box holds it.
int ToLogicalPoint(int p);

// The rule for one element's window; the default is a form's client area.
struct ElementMapping {
    POINT origin{0, 0}; // where the element's box starts in its form, in 96-dpi units

    int X(int x) const { return ToScreen(origin.x + x) - ToScreen(origin.x); }
    int Y(int y) const { return ToScreen(origin.y + y) - ToScreen(origin.y); }
    // The window pixels of a 96-dpi box: its four edges mapped.
    RECT Box(int x, int y, int width, int height) const {
        return RECT{X(x), Y(y), X(x + width), Y(y + height)};
    }
    // The inverse, for a pixel of the window: the 96-dpi coordinate whose
    // box holds it. Exact for every edge X or Y gave.
    int LogicalX(int p) const { return ToLogicalPoint(ToScreen(origin.x) + p) - origin.x; }
    int LogicalY(int p) const { return ToLogicalPoint(ToScreen(origin.y) + p) - origin.y; }
};

} // namespace TarnUtility
