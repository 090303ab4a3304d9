#include <gtest/gtest.h>

#include "common/product_marker.h"
#include "setup/setup_program.h"
#include "setup/startup_checks.h"
#include "tests/unit/test_support.h"

namespace {

const std::string CurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
const std::string ShellFolders = CurrentVersion + "\\Explorer\\Shell Folders";
constexpr platform::WindowHandle ProductWindow = 0xBEEF;

const std::string RussianPrompt =
    "The Morvalen is a Russian-language program.\r\nCan you read the following line?\r\n"
    "\xDD\xF2\xEE \xF0\xF3\xF1\xF1\xEA\xEE\xFF\xE7\xFB\xF7\xED\xE0\xFF \xEF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xE0. "
    "\xC6\xE5\xEB\xE0\xE5\xF2\xE5 \xEF\xF0\xEE\xE4\xEE\xEB\xE6\xE8\xF2\xFC \xF3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xF3?\r\n"
    "To ensure correct representation of Russian messages you may set Russian language for non-Unicode programs "
    "in Regional Options of the Control Panel.\r\nWould you like to continue installation of the program?";

class StartupTest : public PlatformTest {
protected:
    void Start(std::uint32_t lcid) {
        fake.system.lcid = lcid;
        CommonInitialization();
        fake.registry.SetString(RootKey::LocalMachine, CurrentVersion, "ProgramFilesDir", "C:\\Program Files");
    }
    void ProductRunning(bool withWindow = true) {
        fake.system.heldMappings.insert("morvalen_memfile");
        if (withWindow) fake.desktop.windows["TMVMainForm"] = ProductWindow;
    }
};

TEST_F(StartupTest, WritesTheProductIdentity) {
    Start(0x0419);
    ASSERT_TRUE(RunStartupChecks());
    EXPECT_EQ(CommonSettings.ShortName, "Morvalen");
    EXPECT_EQ(CommonSettings.RussianDisplayName, "Морвален");
    EXPECT_EQ(CommonSettings.RussianTitle, "Морвален для Windows");
    EXPECT_EQ(CommonSettings.EnglishTitle, "Morvalen for Windows");
    EXPECT_EQ(CommonSettings.VersionText, "1500");
    EXPECT_EQ(CommonSettings.VersionMajor, 1500);
    EXPECT_EQ(CommonSettings.VersionMinor, 0);
    EXPECT_EQ(CommonSettings.MainWindowClass, "TMVMainForm");
    EXPECT_EQ(CommonSettings.MarkerName, "morvalen_memfile");
    EXPECT_EQ(CommonSettings.FolderWordClause,
              "Строка пути к папке с установленной программой обязательно должна содержать в себе слово "
              "\"Morvalen\"");
}

TEST_F(StartupTest, RussianInterfaceIsNotAskedAndTheMarkerIsReleased) {
    Start(0x0419);
    EXPECT_TRUE(RunStartupChecks());
    EXPECT_TRUE(fake.desktop.boxes.empty());
    EXPECT_TRUE(fake.system.sleeps.empty());
    EXPECT_EQ(fake.log.Starting("CreateFileMapping"), std::vector<std::string>{"CreateFileMapping(morvalen_memfile,64)"});
    EXPECT_EQ(fake.log.Starting("CloseHandle").size(), 1u);
    EXPECT_EQ(fake.system.heldMappings.count("morvalen_memfile"), 0u);
}

struct PromptCase {
    const char* name;
    std::uint32_t lcid;
    int answer;
    bool expected;
};

class PromptTest : public StartupTest, public testing::WithParamInterface<PromptCase> {};

TEST_P(PromptTest, OtherLocalesAreAskedWhetherTheyReadRussian) {
    const PromptCase& c = GetParam();
    Start(c.lcid);
    fake.desktop.answers.push_back(c.answer);
    EXPECT_EQ(RunStartupChecks(), c.expected);
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    const auto& box = fake.desktop.boxes[0];
    EXPECT_EQ(box.function, "MessageBoxExA");
    EXPECT_EQ(box.owner, 0u);
    EXPECT_EQ(box.flags, 0x2024u);
    EXPECT_EQ(box.language, 0x0019);
    EXPECT_EQ(box.caption, "Russian is not basic language on your computer!");
    EXPECT_EQ(box.text, RussianPrompt);
}

INSTANTIATE_TEST_SUITE_P(Locales, PromptTest,
                         testing::Values(PromptCase{"EnglishYes", 0x0409, platform::IdYes, true},
                                         PromptCase{"EnglishNo", 0x0409, platform::IdNo, false},
                                         PromptCase{"SerbianCyrillicNo", 0x0C1A, platform::IdNo, false}),
                         [](const testing::TestParamInfo<PromptCase>& info) { return info.param.name; });

TEST_F(StartupTest, NonAdministratorGetsOnlyTheRightsErrorAndARunningProductIsLeftAlone) {
    for (std::uint32_t lcid : {0x0419u, 0x0409u}) {
        fake.desktop.boxes.clear();
        fake.log.Clear();
        Start(lcid);
        fake.system.isAdmin = false;
        ProductRunning();
        EXPECT_FALSE(RunStartupChecks());
        ASSERT_EQ(fake.desktop.boxes.size(), 1u);
        const auto& box = fake.desktop.boxes[0];
        EXPECT_EQ(box.flags, 0x200010u);
        EXPECT_EQ(box.text, lcid == 0x0419 ? "У Вас нет права устанавливать программы!"
                                          : "You have no right to install applications!");
        EXPECT_TRUE(fake.log.Starting("CreateFileMapping").empty());
        EXPECT_TRUE(fake.log.Starting("PostMessageA").empty());
    }
}

TEST_F(StartupTest, RunningProductIsAskedToQuitThenTheSetupPausesAndGoesOn) {
    Start(0x0419);
    ProductRunning();
    EXPECT_TRUE(RunStartupChecks());
    const std::vector<std::string> expected{"CreateFileMapping(morvalen_memfile,64)", "FindWindowA(TMVMainForm)",
                                            "PostMessageA(0xBEEF,0x12,0,0)", "Sleep(512)"};
    std::vector<std::string> relevant;
    for (const std::string& call : fake.log.Calls())
        if (call.rfind("Registry.", 0) != 0 && call.rfind("CreateRegistry", 0) != 0) relevant.push_back(call);
    EXPECT_EQ(relevant, expected);  // the held marker's handle is kept, not closed
}

TEST_F(StartupTest, MarkerWithoutWindowPostsNothingButStillPauses) {
    Start(0x0419);
    ProductRunning(false);
    EXPECT_TRUE(RunStartupChecks());
    EXPECT_TRUE(fake.log.Starting("PostMessageA").empty());
    EXPECT_EQ(fake.system.sleeps, std::vector<std::uint32_t>{512});
}

TEST_F(StartupTest, AfterAHeldMarkerALaterProbeStillSeesIt) {
    Start(0x0419);
    ProductRunning();
    ASSERT_TRUE(RunStartupChecks());
    fake.desktop.windows.clear();  // the product has quit; the setup's own handle keeps the name alive
    EXPECT_FALSE(ProbeProductMarker());
}

TEST_F(StartupTest, ContextFailureSkipsTheRightsCheckAndThePrompt) {
    Start(0x0409);
    fake.system.isAdmin = false;
    fake.registry.SetBinary(RootKey::CurrentUser, ShellFolders, "Programs");
    EXPECT_FALSE(RunStartupChecks());
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].text, "No access to system registry");
    EXPECT_EQ(fake.desktop.boxes[0].caption, "Morvalen");
}

TEST_F(StartupTest, MachineWideValueOfTheWrongTypeIsReportedAndTheProgramEnds) {
    Start(0x0419);
    fake.registry.SetDword(RootKey::LocalMachine, CurrentVersion, "ProgramFilesDir", 1);
    EXPECT_EQ(RunSetupProgram(), 0);
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].text, "Нет доступа к системному реестру");
    EXPECT_EQ(fake.desktop.boxes[0].flags, 0x200010u);
    EXPECT_TRUE(fake.log.Starting("Registry.Write").empty());
}

}  // namespace
