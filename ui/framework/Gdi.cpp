// Windows-only: fonts, brushes and icons behind the owning wrappers.
#include "ui/framework/Gdi.h"

#include <string>

namespace vestra::ui::win {

UniqueFont MakeFont(const FontArgs& args) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(args.pointSize, args.dpi, 72);
    font.lfWeight = args.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = args.underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    const std::size_t n = std::min<std::size_t>(args.face.size(), LF_FACESIZE - 1);
    for (std::size_t i = 0; i < n; ++i)
        font.lfFaceName[i] = static_cast<wchar_t>(args.face[i]);
    return UniqueFont(CreateFontIndirectW(&font));
}

HBRUSH SolidBrush::Get(COLORREF color) {
    if (!brush_ || color != color_) {
        brush_.Reset(CreateSolidBrush(color));
        color_ = color;
    }
    return brush_.get();
}

UniqueIcon LoadIconResource(int resourceId, int size) {
    return UniqueIcon(
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId),
                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace vestra::ui::win
