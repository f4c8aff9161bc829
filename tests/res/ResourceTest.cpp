// The resources as the program loads them from its own module: bitmaps by
// LoadImageW, sounds, icon, manifest and version block by FindResourceW.
// This test program carries the same resource script as Trevalo.exe.
#include <gtest/gtest.h>

#include <windows.h>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "res/ResourceIds.h"

namespace {

struct Blob {
    const unsigned char* data = nullptr;
    DWORD size = 0;
};

Blob Resource(int id, const wchar_t* type) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(id),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (!found)
        return {};
    return {static_cast<const unsigned char*>(LockResource(LoadResource(module, found))),
            SizeofResource(module, found)};
}

template <typename T> T Read(const unsigned char* at) {
    T value;
    std::memcpy(&value, at, sizeof(T));
    return value;
}

// ------------------------------------------------------------- bitmaps

struct BitmapCase {
    int id, width, height, bits;
    DWORD bytes;
};

const BitmapCase kBitmaps[] = {
    {IDB_ABOUT_LOGO, 163, 50, 24, 24640}, {IDB_MAIN_LOGO, 200, 50, 24, 30040},
    {IDB_HANDS, 600, 100, 4, 30104},      {IDB_FRAME_RIGHT, 19, 203, 4, 2540},
    {IDB_FRAME_LEFT, 19, 203, 4, 2540},   {IDB_FRAME_TOP, 519, 16, 4, 4264},
    {IDB_FRAME_BOTTOM, 519, 16, 4, 4264}, {IDB_BANNERS, 1400, 100, 4, 70104},
};

TEST(Bitmaps, LoadAtTheirSizesAsBottomUpUncompressedDibs) {
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE(c.id);
        const Blob blob = Resource(c.id, MAKEINTRESOURCEW(2)); // RT_BITMAP
        ASSERT_NE(blob.data, nullptr);
        EXPECT_EQ(blob.size, c.bytes);
        const auto header = Read<BITMAPINFOHEADER>(blob.data);
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biHeight, c.height); // positive: bottom-up
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));

        HANDLE image = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.id), IMAGE_BITMAP,
                                  0, 0, LR_CREATEDIBSECTION);
        ASSERT_NE(image, nullptr);
        DIBSECTION section{};
        ASSERT_EQ(GetObjectW(image, sizeof(section), &section), static_cast<int>(sizeof(section)));
        EXPECT_EQ(section.dsBm.bmWidth, c.width);
        EXPECT_EQ(section.dsBm.bmHeight, c.height);
        EXPECT_EQ(section.dsBm.bmBitsPixel, c.bits);
        DeleteObject(image);
    }
}

// A 4-bit bitmap resource read straight from its data: palette and indexes.
struct Indexed {
    int width = 0, height = 0;
    std::vector<COLORREF> palette;
    std::vector<int> indexes; // top row first

    int At(int x, int y) const { return indexes[static_cast<size_t>(y * width + x)]; }

