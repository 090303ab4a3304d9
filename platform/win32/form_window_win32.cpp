#include "platform/win32/form_window_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/form_paint_win32.h"

namespace platform::win32 {
namespace {

// The object that made a window comes with WM_NCCREATE and stays in the window's user data.
Win32FormWindow* OwnerOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Win32FormWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return owner;
}

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

bool SameBounds(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

bool ModifierDown() { return ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0; }

}  // namespace

Win32FormWindow::~Win32FormWindow() {
    // The windows go first: their last messages still reach this object whole.
    window_.reset();
}

int Win32FormWindow::TextWidth(const std::string& text, const forms::Font& font) {
    return fonts_.Measure(text, font).cx;
}

void Win32FormWindow::Show() {
    if (!window_) Realise();
    if (!window_) return;
    Sync();
    ::ShowWindow(window_.get(), SW_SHOW);
    ::SetForegroundWindow(window_.get());
    if (shownOnce_) return;
    shownOnce_ = true;
    const forms::Control* first = form_.activeControl;
    if (first == nullptr || !first->Showing() || !first->Usable()) first = forms::NextTabStop(form_, nullptr, false);
    if (first != nullptr) FocusControl(*first);
}

void Win32FormWindow::Hide() {
    if (window_) ::ShowWindow(window_.get(), SW_HIDE);
}

void Win32FormWindow::Close() {
    closed_ = true;
    Hide();
    if (isMainForm_) ::PostQuitMessage(0);
}

// ---- keeping the windows in step with the components

void Win32FormWindow::Sync() {
    if (!window_) return;
    if (form_.caption != shownCaption_) {
        ::SetWindowTextA(window_.get(), form_.caption.c_str());
        shownCaption_ = form_.caption;
    }
    for (ControlWindow& entry : controls_) SyncControl(entry);
    RescueFocus();
}

void Win32FormWindow::SyncControl(ControlWindow& entry) {
    forms::Control& control = *entry.control;
    Shown& shown = entry.shown;
    bool repaint = false;
    if (control.kind() != forms::Kind::Image && control.text != shown.text) {
        ::SetWindowTextA(entry.window, control.text.c_str());
        shown.text = control.text;
        repaint = true;
    }
    if (control.font() != shown.font) {
        ::SendMessageA(entry.window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(control.font())), TRUE);
        shown.font = control.font();
    }
    const RECT bounds{control.left, control.top, control.left + control.width, control.top + control.height};
    if (control.kind() != forms::Kind::Image && !SameBounds(bounds, shown.bounds)) {
        ::SetWindowPos(entry.window, nullptr, control.left, control.top, control.width, control.height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        shown.bounds = bounds;
        repaint = true;
    }
    if (control.enabled != shown.enabled) {
        ::EnableWindow(entry.window, control.enabled);
        if (entry.label) ::EnableWindow(entry.label, control.enabled);
        shown.enabled = control.enabled;
        repaint = true;
    }
    if (control.visible != shown.visible) {
        ::ShowWindow(entry.window, control.visible ? SW_SHOWNA : SW_HIDE);
        if (entry.label) ::ShowWindow(entry.label, control.visible ? SW_SHOWNA : SW_HIDE);
        shown.visible = control.visible;
    }
    if (const auto* box = dynamic_cast<const forms::CheckBox*>(&control); box && box->checked != shown.checked) {
        ::SendMessageA(entry.window, BM_SETCHECK, box->checked ? BST_CHECKED : BST_UNCHECKED, 0);
        shown.checked = box->checked;
    }
    if (control.hint != shown.hint) {
        RemoveTooltip(entry);
        AddTooltip(entry);
        shown.hint = control.hint;
    }
    if (const auto* edit = dynamic_cast<const forms::LabeledEdit*>(&control)) {
        if (edit->labelText != shown.labelText) ::SetWindowTextA(entry.label, edit->labelText.c_str());
        shown.labelText = edit->labelText;
        const RECT label = LabelBounds(*edit);
        ::MoveWindow(entry.label, label.left, label.top, label.right - label.left, label.bottom - label.top, TRUE);
    }
    // Drawn controls and the children of a container show their state only when painted anew.
    if (repaint) ::RedrawWindow(entry.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Hiding or disabling the focused control leaves the keyboard with nothing; the next control takes it.
void Win32FormWindow::RescueFocus() {
    if (!::IsWindowVisible(window_.get()) || ::GetActiveWindow() != window_.get()) return;
    const HWND focus = ::GetFocus();
    const ControlWindow* entry = Find(focus);
    if (entry && entry->window == focus && entry->control->Showing() && entry->control->Usable()) return;
    if (const forms::Control* next = forms::NextTabStop(form_, entry ? entry->control : nullptr, false))
        FocusControl(*next);
}

void Win32FormWindow::Dispatch(const forms::Control& control) {
    control.Click();
    Sync();
}

void Win32FormWindow::FocusControl(const forms::Control& control) {
    const ControlWindow* entry = Find(&control);
    if (entry == nullptr) return;
    ::SetFocus(entry->window);
    // An edit reached from the keyboard offers its whole text for replacing.
    if (control.kind() == forms::Kind::LabeledEdit) ::SendMessageA(entry->window, EM_SETSEL, 0, -1);
}

Win32FormWindow::ControlWindow* Win32FormWindow::Find(HWND window) {
    if (window == nullptr) return nullptr;
    for (ControlWindow& entry : controls_)
        if (entry.window == window || entry.label == window) return &entry;
    return nullptr;
}

const Win32FormWindow::ControlWindow* Win32FormWindow::Find(const forms::Control* control) const {
    for (const ControlWindow& entry : controls_)
        if (entry.control == control) return &entry;
    return nullptr;
}

// ---- keys

bool Win32FormWindow::HandleDialogKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || !window_ || ModifierDown()) return false;
    if (message.hwnd != window_.get() && !::IsChild(window_.get(), message.hwnd)) return false;
    const ControlWindow* entry = Find(message.hwnd);
    const forms::Control* focused = entry ? entry->control : nullptr;
    const forms::GlyphButton* pressed = nullptr;
    switch (message.wParam) {
        case VK_TAB:
            if (const forms::Control* next = forms::NextTabStop(form_, focused, ::GetKeyState(VK_SHIFT) < 0))
                FocusControl(*next);
            return true;
        case VK_RETURN: pressed = forms::ButtonForEnter(form_, focused); break;
        case VK_ESCAPE: pressed = forms::ButtonForEscape(form_); break;
        default: return false;
    }
    if (pressed == nullptr) return false;
    Dispatch(*pressed);
    return true;
}

// ---- messages

LRESULT CALLBACK Win32FormWindow::FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32FormWindow* owner = OwnerOf(window, message, lParam);
    return owner ? owner->OnFormMessage(window, message, wParam, lParam)
                 : ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK Win32FormWindow::ContainerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32FormWindow* owner = OwnerOf(window, message, lParam);
    return owner ? owner->OnContainerMessage(window, message, wParam, lParam)
                 : ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Win32FormWindow::OnFormMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (message) {
        case WM_CLOSE:
            form_.Close();
            return 0;
        case WM_ACTIVATE:
            if (OnActivate(LOWORD(wParam) != WA_INACTIVE)) return 0;
            break;
        case WM_GETMINMAXINFO:
            // An auto-sized form keeps the size of its contents.
            if (outerSize_.cx > 0) {
                auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
                limits->ptMinTrackSize = POINT{outerSize_.cx, outerSize_.cy};
                limits->ptMaxTrackSize = limits->ptMinTrackSize;
            }
            return 0;
        case WM_NCHITTEST: {
            const LRESULT hit = ::DefWindowProcA(window, message, wParam, lParam);
            return (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) ? HTBORDER : hit;
        }
        default:
            if (OnChildMessage(message, wParam, lParam, result)) return result;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Win32FormWindow::OnContainerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (message) {
        case WM_ERASEBKGND: return 1;  // WM_PAINT fills the whole client area
        case WM_PAINT: {
            PaintScope paint(window);
            RECT client{};
            ::GetClientRect(window, &client);
            const ControlWindow* entry = Find(window);
            if (entry && entry->control->kind() == forms::Kind::GroupBox)
                PaintGroupBox(paint.get(), client, static_cast<const forms::GroupBox&>(*entry->control),
                              fonts_.Get(entry->control->font()));
            else
                PaintPanel(paint.get(), client);
            return 0;
        }
        default:
            if (OnChildMessage(message, wParam, lParam, result)) return result;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

bool Win32FormWindow::OnChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            if (lParam == 0) return false;
            OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            result = 0;
            return true;
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        case WM_CTLCOLORSTATIC:
            result = OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
            return result != 0;
        case WM_SETCURSOR:
            result = TRUE;
            return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam));
        default: return false;
    }
}

