#pragma once
// Our own small form toolkit: the component kinds a wizard form needs, with the
// properties its handlers set, and the rules that need no window system (inherited
// fonts, tab order, dialog keys, auto-size). A platform realises a form through FormHost.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace forms {

constexpr int RussianCharset = 204;

struct Font {
    std::string name = "Arial";
    int height = -13;  // negative: the character height in pixels, as a logical font gives it
    bool bold = false;
    bool italic = false;
    int charset = RussianCharset;
};
bool operator==(const Font& a, const Font& b);
inline bool operator!=(const Font& a, const Font& b) { return !(a == b); }

enum class Kind { Label, Image, Memo, CheckBox, Panel, GlyphButton, GroupBox, LabeledEdit };
enum class Cursor { Default, HandPoint };
enum class Align { None, Bottom };
enum class ModalResult { None, Cancel };
enum class GlyphLayout { Left, Right };

class Form;
class FormHost;

class Control {
public:
    Control(Form& owner, Kind kind);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Kind kind() const { return kind_; }
    Form& owner() const { return owner_; }
    // The control's own font, else its parent's, else the form's.
    const Font& font() const;
    void SetFont(const Font& font) { ownFont_ = font; }
    void SetBounds(int newLeft, int newTop, int newWidth, int newHeight);
    // Visible, and so are all its parents.
    bool Showing() const;
    // Enabled, and so are all its parents: the user can reach it.
    bool Usable() const;
    // A kind that can hold the keyboard focus.
    bool CanFocus() const;
    // A memo or an edit: Enter belongs to the text, not to the default button.
    bool IsTextControl() const { return kind_ == Kind::Memo || kind_ == Kind::LabeledEdit; }
    void Click() const {
        if (onClick) onClick();
    }

    Control* parent = nullptr;  // nullptr: the form itself
    std::string text;           // the caption, or the contents of a memo or edit
    int left = 0, top = 0, width = 0, height = 0;
    bool enabled = true;
    bool visible = true;
    std::string hint;
    bool showHint = false;
    int tabOrder = 0;
    Cursor cursor = Cursor::Default;
    Align align = Align::None;
    std::function<void()> onClick;

private:
    Form& owner_;
    Kind kind_;
    std::optional<Font> ownFont_;
};

class Label : public Control {
public:
    explicit Label(Form& owner) : Control(owner, Kind::Label) {}
    bool centred = false;  // horizontally and vertically
    bool wordWrap = false;
    bool autoSize = true;
};

class Image : public Control {
public:
    explicit Image(Form& owner) : Control(owner, Kind::Image) {}
    std::string picture;       // the name of a bitmap the program carries
    bool transparent = false;  // the bottom-left pixel's colour shows the background
    bool autoSize = false;     // the picture's size wins over width and height
};

class Memo : public Control {
public:
    explicit Memo(Form& owner) : Control(owner, Kind::Memo) {}
    bool readOnly = false;
    bool verticalScrollBar = false;
};

class CheckBox : public Control {
public:
    explicit CheckBox(Form& owner) : Control(owner, Kind::CheckBox) {}
    bool checked = false;
};

class Panel : public Control {
public:
    explicit Panel(Form& owner) : Control(owner, Kind::Panel) {}
};

class GroupBox : public Control {
public:
    explicit GroupBox(Form& owner) : Control(owner, Kind::GroupBox) {}
};

class GlyphButton : public Control {
public:
    explicit GlyphButton(Form& owner) : Control(owner, Kind::GlyphButton) {}
    std::string glyph;   // the name of a bitmap; empty for a caption-only button
    int glyphCount = 1;  // images side by side in the glyph: normal, then disabled
    GlyphLayout glyphLayout = GlyphLayout::Left;
    bool isDefault = false;  // pressed by Enter
    bool isCancel = false;   // pressed by Esc
    ModalResult modalResult = ModalResult::None;
};

class LabeledEdit : public Control {
public:
    explicit LabeledEdit(Form& owner) : Control(owner, Kind::LabeledEdit) {}
    // The edit's label stands above it, labelSpacing pixels higher, enabled and shown with it.
    std::string labelText;
    std::optional<Font> labelFont;  // else the edit's parent's font
    int labelSpacing = 3;
    bool autoSize = true;
    const Font& LabelFont() const;
};

class Form {
public:
    Form() = default;
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Every component in the order it was made, which is also the order from bottom to top.
    const std::vector<Control*>& Components() const { return components_; }
    std::vector<Control*> ChildrenOf(const Control* parent) const;

    // Gives the form its platform side and runs its creation handler.
    void Create(FormHost& host);
    // The width of `text` drawn with the form's font on its canvas.
    int TextWidth(const std::string& text) const;
    void Show();
    void Hide();
    // Hides the form; the platform ends the message loop when it is the main form.
    void Close();
    bool Visible() const { return visible_; }

    std::string className;  // what the platform names the form's kind of window
    std::string caption;
    int width = 0, height = 0;  // outer size as designed
    bool autoSize = false;      // the client area fits the controls
    bool minimizeBox = true;
    bool maximizeBox = true;
    bool stayOnTop = false;
    bool screenCentre = false;
    Font font;
    Control* activeControl = nullptr;  // focused when the form is shown
    std::function<void()> onCreate;

private:
    friend class Control;
    FormHost& Host() const;

    std::vector<Control*> components_;
    FormHost* host_ = nullptr;
    bool visible_ = false;
};

struct Size {
    int width = 0;
    int height = 0;
};

// The controls Tab visits, in order: by tab order within each parent, depth first,
// only those the user can reach.
std::vector<Control*> TabSequence(const Form& form);
// The control after (or before) `from` in the tab sequence, wrapping round; `from` may be
// null or out of the sequence, which starts at the first (or last) control.
Control* NextTabStop(const Form& form, const Control* from, bool backwards);
// What Enter presses with `focused` holding the focus: a focused button itself, nothing in
// a text control, otherwise the form's default button; null when there is none to press.
const GlyphButton* ButtonForEnter(const Form& form, const Control* focused);
// What Esc presses: the form's cancel button, when the user can reach it.
const GlyphButton* ButtonForEscape(const Form& form);
// The client size of an auto-sized form: the extent of its visible controls.
Size AutoSizedClient(const Form& form);
// Bottom-aligned controls take the parent's client width and stack upwards from its bottom,
// the lowest first.
void ArrangeBottomAligned(Form& form, const Control* parent, Size parentClient);

}  // namespace forms
