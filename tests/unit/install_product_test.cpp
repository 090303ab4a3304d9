#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <stdexcept>

#include "install/install_product.h"
#include "install/shell_link.h"
#include "install/web_address.h"
#include "tests/unit/install_fixture.h"

namespace {

using platform::fake::RegistryValue;
using platform::fake::ValueType;

const std::string RussianText = "У Вас нет права устанавливать программы!\r\nОбратитесь к системному администратору.";
const std::string EnglishText = "You have no right to add/remove programs!\r\nPlease contact your system administrator.";

struct ExpectedValue {
    std::string name;
    ValueType type;
    std::string text;
    std::int32_t number;
};

void ExpectValues(const platform::fake::RegistryKeyData* key, const std::vector<ExpectedValue>& expected) {
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->values.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const RegistryValue& actual = key->values[i];
        EXPECT_EQ(actual.name, expected[i].name) << "value " << i + 1;
        EXPECT_EQ(actual.type, expected[i].type) << expected[i].name;
        if (expected[i].type == ValueType::String)
            EXPECT_EQ(actual.text, expected[i].text) << expected[i].name;
        else
            EXPECT_EQ(actual.number, expected[i].number) << expected[i].name;
    }
}

std::vector<ExpectedValue> FifteenValues(const std::string& displayName, const std::string& publisher) {
    const std::string target = "C:\\Program Files\\Morvalen\\";
    const std::string help = std::string(ProductWebAddress) + "/Morvalen.htm";
    return {
        {"DisplayName", ValueType::String, displayName, 0},
        {"UninstallString", ValueType::String, target + "uninstall.exe", 0},
        {"DisplayIcon", ValueType::String, target + "Morvalen.exe", 0},
        {"DisplayVersion", ValueType::String, "1500", 0},
        {"VersionMajor", ValueType::Dword, "", 1500},
        {"VersionMinor", ValueType::Dword, "", 0},
        {"InstallLocation", ValueType::String, "C:\\Program Files\\Morvalen", 0},
        {"InstallDate", ValueType::String, "20270309", 0},
        {"Publisher", ValueType::String, publisher, 0},
        {"URLInfoAbout", ValueType::String, ProductWebAddress, 0},
        {"HelpLink", ValueType::String, help, 0},
        {"URLUpdateInfo", ValueType::String, help, 0},
        {"NoModify", ValueType::Dword, "", 1},
        {"NoRepair", ValueType::Dword, "", 1},
        {"EstimatedSize", ValueType::Dword, "", 2},  // 2560 bytes
    };
}

class InstallProductTest : public InstallMachineTest {
protected:
    void ExpectRightsMessage(bool russian) {
        ASSERT_EQ(fake.desktop.boxes.size(), 1u);
        const auto& box = fake.desktop.boxes[0];
        EXPECT_EQ(box.text, russian ? RussianText : EnglishText);
        EXPECT_EQ(box.flags, 0x200010u);
    }
    std::vector<std::string> CallsStarting(const std::string& prefix) const { return fake.log.Starting(prefix); }
};

struct LanguageCase {
    const char* name;
    std::uint32_t lcid;
    const char* displayName;
    const char* publisher;
};

class EntryValuesTest : public InstallProductTest, public testing::WithParamInterface<LanguageCase> {};

