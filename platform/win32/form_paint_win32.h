#pragma once
// Drawing of what Windows has no control for: labels centred both ways, glyph buttons,
// the raised panel and the etched group frame. Everything sits on the button face.
#include "platform/win32/windows_api.h"

#include <string>

#include "platform/forms.h"

namespace platform::win32 {

void DrawLabel(HDC dc, RECT area, const forms::Label& label, HFONT font);

// One image of a glyph: the part of `bitmap` from `left`, `size` wide and high.
struct GlyphImage {
    HBITMAP bitmap = nullptr;
    int left = 0;
    SIZE size{0, 0};
};

struct ButtonState {
    bool pushed = false;
    bool focused = false;
    bool enabled = true;
    bool showsAsDefault = false;  // the heavy frame of the button Enter presses
};

void DrawGlyphButton(HDC dc, RECT area, const forms::GlyphButton& button, HFONT font, const GlyphImage& glyph,
                     ButtonState state);
void PaintPanel(HDC dc, RECT area);
void PaintGroupBox(HDC dc, RECT area, const forms::GroupBox& group, HFONT font);

}  // namespace platform::win32
