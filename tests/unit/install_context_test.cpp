#include <gtest/gtest.h>

#include "install/install_context.h"
#include "tests/unit/test_support.h"

namespace {

const std::string CurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
const std::string ShellFolders = CurrentVersion + "\\Explorer\\Shell Folders";
const std::string Entry = CurrentVersion + "\\Uninstall\\Morvalen";
const std::string WowEntry = "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvalen";

class InstallContextTest : public PlatformTest {
protected:
    void SetUp() override { StartCommonModules(0x0419); }

    void TypicalMachine() {
        fake.registry.SetString(RootKey::LocalMachine, CurrentVersion, "ProgramFilesDir", "C:\\Program Files");
        fake.registry.SetString(RootKey::LocalMachine, ShellFolders, "Common Desktop", "C:\\users\\Public\\Desktop");
        fake.registry.SetString(RootKey::LocalMachine, ShellFolders, "Common Programs", "C:\\ProgramData\\Programs");
        fake.registry.SetString(RootKey::CurrentUser, ShellFolders, "Programs", "C:\\users\\me\\Programs");
    }
};

TEST_F(InstallContextTest, TypicalMachineWithoutPreviousInstallation) {
    TypicalMachine();
    fake.system.isAdmin = false;
    ASSERT_TRUE(BuildInstallContext());
    const CommonSettingsBlock& s = CommonSettings;
    EXPECT_FALSE(s.IsAdministrator);
    EXPECT_EQ(s.ProgramFilesFolder, "C:\\Program Files\\");
    EXPECT_EQ(s.CommonDesktopFolder, "C:\\users\\Public\\Desktop\\");
    EXPECT_EQ(s.UserProgramsFolder, "C:\\users\\me\\Programs\\");
    EXPECT_EQ(s.MenuRootFolder, "C:\\ProgramData\\Programs\\");
    EXPECT_EQ(s.MenuFolder, "C:\\ProgramData\\Programs\\Морвален\\");
    EXPECT_EQ(s.UserMenuFolderRussian, "C:\\users\\me\\Programs\\Морвален\\");
    EXPECT_EQ(s.UserMenuFolderEnglish, "C:\\users\\me\\Programs\\Morvalen\\");
    EXPECT_EQ(s.UninstallKeyPath, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\");
    EXPECT_EQ(s.TargetFolder, "C:\\Program Files\\Morvalen\\");
    EXPECT_EQ(s.PreviousWowEntryKey, "");
    EXPECT_TRUE(fake.desktop.boxes.empty());
}

TEST_F(InstallContextTest, EnglishInterfaceNamesTheMenuFolderInEnglish) {
    StartCommonModules(0x0409);
    TypicalMachine();
    ASSERT_TRUE(BuildInstallContext());
    EXPECT_EQ(CommonSettings.MenuFolder, "C:\\ProgramData\\Programs\\Morvalen\\");
    EXPECT_EQ(CommonSettings.UserMenuFolderRussian, "C:\\users\\me\\Programs\\Морвален\\");
}

TEST_F(InstallContextTest, WithoutProgramFilesTheTargetIsRelative) {
    ASSERT_TRUE(BuildInstallContext());
    EXPECT_EQ(CommonSettings.TargetFolder, "Morvalen\\");
    // Both menu values missing: the menu folder is the display name alone.
    EXPECT_EQ(CommonSettings.MenuFolder, "Морвален\\");
}

struct PreviousCase {
    const char* name;
    const char* nativeValue;  // nullptr: no entry in the native view
    const char* wowValue;     // nullptr: no entry in the 32-bit view
    const char* target;
    const char* wowKey;
};

class PreviousInstallationTest : public InstallContextTest, public testing::WithParamInterface<PreviousCase> {};

TEST_P(PreviousInstallationTest, ProposesTheFolderOfThePreviousInstallation) {
    const PreviousCase& c = GetParam();
    TypicalMachine();
    if (c.nativeValue) fake.registry.SetString(RootKey::LocalMachine, Entry, "UninstallString", c.nativeValue);
    if (c.wowValue) fake.registry.SetString(RootKey::LocalMachine, WowEntry, "UninstallString", c.wowValue);
    ASSERT_TRUE(BuildInstallContext());
    EXPECT_EQ(CommonSettings.TargetFolder, c.target);
    EXPECT_EQ(CommonSettings.PreviousWowEntryKey, c.wowKey);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PreviousInstallationTest,
    testing::Values(
        PreviousCase{"Native", "C:\\Apps\\Trainer\\uninstall.exe", nullptr, "C:\\Apps\\Trainer\\", ""},
        PreviousCase{"ValueEndingInBackslash", "C:\\Apps\\Trainer\\", nullptr, "C:\\Apps\\", ""},
        PreviousCase{"BothViewsNativeWins", "D:\\New\\uninstall.exe", "D:\\Old\\uninstall.exe", "D:\\New\\", ""},
        PreviousCase{"OnlyWow", nullptr, "D:\\Old Morvalen\\uninstall.exe", "D:\\Old Morvalen\\",
                     "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvalen"},
        PreviousCase{"NoBackslashCountsAsNone", "uninstall.exe", nullptr, "C:\\Program Files\\Morvalen\\", ""},
        PreviousCase{"EmptyCountsAsNone", "", nullptr, "C:\\Program Files\\Morvalen\\", ""},
        PreviousCase{"EmptyNativeFallsBackToWow", "", "E:\\M\\uninstall.exe", "E:\\M\\",
                     "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvalen"}),
    [](const testing::TestParamInfo<PreviousCase>& info) { return info.param.name; });

TEST_F(InstallContextTest, EntryWithoutUninstallStringCountsAsNoEntry) {
    TypicalMachine();
    fake.registry.SetString(RootKey::LocalMachine, Entry, "DisplayName", "Морвален");
    ASSERT_TRUE(BuildInstallContext());
    EXPECT_EQ(CommonSettings.TargetFolder, "C:\\Program Files\\Morvalen\\");
}

struct MenuRootCase {
    const char* name;
    const char* commonPrograms;  // nullptr: missing
    const char* menuRoot;
};

class MenuRootTest : public InstallContextTest, public testing::WithParamInterface<MenuRootCase> {};

TEST_P(MenuRootTest, FallsBackToTheUsersProgramsMenu) {
    const MenuRootCase& c = GetParam();
    fake.registry.SetString(RootKey::CurrentUser, ShellFolders, "Programs", "C:\\users\\me\\Programs");
    if (c.commonPrograms) fake.registry.SetString(RootKey::LocalMachine, ShellFolders, "Common Programs", c.commonPrograms);
    ASSERT_TRUE(BuildInstallContext());
    EXPECT_EQ(CommonSettings.MenuRootFolder, c.menuRoot);
}

INSTANTIATE_TEST_SUITE_P(CommonPrograms, MenuRootTest,
                         testing::Values(MenuRootCase{"Missing", nullptr, "C:\\users\\me\\Programs\\"},
                                         MenuRootCase{"Empty", "", "C:\\users\\me\\Programs\\"},
                                         MenuRootCase{"LoneBackslash", "\\", "C:\\users\\me\\Programs\\"},
                                         MenuRootCase{"OneLetter", "X", "X\\"}),
                         [](const testing::TestParamInfo<MenuRootCase>& info) { return info.param.name; });

TEST_F(InstallContextTest, NonNtPlatformDoesNotReadCommonPrograms) {
    TypicalMachine();
    fake.system.basicVersion = platform::VersionInfo{1, 4, 10};
    fake.system.extendedVersion = std::nullopt;
    ASSERT_TRUE(BuildInstallContext());
    EXPECT_EQ(CommonSettings.MenuRootFolder, "C:\\users\\me\\Programs\\");
    EXPECT_EQ(CommonSettings.MenuFolder, "C:\\users\\me\\Programs\\Морвален\\");
    EXPECT_EQ(CommonSettings.CommonDesktopFolder, "C:\\users\\Public\\Desktop\\");
}

TEST_F(InstallContextTest, PerUserValueThatIsNotTextIsReportedAndEndsTheBuild) {
    TypicalMachine();
    fake.registry.SetBinary(RootKey::CurrentUser, ShellFolders, "Programs");
    fake.log.Clear();
    EXPECT_FALSE(BuildInstallContext());
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].text, "Нет доступа к системному реестру");
    EXPECT_EQ(fake.desktop.boxes[0].flags, 0x200010u);
    // The key was closed before the box, and nothing was written.
    const auto calls = fake.log.Calls();
    const auto close = std::find(calls.rbegin(), calls.rend(), "Registry.CloseKey()");
    ASSERT_NE(close, calls.rend());
    EXPECT_TRUE(fake.log.Starting("Registry.Write").empty());
}

