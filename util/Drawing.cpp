#include "util/Drawing.h"

#include <optional>

#include "gui/Dpi.h"
#include "gui/FontDescription.h"
#include "gui/GUIElement.h"
#include "util/GdiScope.h"
#include "util/Text.h"

namespace TarnUtility {

namespace {
constexpr size_t kTextBuffer = 1024; // at most 1023 characters are drawn
} // namespace

Drawing::Drawing(GUIElement* owner)
    : owner(owner), mapping(owner ? owner->Mapping() : ElementMapping{}) {}

void Drawing::StartPaint() {
    dc = BeginPaint(owner->hwnd, &paint);
}

void Drawing::UseDC(HDC callerDc) {
    dc = callerDc;
    attached = true;
}

void Drawing::Finish() {
    if (attached) {
        attached = false;
        dc = nullptr;
    } else if (dc) {
        EndPaint(owner->hwnd, &paint);
        dc = nullptr;
    }
}

void Drawing::WriteText(const std::wstring& text, int x, int y, int width, int height,
                        COLORREF color, FontDescription* font, int alignment) {
    if (!dc)
        return;
    SetBkMode(dc, TRANSPARENT);
    const std::wstring shown = text.substr(0, text.find(L'\0')).substr(0, kTextBuffer - 1);
    const int length = static_cast<int>(shown.size());
    const UINT format = alignment == kAlignRight    ? DT_RIGHT
                        : alignment == kAlignCenter ? DT_CENTER
                                                    : DT_LEFT;

    std::optional<SelectScope> fontScope;
    if (font)
        fontScope.emplace(dc, font->GetHandle());
    const COLORREF previousColor = SetTextColor(dc, color);
    if (width != 0 && height != 0) {
        RECT box = mapping.Box(x, y, width, height);
        DrawTextW(dc, shown.c_str(), length, &box, format);
    } else {
        TextOutW(dc, mapping.X(x), mapping.Y(y), shown.c_str(), length);
    }
    SetTextColor(dc, previousColor);
}

void Drawing::WriteText(const std::string& text, int x, int y, int width, int height,
                        COLORREF color, FontDescription* font, int alignment) {
    WriteText(ToWide(text), x, y, width, height, color, font, alignment);
}

int32_t Drawing::TextHeight(FontDescription* font) {
    if (!dc || !font)
        return -1;
    TEXTMETRICW metrics{};
    BOOL ok;
    {
        SelectScope fontScope(dc, font->GetHandle());
        ok = GetTextMetricsW(dc, &metrics);
    }
    return ok ? ToLogical(metrics.tmHeight) : -1;
}

// Scaled, each side is the image of its one-pixel line, as the rest of the
// box is: two sides can differ by a pixel in width.
void Drawing::Outline(int x, int y, int width, int height, COLORREF color) {
    if (!dc)
        return;
    if (ScreenScaled()) {
        FillBoxes({mapping.Box(x, y, width, 1), mapping.Box(x, y + height - 1, width, 1),
                   mapping.Box(x, y, 1, height), mapping.Box(x + width - 1, y, 1, height)},
                  color);
        return;
    }
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
    SelectScope brushScope(dc, GetStockObject(NULL_BRUSH));
    SelectScope penScope(dc, pen.Get());
    Rectangle(dc, x, y, x + width, y + height);
}

void Drawing::Fill(int x, int y, int width, int height, COLORREF color) {
    if (dc)
        FillBoxes({mapping.Box(x, y, width, height)}, color);
}

void Drawing::FillBoxes(std::initializer_list<RECT> boxes, COLORREF color) {
    GdiObject<HPEN> pen(CreatePen(PS_NULL, 1, 0));
    GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    SelectScope penScope(dc, pen.Get());
    SelectScope brushScope(dc, brush.Get());
    // A null pen leaves the right and bottom edges out: one more each way.
    for (const RECT& box : boxes)
        Rectangle(dc, box.left, box.top, box.right + 1, box.bottom + 1);
}

void Drawing::Blit(int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY) {
    if (!dc)
        return;
    MemoryDc memory(dc);
    if (!memory.Get())
        OnError();
    SelectScope bitmapScope(memory.Get(), bitmap);
    if (!CopyScaled(x, y, width, height, memory.Get(), sourceX, sourceY, width, height, SRCCOPY))
        OnError();
}

// A bitmap's pixels are the element's units: where the screen's are others,
// the part is stretched to the box its edges make there, replicating or
// dropping whole pixels (COLORONCOLOR): no blending, so that a colour key
// and its mask stay exact.
bool Drawing::CopyScaled(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                         int sourceWidth, int sourceHeight, DWORD operation) {
    const RECT box = mapping.Box(x, y, width, height);
    const int boxWidth = box.right - box.left;
    const int boxHeight = box.bottom - box.top;
    if (boxWidth == sourceWidth && boxHeight == sourceHeight)
        return BitBlt(dc, box.left, box.top, boxWidth, boxHeight, source, sourceX, sourceY,
                      operation) != FALSE;
    const int previousMode = ScreenScaled() ? SetStretchBltMode(dc, COLORONCOLOR) : 0;
    const BOOL copied = StretchBlt(dc, box.left, box.top, boxWidth, boxHeight, source, sourceX,
                                   sourceY, sourceWidth, sourceHeight, operation);
    if (previousMode)
        SetStretchBltMode(dc, previousMode);
    return copied != FALSE;
}

void Drawing::BlitTransparent(int x, int y, int width, int height, HBITMAP bitmap, int sourceX,
                              int sourceY) {
    TransparentPass(x, y, width, height, bitmap, sourceX, sourceY, false);
}

void Drawing::StretchTransparent(int x, int y, int width, int height, HBITMAP bitmap) {
    TransparentPass(x, y, width, height, bitmap, 0, 0, true);
}

// The mask is built for the whole bitmap: 1 where it is black, 0 elsewhere.
// AND-ing the mask clears the destination where the picture is opaque, and
// OR-ing the picture then paints it there; black changes nothing.
void Drawing::TransparentPass(int x, int y, int width, int height, HBITMAP bitmap, int sourceX,
                              int sourceY, bool stretch) {
    if (!dc)
        return;
    MemoryDc colorDc(dc);
    if (!colorDc.Get())
        OnError();
    MemoryDc maskDc(dc);
    if (!maskDc.Get())
        OnError();
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    const int bitmapWidth = info.bmWidth;
    const int bitmapHeight = info.bmHeight;
    GdiObject<HBITMAP> mask(CreateBitmap(bitmapWidth, bitmapHeight, 1, 1, nullptr));
    if (!mask.Get())
        OnError();

    SelectScope maskScope(maskDc.Get(), mask.Get());
    SelectScope colorScope(colorDc.Get(), bitmap);
    SetBkColor(colorDc.Get(), RGB(0, 0, 0));
    if (!BitBlt(maskDc.Get(), 0, 0, bitmapWidth, bitmapHeight, colorDc.Get(), 0, 0, SRCCOPY))
        OnError();

    // A monochrome source takes the destination's text colour for 0 and its
    // background colour for 1: black and white make the AND a true mask,
    // whatever colours the context carries (a button face's, for one).
    const COLORREF textColor = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF backgroundColor = SetBkColor(dc, RGB(255, 255, 255));
    // The source: the part at (sourceX, sourceY) the size of the box, or
    // the whole bitmap to be stretched (at its natural size without a size).
    int sourceWidth = width;
    int sourceHeight = height;
    if (stretch) {
        sourceWidth = bitmapWidth;
        sourceHeight = bitmapHeight;
        if (width == 0 || height == 0) {
            width = bitmapWidth;
            height = bitmapHeight;
        }
    }
    if (!CopyScaled(x, y, width, height, maskDc.Get(), sourceX, sourceY, sourceWidth, sourceHeight,
                    SRCAND))
        OnError();
    if (!CopyScaled(x, y, width, height, colorDc.Get(), sourceX, sourceY, sourceWidth, sourceHeight,
                    SRCPAINT))
        OnError();
    SetTextColor(dc, textColor);
    SetBkColor(dc, backgroundColor);
}

HBITMAP Drawing::ScaledBitmap(HBITMAP source, int width, int height) {
    BITMAP info{};
    if (!GetObjectW(source, sizeof(info), &info))
        return nullptr;
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP scaled = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!scaled)
        return nullptr;
    MemoryDc from(nullptr);
    MemoryDc to(nullptr);
    {
        SelectScope fromScope(from.Get(), source);
        SelectScope toScope(to.Get(), scaled);
        SetStretchBltMode(to.Get(), COLORONCOLOR);
        StretchBlt(to.Get(), 0, 0, width, height, from.Get(), 0, 0, info.bmWidth, info.bmHeight,
                   SRCCOPY);
    }
    return scaled;
}

HBITMAP Drawing::LoadBitmapFromFile(const std::string& path) {
    return static_cast<HBITMAP>(LoadImageW(nullptr, ToWide(path).c_str(), IMAGE_BITMAP, 0, 0,
                                           LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

} // namespace TarnUtility