    explicit Indexed(int id) {
        const Blob blob = Resource(id, MAKEINTRESOURCEW(2));
        const auto header = Read<BITMAPINFOHEADER>(blob.data);
        width = header.biWidth;
        height = header.biHeight;
        for (int i = 0; i < 16; ++i) {
            const unsigned char* quad = blob.data + 40 + 4 * i;
            palette.push_back(RGB(quad[2], quad[1], quad[0]));
        }
        const int stride = ((width * 4 + 31) / 32) * 4;
        const unsigned char* pixels = blob.data + 40 + 64;
        indexes.resize(static_cast<size_t>(width * height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned char byte = pixels[(height - 1 - y) * stride + x / 2];
                indexes[static_cast<size_t>(y * width + x)] = x % 2 ? byte & 0x0F : byte >> 4;
            }
    }
};

std::vector<COLORREF> Palette(std::vector<COLORREF> first) {
    first.resize(16, RGB(0, 0, 0));
    return first;
}

TEST(Hands, PaletteIsBlackYellowAndAnUnusedGrey) {
    const Indexed hands(IDB_HANDS);
    EXPECT_EQ(hands.palette, Palette({RGB(0, 0, 0), RGB(255, 255, 64), RGB(192, 192, 192)}));
    for (int index : hands.indexes)
        EXPECT_TRUE(index == 0 || index == 1);
}

TEST(Hands, EachHandKeepsAMarginOfElevenPixels) {
    const Indexed hands(IDB_HANDS);
    for (int frame = 0; frame < 6; ++frame) {
        int inked = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (hands.At(frame * 100 + x, y)) {
                    ++inked;
                    EXPECT_TRUE(x >= 11 && x <= 88 && y >= 11 && y <= 88)
                        << "frame " << frame << " at " << x << "," << y;
                }
        EXPECT_GT(inked, 1000) << "frame " << frame;
    }
}

// The mean column of the hand's lowest rows: where its wrist is.
double WristColumn(const Indexed& hands, int frame) {
    int lowest = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            if (hands.At(frame * 100 + x, y))
                lowest = y;
    double sum = 0;
    int count = 0;
    for (int y = lowest - 6; y <= lowest; ++y)
        for (int x = 0; x < 100; ++x)
            if (hands.At(frame * 100 + x, y)) {
                sum += x;
                ++count;
            }
    return sum / count;
}

TEST(Hands, ThePlayersWristsAreLowerRightAndTheComputersLowerLeft) {
    const Indexed hands(IDB_HANDS);
    for (int frame = 0; frame < 3; ++frame)
        EXPECT_GT(WristColumn(hands, frame), 55) << frame;
    for (int frame = 3; frame < 6; ++frame)
        EXPECT_LT(WristColumn(hands, frame), 45) << frame;
}

TEST(Hands, NoFrameIsTheMirrorImageOfAnother) {
    const Indexed hands(IDB_HANDS);
    for (int a = 0; a < 6; ++a)
        for (int b = 0; b < 6; ++b) {
            int same = 0;
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < 100; ++x)
                    same += hands.At(a * 100 + x, y) == hands.At(b * 100 + 99 - x, y);
            EXPECT_LT(same, 9800) << a << " mirrors " << b;
        }
}

TEST(Banners, PaletteAndFrames) {
    const Indexed banners(IDB_BANNERS);
    EXPECT_EQ(banners.palette,
              Palette({RGB(0, 0, 0), RGB(255, 0, 0), RGB(255, 255, 0), RGB(255, 255, 255)}));
    auto count = [&](int frame, int index) {
        int n = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x)
                n += banners.At(frame * 200 + x, y) == index;
        return n;
    };
    // The title: red letters with a yellow shadow, a little left of centre.
    EXPECT_GT(count(0, 1), 100);
    EXPECT_GT(count(0, 2), 50);
    EXPECT_EQ(count(0, 3), 0);
    int sum = 0, n = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (banners.At(x, y)) {
                sum += x;
                ++n;
            }
    EXPECT_LT(sum / n, 100);
    // The countdown: a yellow digit in a red disc with a white ring, 94 across.
    for (int frame = 1; frame <= 3; ++frame) {
        int first = -1, last = -1;
        for (int x = 0; x < 200; ++x)
            if (banners.At(frame * 200 + x, 50) == 3) {
                if (first < 0)
                    first = x;
                last = x;
            }
        EXPECT_NEAR(last - first + 1, 94, 2) << frame;
        EXPECT_GT(count(frame, 1), 2000);
        EXPECT_GT(count(frame, 2), 300);
    }
    // The results: yellow words only.
    for (int frame = 4; frame <= 6; ++frame) {
        EXPECT_GT(count(frame, 2), 1000) << frame;
        EXPECT_EQ(count(frame, 1) + count(frame, 3), 0) << frame;
    }
}

TEST(Frame, BandsDarkenTowardTheirOuterEdgeInSteps) {
    std::vector<COLORREF> shades;
    for (int i = 0; i < 9; ++i)
        shades.push_back(RGB(32 + 12 * i, 0, 0));
    const Indexed right(IDB_FRAME_RIGHT), left(IDB_FRAME_LEFT);
    const Indexed top(IDB_FRAME_TOP), bottom(IDB_FRAME_BOTTOM);
    for (const Indexed* band : {&right, &left, &top, &bottom})
        EXPECT_EQ(band->palette, Palette(shades));
    for (int y : {0, 100, 202}) {
        for (int step = 0; step < 9; ++step) {
            EXPECT_EQ(right.At(18 - step, y), step);
            EXPECT_EQ(left.At(step, y), step);
        }
        EXPECT_EQ(right.At(0, y), 8);
    }
    for (int step = 0; step < 9; ++step) {
        EXPECT_EQ(top.At(259, step), step);
        EXPECT_EQ(bottom.At(259, 15 - step), step);
        EXPECT_EQ(top.At(step, 12), step); // the mitred ends
        EXPECT_EQ(top.At(518 - step, 12), step);
    }
}

