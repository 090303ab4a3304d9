#include "platform/win32/form_gdi_win32.h"

#include <cstdint>

namespace platform::win32 {

HFONT FontCache::Get(const forms::Font& font) {
    const Key key{font.name, font.height, font.bold, font.italic, font.charset};
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        HFONT made = ::CreateFontA(font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, FALSE, FALSE,
                                   static_cast<BYTE>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
        found = fonts_.emplace(key, unique_gdi(made)).first;
    }
    return static_cast<HFONT>(found->second.get());
}

SIZE FontCache::Measure(const std::string& text, const forms::Font& font) {
    WindowDc screen(nullptr);
    Selection selected(screen.get(), Get(font));
    SIZE size{};
    ::GetTextExtentPoint32A(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    if (text.empty()) {
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(screen.get(), &metrics);
        size.cy = metrics.tmHeight;
    }
    return size;
}

namespace {

// The pixels of a 24- or 32-bit section, blue-green-red, for a function to rewrite in place;
// false for other sections.
template <class Rewrite>
bool RewritePixels(HBITMAP picture, Rewrite rewrite) {
    DIBSECTION section{};
    if (::GetObjectA(picture, sizeof section, &section) != sizeof section) return false;
    const BITMAP& bitmap = section.dsBm;
    const int bytesPerPixel = bitmap.bmBitsPixel / 8;
    if ((bytesPerPixel != 3 && bytesPerPixel != 4) || bitmap.bmBits == nullptr) return false;
    ::GdiFlush();
    auto* bits = static_cast<std::uint8_t*>(bitmap.bmBits);
    // Rows of a bottom-up section start with the picture's bottom row.
    const bool bottomUp = section.dsBmih.biHeight > 0;
    const std::uint8_t* corner = bits + (bottomUp ? 0 : (bitmap.bmHeight - 1) * bitmap.bmWidthBytes);
    const COLORREF bottomLeft = RGB(corner[2], corner[1], corner[0]);
    for (int y = 0; y < bitmap.bmHeight; ++y) {
        std::uint8_t* pixel = bits + y * bitmap.bmWidthBytes;
        for (int x = 0; x < bitmap.bmWidth; ++x, pixel += bytesPerPixel) rewrite(pixel, bottomLeft);
    }
    return true;
}

COLORREF ColourOf(const std::uint8_t* pixel) { return RGB(pixel[2], pixel[1], pixel[0]); }

void SetColour(std::uint8_t* pixel, COLORREF colour) {
    pixel[0] = GetBValue(colour);
    pixel[1] = GetGValue(colour);
    pixel[2] = GetRValue(colour);
}

}  // namespace

unique_gdi LoadPicture(const std::string& name, bool transparent) {
    unique_gdi picture(::LoadImageA(::GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!picture || !transparent) return picture;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    RewritePixels(static_cast<HBITMAP>(picture.get()), [face](std::uint8_t* pixel, COLORREF bottomLeft) {
        if (ColourOf(pixel) == bottomLeft) SetColour(pixel, face);
    });
    return picture;
}

unique_gdi GreyedCopy(HBITMAP picture) {
    unique_gdi copy(::CopyImage(picture, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!copy) return copy;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const bool rewritten = RewritePixels(static_cast<HBITMAP>(copy.get()), [face](std::uint8_t* pixel, COLORREF) {
        if (ColourOf(pixel) == face) return;
        const int luminance = (pixel[2] * 30 + pixel[1] * 59 + pixel[0] * 11) / 100;
        const auto grey = static_cast<BYTE>(128 + luminance / 2);
        SetColour(pixel, RGB(grey, grey, grey));
    });
    if (!rewritten) copy.reset();
    return copy;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof info, &info) == 0) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace platform::win32
