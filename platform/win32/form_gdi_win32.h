#pragma once
// Owners for the drawing resources and windows of the form realisation, and the fonts and
// pictures it shares between its controls.
#include "platform/win32/windows_api.h"

#include <map>
#include <string>
#include <tuple>

#include "platform/forms.h"
#include "platform/win32/handles.h"

namespace platform::win32 {

// A window's device context (or the screen's, for no window), released on scope exit.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context compatible with `dc`, deleted on scope exit.
class MemoryDc {
public:
    explicit MemoryDc(HDC dc) : dc_(::CreateCompatibleDC(dc)) {}
    ~MemoryDc() {
        if (dc_) ::DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back on scope exit.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~Selection() {
        if (previous_) ::SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint and EndPaint of one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~PaintScope() { ::EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

struct WindowTraits {
    using Handle = HWND;
    static Handle Empty() { return nullptr; }
    static void Close(Handle window) { ::DestroyWindow(window); }
};
using unique_window = UniqueHandle<WindowTraits>;

// One logical font per distinct form font, alive as long as the cache.
class FontCache {
public:
    HFONT Get(const forms::Font& font);
    // Width and height of `text` drawn with `font`.
    SIZE Measure(const std::string& text, const forms::Font& font);

private:
    using Key = std::tuple<std::string, int, bool, bool, int>;
    std::map<Key, unique_gdi> fonts_;
};

// A bitmap the program carries, made ready for drawing: with `transparent`, every pixel of
// the bottom-left pixel's colour becomes the button face, the colour the form is painted in.
// Empty when the program carries no bitmap of that name.
unique_gdi LoadPicture(const std::string& name, bool transparent);
// A lighter copy in greys for a disabled button whose glyph has no disabled image of its own;
// the face-coloured pixels stay as they are. Empty for pictures other than 24- or 32-bit.
unique_gdi GreyedCopy(HBITMAP picture);
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace platform::win32
