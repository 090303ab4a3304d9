// The setup form's handlers on the component layer, with the form and file-system fakes.
#include <gtest/gtest.h>

#include "platform/fake/form_fake.h"
#include "setup/wizard/MVSetupForm.h"
#include "setup/wizard/setup_form_results.h"
#include "tests/unit/test_support.h"

namespace {

const char* const FolderWordWarning =
    "Строка пути к папке с установленной программой обязательно должна содержать в себе слово \"Morvalen\"!";
const char* const CannotCreateWarning = "Папку с таким именем создать невозможно!";

class SetupFormTest : public PlatformTest {
protected:
    SetupFormTest() : forms(fake.log) {
        StartCommonModules();
        CommonSettings.TargetFolder = "C:\\Program Files\\Morvalen\\";
        // The flags start opposite to what FormCreate must make of them.
        SettingsConfirmed = true;
        CreateDesktopIcon = false;
        RunAfterInstall = false;
    }

    void Create() { forms.application.CreateForm(form); }

    void AcceptAgreement() {
        form.LicenceCheckBox.checked = true;
        form.LicenceCheckBox.Click();
    }

    // Created, agreement accepted, "Далее" pressed once: the settings page.
    void OpenSettingsPage() {
        Create();
        AcceptAgreement();
        form.NextBitBtn.Click();
    }

    // Types `folder` into the field of the settings page and presses "Далее".
    void TryFolder(const std::string& folder) {
        form.PathLabeledEdit.text = folder;
        form.NextBitBtn.Click();
    }

    std::vector<std::string> WarningTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : fake.desktop.boxes) texts.push_back(box.text);
        return texts;
    }

    platform::fake::FakeFormPlatform forms;
    TSetupForm form;
};

TEST_F(SetupFormTest, ComponentsAreMadeInTheOrderOfTheFormClass) {
    const std::vector<forms::Control*> expected{
        &form.TitleLabel,       &form.LicenceMemo,  &form.LicenceCheckBox,     &form.BottomPanel,
        &form.AdvancedGroupBox, &form.PathLabeledEdit, &form.PathBitBtn,       &form.DesktopIconCheckBox,
        &form.CancelBitBtn,     &form.NextBitBtn,   &form.PreLicenceLabel,     &form.BrandImage,
        &form.RunCheckBox};
    EXPECT_EQ(form.Components(), expected);
}

TEST_F(SetupFormTest, FormCreateFillsEveryTextByteForByte) {
    Create();
    EXPECT_EQ(form.caption, "Морвален");
    EXPECT_EQ(forms.application.title, "Морвален");
    EXPECT_EQ(form.TitleLabel.text, "Подготовка к установке программы Морвален версии 1500");
    EXPECT_EQ(form.PreLicenceLabel.text,
              "Лицензионное соглашение с конечным пользователем на использование программного обеспечения "
              "\"Морвален\":");
    EXPECT_EQ(form.LicenceCheckBox.text,
              "подтверждаю, что соглашение прочитано полностью, все его положения приняты.");
    EXPECT_EQ(form.AdvancedGroupBox.text, "Настройки установки");
    EXPECT_EQ(form.PathLabeledEdit.text, "C:\\Program Files\\Morvalen\\");
    EXPECT_EQ(form.PathLabeledEdit.labelText, "Папка, в которую будет установлена программа:");
    EXPECT_EQ(form.PathLabeledEdit.hint, FolderWordWarning);
    EXPECT_EQ(form.DesktopIconCheckBox.text, "поместить ярлык для запуска программы на \"Рабочий стол\"");
    EXPECT_EQ(form.RunCheckBox.text, "запустить программу по окончании её установки");
    EXPECT_EQ(form.CancelBitBtn.text, "Отмена");
    EXPECT_EQ(form.NextBitBtn.text, "Далее");
    EXPECT_EQ(form.PathBitBtn.text, "...");
    EXPECT_EQ(form.activeControl, &form.LicenceMemo);
}

