// Making the windows of a form: the top-level window, then a child window per component,
// parents before their children, each later one above the earlier ones.
#include "platform/win32/form_window_win32.h"

#include <commctrl.h>

#include <algorithm>

namespace platform::win32 {
namespace {

constexpr char DefaultFormClass[] = "MorvalenForm";
constexpr char PanelClass[] = "MorvalenPanel";
constexpr char GroupBoxClass[] = "MorvalenGroupBox";
constexpr int FirstControlId = 100;

HINSTANCE Module() { return ::GetModuleHandleA(nullptr); }

struct WindowKind {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind KindOf(const forms::Control& control) {
    switch (control.kind()) {
        case forms::Kind::Label: return {"STATIC", SS_OWNERDRAW, 0};
        case forms::Kind::Image: return {"STATIC", SS_BITMAP, 0};
        case forms::Kind::Memo: {
            const auto& memo = static_cast<const forms::Memo&>(control);
            const DWORD style = WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | (memo.readOnly ? ES_READONLY : 0) |
                                (memo.verticalScrollBar ? WS_VSCROLL : 0);
            return {"EDIT", style, WS_EX_CLIENTEDGE};
        }
        case forms::Kind::CheckBox: return {"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        case forms::Kind::Panel: return {PanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case forms::Kind::GroupBox: return {GroupBoxClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case forms::Kind::GlyphButton: return {"BUTTON", WS_TABSTOP | BS_OWNERDRAW | BS_NOTIFY, 0};
        case forms::Kind::LabeledEdit: return {"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    }
    return {"STATIC", 0, 0};
}

bool IsContainer(const forms::Control& control) {
    return control.kind() == forms::Kind::Panel || control.kind() == forms::Kind::GroupBox;
}

DWORD StateStyle(bool visible, bool enabled) {
    return WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0) | (enabled ? 0 : WS_DISABLED);
}

void RegisterWindowClass(const char* name, WNDPROC procedure, HICON icon) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExA(Module(), name, &existing)) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = Module();
    windowClass.hIcon = icon;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    ::RegisterClassExA(&windowClass);
}

// A button whose modal result is Cancel gets the id that dialogs give their Cancel button.
int ControlId(const forms::Control& control, std::size_t index) {
    const auto* button = dynamic_cast<const forms::GlyphButton*>(&control);
    if (button && button->modalResult == forms::ModalResult::Cancel) return IDCANCEL;
    return FirstControlId + static_cast<int>(index);
}

RECT BoundsOf(const forms::Control& control) {
    return RECT{control.left, control.top, control.left + control.width, control.top + control.height};
}

}  // namespace

void Win32FormWindow::Realise() {
    const char* className = form_.className.empty() ? DefaultFormClass : form_.className.c_str();
    RegisterWindowClass(className, FormProcedure, ::LoadIconA(Module(), "MAINICON"));
    RegisterWindowClass(PanelClass, ContainerProcedure, nullptr);
    RegisterWindowClass(GroupBoxClass, ContainerProcedure, nullptr);

    // A sizing frame, as the form was designed with, that the user cannot drag (see WM_NCHITTEST).
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN |
                        (form_.minimizeBox ? WS_MINIMIZEBOX : 0) | (form_.maximizeBox ? WS_MAXIMIZEBOX : 0);
    const DWORD exStyle = WS_EX_APPWINDOW | (form_.stayOnTop ? WS_EX_TOPMOST : 0);
    RECT outer{0, 0, form_.width, form_.height};
    if (form_.autoSize) {
        const forms::Size client = forms::AutoSizedClient(form_);
        forms::ArrangeBottomAligned(form_, nullptr, client);
        outer = RECT{0, 0, client.width, client.height};
        ::AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    }
    outerSize_ = SIZE{outer.right - outer.left, outer.bottom - outer.top};
    POINT at{CW_USEDEFAULT, CW_USEDEFAULT};
    if (form_.screenCentre)
        at = POINT{(::GetSystemMetrics(SM_CXSCREEN) - outerSize_.cx) / 2,
                   (::GetSystemMetrics(SM_CYSCREEN) - outerSize_.cy) / 2};

    window_.reset(::CreateWindowExA(exStyle, className, form_.caption.c_str(), style, at.x, at.y, outerSize_.cx,
                                    outerSize_.cy, nullptr, nullptr, Module(), this));
    if (!window_) return;
    shownCaption_ = form_.caption;
    if (!form_.autoSize) {
        RECT client{};
        ::GetClientRect(window_.get(), &client);
        forms::ArrangeBottomAligned(form_, nullptr, forms::Size{client.right, client.bottom});
    }
    tooltip_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_.get(), nullptr,
                                 Module(), nullptr);
    controls_.reserve(form_.Components().size());
    CreateChildren(nullptr, window_.get());
}

void Win32FormWindow::CreateChildren(const forms::Control* parent, HWND parentWindow) {
    for (forms::Control* control : form_.ChildrenOf(parent)) {
        CreateControl(*control, parentWindow);
        if (!IsContainer(*control)) continue;
        const HWND containerWindow = controls_.back().window;
        forms::ArrangeBottomAligned(form_, control, forms::Size{control->width, control->height});
        CreateChildren(control, containerWindow);
    }
}

void Win32FormWindow::CreateControl(forms::Control& control, HWND parentWindow) {
    const auto& components = form_.Components();
    const std::size_t index = static_cast<std::size_t>(
        std::find(components.begin(), components.end(), &control) - components.begin());
    ControlWindow entry;
    entry.control = &control;
    // The edit's label first, so that the edit lies above it.
    if (control.kind() == forms::Kind::LabeledEdit) CreateLabel(entry, parentWindow);

    const WindowKind kind = KindOf(control);
    const bool isImage = control.kind() == forms::Kind::Image;
    entry.window = ::CreateWindowExA(kind.exStyle, kind.className, isImage ? nullptr : control.text.c_str(),
                                     kind.style | StateStyle(control.visible, control.enabled), control.left,
                                     control.top, control.width, control.height, parentWindow,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control, index))),
                                     Module(), this);
    ::SetWindowPos(entry.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SendMessageA(entry.window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(control.font())), FALSE);

    if (const auto* image = dynamic_cast<const forms::Image*>(&control)) {
        entry.picture = LoadPicture(image->picture, image->transparent);
        if (entry.picture)
            ::SendMessageA(entry.window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(entry.picture.get()));
        if (!image->autoSize) ::MoveWindow(entry.window, image->left, image->top, image->width, image->height, FALSE);
    }
    if (const auto* button = dynamic_cast<const forms::GlyphButton*>(&control); button && !button->glyph.empty()) {
        entry.picture = LoadPicture(button->glyph, true);
        if (entry.picture && button->glyphCount < 2)
            entry.greyedGlyph = GreyedCopy(static_cast<HBITMAP>(entry.picture.get()));
    }
    if (const auto* box = dynamic_cast<const forms::CheckBox*>(&control))
        ::SendMessageA(entry.window, BM_SETCHECK, box->checked ? BST_CHECKED : BST_UNCHECKED, 0);

    entry.shown = Shown{control.text, {}, BoundsOf(control), control.enabled, control.visible, false,
                        control.hint, control.font()};
    if (const auto* box = dynamic_cast<const forms::CheckBox*>(&control)) entry.shown.checked = box->checked;
    if (const auto* edit = dynamic_cast<const forms::LabeledEdit*>(&control)) entry.shown.labelText = edit->labelText;
    controls_.push_back(std::move(entry));
    AddTooltip(controls_.back());
}