TEST_P(EntryValuesTest, WritesTheFifteenValuesInOrderWithTheirTypes) {
    const LanguageCase& c = GetParam();
    fake.system.today = {2027, 3, 9};
    StartSetup(c.lcid);
    ListTheCarriedFiles();
    EXPECT_TRUE(InstallProduct(true));
    ExpectValues(UninstallEntry(), FifteenValues(c.displayName, c.publisher));
    EXPECT_TRUE(fake.desktop.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Languages, EntryValuesTest,
                         testing::Values(LanguageCase{"Russian", 0x0419, "Морвален", "Студия Морвален"},
                                         LanguageCase{"English", 0x0409, "Morvalen", "Morvalen Studio"}),
                         [](const testing::TestParamInfo<LanguageCase>& info) { return info.param.name; });

TEST(ProductWebAddress, IsSchemeAndHostWithoutFinalSlash) {
    const std::string address = ProductWebAddress;
    ASSERT_EQ(address.rfind("https://", 0), 0u);
    const std::string host = address.substr(8);
    EXPECT_FALSE(host.empty());
    EXPECT_EQ(host.find('/'), std::string::npos);
}

TEST_F(InstallProductTest, ValuesOfAnEarlierInstallationThatTheListDoesNotNameStay) {
    fake.registry.SetString(RootKey::LocalMachine, Entry, "Comments", "left by 1400");
    fake.registry.SetString(RootKey::LocalMachine, Entry, "DisplayVersion", "1400");
    StartSetup();
    ListTheCarriedFiles();
    ASSERT_TRUE(InstallProduct(false));
    const RegistryValue* comments = UninstallEntry()->Find("Comments");
    ASSERT_NE(comments, nullptr);
    EXPECT_EQ(comments->text, "left by 1400");
    EXPECT_EQ(UninstallEntry()->Find("DisplayVersion")->text, "1500");
    EXPECT_EQ(UninstallEntry()->values.size(), 16u);
}

TEST_F(InstallProductTest, EstimatedSizeCountsWholeKilobytesOfTheTargetWithItsSubfolders) {
    // 2560 bytes installed + 1023 in a subfolder = 3583 bytes: 3 KB, the remainder dropped.
    fake.files.AddFile(Target + "Data\\notes.txt", std::string(1023, 'n'));
    StartSetup();
    ListTheCarriedFiles();
    ASSERT_TRUE(InstallProduct(false));
    const RegistryValue* size = UninstallEntry()->Find("EstimatedSize");
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->type, ValueType::Dword);
    EXPECT_EQ(size->number, 3);
}

TEST_F(InstallProductTest, NoEstimatedSizeWhenTheTargetFolderDoesNotExist) {
    StartSetup();
    // The wizard's folder under a parent that is not there: one level is not enough to make it.
    CommonSettings.TargetFolder = "C:\\Missing\\Morvalen\\";
    ListTheCarriedFiles();
    EXPECT_TRUE(InstallProduct(false));
    ASSERT_NE(UninstallEntry(), nullptr);
    EXPECT_EQ(UninstallEntry()->Find("EstimatedSize"), nullptr);
    EXPECT_EQ(UninstallEntry()->values.size(), 14u);
    // The installation run has told the user about the files; no rights message follows.
    ASSERT_FALSE(fake.desktop.boxes.empty());
    for (const auto& box : fake.desktop.boxes) EXPECT_EQ(box.text.find("Не удается установить файл"), 0u);
}

// ---- shortcuts

struct ExpectedLink {
    std::string file;
    std::string target;
};

struct ShortcutCase {
    const char* name;
    std::uint32_t lcid;
    bool desktop;
    std::string title;
    std::vector<ExpectedLink> links;
};

class ShortcutTableTest : public InstallProductTest, public testing::WithParamInterface<ShortcutCase> {};

TEST_P(ShortcutTableTest, MakesTheShortcutsOfTheInterfaceLanguage) {
    const ShortcutCase& c = GetParam();
    StartSetup(c.lcid);
    ListTheCarriedFiles();
    ASSERT_TRUE(InstallProduct(c.desktop));
    ASSERT_EQ(fake.shell.links.size(), c.links.size());
    for (const ExpectedLink& expected : c.links) {
        auto found = fake.shell.links.find(expected.file);
        ASSERT_NE(found, fake.shell.links.end()) << expected.file;
        const platform::ShellLink& link = found->second;
        EXPECT_EQ(link.path, expected.target);
        EXPECT_EQ(link.workingDirectory, Target);
        EXPECT_EQ(link.description, c.title);
        EXPECT_EQ(link.arguments, "");
        EXPECT_EQ(link.showCommand, 5);
        EXPECT_EQ(link.iconPath, expected.target);
        EXPECT_EQ(link.iconIndex, 0);
    }
}

const std::string Product = "C:\\Program Files\\Morvalen\\Morvalen.exe";
const std::string Uninstaller = "C:\\Program Files\\Morvalen\\Uninstall.exe";  // capital U, as the shortcut names it
const std::string RussianMenu = "C:\\ProgramData\\Programs\\Морвален\\";
const std::string EnglishMenu = "C:\\ProgramData\\Programs\\Morvalen\\";