TEST_F(SetupFormTest, LicenceMemoJoinsTheFiveSegmentsWithTheFolderRuleAsClauseThree) {
    Create();
    const std::string expected =
        "Если Вы устанавливаете, копируете данное программное обеспечение или используете его каким-либо иным "
        "способом, тем самым Вы подтверждаете своё согласие принять обязательство по соблюдению данного "
        "лицензионного соглашения с конечным пользователем.\r\nЕсли Вы не согласны, то не устанавливайте, не "
        "копируйте и не используйте это программное обеспечение.\r\n\r\n1. Программа является бесплатной, "
        "распространяется свободно.\r\n2. Запрещается любая модификация программы, ведущая к невозможности её "
        "бесплатного использования.\r\n3. Строка пути к папке с установленной программой обязательно должна "
        "содержать в себе слово \"Morvalen\".\r\n4. Программа распространяется по принципу \"как есть\". При "
        "этом не предусматривается никаких гарантий, явных или подразумеваемых. Вы используете её на свой "
        "собственный риск. Ни автор, ни его уполномоченные агенты не несут ответственности за потери данных, "
        "повреждения, потери прибыли или любые другие виды потерь, связанные с использованием (правильным или "
        "неправильным) этой программы, а также её последующих обновлений.";
    EXPECT_EQ(form.LicenceMemo.text, expected);
}

TEST_F(SetupFormTest, CheckBoxesAreAsWideAsTheirCaptionMeasuredWithTheFormFontPlus24) {
    // A width that depends on the font, so that measuring with another font shows.
    forms.application.host.measure = [](const std::string& text, const forms::Font& font) {
        return static_cast<int>(text.size()) * -font.height / 2 + (font.bold ? 1000 : 0);
    };
    Create();
    for (const forms::CheckBox* box : {&form.LicenceCheckBox, &form.DesktopIconCheckBox, &form.RunCheckBox})
        EXPECT_EQ(box->width, static_cast<int>(box->text.size()) * 13 / 2 + 24) << box->text;
    ASSERT_EQ(forms.application.host.measuredFonts.size(), 3u);
    for (const forms::Font& font : forms.application.host.measuredFonts) EXPECT_EQ(font, form.font);
    EXPECT_NE(form.LicenceCheckBox.width, 512);
    EXPECT_NE(form.DesktopIconCheckBox.width, 540);
}

TEST_F(SetupFormTest, FormCreateResetsTheResultsFromTheCheckBoxes) {
    Create();
    EXPECT_FALSE(SettingsConfirmed);
    EXPECT_TRUE(CreateDesktopIcon);
    EXPECT_TRUE(RunAfterInstall);
}

TEST_F(SetupFormTest, OptionBoxesSetTheirResults) {
    OpenSettingsPage();
    form.DesktopIconCheckBox.checked = false;
    form.DesktopIconCheckBox.Click();
    EXPECT_FALSE(CreateDesktopIcon);
    EXPECT_TRUE(RunAfterInstall);
    form.RunCheckBox.checked = false;
    form.RunCheckBox.Click();
    EXPECT_FALSE(RunAfterInstall);
    form.DesktopIconCheckBox.checked = true;
    form.DesktopIconCheckBox.Click();
    EXPECT_TRUE(CreateDesktopIcon);
}

TEST_F(SetupFormTest, LicenceTickEnablesThePageTwoControlsAndClearingItDisablesThemAgain) {
    Create();
    const std::vector<forms::Control*> governed{&form.AdvancedGroupBox, &form.PathLabeledEdit,
                                                &form.PathBitBtn,       &form.DesktopIconCheckBox,
                                                &form.RunCheckBox,      &form.NextBitBtn};
    for (const forms::Control* control : governed) EXPECT_FALSE(control->enabled);
    EXPECT_FALSE(form.NextBitBtn.Usable());

    AcceptAgreement();
    for (const forms::Control* control : governed) EXPECT_TRUE(control->enabled);
    EXPECT_TRUE(form.NextBitBtn.Usable());

    form.LicenceCheckBox.checked = false;
    form.LicenceCheckBox.Click();
    for (const forms::Control* control : governed) EXPECT_FALSE(control->enabled);
    EXPECT_TRUE(form.CancelBitBtn.enabled);
    EXPECT_TRUE(form.LicenceMemo.enabled);
}

