#pragma once
// A short-lived painter for one paint of one element: bind it to a device
// context (StartPaint inside WM_PAINT, or UseDC with a context the caller
// owns), draw, Finish. Places, sizes and text heights are the element's
// units (96 dpi); a bitmap's pixels are too. The painter maps them to its
// owner's window by the owner's mapping (gui/Dpi.h). Every operation leaves the device context as
// it found it and releases every GDI object it made before it returns; with no device context
// bound, operations do nothing.
#include <windows.h>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "gui/Dpi.h"

namespace TarnUtility {

class FontDescription;
class GUIElement;

// How a text, or a cell's bitmap, sits in its box: any other value is left.
constexpr int32_t kAlignLeft = 0;
constexpr int32_t kAlignRight = 1;
constexpr int32_t kAlignCenter = 2;

class Drawing {
public:
    explicit Drawing(GUIElement* owner);
    ~Drawing() { Finish(); }
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    GUIElement* owner;      // not owned
    ElementMapping mapping; // the owner's, taken when the painter is made
    HDC dc = nullptr;
    bool attached = false; // dc belongs to the caller
    PAINTSTRUCT paint{};

    // Called after a step that failed; drawing goes on regardless.
    virtual void OnError() {}

    void StartPaint();
    void UseDC(HDC callerDc);
    // Ends the drawing: EndPaint for StartPaint, nothing for UseDC. Safe twice.
    void Finish();

    // Alignment kAlignRight, kAlignCenter, or left. With a zero width or height
    // the text starts at (x, y), unclipped. At most 1023 characters.
    void WriteText(const std::wstring& text, int x, int y, int width, int height, COLORREF color,
                   FontDescription* font, int alignment);
    void WriteText(const std::string& text, int x, int y, int width, int height, COLORREF color,
                   FontDescription* font, int alignment);
    // The font's character cell height, or -1 (unbound, or no font).
    int32_t TextHeight(FontDescription* font);
    void Outline(int x, int y, int width, int height, COLORREF color);
    void Fill(int x, int y, int width, int height, COLORREF color);
    // The part of `bitmap` at (sourceX, sourceY), copied opaquely.
    void Blit(int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY);
    // The same with exact black (RGB(0,0,0)) transparent.
    void BlitTransparent(int x, int y, int width, int height, HBITMAP bitmap, int sourceX,
                         int sourceY);
    // The whole bitmap scaled to the size, black transparent; natural size
    // when the width or the height is 0.
    void StretchTransparent(int x, int y, int width, int height, HBITMAP bitmap);

    // A bitmap file as a device-independent section, or null; the caller owns it.
    static HBITMAP LoadBitmapFromFile(const std::string& path);
    // A copy of the bitmap stretched to width x height pixels, whole pixels
    // replicated or dropped, or null; the caller owns it.
    static HBITMAP ScaledBitmap(HBITMAP source, int width, int height);

private:
    // Fills screen boxes with a colour, edges included.
    void FillBoxes(std::initializer_list<RECT> boxes, COLORREF color);
    // Copies the source part to the box (x, y, width, height): blitted where
    // the sizes agree on the screen, stretched where they do not.
    bool CopyScaled(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, DWORD operation);
    void TransparentPass(int x, int y, int width, int height, HBITMAP bitmap, int sourceX,
                         int sourceY, bool stretch);
};

} // namespace TarnUtility