INSTANTIATE_TEST_SUITE_P(
    Languages, ShortcutTableTest,
    testing::Values(
        ShortcutCase{"RussianWithDesktop", 0x0419, true, "Морвален для Windows",
                     {{RussianMenu + "Морвален.lnk", Product},
                      {"C:\\users\\Public\\Desktop\\Морвален.lnk", Product},
                      {RussianMenu + "Удаление программы.lnk", Uninstaller}}},
        ShortcutCase{"EnglishWithDesktop", 0x0409, true, "Morvalen for Windows",
                     {{EnglishMenu + "Morvalen.lnk", Product},
                      {"C:\\users\\Public\\Desktop\\Morvalen.lnk", Product},
                      {EnglishMenu + "Uninstall the program.lnk", Uninstaller}}},
        ShortcutCase{"RussianWithoutDesktop", 0x0419, false, "Морвален для Windows",
                     {{RussianMenu + "Морвален.lnk", Product}, {RussianMenu + "Удаление программы.lnk", Uninstaller}}}),
    [](const testing::TestParamInfo<ShortcutCase>& info) { return info.param.name; });

TEST_F(InstallProductTest, WebSiteShortcutIsTwoCrLfLinesInTheMenuFolder) {
    for (auto [lcid, file] : std::vector<std::pair<std::uint32_t, std::string>>{
             {0x0419, RussianMenu + "Интернет-сайт программы.url"}, {0x0409, EnglishMenu + "Program's website.url"}}) {
        StartSetup(lcid);
        ListTheCarriedFiles();
        ASSERT_TRUE(InstallProduct(false));
        const std::string* content = fake.files.FileContent(file);
        ASSERT_NE(content, nullptr) << file;
        EXPECT_EQ(*content, "[InternetShortcut]\r\nURL=" + std::string(ProductWebAddress) + "\r\n");
    }
}

TEST_F(InstallProductTest, WithoutTheDesktopChoiceAnExistingDesktopShortcutIsLeftAlone) {
    fake.files.AddFile(Desktop + "Морвален.lnk", "made by the user");
    StartSetup();
    ListTheCarriedFiles();
    ASSERT_TRUE(InstallProduct(false));
    EXPECT_EQ(fake.shell.links.count(Desktop + "Морвален.lnk"), 0u);
    ASSERT_NE(fake.files.FileContent(Desktop + "Морвален.lnk"), nullptr);
    EXPECT_EQ(*fake.files.FileContent(Desktop + "Морвален.lnk"), "made by the user");
}

TEST(CreateShellLink, SetsEveryFieldAndReportsTheSave) {
    platform::fake::FakePlatform fake;
    EXPECT_TRUE(CreateShellLink("C:\\Apps\\Tool\\tool.exe", "C:\\Menu\\Tool.lnk", "-quiet", "A tool", 3));
    ASSERT_EQ(fake.shell.links.count("C:\\Menu\\Tool.lnk"), 1u);
    const platform::ShellLink& link = fake.shell.links["C:\\Menu\\Tool.lnk"];
    EXPECT_EQ(link.path, "C:\\Apps\\Tool\\tool.exe");
    EXPECT_EQ(link.workingDirectory, "C:\\Apps\\Tool\\");
    EXPECT_EQ(link.description, "A tool");
    EXPECT_EQ(link.arguments, "-quiet");
    EXPECT_EQ(link.showCommand, 5);
    EXPECT_EQ(link.iconPath, "C:\\Apps\\Tool\\tool.exe");
    EXPECT_EQ(link.iconIndex, 3);
    fake.shell.failLinkSaves = true;
    EXPECT_FALSE(CreateShellLink("C:\\Apps\\Tool\\tool.exe", "C:\\Menu\\Other.lnk", "", "A tool", 0));
    EXPECT_TRUE(fake.desktop.boxes.empty());
}

// ---- the order of the steps