TEST_F(SetupFormTest, FirstNextShowsTheSettingsPageAndValidatesNothing) {
    Create();
    form.PathLabeledEdit.text = "C:\\Program Files\\Trainer";
    AcceptAgreement();
    form.NextBitBtn.Click();
    EXPECT_FALSE(form.PreLicenceLabel.visible);
    EXPECT_FALSE(form.LicenceMemo.visible);
    EXPECT_EQ(form.TitleLabel.height, 58);
    EXPECT_TRUE(form.AdvancedGroupBox.visible);
    EXPECT_TRUE(form.LicenceCheckBox.visible);
    EXPECT_TRUE(fake.desktop.boxes.empty());
    EXPECT_TRUE(fake.log.Starting("ForceDirectories").empty());
    EXPECT_EQ(CommonSettings.TargetFolder, "C:\\Program Files\\Morvalen\\");
    EXPECT_FALSE(SettingsConfirmed);
    EXPECT_FALSE(forms.application.host.closed);
}

TEST_F(SetupFormTest, CancelClosesTheFormUnconfirmed) {
    OpenSettingsPage();
    form.CancelBitBtn.Click();
    EXPECT_TRUE(forms.application.host.closed);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(SettingsConfirmed);
    EXPECT_TRUE(fake.log.Starting("ForceDirectories").empty());
}

// ---- the folder on page 2

struct FolderCase {
    const char* name;
    const char* typed;
    const char* expectedTarget;  // TargetFolder afterwards
    const char* warning;         // nullptr: accepted
};

class FolderValidationTest : public SetupFormTest, public testing::WithParamInterface<FolderCase> {};