TEST(Logos, BlackBackgroundAndTheFlagOnlyOnTheMainLogo) {
    auto hasFlagGreen = [](int id, int width) {
        HDC dc = CreateCompatibleDC(nullptr);
        HANDLE image = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0,
                                  0, LR_CREATEDIBSECTION);
        HGDIOBJ previous = SelectObject(dc, image);
        bool green = false;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < width; ++x)
                green = green || GetPixel(dc, x, y) == RGB(0, 192, 0);
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
        EXPECT_EQ(GetPixel(dc, width - 1, 0), RGB(0, 0, 0));
        SelectObject(dc, previous);
        DeleteObject(image);
        DeleteDC(dc);
        return green;
    };
    EXPECT_TRUE(hasFlagGreen(IDB_MAIN_LOGO, 200));
    EXPECT_FALSE(hasFlagGreen(IDB_ABOUT_LOGO, 163));
}

// -------------------------------------------------------------- sounds

struct Wave {
    WORD format = 0, channels = 0, bits = 0;
    DWORD rate = 0;
    std::vector<int16_t> samples;
    std::map<std::string, std::string> chunks; // every chunk by its tag

    explicit Wave(int id) {
        const Blob blob = Resource(id, L"WAVE");
        if (!blob.data || std::memcmp(blob.data, "RIFF", 4) ||
            std::memcmp(blob.data + 8, "WAVE", 4))
            return;
        for (DWORD at = 12; at + 8 <= blob.size;) {
            const std::string tag(reinterpret_cast<const char*>(blob.data + at), 4);
            const DWORD length = Read<DWORD>(blob.data + at + 4);
            const unsigned char* body = blob.data + at + 8;
            chunks[tag] = std::string(reinterpret_cast<const char*>(body), length);
            if (tag == "fmt ") {
                format = Read<WORD>(body);
                channels = Read<WORD>(body + 2);
                rate = Read<DWORD>(body + 4);
                bits = Read<WORD>(body + 14);
            } else if (tag == "data") {
                samples.resize(length / 2);
                std::memcpy(samples.data(), body, length);
            }
            at += 8 + length + (length % 2);
        }
    }

    size_t Frames() const { return channels ? samples.size() / channels : 0; }
};

void ExpectCleanEdges(const Wave& wave) {
    int peak = 0;
    for (int16_t s : wave.samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_LT(peak, 32000) << "clipped";
    EXPECT_GT(peak, 10000) << "too quiet";
    for (size_t i = 0; i < wave.channels * 2u; ++i) {
        EXPECT_LT(std::abs(wave.samples[i]), 300) << "click at the start";
        EXPECT_LT(std::abs(wave.samples[wave.samples.size() - 1 - i]), 300) << "click at the end";
    }
}

TEST(Sounds, TheTickIsATenthOfASecondMonoAt44100) {
    const Wave tick(IDW_TICK);
    EXPECT_EQ(Resource(IDW_TICK, L"WAVE").size, 9052u);
    EXPECT_EQ(tick.format, 1); // PCM
    EXPECT_EQ(tick.channels, 1);
    EXPECT_EQ(tick.rate, 44100u);
    EXPECT_EQ(tick.bits, 16);
    EXPECT_EQ(tick.Frames(), 4430u);
    ASSERT_EQ(tick.chunks.count("LIST"), 1u);
    EXPECT_EQ(tick.chunks.at("LIST").substr(0, 8), "INFOICMT");
    EXPECT_EQ(tick.chunks.count("id3 "), 1u);
    ExpectCleanEdges(tick);
}

TEST(Sounds, TheJinglesAreStereoAt48000) {
    const Wave won(IDW_ROUND_WON), lost(IDW_ROUND_LOST);
    EXPECT_EQ(Resource(IDW_ROUND_WON, L"WAVE").size, 352356u);
    EXPECT_EQ(Resource(IDW_ROUND_LOST, L"WAVE").size, 402360u);
    for (const Wave* wave : {&won, &lost}) {
        EXPECT_EQ(wave->format, 1);
        EXPECT_EQ(wave->channels, 2);
        EXPECT_EQ(wave->rate, 48000u);
        EXPECT_EQ(wave->bits, 16);
        ExpectCleanEdges(*wave);
    }
    EXPECT_NEAR(won.Frames() / 48000.0, 1.83, 0.01);
    EXPECT_NEAR(lost.Frames() / 48000.0, 2.10, 0.01);
}

// ------------------------------------------------------ icon, manifest

TEST(Icon, OneGroupOf16And32And48PixelImagesAtFourBits) {
    const Blob group = Resource(IDI_TREVALO, MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
    ASSERT_NE(group.data, nullptr);
    EXPECT_EQ(group.size, 48u);
    EXPECT_EQ(Read<WORD>(group.data + 4), 3); // images
    const int sizes[] = {16, 32, 48};
    for (int i = 0; i < 3; ++i) {
        const unsigned char* entry = group.data + 6 + 14 * i;
        EXPECT_EQ(entry[0], sizes[i]);
        EXPECT_EQ(entry[1], sizes[i]);
        EXPECT_EQ(entry[2], 16);             // colours
        EXPECT_EQ(Read<WORD>(entry + 4), 1); // planes
        EXPECT_EQ(Read<WORD>(entry + 6), 4); // bits per pixel
        HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TREVALO),
                                 IMAGE_ICON, sizes[i], sizes[i], 0);
        EXPECT_NE(icon, nullptr);
        DestroyIcon(static_cast<HICON>(icon));
    }
}