TEST_F(InstallProductTest, StepsRunInTheirOrder) {
    // A previous installation in the 32-bit view only, and the three menu folders of earlier runs.
    fake.registry.SetString(RootKey::LocalMachine, WowEntry, "UninstallString", Target + "uninstall.exe");
    fake.files.AddDirectory(UserPrograms + "Morvalen");
    fake.files.AddDirectory(UserPrograms + "Морвален");
    fake.files.AddFile(RussianMenu + "old.lnk", "old");
    StartSetup();
    ListTheCarriedFiles();
    fake.log.Clear();
    ASSERT_TRUE(InstallProduct(true));

    const std::vector<std::string> kinds{"Registry.", "SHFileOperationA", "CreateDirectory", "WriteFile",
                                         "SaveShellLink"};
    std::vector<std::string> steps;
    for (const std::string& call : fake.log.Calls())
        if (std::any_of(kinds.begin(), kinds.end(), [&](const std::string& k) { return call.rfind(k, 0) == 0; }))
            steps.push_back(call);
    const std::string web = std::string(ProductWebAddress);
    const std::string webSiteFile = "[InternetShortcut]\r\nURL=" + web + "\r\n";
    const std::vector<std::string> expected{
        "Registry.SetRootKey(HKLM)",
        "Registry.OpenKey(" + Entry + ",create)",
        "Registry.WriteString(DisplayName,Морвален)",
        "Registry.WriteString(UninstallString," + Target + "uninstall.exe)",
        "Registry.WriteString(DisplayIcon," + Target + "Morvalen.exe)",
        "Registry.WriteString(DisplayVersion,1500)",
        "Registry.WriteInteger(VersionMajor,1500)",
        "Registry.WriteInteger(VersionMinor,0)",
        "Registry.WriteString(InstallLocation,C:\\Program Files\\Morvalen)",
        "Registry.WriteString(InstallDate,20261211)",
        "Registry.WriteString(Publisher,Студия Морвален)",
        "Registry.WriteString(URLInfoAbout," + web + ")",
        "Registry.WriteString(HelpLink," + web + "/Morvalen.htm)",
        "Registry.WriteString(URLUpdateInfo," + web + "/Morvalen.htm)",
        "Registry.WriteInteger(NoModify,1)",
        "Registry.WriteInteger(NoRepair,1)",
        "SHFileOperationA(FO_DELETE," + UserPrograms + "Morvalen,0x14)",
        "SHFileOperationA(FO_DELETE," + UserPrograms + "Морвален,0x14)",
        "SHFileOperationA(FO_DELETE," + RussianMenu.substr(0, RussianMenu.size() - 1) + ",0x14)",
        "CreateDirectory(" + RussianMenu + ")",
        "CreateDirectory(" + Target + ")",
        "WriteFile(" + Target + "Morvalen.exe,1536)",
        "WriteFile(" + Target + "uninstall.exe,512)",
        "WriteFile(" + Target + "riched32.dll,512)",
        "SaveShellLink(" + RussianMenu + "Морвален.lnk)",
        "SaveShellLink(" + Desktop + "Морвален.lnk)",
        "SaveShellLink(" + RussianMenu + "Удаление программы.lnk)",
        "Registry.WriteInteger(EstimatedSize,2)",
        "Registry.CloseKey()",
        "Registry.DeleteKey(" + WowEntry + ")",
        "WriteFile(" + RussianMenu + "Интернет-сайт программы.url," + std::to_string(webSiteFile.size()) + ")",
    };
    EXPECT_EQ(steps, expected);
    // The old menu folder went with what it held; the entry now lives only in this view.
    EXPECT_EQ(fake.files.FileContent(RussianMenu + "old.lnk"), nullptr);
    EXPECT_FALSE(fake.registry.KeyExists(RootKey::LocalMachine, WowEntry));
    EXPECT_TRUE(fake.registry.KeyExists(RootKey::LocalMachine, Entry));
}

TEST_F(InstallProductTest, WithoutAPreviousEntryInThe32BitViewNothingIsDeleted) {
    StartSetup();
    ListTheCarriedFiles();
    ASSERT_TRUE(InstallProduct(false));
    EXPECT_TRUE(CallsStarting("Registry.DeleteKey").empty());
}

// ---- a relative menu folder (neither "Common Programs" nor "Programs" is known)

