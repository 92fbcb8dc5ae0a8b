// Windows-only: owning wrappers for GDI objects, icons, image lists and menus, so every handle is
// released by the object that made it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string_view>
#include <utility>

namespace vestra::ui::win {

template <typename Handle, typename Free>
class Unique {
public:
    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~Unique() { Reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (handle_)
            Free{}(handle_);
        handle_ = handle;
    }
    Handle Release() { return std::exchange(handle_, nullptr); }

private:
    Handle handle_ = nullptr;
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconFree {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DestroyImageList {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
struct DestroyMenuFree {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};

using UniqueFont = Unique<HFONT, DeleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, DeleteGdiObject>;
using UniquePen = Unique<HPEN, DeleteGdiObject>;
using UniqueIcon = Unique<HICON, DestroyIconFree>;
using UniqueImageList = Unique<HIMAGELIST, DestroyImageList>;
using UniqueMenu = Unique<HMENU, DestroyMenuFree>;

struct FontArgs {
    std::u16string_view face = u"Tahoma";
    int pointSize = 8;
    bool bold = false;
    bool underline = false;
    int dpi = 96;
};
UniqueFont MakeFont(const FontArgs& args);

// The solid brush of a colour, kept until the colour changes.
class SolidBrush {
public:
    HBRUSH Get(COLORREF color);

private:
    UniqueBrush brush_;
    COLORREF color_ = CLR_INVALID;
};

// A small icon from the program's resources at the size the DPI asks for.
UniqueIcon LoadIconResource(int resourceId, int size);

}  // namespace vestra::ui::win
