#include "platform/forms.h"

#include <algorithm>
#include <cstdlib>

#include "platform/forms_host.h"

namespace forms {

bool operator==(const Font& a, const Font& b) {
    return a.name == b.name && a.height == b.height && a.bold == b.bold && a.italic == b.italic &&
           a.charset == b.charset;
}

// ---- controls

Control::Control(Form& owner, Kind kind) : owner_(owner), kind_(kind) { owner.components_.push_back(this); }

const Font& Control::font() const {
    if (ownFont_) return *ownFont_;
    return parent ? parent->font() : owner_.font;
}

void Control::SetBounds(int newLeft, int newTop, int newWidth, int newHeight) {
    left = newLeft;
    top = newTop;
    width = newWidth;
    height = newHeight;
}

bool Control::Showing() const { return visible && (parent == nullptr || parent->Showing()); }

bool Control::Usable() const { return enabled && (parent == nullptr || parent->Usable()); }

bool Control::CanFocus() const {
    return kind_ == Kind::Memo || kind_ == Kind::CheckBox || kind_ == Kind::GlyphButton || kind_ == Kind::LabeledEdit;
}

const Font& LabeledEdit::LabelFont() const {
    if (labelFont) return *labelFont;
    return parent ? parent->font() : owner().font;
}

// ---- form

std::vector<Control*> Form::ChildrenOf(const Control* parent) const {
    std::vector<Control*> children;
    for (Control* control : components_)
        if (control->parent == parent) children.push_back(control);
    return children;
}

void Form::Create(FormHost& host) {
    host_ = &host;
    if (onCreate) onCreate();
}

FormHost& Form::Host() const {
    // A form used before the application created it is a wiring error.
    if (host_ == nullptr) std::abort();
    return *host_;
}

int Form::TextWidth(const std::string& text) const { return Host().TextWidth(text, font); }

void Form::Show() {
    visible_ = true;
    Host().Show();
}

void Form::Hide() {
    visible_ = false;
    Host().Hide();
}

void Form::Close() {
    visible_ = false;
    Host().Close();
}

// ---- rules without a window system

namespace {

bool IsContainer(const Control& control) { return control.kind() == Kind::Panel || control.kind() == Kind::GroupBox; }

void AppendTabStops(const Form& form, const Control* parent, std::vector<Control*>& sequence) {
    std::vector<Control*> children = form.ChildrenOf(parent);
    std::stable_sort(children.begin(), children.end(),
                     [](const Control* a, const Control* b) { return a->tabOrder < b->tabOrder; });
    for (Control* child : children) {
        if (!child->visible || !child->enabled) continue;
        if (child->CanFocus()) sequence.push_back(child);
        if (IsContainer(*child)) AppendTabStops(form, child, sequence);
    }
}

const GlyphButton* FirstReachableButton(const Form& form, bool GlyphButton::*role) {
    for (const Control* control : form.Components()) {
        const auto* button = dynamic_cast<const GlyphButton*>(control);
        if (button && button->*role && button->Showing() && button->Usable()) return button;
    }
    return nullptr;
}

}  // namespace

std::vector<Control*> TabSequence(const Form& form) {
    std::vector<Control*> sequence;
    AppendTabStops(form, nullptr, sequence);
    return sequence;
}

Control* NextTabStop(const Form& form, const Control* from, bool backwards) {
    const std::vector<Control*> sequence = TabSequence(form);
    if (sequence.empty()) return nullptr;
    const auto at = std::find(sequence.begin(), sequence.end(), from);
    const std::size_t count = sequence.size();
    if (at == sequence.end()) return backwards ? sequence.back() : sequence.front();
    const std::size_t index = static_cast<std::size_t>(at - sequence.begin());
    return sequence[backwards ? (index + count - 1) % count : (index + 1) % count];
}

const GlyphButton* ButtonForEnter(const Form& form, const Control* focused) {
    if (focused != nullptr && focused->kind() == Kind::GlyphButton && focused->Showing() && focused->Usable())
        return static_cast<const GlyphButton*>(focused);
    if (focused != nullptr && focused->IsTextControl()) return nullptr;
    return FirstReachableButton(form, &GlyphButton::isDefault);
}

const GlyphButton* ButtonForEscape(const Form& form) { return FirstReachableButton(form, &GlyphButton::isCancel); }

Size AutoSizedClient(const Form& form) {
    Size extent;
    for (const Control* control : form.ChildrenOf(nullptr)) {
        if (!control->visible) continue;
        extent.width = std::max(extent.width, control->left + control->width);
        extent.height = std::max(extent.height, control->top + control->height);
    }
    return extent;
}

void ArrangeBottomAligned(Form& form, const Control* parent, Size parentClient) {
    std::vector<Control*> aligned;
    for (Control* control : form.ChildrenOf(parent))
        if (control->align == Align::Bottom) aligned.push_back(control);
    std::stable_sort(aligned.begin(), aligned.end(), [](const Control* a, const Control* b) {
        return a->top + a->height > b->top + b->height;
    });
    int bottom = parentClient.height;
    for (Control* control : aligned) {
        control->SetBounds(0, bottom - control->height, parentClient.width, control->height);
        bottom = control->top;
    }
}

}  // namespace forms
