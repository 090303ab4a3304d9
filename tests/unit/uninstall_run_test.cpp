#include <gtest/gtest.h>

#include "tests/unit/uninstall_fixture.h"
#include "uninstaller/uninstall_confirmation.h"
#include "uninstaller/uninstall_context.h"
#include "uninstaller/uninstall_run.h"

namespace {

using platform::IdNo;
using platform::IdYes;

const std::string RussianConfirmation =
    "Всё готово к удалению программы \"Морвален\".\n\n"
    "Будет удалён соответствующий пункт из меню программ,\n"
    "ярлык на Рабочем столе и всё из папки C:\\Program Files\\Morvalen\\.\n\n"
    "Перед установкой новой версии программы удаление не требуется,\n"
    "если только Вы не хотите сбросить все настройки и наработанный материал.\n\n"
    "Действительно ли Вы вынуждены удалить программу?";

const std::string EnglishConfirmation =
    "All is ready to uninstall the Morvalen program.\n\n"
    "Respective item of Programs menu, a shortcut on Desktop\n"
    "and everything in C:\\Program Files\\Morvalen\\ are going to be deleted.\n\n"
    "No need to uninstall the program before installation of its new version,\n"
    "unless you want to reset all options and logs.\n\nAre you really to uninstall it?";

const std::string RussianFinal =
    "Программа удалена из системы.\r\n\r\n"
    "Если Вы сами создавали ярлыки для запуска программы,\r\nих придётся удалить вручную.";
const std::string EnglishFinal =
    "The program is now removed from your system.\r\n\r\n"
    "If you created any shortcuts for launching the program,\r\nyou may need to remove them manually.";

class UninstallRunTest : public UninstallTest {
protected:
    // A machine with the product installed, the uninstaller started up to its context.
    void StartOnInstalledMachine(std::uint32_t lcid, const std::string& folder = Folder) {
        LayOutSystem();
        LayOutInstallation(folder);
        StartUninstaller(lcid);
        ASSERT_TRUE(BuildUninstallContext());
        fake.log.Clear();
    }

    // Every registry entry and shortcut of the product is still in place, and no script was started.
    void ExpectNothingRemoved() {
        EXPECT_TRUE(fake.registry.KeyExists(RootKey::LocalMachine, Entry));
        EXPECT_TRUE(KeyHasValue(RootKey::CurrentUser, RunKey, "Morvalen"));
        EXPECT_TRUE(KeyHasValue(RootKey::CurrentUser, RunKey, "!Morvalen"));
        EXPECT_TRUE(fake.registry.KeyExists(RootKey::CurrentUser, MakerKey + "\\Morvalen"));
        EXPECT_TRUE(fake.registry.KeyExists(RootKey::Users, DefaultMakerKey + "\\Morvalen"));
        EXPECT_TRUE(fake.files.FileExists(CommonDesktop + "Morvalen.lnk"));
        EXPECT_TRUE(fake.files.FileExists(Startup + "Morvalen.lnk"));
        EXPECT_TRUE(fake.files.DirectoryExists(CommonPrograms + "Morvalen"));
        EXPECT_TRUE(fake.files.DirectoryExists(UserPrograms + "Морвален"));
        EXPECT_EQ(fake.files.FileContent(Temp + "q's_unin.cmd"), nullptr);
        EXPECT_TRUE(fake.log.Starting("ShellExecuteA").empty());
    }