TEST_F(InstallProductTest, RelativeMenuFolderIsNeitherRemovedNorCreatedNorFilled) {
    // Folders of those names under the current directory belong to someone else.
    fake.files.AddFile("Морвален\\keep.txt", "keep");
    fake.files.AddDirectory("Morvalen");
    StartSetup(0x0419, Machine{false, false, true});
    ASSERT_EQ(CommonSettings.MenuFolder, "Морвален\\");
    ListTheCarriedFiles();
    ASSERT_TRUE(InstallProduct(true));
    EXPECT_TRUE(CallsStarting("SHFileOperationA").empty());
    EXPECT_EQ(CallsStarting("CreateDirectory"), std::vector<std::string>{"CreateDirectory(" + Target + ")"});
    ASSERT_NE(fake.files.FileContent("Морвален\\keep.txt"), nullptr);
    EXPECT_TRUE(fake.files.DirectoryExists("Morvalen"));
    // Only the desktop shortcut, which has a real folder; no web-site shortcut anywhere.
    ASSERT_EQ(fake.shell.links.size(), 1u);
    EXPECT_EQ(fake.shell.links.begin()->first, Desktop + "Морвален.lnk");
    for (const std::string& write : CallsStarting("WriteFile")) EXPECT_EQ(write.find(".url"), std::string::npos);
    EXPECT_NE(UninstallEntry()->Find("EstimatedSize"), nullptr);
}

TEST_F(InstallProductTest, WithoutThePerUserMenuOnlyTheAllUsersMenuFolderIsCleared) {
    fake.files.AddDirectory("Morvalen");
    fake.files.AddDirectory("Морвален");
    fake.files.AddDirectory(RussianMenu);
    StartSetup(0x0419, Machine{true, false, true});
    ASSERT_EQ(CommonSettings.UserMenuFolderEnglish, "Morvalen\\");
    ListTheCarriedFiles();
    ASSERT_TRUE(InstallProduct(false));
    EXPECT_EQ(CallsStarting("SHFileOperationA"),
              std::vector<std::string>{"SHFileOperationA(FO_DELETE," + InstallMachineTest::WithoutBackslash(RussianMenu) +
                                       ",0x14)"});
    EXPECT_TRUE(fake.files.DirectoryExists("Morvalen"));
    EXPECT_TRUE(fake.files.DirectoryExists("Морвален"));
    EXPECT_EQ(fake.shell.links.size(), 2u);
}

TEST_F(InstallProductTest, RelativeDesktopFolderGetsNoShortcut) {
    StartSetup();
    CommonSettings.CommonDesktopFolder = "";
    ListTheCarriedFiles();
    ASSERT_TRUE(InstallProduct(true));
    EXPECT_EQ(fake.shell.links.count("Морвален.lnk"), 0u);
    EXPECT_EQ(fake.shell.links.size(), 2u);
}

// ---- failures that are not reported

TEST_F(InstallProductTest, ShortcutsAndWebSiteFileThatCannotBeWrittenAreNotReported) {
    StartSetup();
    ListTheCarriedFiles();
    fake.shell.failLinkSaves = true;
    fake.files.unwritablePaths.insert(RussianMenu + "Интернет-сайт программы.url");
    EXPECT_TRUE(InstallProduct(true));
    EXPECT_TRUE(fake.desktop.boxes.empty());
    EXPECT_EQ(CallsStarting("SaveShellLink").size(), 3u);
    EXPECT_NE(UninstallEntry()->Find("EstimatedSize"), nullptr);
}

TEST_F(InstallProductTest, MissingMenuRootIsNotReported) {
    StartSetup();
    fake.files.RemoveTree(CommonPrograms);  // the menu folder cannot be made
    ListTheCarriedFiles();
    EXPECT_TRUE(InstallProduct(true));
    EXPECT_TRUE(fake.desktop.boxes.empty());
    EXPECT_EQ(fake.files.FileContent(RussianMenu + "Интернет-сайт программы.url"), nullptr);
}

TEST_F(InstallProductTest, AnEmptyListEndsAfterTheFoldersWithoutMessage) {
    StartSetup();
    InstallFileList.clear();
    EXPECT_FALSE(InstallProduct(true));
    EXPECT_TRUE(fake.desktop.boxes.empty());
    EXPECT_TRUE(fake.shell.links.empty());
    EXPECT_EQ(UninstallEntry()->values.size(), 14u);
    EXPECT_TRUE(fake.files.DirectoryExists(RussianMenu));
    EXPECT_EQ(fake.files.FileContent(RussianMenu + "Интернет-сайт программы.url"), nullptr);
}

// ---- failures that end with the rights message

struct RightsCase {
    const char* name;
    std::uint32_t lcid;
    bool administrator;
    std::function<void(platform::fake::FakePlatform&)> arrange;
    std::size_t valuesLeft;  // in the uninstall entry afterwards; SIZE_MAX: no entry
    bool filesInstalled;
};

