// Drawing into a memory device context and reading the pixels back: frames
// of strips, black as the transparent colour, scaling, text placement, and
// the device context and GDI objects left as they were.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Canvas.h"
#include "GdiCount.h"
#include "gui/FontDescription.h"
#include "util/Drawing.h"

namespace TarnUtility {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 64);

// Three 10 x 10 frames side by side: red, green, blue.
HBITMAP ThreeFrames() {
    return MakeBitmap(30, 10, [](int x, int) { return x < 10 ? kRed : x < 20 ? kGreen : kBlue; });
}

TEST(Drawing, BlitCopiesOneFrameOfAStripOpaquely) {
    Canvas canvas(20, 20);
    HBITMAP strip = ThreeFrames();
    Drawing drawing(nullptr);
    drawing.UseDC(canvas.dc);
    drawing.Blit(5, 5, 10, 10, strip, 10, 0);
    EXPECT_EQ(canvas.Pixel(5, 5), kGreen);
    EXPECT_EQ(canvas.Pixel(14, 14), kGreen);
    EXPECT_EQ(canvas.Pixel(4, 4), kWhite);
    EXPECT_EQ(canvas.Pixel(15, 15), kWhite);
    DeleteObject(strip);
}

TEST(Drawing, OnlyExactBlackIsTransparent) {
    Canvas canvas(10, 4);
    // Frame 1 of a two-frame strip: black, then RGB(0,0,1), then yellow.
    HBITMAP strip = MakeBitmap(20, 4, [](int x, int) {
        if (x < 10)
            return kRed;
        return x == 10 ? RGB(0, 0, 0) : x == 11 ? RGB(0, 0, 1) : kYellow;
    });
    Drawing drawing(nullptr);
    drawing.UseDC(canvas.dc);
    drawing.BlitTransparent(0, 0, 10, 4, strip, 10, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), kWhite);
    EXPECT_EQ(canvas.Pixel(1, 0), RGB(0, 0, 1));
    EXPECT_EQ(canvas.Pixel(2, 3), kYellow);
    EXPECT_EQ(canvas.Pixel(9, 3), kYellow);
    DeleteObject(strip);
}

TEST(Drawing, TransparencyHoldsWhateverColoursTheContextCarries) {
    Canvas canvas(10, 4, kGreen);
    SetTextColor(canvas.dc, kWhite); // as a parent leaves a button face's context
    SetBkColor(canvas.dc, kRed);
    HBITMAP picture = MakeBitmap(10, 4, [](int x, int) { return x < 5 ? 0 : kBlue; });
    Drawing drawing(nullptr);
    drawing.UseDC(canvas.dc);
    drawing.BlitTransparent(0, 0, 10, 4, picture, 0, 0);
    EXPECT_EQ(canvas.Pixel(2, 2), kGreen);
    EXPECT_EQ(canvas.Pixel(7, 2), kBlue);
    Canvas wide(20, 8, kGreen);
    SetTextColor(wide.dc, kWhite);
    SetBkColor(wide.dc, kRed);
    Drawing stretched(nullptr);
    stretched.UseDC(wide.dc);
    stretched.StretchTransparent(0, 0, 20, 8, picture);
    EXPECT_EQ(wide.Pixel(7, 6), kGreen);
    EXPECT_EQ(wide.Pixel(12, 6), kBlue);
    EXPECT_EQ(GetTextColor(canvas.dc), kWhite);
    EXPECT_EQ(GetBkColor(canvas.dc), kRed);
    DeleteObject(picture);
}

// Left half black, right half red.
HBITMAP HalfBlack() {
    return MakeBitmap(4, 4, [](int x, int) { return x < 2 ? 0 : kRed; });
}

TEST(Drawing, StretchTransparentScalesTheMaskWithThePicture) {
    Canvas canvas(12, 12);
    HBITMAP picture = HalfBlack();
    Drawing drawing(nullptr);
    drawing.UseDC(canvas.dc);
    drawing.StretchTransparent(1, 1, 8, 8, picture);
    EXPECT_EQ(canvas.Pixel(1, 1), kWhite);
    EXPECT_EQ(canvas.Pixel(4, 8), kWhite);
    EXPECT_EQ(canvas.Pixel(5, 1), kRed);
    EXPECT_EQ(canvas.Pixel(8, 8), kRed);
    EXPECT_EQ(canvas.Pixel(9, 9), kWhite);
    DeleteObject(picture);
}

