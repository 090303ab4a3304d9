#include "setup/wizard/MVSetupForm.h"

#include "common/common_settings.h"
#include "common/messages.h"
#include "common/path_helpers.h"
#include "platform/forms_host.h"
#include "platform/service.h"
#include "setup/wizard/browse_for_folder.h"
#include "setup/wizard/licence_text.h"
#include "setup/wizard/setup_form_results.h"
#include "setup/wizard/target_folder.h"

namespace {

// A check box's caption needs this much room beside its text for the box itself.
constexpr int CheckBoxCaptionMargin = 24;

const char* const FolderPrompt = "Папка, в которую будет установлена программа:";

std::string FolderWordRule() { return CommonSettings.FolderWordClause + "!"; }

// The form's warnings are Russian in both interface languages.
void ShowRussianWarning(const std::string& text) { ShowWarningMessage(text, text); }

}  // namespace

void TSetupForm::FormCreate() {
    SettingsConfirmed = false;
    DesktopIconCheckBoxClick();
    RunCheckBoxClick();

    caption = CommonSettings.RussianDisplayName;
    platform::Use<forms::Application>().title = caption;

    TitleLabel.text = "Подготовка к установке программы " + CommonSettings.RussianDisplayName + " версии " +
                      CommonSettings.VersionText;
    PreLicenceLabel.text =
        "Лицензионное соглашение с конечным пользователем на использование программного обеспечения \"" +
        CommonSettings.RussianDisplayName + "\":";
    LicenceMemo.text = LicenceAgreementText(CommonSettings.FolderWordClause);
    LicenceCheckBox.text = "подтверждаю, что соглашение прочитано полностью, все его положения приняты.";
    FitWidthToCaption(LicenceCheckBox);

    AdvancedGroupBox.text = "Настройки установки";
    PathLabeledEdit.text = CommonSettings.TargetFolder;
    PathLabeledEdit.labelText = FolderPrompt;
    PathLabeledEdit.hint = FolderWordRule();
    DesktopIconCheckBox.text = "поместить ярлык для запуска программы на \"Рабочий стол\"";
    FitWidthToCaption(DesktopIconCheckBox);
    RunCheckBox.text = "запустить программу по окончании её установки";
    FitWidthToCaption(RunCheckBox);

    CancelBitBtn.text = "Отмена";
    NextBitBtn.text = "Далее";
    activeControl = &LicenceMemo;
}

void TSetupForm::FitWidthToCaption(forms::CheckBox& box) { box.width = TextWidth(box.text) + CheckBoxCaptionMargin; }

void TSetupForm::LicenceCheckBoxClick() {
    const bool accepted = LicenceCheckBox.checked;
    for (forms::Control* control : std::initializer_list<forms::Control*>{
             &AdvancedGroupBox, &PathLabeledEdit, &PathBitBtn, &DesktopIconCheckBox, &RunCheckBox, &NextBitBtn})
        control->enabled = accepted;
}

void TSetupForm::DesktopIconCheckBoxClick() { CreateDesktopIcon = DesktopIconCheckBox.checked; }

void TSetupForm::RunCheckBoxClick() { RunAfterInstall = RunCheckBox.checked; }

void TSetupForm::PathBitBtnClick() {
    // The picker opens on the folder in the field, also one the user has just typed.
    CommonSettings.TargetFolder = PathLabeledEdit.text;
    Hide();
    if (BrowseForFolder(FolderPrompt, CommonSettings.TargetFolder)) PathLabeledEdit.text = CommonSettings.TargetFolder;
    Show();
}

void TSetupForm::NextBitBtnClick() {
    if (AdvancedGroupBox.visible)
        ConfirmSettings();
    else
        ShowSettingsPage();
}

void TSetupForm::ShowSettingsPage() {
    PreLicenceLabel.visible = false;
    LicenceMemo.visible = false;
    // The title takes the freed band and stays centred in it.
    TitleLabel.height += PreLicenceLabel.height;
    AdvancedGroupBox.visible = true;
}

void TSetupForm::ConfirmSettings() {
    std::string folder = PathLabeledEdit.text;
    AppendBackslash(folder);
    CommonSettings.TargetFolder = folder;
    if (AsciiLowerCase(folder).find(AsciiLowerCase(CommonSettings.ShortName)) == std::string::npos) {
        ShowRussianWarning(FolderWordRule());
        return;
    }
    if (!EnsureTargetFolder(folder)) {
        ShowRussianWarning("Папку с таким именем создать невозможно!");
        return;
    }
    SettingsConfirmed = true;
    Close();
}

void TSetupForm::CancelBitBtnClick() { Close(); }

void RunSetupForm() {
    forms::Application& application = platform::Use<forms::Application>();
    TSetupForm form;
    application.CreateForm(form);
    application.Run();
}