void Win32FormWindow::OnCommand(HWND window, WORD code) {
    ControlWindow* entry = Find(window);
    if (entry == nullptr || entry->window != window) return;
    forms::Control& control = *entry->control;
    switch (control.kind()) {
        case forms::Kind::CheckBox:
            if (code != BN_CLICKED) return;
            // The box has ticked itself; the component learns it before its handler runs.
            static_cast<forms::CheckBox&>(control).checked =
                ::SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
            entry->shown.checked = static_cast<forms::CheckBox&>(control).checked;
            Dispatch(control);
            return;
        case forms::Kind::GlyphButton:
            if (code == BN_CLICKED) Dispatch(control);
            // The heavy frame goes with the focus from button to button.
            if (code == BN_SETFOCUS || code == BN_KILLFOCUS) RepaintButtons();
            return;
        case forms::Kind::Memo:
        case forms::Kind::LabeledEdit:
            if (code != EN_CHANGE) return;
            control.text = WindowText(window);
            entry->shown.text = control.text;
            return;
        default: return;
    }
}

void Win32FormWindow::RepaintButtons() {
    for (const ControlWindow& entry : controls_)
        if (entry.control->kind() == forms::Kind::GlyphButton) ::InvalidateRect(entry.window, nullptr, FALSE);
}