TEST(Drawing, StretchTransparentDrawsNaturalSizeWhenASideIsZero) {
    for (SIZE size : {SIZE{0, 8}, SIZE{8, 0}}) {
        Canvas canvas(12, 12);
        HBITMAP picture = HalfBlack();
        Drawing drawing(nullptr);
        drawing.UseDC(canvas.dc);
        drawing.StretchTransparent(1, 1, size.cx, size.cy, picture);
        EXPECT_EQ(canvas.Pixel(2, 1), kWhite);
        EXPECT_EQ(canvas.Pixel(3, 1), kRed);
        EXPECT_EQ(canvas.Pixel(4, 4), kRed);
        EXPECT_EQ(canvas.Pixel(5, 1), kWhite);
        EXPECT_EQ(canvas.Pixel(4, 5), kWhite);
        DeleteObject(picture);
    }
}

TEST(Drawing, FillCoversTheRectangleAndOutlineOnlyItsBorder) {
    Canvas canvas(10, 10);
    Drawing drawing(nullptr);
    drawing.UseDC(canvas.dc);
    drawing.Fill(2, 2, 5, 5, kRed);
    EXPECT_EQ(canvas.Pixel(2, 2), kRed);
    EXPECT_EQ(canvas.Pixel(6, 6), kRed);
    EXPECT_EQ(canvas.Pixel(7, 7), kWhite);
    EXPECT_EQ(canvas.Pixel(1, 1), kWhite);

    drawing.Outline(2, 2, 5, 5, kBlue);
    EXPECT_EQ(canvas.Pixel(2, 2), kBlue);
    EXPECT_EQ(canvas.Pixel(6, 2), kBlue);
    EXPECT_EQ(canvas.Pixel(2, 6), kBlue);
    EXPECT_EQ(canvas.Pixel(6, 6), kBlue);
    EXPECT_EQ(canvas.Pixel(4, 4), kRed);
    EXPECT_EQ(canvas.Pixel(7, 7), kWhite);
}

class Text : public ::testing::Test {
protected:
    FontDescription font{"Arial", 16};
};

TEST_F(Text, AlignmentOneIsRightTwoIsCentredAnyOtherIsLeft) {
    auto leftmost = [this](int alignment) {
        Canvas canvas(200, 20);
        Drawing drawing(nullptr);
        drawing.UseDC(canvas.dc);
        drawing.WriteText(std::string("X"), 0, 0, 200, 20, 0, &font, alignment);
        return canvas.LeftmostInk();
    };
    EXPECT_GT(leftmost(1), 180);
    EXPECT_GT(leftmost(2), 90);
    EXPECT_LT(leftmost(2), 105);
    EXPECT_LT(leftmost(3), 5);
    EXPECT_LT(leftmost(0), 5);
}

TEST_F(Text, ANoughtWidthOrHeightWritesAtThePointUnclipped) {
    Canvas clipped(100, 40);
    Drawing first(nullptr);
    first.UseDC(clipped.dc);
    first.WriteText(std::string("XgX"), 10, 10, 80, 4, 0, &font, 2);
    EXPECT_LE(clipped.LowestInk(), 13);

    Canvas free(100, 40);
    Drawing second(nullptr);
    second.UseDC(free.dc);
    second.WriteText(std::string("XgX"), 10, 10, 0, 4, 0, &font, 2);
    EXPECT_GT(free.LowestInk(), 20);
    EXPECT_GE(free.LeftmostInk(), 10);
    EXPECT_LT(free.LeftmostInk(), 14);
}

TEST_F(Text, AtMost1023CharactersAreDrawn) {
    FontDescription small("Arial", 8);
    auto render = [&small](size_t count) {
        auto canvas = std::make_unique<Canvas>(6000, 10);
        Drawing drawing(nullptr);
        drawing.UseDC(canvas->dc);
        drawing.WriteText(std::wstring(count, L'i'), 0, 0, 0, 0, 0, &small, 0);
        std::vector<COLORREF> row;
        for (int x = 0; x < canvas->width; ++x)
            for (int y = 0; y < canvas->height; ++y)
                row.push_back(canvas->Pixel(x, y));
        return row;
    };
    const auto longText = render(1500);
    EXPECT_EQ(longText, render(1023));
    EXPECT_EQ(longText, render(1024));
    EXPECT_NE(longText, render(1022));
}

