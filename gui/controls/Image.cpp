#include "gui/controls/Image.h"

#include "gui/ChildControl.h"
#include "gui/Dpi.h"
#include "gui/Owned.h"
#include "util/Drawing.h"

namespace TarnUtility {

Image::Image(GUIElement* parent, int resourceId) : Child(nullptr), resourceId(resourceId) {
    this->parent = parent;
    typeName = "image";
}

// A control that outlives the element must not keep showing a bitmap that
// is gone: it is cleared before the bitmap is released.
Image::~Image() {
    if (bitmap && WindowOpen())
        SendMessageW(hwnd, STM_SETIMAGE, IMAGE_BITMAP, 0);
    DeleteOwnedObject(bitmap);
}

DWORD Image::ComputeStyle() const {
    DWORD style = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP;
    if (!enabled)
        style |= WS_DISABLED;
    if (border)
        style |= WS_BORDER;
    return style;
}

void Image::Create() {
    if (created)
        return;
    if (!CreateControlWindow(*this, L"static", ComputeStyle(), border ? WS_EX_CLIENTEDGE : 0))
        return; // stays not created: the next Create() tries again
    created = true;
    if (resourceId == -1)
        SetImageFile(imageFile);
    else
        SetImageResource(resourceId);
    SubclassControl(*this);
    FinishControl(*this);
}

void Image::SetImageResource(int id) {
    imageFile.clear();
    resourceId = id;
    if (!created || id < 1)
        return;
    Replace(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id & 0xFFFF),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

void Image::SetImageFile(const std::string& path) {
    imageFile = path;
    resourceId = -1;
    if (!created || path.empty())
        return;
    Replace(Drawing::LoadBitmapFromFile(path));
}

// The control is told about the new bitmap before the old one is released,
// and is cleared when nothing could be loaded, so it never shows a bitmap
// that is gone. A bitmap static takes the size of its bitmap: where the
// screen's pixels are not the element's, it is given a copy the size of the
// box the bitmap's edges make there, so that pictures that meet still meet.
void Image::Replace(HBITMAP next) {
    if (next && ScreenScaled()) {
        BITMAP info{};
        GetObjectW(next, sizeof(info), &info);
        const RECT box = ScreenPlace(info.bmWidth, info.bmHeight);
        if (HBITMAP scaled =
                Drawing::ScaledBitmap(next, box.right - box.left, box.bottom - box.top)) {
            DeleteObject(next);
            next = scaled;
        }
    }
    HBITMAP old = bitmap;
    bitmap = next;
    SendMessageW(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    DeleteOwnedObject(old);
}

} // namespace TarnUtility
