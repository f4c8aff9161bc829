#pragma once
// A bitmap shown by the system "static" control, from the program's own
// resources or from a bitmap file. The element owns the bitmap it loaded.
#include <string>

#include "gui/GUIElement.h"

namespace TarnUtility {

class Image : public Child {
public:
    // resourceId: a bitmap resource; -1 takes the bitmap from imageFile;
    // 0 and other values below 1 mean no bitmap.
    Image(GUIElement* parent, int resourceId);
    ~Image() override;

    HBITMAP bitmap = nullptr; // owned
    std::string imageFile;
    int32_t resourceId;
    bool border = false;

    // Unlike other elements, an Image whose window could not be made stays
    // not created, and its next Create() tries again.
    void Create() override;
    void SetImageResource(int id);
    void SetImageFile(const std::string& path);

    DWORD ComputeStyle() const;

private:
    void Replace(HBITMAP next);
};

} // namespace TarnUtility
