#include <gtest/gtest.h>

#include "tests/unit/uninstall_fixture.h"
#include "uninstaller/uninstall_context.h"

namespace {

TEST_F(UninstallTest, ContextWithoutUninstallEntryUsesTheDefaultFolder) {
    LayOutSystem();
    StartUninstaller(0x0419);
    ASSERT_TRUE(BuildUninstallContext());
    const UninstallContextBlock& c = UninstallContext;
    EXPECT_EQ(c.ProgramFilesFolder, ProgramFiles);
    EXPECT_TRUE(c.UninstallAllowed);
    EXPECT_EQ(c.TempFolder, Temp);
    EXPECT_EQ(c.CommonDesktopFolder, CommonDesktop);
    EXPECT_EQ(c.MenuRootFolder, CommonPrograms);
    EXPECT_EQ(c.UserProgramsFolder, UserPrograms);
    EXPECT_EQ(c.UserDesktopFolder, UserDesktop);
    EXPECT_EQ(c.StartupFolder, Startup);
    EXPECT_EQ(c.UninstallKeyPath, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\");
    EXPECT_EQ(c.UserMenuFolderEnglish, UserPrograms + "Morvalen\\");
    EXPECT_EQ(c.UserMenuFolderRussian, UserPrograms + "Морвален\\");
    EXPECT_EQ(c.InstallFolder, "C:\\Program Files\\Morvalen\\");
    EXPECT_TRUE(fake.desktop.boxes.empty());
}

struct EntryCase {
    const char* name;
    const char* uninstallString;  // nullptr: an entry key without the value
    bool textValue;
    const char* expectedFolder;
};

class UninstallEntryTest : public UninstallTest, public testing::WithParamInterface<EntryCase> {};

TEST_P(UninstallEntryTest, InstallFolderComesFromTheUninstallString) {
    const EntryCase& e = GetParam();
    LayOutSystem();
    fake.registry.SetString(RootKey::LocalMachine, Entry, "DisplayName", "Morvalen");
    if (e.uninstallString && e.textValue)
        fake.registry.SetString(RootKey::LocalMachine, Entry, "UninstallString", e.uninstallString);
    else if (e.uninstallString)
        fake.registry.SetDword(RootKey::LocalMachine, Entry, "UninstallString", 7);
    StartUninstaller(0x0409);
    ASSERT_TRUE(BuildUninstallContext());
    EXPECT_EQ(UninstallContext.InstallFolder, e.expectedFolder);
    EXPECT_TRUE(fake.desktop.boxes.empty());
    // The entry's key is closed again whatever was found in it.
    const auto calls = fake.log.Calls();
    const auto open = std::find(calls.begin(), calls.end(), "Registry.OpenKey(" + Entry + ",no-create)");
    ASSERT_NE(open, calls.end());
    EXPECT_EQ(calls.back(), "Registry.CloseKey()");
}

INSTANTIATE_TEST_SUITE_P(
    Entries, UninstallEntryTest,
    testing::Values(
        EntryCase{"FolderOfTheUninstaller", "D:\\Apps\\Morvalen 2\\uninstall.exe", true, "D:\\Apps\\Morvalen 2\\"},
        EntryCase{"FinalBackslashGivesTheFolderAbove", "D:\\Apps\\Morvalen\\", true, "D:\\Apps\\"},
        EntryCase{"CyrillicFolder", "C:\\Программы\\Morvalen\\uninstall.exe", true, "C:\\Программы\\Morvalen\\"},
        EntryCase{"NoBackslashCountsAsNoEntry", "uninstall.exe", true, "C:\\Program Files\\Morvalen\\"},
        EntryCase{"EmptyValueCountsAsNoEntry", "", true, "C:\\Program Files\\Morvalen\\"},
        EntryCase{"ValueThatIsNotTextCountsAsNoEntry", "", false, "C:\\Program Files\\Morvalen\\"},
        EntryCase{"EntryWithoutUninstallString", nullptr, true, "C:\\Program Files\\Morvalen\\"}),
    [](const testing::TestParamInfo<EntryCase>& info) { return info.param.name; });

TEST_F(UninstallTest, EntryInTheThirtyTwoBitViewIsNotLookedFor) {
    LayOutSystem();
    fake.registry.SetString(RootKey::LocalMachine,
                            "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvalen",
                            "UninstallString", "D:\\Old\\Morvalen\\uninstall.exe");
    StartUninstaller(0x0419);
    ASSERT_TRUE(BuildUninstallContext());
    EXPECT_EQ(UninstallContext.InstallFolder, Folder);
}

TEST_F(UninstallTest, MenuFoldersAreNamedByTheInterfaceLanguage) {
    LayOutSystem();
    StartUninstaller(0x0419);
    ASSERT_TRUE(BuildUninstallContext());
    EXPECT_EQ(UninstallContext.MenuFolder, CommonPrograms + "Морвален\\");
    EXPECT_EQ(UninstallContext.OtherMenuFolder, CommonPrograms + "Morvalen\\");

    StartUninstaller(0x0409);
    ASSERT_TRUE(BuildUninstallContext());
    EXPECT_EQ(UninstallContext.MenuFolder, CommonPrograms + "Morvalen\\");
    EXPECT_EQ(UninstallContext.OtherMenuFolder, CommonPrograms + "Морвален\\");
    EXPECT_EQ(UninstallContext.UserMenuFolderEnglish, UserPrograms + "Morvalen\\");
    EXPECT_EQ(UninstallContext.UserMenuFolderRussian, UserPrograms + "Морвален\\");
}

struct MenuRootCase {
    const char* name;
    const char* commonPrograms;  // nullptr: value missing
    std::uint32_t platformId;
    const char* expectedRoot;
};

class UninstallMenuRootTest : public UninstallTest, public testing::WithParamInterface<MenuRootCase> {};

TEST_P(UninstallMenuRootTest, CommonProgramsFallsBackToTheUserMenu) {
    const MenuRootCase& m = GetParam();
    fake.registry.SetString(RootKey::CurrentUser, ShellFolders, "Programs", "C:\\users\\anna\\Programs");
    if (m.commonPrograms) fake.registry.SetString(RootKey::LocalMachine, ShellFolders, "Common Programs", m.commonPrograms);
    fake.system.extendedVersion = fake.system.basicVersion = platform::VersionInfo{m.platformId, 4, 10};
    StartUninstaller(0x0409);
    ASSERT_TRUE(BuildUninstallContext());
    EXPECT_EQ(UninstallContext.MenuRootFolder, m.expectedRoot);
    EXPECT_EQ(UninstallContext.MenuFolder, std::string(m.expectedRoot) + "Morvalen\\");
}

INSTANTIATE_TEST_SUITE_P(
    Roots, UninstallMenuRootTest,
    testing::Values(MenuRootCase{"AllUsersMenuOnNt", "C:\\All\\Programs", 2, "C:\\All\\Programs\\"},
                    MenuRootCase{"MissingValue", nullptr, 2, "C:\\users\\anna\\Programs\\"},
                    MenuRootCase{"EmptyValue", "", 2, "C:\\users\\anna\\Programs\\"},
                    MenuRootCase{"LoneBackslash", "\\", 2, "C:\\users\\anna\\Programs\\"},
                    MenuRootCase{"OneLetterStays", "X", 2, "X\\"},
                    MenuRootCase{"NotReadOutsideNt", "C:\\All\\Programs", 1, "C:\\users\\anna\\Programs\\"}),
    [](const testing::TestParamInfo<MenuRootCase>& info) { return info.param.name; });

TEST_F(UninstallTest, UserWhoCannotOpenTheMachineKeyIsNotAllowed) {
    LayOutSystem();
    fake.registry.unopenableKeys.insert("HKLM\\" + CurrentVersion);
    StartUninstaller(0x0419);
    ASSERT_TRUE(BuildUninstallContext());
    EXPECT_EQ(UninstallContext.ProgramFilesFolder, "");
    EXPECT_FALSE(UninstallContext.UninstallAllowed);
    EXPECT_EQ(UninstallContext.InstallFolder, "Morvalen\\");
}

TEST_F(UninstallTest, TempFolderComesFromTheEnvironmentWithABackslash) {
    LayOutSystem();
    fake.system.environment["Temp"] = "D:\\Very long temporary folder name\\t";
    StartUninstaller(0x0419);
    ASSERT_TRUE(BuildUninstallContext());
    EXPECT_EQ(UninstallContext.TempFolder, "D:\\Very long temporary folder name\\t\\");

    fake.system.environment.erase("Temp");
    ASSERT_TRUE(BuildUninstallContext());
    EXPECT_EQ(UninstallContext.TempFolder, "");
}

struct ReadFailureCase {
    const char* name;
    RootKey root;
    const char* key;
    const char* value;
    std::uint32_t lcid;
};

class UninstallReadFailureTest : public UninstallTest, public testing::WithParamInterface<ReadFailureCase> {};

TEST_P(UninstallReadFailureTest, ShowsNoAccessAndStops) {
    const ReadFailureCase& f = GetParam();
    fake.registry.SetBinary(f.root, f.key, f.value);
    StartUninstaller(f.lcid);
    EXPECT_FALSE(BuildUninstallContext());
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    const auto& box = fake.desktop.boxes[0];
    EXPECT_EQ(box.flags, 0x200010u);
    if (f.lcid == 0x0419) {
        EXPECT_EQ(box.function, "MessageBoxExA");
        EXPECT_EQ(box.text, "Нет доступа к системному реестру");
        EXPECT_EQ(box.caption, "Морвален");
    } else {
        EXPECT_EQ(box.function, "MessageBoxA");
        EXPECT_EQ(box.text, "No access to system registry");
        EXPECT_EQ(box.caption, "Morvalen");
    }
    // The uninstall entry is not read after the failure, and no key is left open.
    EXPECT_TRUE(fake.log.Starting("Registry.OpenKey(" + Entry).empty());
    const auto& calls = fake.log.Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "Registry.CloseKey()");
    EXPECT_EQ(calls.back().rfind("MessageBox", 0), 0u);
}

const std::string MachineCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
const std::string MachineShellFolders = MachineCurrentVersion + "\\Explorer\\Shell Folders";

INSTANTIATE_TEST_SUITE_P(
    Failures, UninstallReadFailureTest,
    testing::Values(
        ReadFailureCase{"ProgramFilesDir", RootKey::LocalMachine, MachineCurrentVersion.c_str(), "ProgramFilesDir", 0x0419},
        ReadFailureCase{"CommonDesktop", RootKey::LocalMachine, MachineShellFolders.c_str(), "Common Desktop", 0x0409},
        ReadFailureCase{"CommonPrograms", RootKey::LocalMachine, MachineShellFolders.c_str(), "Common Programs", 0x0419},
        ReadFailureCase{"UserPrograms", RootKey::CurrentUser, MachineShellFolders.c_str(), "Programs", 0x0409},
        ReadFailureCase{"UserDesktop", RootKey::CurrentUser, MachineShellFolders.c_str(), "Desktop", 0x0419},
        ReadFailureCase{"Startup", RootKey::CurrentUser, MachineShellFolders.c_str(), "Startup", 0x0409}),
    [](const testing::TestParamInfo<ReadFailureCase>& info) { return info.param.name; });

}  // namespace
