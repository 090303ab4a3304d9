#pragma once
// A form of the component layer made real: a top-level window with a child window per
// component, kept in step with the components after every handler, and the keys of a dialog.
#include "platform/win32/windows_api.h"

#include <string>
#include <vector>

#include "platform/forms_host.h"
#include "platform/win32/form_gdi_win32.h"
#include "platform/win32/form_paint_win32.h"

namespace platform::win32 {

class Win32FormWindow : public forms::FormHost {
public:
    // Closing the main form ends the thread's message loop.
    Win32FormWindow(forms::Form& form, bool isMainForm) : form_(form), isMainForm_(isMainForm) {}
    ~Win32FormWindow() override;
    Win32FormWindow(const Win32FormWindow&) = delete;
    Win32FormWindow& operator=(const Win32FormWindow&) = delete;

    int TextWidth(const std::string& text, const forms::Font& font) override;
    // Makes the windows the first time.
    void Show() override;
    void Hide() override;
    void Close() override;

    bool Closed() const { return closed_; }
    // Tab, Enter and Esc for a control of this form, as a dialog has them; true when the
    // key was one of them and has been used.
    bool HandleDialogKey(const MSG& message);

private:
    // What a control's windows show now, to change only what a handler changed.
    struct Shown {
        std::string text;
        std::string labelText;
        RECT bounds{};
        bool enabled = false;
        bool visible = false;
        bool checked = false;
        std::string hint;
        forms::Font font;
    };
    struct ControlWindow {
        forms::Control* control = nullptr;
        HWND window = nullptr;
        HWND label = nullptr;    // a labelled edit's label
        unique_gdi picture;      // an image's picture or a button's glyph
        unique_gdi greyedGlyph;  // for a disabled button whose glyph has one image only
        Shown shown;
    };

    static LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ContainerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnFormMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnContainerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Messages that a control sends its parent, whether that is the form or a container.
    bool OnChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnCommand(HWND control, WORD code);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    bool OnSetCursor(HWND target, WORD hitTest);
    LRESULT OnControlColour(HDC dc, HWND control);
    bool OnActivate(bool active);
    void RepaintButtons();
    bool ShowsAsDefault(const forms::GlyphButton& button, bool focused);
    GlyphImage GlyphFor(const ControlWindow& entry, bool enabled) const;

    void Realise();
    void CreateChildren(const forms::Control* parent, HWND parentWindow);
    void CreateControl(forms::Control& control, HWND parentWindow);
    void CreateLabel(ControlWindow& edit, HWND parentWindow);
    void AddTooltip(const ControlWindow& control);
    void RemoveTooltip(const ControlWindow& control);
    void Sync();
    void SyncControl(ControlWindow& control);
    void RescueFocus();
    void Dispatch(const forms::Control& control);
    void FocusControl(const forms::Control& control);
    ControlWindow* Find(HWND window);
    const ControlWindow* Find(const forms::Control* control) const;
    RECT LabelBounds(const forms::LabeledEdit& edit);

    forms::Form& form_;
    const bool isMainForm_;
    FontCache fonts_;
    std::vector<ControlWindow> controls_;
    unique_window window_;
    HWND tooltip_ = nullptr;  // owned by the form's window, destroyed with it
    SIZE outerSize_{0, 0};
    std::string shownCaption_;
    HWND focusWhileInactive_ = nullptr;
    bool shownOnce_ = false;
    bool closed_ = false;
};

}  // namespace platform::win32
