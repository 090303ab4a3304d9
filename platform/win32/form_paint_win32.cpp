#include "platform/win32/form_paint_win32.h"

#include "platform/win32/form_gdi_win32.h"

namespace platform::win32 {
namespace {

constexpr int GlyphSpacing = 4;  // between a glyph and its caption
constexpr int GroupCaptionIndent = 8;

void FillFace(HDC dc, const RECT& area) { ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE)); }

// Disabled text is embossed: a highlight one pixel down-right under the shadow.
void DrawText(HDC dc, const std::string& text, RECT area, UINT format, bool enabled) {
    ::SetBkMode(dc, TRANSPARENT);
    if (enabled) {
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        ::DrawTextA(dc, text.c_str(), -1, &area, format);
        return;
    }
    RECT shifted = area;
    ::OffsetRect(&shifted, 1, 1);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::DrawTextA(dc, text.c_str(), -1, &shifted, format);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
    ::DrawTextA(dc, text.c_str(), -1, &area, format);
}

SIZE TextSize(HDC dc, const std::string& text) {
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void DrawGlyph(HDC dc, int x, int y, const GlyphImage& glyph) {
    if (glyph.bitmap == nullptr) return;
    MemoryDc source(dc);
    Selection selected(source.get(), glyph.bitmap);
    ::BitBlt(dc, x, y, glyph.size.cx, glyph.size.cy, source.get(), glyph.left, 0, SRCCOPY);
}

}  // namespace

void DrawLabel(HDC dc, RECT area, const forms::Label& label, HFONT font) {
    FillFace(dc, area);
    Selection selected(dc, font);
    UINT format = DT_NOPREFIX | (label.wordWrap ? DT_WORDBREAK : DT_SINGLELINE) | (label.centred ? DT_CENTER : DT_LEFT);
    if (label.centred) {
        RECT needed = area;
        ::DrawTextA(dc, label.text.c_str(), -1, &needed, format | DT_CALCRECT);
        const int spare = (area.bottom - area.top) - (needed.bottom - needed.top);
        if (spare > 0) area.top += spare / 2;
    }
    DrawText(dc, label.text, area, format, label.Usable());
}

void DrawGlyphButton(HDC dc, RECT area, const forms::GlyphButton& button, HFONT font, const GlyphImage& glyph,
                     ButtonState state) {
    if (state.showsAsDefault) {
        ::FrameRect(dc, &area, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        ::InflateRect(&area, -1, -1);
    }
    ::DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (state.pushed ? DFCS_PUSHED : 0));

    Selection selected(dc, font);
    const SIZE text = TextSize(dc, button.text);
    const int glyphWidth = glyph.bitmap ? glyph.size.cx + GlyphSpacing : 0;
    // Glyph and caption are centred together; pressing moves both a pixel down-right.
    const int push = state.pushed ? 1 : 0;
    const int start = area.left + ((area.right - area.left) - (glyphWidth + text.cx)) / 2 + push;
    const int middle = (area.top + area.bottom) / 2 + push;
    const bool glyphFirst = button.glyphLayout == forms::GlyphLayout::Left;
    const int textLeft = glyphFirst ? start + glyphWidth : start;
    DrawGlyph(dc, glyphFirst ? start : start + text.cx + GlyphSpacing, middle - glyph.size.cy / 2, glyph);
    RECT textArea{textLeft, middle - text.cy / 2, textLeft + text.cx, middle - text.cy / 2 + text.cy};
    DrawText(dc, button.text, textArea, DT_NOPREFIX | DT_SINGLELINE, state.enabled);

    if (state.focused) {
        RECT focus = area;
        ::InflateRect(&focus, -4, -4);
        ::DrawFocusRect(dc, &focus);
    }
}

void PaintPanel(HDC dc, RECT area) {
    FillFace(dc, area);
    ::DrawEdge(dc, &area, BDR_RAISEDINNER, BF_RECT);
}

void PaintGroupBox(HDC dc, RECT area, const forms::GroupBox& group, HFONT font) {
    FillFace(dc, area);
    Selection selected(dc, font);
    const SIZE caption = TextSize(dc, group.text.empty() ? std::string("0") : group.text);
    RECT frame = area;
    frame.top += caption.cy / 2 - 1;
    ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (group.text.empty()) return;
    RECT captionArea{area.left + GroupCaptionIndent, area.top, area.left + GroupCaptionIndent + caption.cx,
                     area.top + caption.cy};
    FillFace(dc, captionArea);
    DrawText(dc, group.text, captionArea, DT_NOPREFIX | DT_SINGLELINE, group.Usable());
}

}  // namespace platform::win32