TEST(Manifest, AsksOnlyToRunAsInvoker) {
    const Blob manifest = Resource(1, MAKEINTRESOURCEW(24)); // RT_MANIFEST
    ASSERT_NE(manifest.data, nullptr);
    EXPECT_EQ(manifest.size, 346u);
    const std::string text(reinterpret_cast<const char*>(manifest.data), manifest.size);
    EXPECT_NE(text.find("manifestVersion=\"1.0\""), std::string::npos);
    EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(text.find("uiAccess=\"false\""), std::string::npos);
    EXPECT_EQ(text.find("Common-Controls"), std::string::npos);
}

// ------------------------------------------------------- version block

// One node of a VS_VERSIONINFO tree: wLength, wValueLength, wType, key,
// value, children, each 32-bit aligned.
struct VersionNode {
    std::wstring key;
    const unsigned char* value = nullptr;
    WORD valueLength = 0;
    std::vector<VersionNode> children;

    VersionNode(const unsigned char* base, const unsigned char* at) {
        const WORD length = Read<WORD>(at);
        valueLength = Read<WORD>(at + 2);
        const WORD type = Read<WORD>(at + 4);
        const unsigned char* p = at + 6;
        for (wchar_t c; (c = Read<wchar_t>(p)) != 0; p += 2)
            key.push_back(c);
        p += 2;
        auto align = [base](const unsigned char* q) { return base + ((q - base + 3) & ~3); };
        p = align(p);
        value = p;
        p = align(p + valueLength * (type == 1 ? 2 : 1));
        while (p < at + length) {
            children.emplace_back(base, p);
            p = align(p + Read<WORD>(p));
        }
    }

    const VersionNode& operator[](const std::wstring& name) const {
        for (const VersionNode& child : children)
            if (child.key == name)
                return child;
        throw std::runtime_error("no version key");
    }

    std::wstring Text() const {
        return valueLength ? std::wstring(reinterpret_cast<const wchar_t*>(value)) : L"";
    }
};

TEST(Version, FixedInfoStringsAndTranslation) {
    const Blob blob = Resource(1, MAKEINTRESOURCEW(16)); // RT_VERSION
    ASSERT_NE(blob.data, nullptr);
    EXPECT_EQ(blob.size, 812u);
    const VersionNode root(blob.data, blob.data);
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");
    const auto fixed = Read<VS_FIXEDFILEINFO>(root.value);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0u);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, 0x40004u);
    EXPECT_EQ(fixed.dwFileType, 1u);

    const VersionNode& table = root[L"StringFileInfo"][L"040904b0"];
    EXPECT_EQ(table[L"FileDescription"].Text(), L"Tarn Trevalo");
    EXPECT_EQ(table[L"FileVersion"].Text(), L"1.0.0.0");
    EXPECT_EQ(table[L"InternalName"].Text(), L"Trevalo");
    EXPECT_EQ(table[L"OriginalFilename"].Text(), L"Trevalo.exe");
    EXPECT_EQ(table[L"ProductName"].Text(), L"Trevalo");
    EXPECT_EQ(table[L"ProductVersion"].Text(), L"1.0.0.0");
    EXPECT_EQ(table[L"LegalTrademarks"].Text(), L"");
    EXPECT_EQ(table[L"LegalCopyright"].Text(), L"" TREVALO_COPYRIGHT);
    EXPECT_FALSE(table[L"CompanyName"].Text().empty());

    const VersionNode& translation = root[L"VarFileInfo"][L"Translation"];
    EXPECT_EQ(Read<WORD>(translation.value), 0x0410);
    EXPECT_EQ(Read<WORD>(translation.value + 2), 0x04E2);
}

} // namespace