class RightsFailureTest : public InstallProductTest, public testing::WithParamInterface<RightsCase> {};

TEST_P(RightsFailureTest, ShowsTheRightsMessageAndReturnsFalse) {
    const RightsCase& c = GetParam();
    StartSetup(c.lcid, Machine{true, true, c.administrator});
    ListTheCarriedFiles();
    c.arrange(fake);
    fake.log.Clear();
    EXPECT_FALSE(InstallProduct(true));
    ExpectRightsMessage(c.lcid == 0x0419);
    const auto* entry = UninstallEntry();
    if (c.valuesLeft == SIZE_MAX) {
        EXPECT_EQ(entry, nullptr);
    } else {
        EXPECT_EQ(entry ? entry->values.size() : 0u, c.valuesLeft);
    }
    EXPECT_EQ(fake.files.FileExists(Target + "Morvalen.exe"), c.filesInstalled);
    // No web-site shortcut after a failure, and the entry key is closed whatever failed.
    EXPECT_EQ(fake.files.FileContent(RussianMenu + "Интернет-сайт программы.url"), nullptr);
    // A write with no key open is refused: nothing is left open in the setup's registry object.
    fake.registry.failWrites = false;
    EXPECT_THROW(CommonSettings.SetupRegistry->WriteString("Probe", "x"), platform::RegistryError);
}

void Nothing(platform::fake::FakePlatform&) {}

INSTANTIATE_TEST_SUITE_P(
    Failures, RightsFailureTest,
    testing::Values(
        RightsCase{"NotAdministrator", 0x0419, false, Nothing, SIZE_MAX, false},
        RightsCase{"NotAdministratorEnglish", 0x0409, false, Nothing, SIZE_MAX, false},
        RightsCase{"EntryKeyCannotBeOpened", 0x0419, true,
                   [](platform::fake::FakePlatform& f) {
                       f.registry.unopenableKeys.insert("HKLM\\" + InstallMachineTest::CurrentVersion + "\\Uninstall\\Morvalen");
                   },
                   SIZE_MAX, false},
        RightsCase{"ValuesCannotBeWritten", 0x0409, true,
                   [](platform::fake::FakePlatform& f) { f.registry.failWrites = true; }, 0, false},
        // The registry refuses writes once the files are being installed: the size is the first casualty.
        RightsCase{"EstimatedSizeCannotBeWritten", 0x0419, true,
                   [](platform::fake::FakePlatform& f) {
                       f.system.onSleep = [&f](std::size_t) { f.registry.failWrites = true; };
                   },
                   14, true},
        RightsCase{"ErrorEscapesTheInstallationRun", 0x0419, true,
                   [](platform::fake::FakePlatform& f) {
                       f.system.onSleep = [](std::size_t) { throw std::runtime_error("lost"); };
                   },
                   14, true}),
    [](const testing::TestParamInfo<RightsCase>& info) { return info.param.name; });

TEST_F(InstallProductTest, NonAdministratorChangesNothing) {
    StartSetup(0x0419, Machine{true, true, false});
    fake.files.AddDirectory(RussianMenu);
    ListTheCarriedFiles();
    fake.log.Clear();
    EXPECT_FALSE(InstallProduct(true));
    EXPECT_TRUE(CallsStarting("Registry.").empty());
    EXPECT_TRUE(CallsStarting("SHFileOperationA").empty());
    EXPECT_TRUE(CallsStarting("CreateDirectory").empty());
    EXPECT_TRUE(fake.files.DirectoryExists(RussianMenu));
}

TEST_F(InstallProductTest, AfterAFailureInTheRunTheFoldersAndValuesStayAndTheOldEntryIsKept) {
    fake.registry.SetString(RootKey::LocalMachine, WowEntry, "UninstallString", Target + "uninstall.exe");
    StartSetup();
    ListTheCarriedFiles();
    fake.system.onSleep = [](std::size_t) { throw std::runtime_error("lost"); };
    EXPECT_FALSE(InstallProduct(true));
    EXPECT_TRUE(fake.registry.KeyExists(RootKey::LocalMachine, WowEntry));
    EXPECT_TRUE(fake.shell.links.empty());
    EXPECT_TRUE(fake.files.DirectoryExists(RussianMenu));
}

}  // namespace