TEST_F(InstallContextTest, MachineWideValueThatIsNotTextEscapesToTheCaller) {
    fake.registry.SetDword(RootKey::LocalMachine, CurrentVersion, "ProgramFilesDir", 5);
    EXPECT_THROW(BuildInstallContext(), platform::RegistryError);
    EXPECT_TRUE(fake.desktop.boxes.empty());
}

TEST_F(InstallContextTest, ReadsWithoutCreatingOrWritingAndLeavesNoKeyOpen) {
    TypicalMachine();
    fake.registry.SetString(RootKey::LocalMachine, Entry, "UninstallString", "C:\\M\\uninstall.exe");
    ASSERT_TRUE(BuildInstallContext());
    for (const std::string& call : fake.log.Calls()) EXPECT_EQ(call.find(",create)"), std::string::npos) << call;
    EXPECT_TRUE(fake.log.Starting("Registry.Write").empty());
    EXPECT_EQ(fake.log.Calls().back(), "Registry.CloseKey()");
    EXPECT_FALSE(CommonSettings.SetupRegistry->ValueExists("UninstallString"));
}

TEST(Wow64ViewPath, InsertsAfterTheFirstBackslash) {
    EXPECT_EQ(Wow64ViewPath("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"),
              "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\");
}

}  // namespace