TEST_F(Text, TheContextKeepsItsFontAndColourAndBecomesTransparent) {
    Canvas canvas(100, 20);
    HGDIOBJ ownFont = GetStockObject(ANSI_FIXED_FONT);
    SelectObject(canvas.dc, ownFont);
    SetTextColor(canvas.dc, kGreen);
    HGDIOBJ pen = GetCurrentObject(canvas.dc, OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(canvas.dc, OBJ_BRUSH);
    Drawing drawing(nullptr);
    drawing.UseDC(canvas.dc);
    drawing.WriteText(std::string("abc"), 0, 0, 100, 20, kRed, &font, 0);
    drawing.Fill(0, 0, 5, 5, kRed);
    drawing.Outline(0, 0, 5, 5, kRed);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), ownFont);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetTextColor(canvas.dc), kGreen);
    EXPECT_EQ(GetBkMode(canvas.dc), TRANSPARENT);
}

TEST_F(Text, TextHeightIsMinusOneUnboundOrWithoutAFont) {
    Drawing unbound(nullptr);
    EXPECT_EQ(unbound.TextHeight(&font), -1);
    Canvas canvas(10, 10);
    Drawing bound(nullptr);
    bound.UseDC(canvas.dc);
    EXPECT_EQ(bound.TextHeight(nullptr), -1);
    EXPECT_EQ(bound.TextHeight(&font), 16);
}

TEST(Drawing, FinishLeavesTheCallersContextAndIsHarmlessTwice) {
    Canvas canvas(10, 10);
    {
        Drawing drawing(nullptr);
        drawing.UseDC(canvas.dc);
        drawing.Finish();
        drawing.Finish();
        EXPECT_EQ(drawing.dc, nullptr);
        drawing.Fill(0, 0, 10, 10, kRed); // unbound: nothing
    }
    EXPECT_EQ(canvas.Pixel(5, 5), kWhite);
    EXPECT_NE(GetPixel(canvas.dc, 5, 5), CLR_INVALID); // still usable
    EXPECT_TRUE(SetPixel(canvas.dc, 5, 5, kBlue) != static_cast<COLORREF>(-1));
    EXPECT_EQ(canvas.Pixel(5, 5), kBlue);
}

TEST(Drawing, NoGdiObjectOutlivesACall) {
    FontDescription font("Arial", 12);
    font.GetHandle(); // the cached font is the description's, made once
    Canvas canvas(64, 64);
    HBITMAP strip = ThreeFrames();
    HBITMAP picture = HalfBlack();
    auto drawAll = [&] {
        Drawing drawing(nullptr);
        drawing.UseDC(canvas.dc);
        drawing.WriteText(std::string("abc"), 0, 0, 50, 20, kRed, &font, 2);
        drawing.WriteText(std::wstring(L"abc"), 0, 0, 0, 0, kRed, nullptr, 2);
        drawing.TextHeight(&font);
        drawing.Fill(0, 0, 10, 10, kRed);
        drawing.Outline(0, 0, 10, 10, kBlue);
        drawing.Blit(0, 0, 10, 10, strip, 20, 0);
        drawing.BlitTransparent(0, 0, 10, 10, strip, 10, 0);
        drawing.StretchTransparent(0, 0, 20, 20, picture);
        drawing.StretchTransparent(0, 0, 0, 0, picture);
    };
    drawAll();
    const int before = CountGdiObjects();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 50; ++i)
        drawAll();
    EXPECT_EQ(CountGdiObjects(), before);
    DeleteObject(strip);
    DeleteObject(picture);
}

TEST(Drawing, LoadBitmapFromFileReadsABitmapFileOrGivesNull) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring wide = std::wstring(folder) + L"trevalo-drawing-test.bmp";
    const std::string path(wide.begin(), wide.end());

    // A 3 x 2, 24-bit, bottom-up bitmap file.
    const int width = 3, height = 2, stride = 12;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * height;
    std::vector<unsigned char> pixels(stride * height, 0x80);
    FILE* out = _wfopen(wide.c_str(), L"wb");
    ASSERT_NE(out, nullptr);
    fwrite(&file, sizeof(file), 1, out);
    fwrite(&info, sizeof(info), 1, out);
    fwrite(pixels.data(), 1, pixels.size(), out);
    fclose(out);

    HBITMAP loaded = Drawing::LoadBitmapFromFile(path);
    ASSERT_NE(loaded, nullptr);
    BITMAP size{};
    GetObjectW(loaded, sizeof(size), &size);
    EXPECT_EQ(size.bmWidth, 3);
    EXPECT_EQ(size.bmHeight, 2);
    DeleteObject(loaded);
    _wremove(wide.c_str());
    EXPECT_EQ(Drawing::LoadBitmapFromFile(path), nullptr);
}

} // namespace
} // namespace TarnUtility
