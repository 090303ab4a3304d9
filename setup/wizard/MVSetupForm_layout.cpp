// The form description: where every component stands and how it looks before FormCreate.
// Pixels at 96 dpi; the form is not scaled.
#include "setup/wizard/MVSetupForm.h"

namespace {

forms::Font ArialFont(int height, bool bold = false, bool italic = false) {
    forms::Font font;
    font.name = "Arial";
    font.height = height;
    font.bold = bold;
    font.italic = italic;
    font.charset = forms::RussianCharset;
    return font;
}

// A ticked option of the settings page, usable once the agreement is accepted.
void DescribeOptionBox(forms::CheckBox& box, forms::GroupBox& group, int top, int tabOrder) {
    box.parent = &group;
    box.SetBounds(8, top, 540, 17);
    box.checked = true;
    box.enabled = false;
    box.cursor = forms::Cursor::HandPoint;
    box.tabOrder = tabOrder;
}

}  // namespace

TSetupForm::TSetupForm() {
    DescribeForm();
    DescribeAgreementPage();
    DescribeSettingsPage();
    DescribeButtons();
    ConnectHandlers();
}

void TSetupForm::DescribeForm() {
    className = "TSetupForm";
    width = 569;
    height = 344;
    autoSize = true;
    minimizeBox = false;
    maximizeBox = false;
    stayOnTop = true;
    screenCentre = true;
    font = ArialFont(-13);
}

void TSetupForm::DescribeAgreementPage() {
    TitleLabel.SetBounds(64, 0, 489, 17);
    TitleLabel.SetFont(ArialFont(-13, true));
    TitleLabel.centred = true;
    TitleLabel.wordWrap = true;
    TitleLabel.autoSize = false;

    PreLicenceLabel.SetBounds(64, 24, 489, 41);
    PreLicenceLabel.centred = true;
    PreLicenceLabel.wordWrap = true;
    PreLicenceLabel.autoSize = false;

    BrandImage.SetBounds(0, 0, 64, 60);
    BrandImage.picture = "BRANDIMAGE";
    BrandImage.transparent = true;
    BrandImage.autoSize = true;

    LicenceMemo.SetBounds(0, 64, 553, 148);
    LicenceMemo.SetFont(ArialFont(-12, false, true));
    LicenceMemo.readOnly = true;
    LicenceMemo.verticalScrollBar = true;
    LicenceMemo.tabOrder = 0;

    LicenceCheckBox.SetBounds(8, 232, 512, 17);
    LicenceCheckBox.checked = false;
    LicenceCheckBox.cursor = forms::Cursor::HandPoint;
    LicenceCheckBox.tabOrder = 1;
}

void TSetupForm::DescribeSettingsPage() {
    AdvancedGroupBox.SetBounds(0, 61, 553, 203);
    AdvancedGroupBox.align = forms::Align::Bottom;
    AdvancedGroupBox.enabled = false;
    AdvancedGroupBox.visible = false;
    AdvancedGroupBox.tabOrder = 3;

    DescribeOptionBox(DesktopIconCheckBox, AdvancedGroupBox, 32, 0);
    DescribeOptionBox(RunCheckBox, AdvancedGroupBox, 64, 1);

    PathLabeledEdit.parent = &AdvancedGroupBox;
    PathLabeledEdit.SetBounds(8, 136, 481, 23);
    PathLabeledEdit.SetFont(ArialFont(-12));
    PathLabeledEdit.labelFont = ArialFont(-12);
    PathLabeledEdit.autoSize = false;
    PathLabeledEdit.enabled = false;
    PathLabeledEdit.showHint = true;
    PathLabeledEdit.tabOrder = 2;

    PathBitBtn.parent = &AdvancedGroupBox;
    PathBitBtn.SetBounds(496, 136, 49, 23);
    PathBitBtn.text = "...";
    PathBitBtn.cursor = forms::Cursor::HandPoint;
    PathBitBtn.enabled = false;
    PathBitBtn.tabOrder = 3;
}

void TSetupForm::DescribeButtons() {
    BottomPanel.SetBounds(0, 264, 553, 41);
    BottomPanel.align = forms::Align::Bottom;
    BottomPanel.tabOrder = 2;

    CancelBitBtn.parent = &BottomPanel;
    CancelBitBtn.SetBounds(8, 8, 113, 25);
    CancelBitBtn.cursor = forms::Cursor::HandPoint;
    CancelBitBtn.tabOrder = 0;
    CancelBitBtn.isCancel = true;
    CancelBitBtn.isDefault = true;
    CancelBitBtn.modalResult = forms::ModalResult::Cancel;
    CancelBitBtn.glyph = "CANCELGLYPH";
    CancelBitBtn.glyphCount = 2;

    NextBitBtn.parent = &BottomPanel;
    NextBitBtn.SetBounds(432, 8, 113, 25);
    NextBitBtn.cursor = forms::Cursor::HandPoint;
    NextBitBtn.enabled = false;
    NextBitBtn.glyph = "NEXTGLYPH";
    NextBitBtn.glyphLayout = forms::GlyphLayout::Right;
    NextBitBtn.tabOrder = 1;
}

void TSetupForm::ConnectHandlers() {
    onCreate = [this] { FormCreate(); };
    LicenceCheckBox.onClick = [this] { LicenceCheckBoxClick(); };
    DesktopIconCheckBox.onClick = [this] { DesktopIconCheckBoxClick(); };
    RunCheckBox.onClick = [this] { RunCheckBoxClick(); };
    PathBitBtn.onClick = [this] { PathBitBtnClick(); };
    NextBitBtn.onClick = [this] { NextBitBtnClick(); };
    CancelBitBtn.onClick = [this] { CancelBitBtnClick(); };
}