TEST_P(FolderValidationTest, AcceptsOnlyAFolderWithTheProductWordThatExistsOrIsMade) {
    const FolderCase& c = GetParam();
    fake.files.AddDirectory("C:\\");
    fake.files.AddDirectory("D:\\");
    fake.files.AddDirectory("\\\\server\\share");
    fake.files.AddFile("C:\\Apps\\Morvalen", "a file, not a folder");
    OpenSettingsPage();
    TryFolder(c.typed);

    EXPECT_EQ(CommonSettings.TargetFolder, c.expectedTarget);
    if (c.warning == nullptr) {
        EXPECT_TRUE(fake.desktop.boxes.empty());
        EXPECT_TRUE(SettingsConfirmed);
        EXPECT_TRUE(forms.application.host.closed);
        EXPECT_TRUE(fake.files.DirectoryExists(c.expectedTarget));
        return;
    }
    EXPECT_EQ(WarningTexts(), std::vector<std::string>{c.warning});
    EXPECT_FALSE(SettingsConfirmed);
    EXPECT_FALSE(forms.application.host.closed);
    EXPECT_TRUE(form.AdvancedGroupBox.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FolderValidationTest,
    testing::Values(
        FolderCase{"UpperCaseWordIsFolded", "C:\\Program Files\\MORVALEN", "C:\\Program Files\\MORVALEN\\", nullptr},
        FolderCase{"WordAnywhereInThePath", "D:\\Games\\morvalen-old\\x", "D:\\Games\\morvalen-old\\x\\", nullptr},
        FolderCase{"TrailingBackslashKept", "C:\\Morvalen\\", "C:\\Morvalen\\", nullptr},
        FolderCase{"NetworkShare", "\\\\server\\share\\Morvalen", "\\\\server\\share\\Morvalen\\", nullptr},
        FolderCase{"WithoutTheWord", "C:\\Program Files\\Trainer", "C:\\Program Files\\Trainer\\", FolderWordWarning},
        FolderCase{"EmptyFieldGetsTheWordWarning", "", "", FolderWordWarning},
        FolderCase{"MissingDrive", "Q:\\Morvalen", "Q:\\Morvalen\\", CannotCreateWarning},
        FolderCase{"ExistingFile", "C:\\Apps\\Morvalen", "C:\\Apps\\Morvalen\\", CannotCreateWarning},
        FolderCase{"QuestionMark", "C:\\Morvalen?", "C:\\Morvalen?\\", CannotCreateWarning},
        FolderCase{"ColonInAName", "C:\\Morvalen:data", "C:\\Morvalen:data\\", CannotCreateWarning},
        FolderCase{"AngleBracketsAndBar", "C:\\<Morvalen>|x", "C:\\<Morvalen>|x\\", CannotCreateWarning},
        FolderCase{"ControlCharacter", "C:\\Morvalen\tx", "C:\\Morvalen\tx\\", CannotCreateWarning},
        FolderCase{"RelativePath", "Morvalen", "Morvalen\\", CannotCreateWarning},
        FolderCase{"DriveRelativePath", "C:Morvalen", "C:Morvalen\\", CannotCreateWarning},
        FolderCase{"ServerWithoutShare", "\\\\Morvalen", "\\\\Morvalen\\", CannotCreateWarning}),
    [](const testing::TestParamInfo<FolderCase>& info) { return info.param.name; });

TEST_F(SetupFormTest, PathLongerThanWindowsCanMakeIsRefusedBeforeAnyFolderIsMade) {
    fake.files.AddDirectory("C:\\");
    OpenSettingsPage();
    TryFolder("C:\\Morvalen\\" + std::string(300, 'x'));
    EXPECT_EQ(WarningTexts(), std::vector<std::string>{CannotCreateWarning});
    EXPECT_FALSE(fake.files.DirectoryExists("C:\\Morvalen"));
    EXPECT_TRUE(fake.log.Starting("ForceDirectories").empty());
    EXPECT_FALSE(SettingsConfirmed);
}

TEST_F(SetupFormTest, LongestFolderWindowsCanMakeIsAccepted) {
    fake.files.AddDirectory("C:\\");
    OpenSettingsPage();
    const std::string folder = "C:\\Morvalen\\" + std::string(247 - 13, 'x') + "\\";
    ASSERT_EQ(folder.size(), 247u);
    TryFolder(folder);
    EXPECT_TRUE(fake.desktop.boxes.empty());
    EXPECT_TRUE(SettingsConfirmed);
}

TEST_F(SetupFormTest, NewFolderIsMadeWithItsMissingParents) {
    fake.files.AddDirectory("C:\\");
    OpenSettingsPage();
    TryFolder("C:\\Games\\Old\\Morvalen");
    EXPECT_TRUE(fake.files.DirectoryExists("C:\\Games"));
    EXPECT_TRUE(fake.files.DirectoryExists("C:\\Games\\Old\\Morvalen"));
    EXPECT_EQ(CommonSettings.TargetFolder, "C:\\Games\\Old\\Morvalen\\");
    EXPECT_TRUE(SettingsConfirmed);
}

TEST_F(SetupFormTest, WarningsAreRussianAlsoWithTheEnglishInterface) {
    StartCommonModules(0x0409);
    OpenSettingsPage();
    TryFolder("C:\\Trainer");
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].function, "MessageBoxA");
    EXPECT_EQ(fake.desktop.boxes[0].text, FolderWordWarning);
    EXPECT_EQ(fake.desktop.boxes[0].caption, "Morvalen");
    EXPECT_EQ(fake.desktop.boxes[0].flags, 0x42030u);
}