    void ExpectFolderKept(const std::string& folder) {
        for (const std::string& name : InstalledFiles) EXPECT_TRUE(fake.files.FileExists(folder + name)) << name;
    }
};

TEST_F(UninstallRunTest, ConfirmationTextsAreExactInBothLanguages) {
    StartUninstaller(0x0419);
    EXPECT_EQ(RussianConfirmationText("C:\\Program Files\\Morvalen\\"), RussianConfirmation);
    EXPECT_EQ(EnglishConfirmationText("C:\\Program Files\\Morvalen\\"), EnglishConfirmation);
    EXPECT_EQ(EnglishConfirmation.find('\r'), std::string::npos);
    EXPECT_EQ(RussianConfirmation.find('\r'), std::string::npos);
}

struct LanguageCase {
    const char* name;
    std::uint32_t lcid;
    const char* function;
    const char* confirmationCaption;
    const std::string* confirmationText;
    std::uint16_t language;
    const char* finalCaption;
    const std::string* finalText;
};

class UninstallLanguageTest : public UninstallRunTest, public testing::WithParamInterface<LanguageCase> {};

TEST_P(UninstallLanguageTest, YesRemovesEverythingOfTheProductAndNothingElse) {
    const LanguageCase& l = GetParam();
    StartOnInstalledMachine(l.lcid);
    fake.desktop.answers = {IdYes};
    bool folderCompleteDuringFinalMessage = false;
    fake.desktop.onBox = [&](const platform::fake::FakeDesktop::Box& box) {
        if (box.flags != 0x42040) return;
        folderCompleteDuringFinalMessage = fake.files.FileContent(Temp + "q's_unin.cmd") != nullptr &&
                                           fake.log.Starting("ShellExecuteA").empty();
        for (const std::string& name : InstalledFiles)
            folderCompleteDuringFinalMessage &= fake.files.FileExists(Folder + name);
    };
    EXPECT_TRUE(RunUninstall());

    ASSERT_EQ(fake.desktop.boxes.size(), 2u);
    const auto& confirmation = fake.desktop.boxes[0];
    EXPECT_EQ(confirmation.function, l.function);
    EXPECT_EQ(confirmation.owner, 0u);
    EXPECT_EQ(confirmation.caption, l.confirmationCaption);
    EXPECT_EQ(confirmation.text, *l.confirmationText);
    EXPECT_EQ(confirmation.flags, 0x42124u);
    EXPECT_EQ(confirmation.language, l.language);
    const auto& final = fake.desktop.boxes[1];
    EXPECT_EQ(final.function, l.function);
    EXPECT_EQ(final.owner, 0u);
    EXPECT_EQ(final.caption, l.finalCaption);
    EXPECT_EQ(final.text, *l.finalText);
    EXPECT_EQ(final.flags, 0x42040u);
    EXPECT_EQ(final.language, l.language);
    EXPECT_TRUE(folderCompleteDuringFinalMessage);

    // The product's registry entries are gone; the maker's key and its neighbours stay.
    EXPECT_FALSE(fake.registry.KeyExists(RootKey::LocalMachine, Entry));
    EXPECT_TRUE(fake.registry.KeyExists(RootKey::LocalMachine, UninstallKey + "\\Other"));
    EXPECT_FALSE(KeyHasValue(RootKey::CurrentUser, RunKey, "Morvalen"));
    EXPECT_FALSE(KeyHasValue(RootKey::CurrentUser, RunKey, "!Morvalen"));
    EXPECT_TRUE(KeyHasValue(RootKey::CurrentUser, RunKey, "Other"));
    EXPECT_FALSE(fake.registry.KeyExists(RootKey::CurrentUser, MakerKey + "\\Morvalen"));
    EXPECT_TRUE(fake.registry.KeyExists(RootKey::CurrentUser, MakerKey + "\\Another"));
    EXPECT_FALSE(fake.registry.KeyExists(RootKey::Users, DefaultMakerKey + "\\Morvalen"));
    EXPECT_TRUE(fake.registry.KeyExists(RootKey::Users, DefaultMakerKey));

    // Shortcuts and menu folders under both names are gone, others stay.
    for (const std::string& desktop : {CommonDesktop, UserDesktop}) {
        EXPECT_FALSE(fake.files.FileExists(desktop + "Morvalen.lnk"));
        EXPECT_FALSE(fake.files.FileExists(desktop + "Морвален.lnk"));
        EXPECT_TRUE(fake.files.FileExists(desktop + "Other.lnk"));
    }
    EXPECT_FALSE(fake.files.FileExists(Startup + "Morvalen.lnk"));
    for (const std::string& root : {CommonPrograms, UserPrograms}) {
        EXPECT_FALSE(fake.files.DirectoryExists(root + "Morvalen"));
        EXPECT_FALSE(fake.files.DirectoryExists(root + "Морвален"));
    }
    EXPECT_TRUE(fake.files.FileExists(CommonPrograms + "Other\\Other.lnk"));

    // The folder is left to the script, which is started last.
    for (const std::string& name : InstalledFiles) EXPECT_TRUE(fake.files.FileExists(Folder + name));
    const std::string* script = fake.files.FileContent(Temp + "q's_unin.cmd");
    ASSERT_NE(script, nullptr);
    for (const std::string& name : InstalledFiles)
        EXPECT_NE(script->find("del \"" + Folder + name + "\"\r\n"), std::string::npos) << name;
    EXPECT_EQ(fake.log.Calls().back(), "ShellExecuteA(0x0,open,q's_unin.cmd,,,0)");
}

INSTANTIATE_TEST_SUITE_P(
    Languages, UninstallLanguageTest,
    testing::Values(LanguageCase{"Russian", 0x0419, "MessageBoxExA", "Подумайте лучше", &RussianConfirmation, 0x0019,
                                 "Морвален", &RussianFinal},
                    LanguageCase{"English", 0x0409, "MessageBoxA", "Think it over", &EnglishConfirmation, 0,
                                 "Morvalen", &EnglishFinal}),
    [](const testing::TestParamInfo<LanguageCase>& info) { return info.param.name; });

TEST_F(UninstallRunTest, RegistryStepsRunInOrderEachInItsOwnKey) {
    StartOnInstalledMachine(0x0419);
    fake.desktop.answers = {IdYes};
    ASSERT_TRUE(RunUninstall());
    const std::string cv = CurrentVersion + "\\";
    EXPECT_EQ(CallsStarting({"Registry."}),
              (std::vector<std::string>{
                  "Registry.SetRootKey(HKLM)", "Registry.OpenKey(" + cv + "Uninstall\\,no-create)",
                  "Registry.DeleteKey(Morvalen)", "Registry.CloseKey()",
                  "Registry.SetRootKey(HKCU)", "Registry.OpenKey(" + cv + "Run,no-create)",
                  "Registry.DeleteValue(!Morvalen)", "Registry.CloseKey()",
                  "Registry.SetRootKey(HKCU)", "Registry.OpenKey(" + cv + "Run,no-create)",
                  "Registry.DeleteValue(Morvalen)", "Registry.CloseKey()",
                  "Registry.SetRootKey(HKCU)", "Registry.OpenKey(\\Software\\Q's,no-create)",
                  "Registry.DeleteKey(Morvalen)", "Registry.CloseKey()",
                  "Registry.SetRootKey(HKU)", "Registry.OpenKey(.DEFAULT\\Software\\Q's,no-create)",
                  "Registry.DeleteKey(Morvalen)", "Registry.CloseKey()"}));
}

TEST_F(UninstallRunTest, MissingKeysAndValuesPassSilently) {
    LayOutSystem();
    fake.files.AddFile(Folder + "uninstall.exe", "MZ");
    StartUninstaller(0x0409);
    ASSERT_TRUE(BuildUninstallContext());
    fake.desktop.answers = {IdYes};
    EXPECT_TRUE(RunUninstall());
    EXPECT_TRUE(fake.log.Starting("Registry.DeleteValue").empty());  // Run has no key to open
    ASSERT_EQ(fake.desktop.boxes.size(), 2u);
    EXPECT_EQ(fake.desktop.boxes[1].text, EnglishFinal);
    EXPECT_EQ(fake.log.Calls().back(), "ShellExecuteA(0x0,open,q's_unin.cmd,,,0)");
}

TEST_F(UninstallRunTest, OutsideNtTheFirstAutostartValueIsInRunServices) {
    fake.system.extendedVersion = fake.system.basicVersion = platform::VersionInfo{1, 4, 10};
    LayOutSystem();
    LayOutInstallation();
    fake.registry.SetString(RootKey::CurrentUser, RunServicesKey, "!Morvalen", "C:\\x.exe");
    StartUninstaller(0x0419);
    ASSERT_TRUE(BuildUninstallContext());
    fake.desktop.answers = {IdYes};
    ASSERT_TRUE(RunUninstall());
    EXPECT_FALSE(KeyHasValue(RootKey::CurrentUser, RunServicesKey, "!Morvalen"));
    EXPECT_TRUE(KeyHasValue(RootKey::CurrentUser, RunKey, "!Morvalen"));
    EXPECT_FALSE(KeyHasValue(RootKey::CurrentUser, RunKey, "Morvalen"));
    // Without "Common Programs" the all-users menu folders are the user's.
    EXPECT_EQ(UninstallContext.MenuFolder, UserPrograms + "Морвален\\");
    EXPECT_TRUE(fake.files.DirectoryExists(CommonPrograms + "Morvalen"));
}

TEST_F(UninstallRunTest, ShortcutFilesAreDeletedInOrderAndStartupOnlyWhenItExists) {
    StartOnInstalledMachine(0x0419);
    fake.desktop.answers = {IdYes};
    ASSERT_TRUE(RunUninstall());
    EXPECT_EQ(CallsStarting({"DeleteFile("}),
              (std::vector<std::string>{"DeleteFile(" + CommonDesktop + "Morvalen.lnk)",
                                        "DeleteFile(" + CommonDesktop + "Морвален.lnk)",
                                        "DeleteFile(" + UserDesktop + "Morvalen.lnk)",
                                        "DeleteFile(" + UserDesktop + "Морвален.lnk)",
                                        "DeleteFile(" + Startup + "Morvalen.lnk)"}));

    fake.files.AddFile(Folder + "uninstall.exe", "MZ");
    fake.log.Clear();
    fake.desktop.answers = {IdYes};
    ASSERT_TRUE(RunUninstall());  // a second run: the Startup shortcut is gone now
    EXPECT_EQ(CallsStarting({"DeleteFile("}).size(), 4u);
}

TEST_F(UninstallRunTest, ShortcutsOfFoldersTheRegistryDoesNotNameAreSkipped) {
    LayOutSystem();
    LayOutInstallation();
    // Only the all-users desktop is known; nothing is looked for under an empty folder.
    fake.registry.DeleteTree(platform::fake::FakeRegistryStore::KeyId(RootKey::CurrentUser, ShellFolders));
    StartUninstaller(0x0419);
    ASSERT_TRUE(BuildUninstallContext());
    fake.desktop.answers = {IdYes};
    fake.log.Clear();
    ASSERT_TRUE(RunUninstall());
    EXPECT_EQ(CallsStarting({"DeleteFile("}),
              (std::vector<std::string>{"DeleteFile(" + CommonDesktop + "Morvalen.lnk)",
                                        "DeleteFile(" + CommonDesktop + "Морвален.lnk)"}));
    // The per-user menu folders would be relative paths: they are not touched.
    EXPECT_EQ(CallsStarting({"SHFileOperationA("}),
              (std::vector<std::string>{"SHFileOperationA(FO_DELETE," + CommonPrograms + "Морвален,0x14)",
                                        "SHFileOperationA(FO_DELETE," + CommonPrograms + "Morvalen,0x14)"}));
}

struct MenuOrderCase {
    const char* name;
    std::uint32_t lcid;
    const char* allUsersFirst;
    const char* allUsersSecond;
};

class UninstallMenuOrderTest : public UninstallRunTest, public testing::WithParamInterface<MenuOrderCase> {};

TEST_P(UninstallMenuOrderTest, MenuFoldersAreRemovedInTheOrderOfTheInterfaceLanguage) {
    const MenuOrderCase& m = GetParam();
    StartOnInstalledMachine(m.lcid);
    fake.desktop.answers = {IdYes};
    ASSERT_TRUE(RunUninstall());
    EXPECT_EQ(CallsStarting({"SHFileOperationA("}),
              (std::vector<std::string>{"SHFileOperationA(FO_DELETE," + UserPrograms + "Morvalen,0x14)",
                                        "SHFileOperationA(FO_DELETE," + UserPrograms + "Морвален,0x14)",
                                        "SHFileOperationA(FO_DELETE," + CommonPrograms + m.allUsersFirst + ",0x14)",
                                        "SHFileOperationA(FO_DELETE," + CommonPrograms + m.allUsersSecond + ",0x14)"}));
}

INSTANTIATE_TEST_SUITE_P(Languages, UninstallMenuOrderTest,
                         testing::Values(MenuOrderCase{"Russian", 0x0419, "Морвален", "Morvalen"},
                                         MenuOrderCase{"English", 0x0409, "Morvalen", "Морвален"}),
                         [](const testing::TestParamInfo<MenuOrderCase>& info) { return info.param.name; });

TEST_F(UninstallRunTest, NoOtherAnswerThanYesRemovesAnything) {
    for (int answer : {IdNo, 2 /* closed */, platform::IdOk}) {
        StartOnInstalledMachine(0x0419);
        fake.desktop.boxes.clear();
        fake.desktop.answers = {answer};
        EXPECT_FALSE(RunUninstall()) << answer;
        EXPECT_EQ(fake.desktop.boxes.size(), 1u) << answer;
        ExpectNothingRemoved();
        ExpectFolderKept(Folder);
    }
}

struct RefusalCase {
    const char* name;
    bool withoutRights;  // else the entry's folder is missing
    std::uint32_t lcid;
    const char* text;
    const char* caption;
};

class UninstallRefusalTest : public UninstallRunTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(UninstallRefusalTest, ShowsOneErrorBoxAndRemovesNothing) {
    const RefusalCase& r = GetParam();
    const std::string folder = r.withoutRights ? Folder : "D:\\Apps\\Morvalen\\";
    LayOutSystem();
    LayOutInstallation(folder);
    if (r.withoutRights)
        fake.registry.unopenableKeys.insert("HKLM\\" + CurrentVersion);
    else
        fake.files.RemoveTree(folder);
    StartUninstaller(r.lcid);
    ASSERT_TRUE(BuildUninstallContext());
    EXPECT_FALSE(RunUninstall());
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    const auto& box = fake.desktop.boxes[0];
    EXPECT_EQ(box.flags, 0x200010u);
    EXPECT_EQ(box.text, r.text);
    EXPECT_EQ(box.caption, r.caption);
    ExpectNothingRemoved();
    if (r.withoutRights) ExpectFolderKept(folder);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, UninstallRefusalTest,
    testing::Values(
        RefusalCase{"NoRightsRussian", true, 0x0419, "У Вас нет права удалять программы!", "Морвален"},
        RefusalCase{"NoRightsEnglish", true, 0x0409, "You have no right to uninstall applications!", "Morvalen"},
        RefusalCase{"FolderMissingRussian", false, 0x0419,
                    "Не удалось найти папку D:\\Apps\\Morvalen\\\nудаляемой программы Morvalen", "Морвален"},
        RefusalCase{"FolderMissingEnglish", false, 0x0409,
                    "Can't find D:\\Apps\\Morvalen\\ folder\nof the Morvalen program.", "Morvalen"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

class UninstallTamperedEntryTest : public UninstallRunTest, public testing::WithParamInterface<const char*> {};

TEST_P(UninstallTamperedEntryTest, FolderThatIsNotTheProductsIsNotFound) {
    const std::string folder = GetParam();
    fake.files.AddDirectory(folder);
    StartOnInstalledMachine(0x0409, folder);
    fake.desktop.answers = {IdYes};
    EXPECT_FALSE(RunUninstall());
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].text, "Can't find " + folder + " folder\nof the Morvalen program.");
    ExpectNothingRemoved();
    ExpectFolderKept(folder);
}

INSTANTIATE_TEST_SUITE_P(Entries, UninstallTamperedEntryTest,
                         testing::Values("C:\\Windows\\", "C:\\", "C:\\Program Files\\Morvalen\\..\\..\\Windows\\",
                                         "\\\\morvalen\\share\\", "Morvalen\\"));

TEST_F(UninstallRunTest, ProductFolderOfAnyLetterCaseIsRemoved) {
    const std::string folder = "D:\\Tools\\MORVALEN (old)\\";
    StartOnInstalledMachine(0x0409, folder);
    fake.desktop.answers = {IdYes};
    EXPECT_TRUE(RunUninstall());
    EXPECT_NE(fake.files.FileContent(Temp + "q's_unin.cmd")->find("rd \"D:\\Tools\\MORVALEN (old)\"\r\n"),
              std::string::npos);
}

TEST_F(UninstallRunTest, WithoutAUsableTempFolderNoScriptIsStarted) {
    StartOnInstalledMachine(0x0419);
    UninstallContext.TempFolder = "C:\\Gone\\";
    fake.files.AddFile("q's_unin.cmd", "an older script beside the current directory");
    fake.desktop.answers = {IdYes};
    EXPECT_TRUE(RunUninstall());
    EXPECT_EQ(fake.desktop.boxes.size(), 2u);
    EXPECT_FALSE(fake.registry.KeyExists(RootKey::LocalMachine, Entry));
    EXPECT_TRUE(fake.log.Starting("ShellExecuteA").empty());
    EXPECT_TRUE(fake.files.FileExists(Folder + "uninstall.exe"));
}

}  // namespace