RECT Win32FormWindow::LabelBounds(const forms::LabeledEdit& edit) {
    const SIZE size = fonts_.Measure(edit.labelText, edit.LabelFont());
    const int bottom = edit.top - edit.labelSpacing;
    return RECT{edit.left, bottom - size.cy, edit.left + size.cx, bottom};
}

void Win32FormWindow::CreateLabel(ControlWindow& entry, HWND parentWindow) {
    const auto& edit = static_cast<const forms::LabeledEdit&>(*entry.control);
    const RECT bounds = LabelBounds(edit);
    entry.label = ::CreateWindowExA(0, "STATIC", edit.labelText.c_str(),
                                    SS_LEFT | SS_NOPREFIX | StateStyle(edit.visible, edit.enabled), bounds.left,
                                    bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parentWindow,
                                    nullptr, Module(), nullptr);
    ::SetWindowPos(entry.label, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SendMessageA(entry.label, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(edit.LabelFont())), FALSE);
}

void Win32FormWindow::AddTooltip(const ControlWindow& entry) {
    const forms::Control& control = *entry.control;
    if (tooltip_ == nullptr || !control.showHint || control.hint.empty()) return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_.get();
    tool.uId = reinterpret_cast<UINT_PTR>(entry.window);
    tool.lpszText = const_cast<char*>(control.hint.c_str());
    ::SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32FormWindow::RemoveTooltip(const ControlWindow& entry) {
    if (tooltip_ == nullptr) return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_.get();
    tool.uId = reinterpret_cast<UINT_PTR>(entry.window);
    ::SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace platform::win32