void Win32FormWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const ControlWindow* entry = Find(item.hwndItem);
    if (entry == nullptr) return;
    const forms::Control& control = *entry->control;
    const HFONT font = fonts_.Get(control.font());
    if (control.kind() == forms::Kind::Label) {
        DrawLabel(item.hDC, item.rcItem, static_cast<const forms::Label&>(control), font);
        return;
    }
    if (control.kind() != forms::Kind::GlyphButton) return;
    const auto& button = static_cast<const forms::GlyphButton&>(control);
    ButtonState state;
    state.pushed = (item.itemState & ODS_SELECTED) != 0;
    state.focused = (item.itemState & ODS_FOCUS) != 0;
    state.enabled = (item.itemState & ODS_DISABLED) == 0;
    state.showsAsDefault = ShowsAsDefault(button, state.focused);
    DrawGlyphButton(item.hDC, item.rcItem, button, font, GlyphFor(*entry, state.enabled), state);
}

// A focused button is the one Enter presses; otherwise the default button, unless another has the focus.
bool Win32FormWindow::ShowsAsDefault(const forms::GlyphButton& button, bool focused) {
    if (focused) return true;
    if (!button.isDefault) return false;
    const ControlWindow* focus = Find(::GetFocus());
    return focus == nullptr || focus->control->kind() != forms::Kind::GlyphButton;
}

GlyphImage Win32FormWindow::GlyphFor(const ControlWindow& entry, bool enabled) const {
    const auto& button = static_cast<const forms::GlyphButton&>(*entry.control);
    const auto bitmap = static_cast<HBITMAP>(entry.picture.get());
    if (bitmap == nullptr) return GlyphImage{};
    const SIZE whole = BitmapSize(bitmap);
    const int count = std::max(1, button.glyphCount);
    const SIZE one{whole.cx / count, whole.cy};
    if (enabled) return GlyphImage{bitmap, 0, one};
    if (count >= 2) return GlyphImage{bitmap, one.cx, one};
    if (entry.greyedGlyph) return GlyphImage{static_cast<HBITMAP>(entry.greyedGlyph.get()), 0, one};
    return GlyphImage{bitmap, 0, one};
}

bool Win32FormWindow::OnSetCursor(HWND target, WORD hitTest) {
    const ControlWindow* entry = Find(target);
    if (hitTest != HTCLIENT || entry == nullptr || entry->window != target) return false;
    if (entry->control->cursor != forms::Cursor::HandPoint) return false;
    ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
    return true;
}

// A read-only memo keeps the white of a text field; other controls take the default.
LRESULT Win32FormWindow::OnControlColour(HDC dc, HWND control) {
    const ControlWindow* entry = Find(control);
    if (entry == nullptr || entry->window != control || entry->control->kind() != forms::Kind::Memo) return 0;
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
}

// The focus leaves with the window and comes back to the same control, e.g. after a message box.
bool Win32FormWindow::OnActivate(bool active) {
    if (!active) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(window_.get(), focus)) focusWhileInactive_ = focus;
        return false;
    }
    if (focusWhileInactive_ == nullptr || !::IsWindow(focusWhileInactive_)) return false;
    ::SetFocus(focusWhileInactive_);
    return true;
}

}  // namespace platform::win32
