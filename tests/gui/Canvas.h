#pragma once
// A memory device context over a 32-bit top-down DIB section whose pixels a
// test reads back, and bitmaps made pixel by pixel.
#include <windows.h>
#include <cstdint>
#include <functional>

namespace TarnUtility {

inline HBITMAP MakeDib(int width, int height, uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = static_cast<uint32_t*>(pixels);
    return bitmap;
}

inline uint32_t ToDibPixel(COLORREF color) {
    return static_cast<uint32_t>((GetRValue(color) << 16) | (GetGValue(color) << 8) |
                                 GetBValue(color));
}

// A bitmap whose pixel (x, y) has the colour `paint(x, y)`; the caller owns it.
inline HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& paint) {
    uint32_t* bits = nullptr;
    HBITMAP bitmap = MakeDib(width, height, &bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bits[y * width + x] = ToDibPixel(paint(x, y));
    GdiFlush();
    return bitmap;
}

class Canvas {
public:
    Canvas(int width, int height, COLORREF background = RGB(255, 255, 255))
        : width(width), height(height) {
        dc = CreateCompatibleDC(nullptr);
        bitmap = MakeDib(width, height, &bits);
        previous = SelectObject(dc, bitmap);
        for (int i = 0; i < width * height; ++i)
            bits[i] = ToDibPixel(background);
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        const uint32_t p = bits[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    // The leftmost column holding a pixel other than `background`, or -1.
    int LeftmostInk(COLORREF background = RGB(255, 255, 255)) const {
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y)
                if (Pixel(x, y) != background)
                    return x;
        return -1;
    }

    // The lowest row holding a pixel other than `background`, or -1.
    int LowestInk(COLORREF background = RGB(255, 255, 255)) const {
        for (int y = height - 1; y >= 0; --y)
            for (int x = 0; x < width; ++x)
                if (Pixel(x, y) != background)
                    return y;
        return -1;
    }

    HDC dc;
    int width, height;

private:
    HBITMAP bitmap;
    HGDIOBJ previous;
    uint32_t* bits = nullptr;
};

} // namespace TarnUtility
