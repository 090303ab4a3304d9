#pragma once
// The setup wizard: the licence agreement, then the installation settings, in one form.
// Its results are the flags of setup_form_results.h and TargetFolder.
#include "platform/forms.h"

class TSetupForm : public forms::Form {
public:
    // Lays the components out and connects the handlers; FormCreate runs when the
    // application creates the form.
    TSetupForm();

    // Components in the order they are made, which is also their order from bottom to top.
    forms::Label TitleLabel{*this};
    forms::Memo LicenceMemo{*this};
    forms::CheckBox LicenceCheckBox{*this};
    forms::Panel BottomPanel{*this};
    forms::GroupBox AdvancedGroupBox{*this};
    forms::LabeledEdit PathLabeledEdit{*this};
    forms::GlyphButton PathBitBtn{*this};
    forms::CheckBox DesktopIconCheckBox{*this};
    forms::GlyphButton CancelBitBtn{*this};
    forms::GlyphButton NextBitBtn{*this};
    forms::Label PreLicenceLabel{*this};
    forms::Image BrandImage{*this};
    forms::CheckBox RunCheckBox{*this};

    void FormCreate();
    void LicenceCheckBoxClick();
    void DesktopIconCheckBoxClick();
    void RunCheckBoxClick();
    void PathBitBtnClick();
    void NextBitBtnClick();
    void CancelBitBtnClick();

private:
    // The form description, in MVSetupForm_layout.cpp.
    void DescribeForm();
    void DescribeAgreementPage();
    void DescribeSettingsPage();
    void DescribeButtons();
    void ConnectHandlers();

    void FitWidthToCaption(forms::CheckBox& box);
    void ShowSettingsPage();
    void ConfirmSettings();
};

// Creates the form as the application's main form and runs it until it is closed.
void RunSetupForm();