TEST_F(SetupFormTest, RussianInterfaceWarnsWithARussianBox) {
    OpenSettingsPage();
    TryFolder("Q:\\Morvalen");
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].function, "MessageBoxExA");
    EXPECT_EQ(fake.desktop.boxes[0].caption, "Морвален");
    EXPECT_EQ(fake.desktop.boxes[0].language, 0x0019);
}

TEST_F(SetupFormTest, RefusedFolderThenCancelConfirmsNothing) {
    OpenSettingsPage();
    TryFolder("Q:\\Morvalen");
    form.CancelBitBtn.Click();
    EXPECT_TRUE(forms.application.host.closed);
    EXPECT_FALSE(SettingsConfirmed);
}

TEST_F(SetupFormTest, SecondAttemptAfterAWarningCanSucceed) {
    fake.files.AddDirectory("C:\\");
    OpenSettingsPage();
    TryFolder("C:\\Trainer");
    TryFolder("C:\\Morvalen");
    EXPECT_EQ(WarningTexts(), std::vector<std::string>{FolderWordWarning});
    EXPECT_TRUE(SettingsConfirmed);
    EXPECT_EQ(CommonSettings.TargetFolder, "C:\\Morvalen\\");
}

// ---- the "..." button

TEST_F(SetupFormTest, BrowsingHidesTheFormAndPutsThePickedFolderInTheField) {
    fake.files.AddDirectory("C:\\Program Files\\Morvalen");
    OpenSettingsPage();
    form.Show();
    forms.picker.answer = "D:\\Morvalen";
    bool hiddenWhilePicking = false;
    forms.picker.onPick = [&] { hiddenWhilePicking = !form.Visible(); };
    form.PathBitBtn.Click();

    EXPECT_TRUE(hiddenWhilePicking);
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ((std::vector<std::string>{"HideForm",
                                        "PickFolder(Папка, в которую будет установлена программа:,"
                                        "C:\\Program Files\\Morvalen\\)",
                                        "ShowForm"}),
              (std::vector<std::string>{fake.log.Calls().end() - 3, fake.log.Calls().end()}));
    EXPECT_EQ(form.PathLabeledEdit.text, "D:\\Morvalen");
    EXPECT_EQ(CommonSettings.TargetFolder, "D:\\Morvalen");
}

TEST_F(SetupFormTest, CancelledBrowsingKeepsTheFieldAndShowsTheFormAgain) {
    OpenSettingsPage();  // the proposed folder does not exist yet
    form.PathBitBtn.Click();
    ASSERT_EQ(forms.picker.requests.size(), 1u);
    EXPECT_EQ(forms.picker.requests[0].preselected, "");
    EXPECT_EQ(form.PathLabeledEdit.text, "C:\\Program Files\\Morvalen\\");
    EXPECT_EQ(CommonSettings.TargetFolder, "");
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(fake.log.Calls().back(), "ShowForm");
}

TEST_F(SetupFormTest, BrowsingOpensOnTheFolderTypedIntoTheField) {
    fake.files.AddDirectory("D:\\Games\\Morvalen");
    OpenSettingsPage();
    form.PathLabeledEdit.text = "D:\\Games\\Morvalen";
    form.PathBitBtn.Click();
    ASSERT_EQ(forms.picker.requests.size(), 1u);
    EXPECT_EQ(forms.picker.requests[0].preselected, "D:\\Games\\Morvalen");
    EXPECT_EQ(form.PathLabeledEdit.text, "D:\\Games\\Morvalen");
}

TEST_F(SetupFormTest, PickedFolderGetsItsBackslashWhenThePageIsAccepted) {
    fake.files.AddDirectory("D:\\Morvalen");
    OpenSettingsPage();
    forms.picker.answer = "D:\\Morvalen";
    form.PathBitBtn.Click();
    form.NextBitBtn.Click();
    EXPECT_EQ(CommonSettings.TargetFolder, "D:\\Morvalen\\");
    EXPECT_TRUE(SettingsConfirmed);
}

}  // namespace
