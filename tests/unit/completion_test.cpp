#include <gtest/gtest.h>

#include "setup/completion.h"
#include "setup/wizard/setup_form_results.h"
#include "tests/unit/install_fixture.h"

namespace {

const std::string ReportFirstLine = "На Ваш компьютер установлена программа \"Морвален\" 1500 БЕЗ ЗВУКОВ.";
const std::string ReportDesktopLines =
    "\r\n\r\nНа \"Рабочий стол\" помещён ярлык программы,\r\nкоторый Вы можете без вреда удалить или переместить.";
constexpr platform::WindowHandle ProductWindow = 0x777;

class CompletionTest : public InstallMachineTest {
protected:
    CompletionTest() { SetFormResults(true, true, false); }
    ~CompletionTest() override { SetFormResults(false, true, true); }

    static void SetFormResults(bool confirmed, bool desktop, bool runAfter) {
        SettingsConfirmed = confirmed;
        CreateDesktopIcon = desktop;
        RunAfterInstall = runAfter;
    }

    // The sleeps of the setup after the report box was closed.
    std::vector<std::uint32_t> SleepsAfterReport() const {
        return {fake.system.sleeps.begin() + static_cast<std::ptrdiff_t>(sleepsBeforeReport), fake.system.sleeps.end()};
    }
    void NoteWhenTheReportIsShown() {
        fake.desktop.onBox = [this](const platform::fake::FakeDesktop::Box&) {
            sleepsBeforeReport = fake.system.sleeps.size();
            reportShown = true;
        };
    }

    std::size_t sleepsBeforeReport = 0;
    bool reportShown = false;
};

TEST_F(CompletionTest, WithoutConfirmedSettingsNothingHappens) {
    StartSetup();
    SettingsConfirmed = false;
    fake.log.Clear();
    CompleteSetup();
    EXPECT_TRUE(fake.log.Calls().empty());
    EXPECT_EQ(InstallFileList, "");
    EXPECT_EQ(UninstallEntry(), nullptr);
}

TEST_F(CompletionTest, ClosesTheOpenKeyAndListsTheThreeFiles) {
    StartSetup(0x0419, Machine{true, true, false});  // the installation stops at the rights check
    CommonSettings.SetupRegistry->OpenKey("Software", false);
    fake.log.Clear();
    CompleteSetup();
    ASSERT_FALSE(fake.log.Calls().empty());
    EXPECT_EQ(fake.log.Calls().front(), "Registry.CloseKey()");
    EXPECT_EQ(InstallFileList, "Morvalen.exe;uninstall.exe;riched32.dll;");
}

TEST_F(CompletionTest, AFailedInstallationIsNeitherReportedNorStarted) {
    StartSetup();
    RunAfterInstall = true;
    fake.registry.failWrites = true;
    CompleteSetup();
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);  // the rights message alone
    EXPECT_EQ(fake.desktop.boxes[0].flags, 0x200010u);
    EXPECT_TRUE(fake.log.Starting("ShellExecuteA").empty());
}

struct ReportCase {
    const char* name;
    std::uint32_t lcid;
    bool desktop;
    std::string text;
};

class ReportTest : public CompletionTest, public testing::WithParamInterface<ReportCase> {};

TEST_P(ReportTest, ReportIsRussianInBothInterfacesAndEndsTheSetupWithoutRunAfter) {
    const ReportCase& c = GetParam();
    StartSetup(c.lcid);
    CreateDesktopIcon = c.desktop;
    NoteWhenTheReportIsShown();
    CompleteSetup();
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    const auto& box = fake.desktop.boxes[0];
    EXPECT_EQ(box.function, "MessageBoxExA");
    EXPECT_EQ(box.owner, 0u);
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.caption, "Морвален");
    EXPECT_EQ(box.flags, 0x42040u);
    EXPECT_EQ(box.language, 0x0019);
    // Installed before the report; nothing started or waited for after it.
    EXPECT_TRUE(fake.files.FileExists(Target + "Morvalen.exe"));
    EXPECT_EQ(fake.shell.links.count(Desktop + CommonSettings.DisplayName() + ".lnk"), c.desktop ? 1u : 0u);
    EXPECT_TRUE(fake.log.Starting("ShellExecuteA").empty());
    EXPECT_TRUE(SleepsAfterReport().empty());
}

INSTANTIATE_TEST_SUITE_P(Reports, ReportTest,
                         testing::Values(ReportCase{"RussianWithDesktop", 0x0419, true, ReportFirstLine + ReportDesktopLines},
                                         ReportCase{"RussianWithoutDesktop", 0x0419, false, ReportFirstLine},
                                         ReportCase{"EnglishWithDesktop", 0x0409, true, ReportFirstLine + ReportDesktopLines},
                                         ReportCase{"EnglishWithoutDesktop", 0x0409, false, ReportFirstLine}),
                         [](const testing::TestParamInfo<ReportCase>& info) { return info.param.name; });

TEST_F(CompletionTest, LaunchStartsTheProductFromTheTargetFolder) {
    StartSetup();
    fake.files.AddDirectory(Target);
    fake.log.Clear();
    LaunchProduct();
    const std::vector<std::string> expected{
        "SetCurrentDirectory(" + Target + ")",
        "ShellExecuteA(0x0,open," + Target + "Morvalen.exe,,,1)",
    };
    EXPECT_EQ(fake.log.Calls(), expected);
    EXPECT_EQ(fake.files.currentDirectory, Target);
}

TEST_F(CompletionTest, LaunchGoesOnWhenTheFolderCannotBeEntered) {
    StartSetup();
    CommonSettings.TargetFolder = "C:\\Gone\\Morvalen\\";
    LaunchProduct();
    EXPECT_EQ(fake.log.Starting("ShellExecuteA"),
              std::vector<std::string>{"ShellExecuteA(0x0,open,C:\\Gone\\Morvalen\\Morvalen.exe,,,1)"});
}

// ---- the waits after the launch

constexpr int Never = -1;
constexpr int HeldFromTheStart = 0;  // a copy was running when the setup started: the setup holds the marker

struct WaitCase {
    const char* name;
    int markerFromPoll;  // the poll of 512 ms in which the started product holds its marker
    int windowFromPoll;  // the poll of 1024 ms in which its main window exists
    std::size_t markerPolls;
    std::size_t windowPolls;
    bool broughtToFront;
};

class LaunchWaitTest : public CompletionTest, public testing::WithParamInterface<WaitCase> {};

TEST_P(LaunchWaitTest, WaitsForTheMarkerThenForTheWindow) {
    const WaitCase& c = GetParam();
    StartSetup();
    RunAfterInstall = true;
    NoteWhenTheReportIsShown();
    if (c.markerFromPoll == HeldFromTheStart) fake.system.heldMappings.insert("morvalen_memfile");
    int markerPoll = 0;
    int windowPoll = 0;
    fake.system.onSleep = [&](std::size_t) {
        if (!reportShown) return;
        const std::uint32_t slept = fake.system.sleeps.back();
        if (slept == 512 && ++markerPoll == c.markerFromPoll) fake.system.heldMappings.insert("morvalen_memfile");
        if (slept == 1024 && ++windowPoll == c.windowFromPoll) fake.desktop.windows["TMVMainForm"] = ProductWindow;
    };
    CompleteSetup();

    std::vector<std::uint32_t> expected(c.markerPolls, 512);
    expected.insert(expected.end(), c.windowPolls, 1024);
    EXPECT_EQ(SleepsAfterReport(), expected);
    EXPECT_EQ(fake.log.Starting("FindWindowA(TMVMainForm)").size(), c.windowPolls);
    std::vector<std::string> front;
    if (c.broughtToFront) front = {"ShowWindow(0x777,1)", "SetForegroundWindow(0x777)"};
    std::vector<std::string> shown = fake.log.Starting("ShowWindow");
    for (const std::string& call : fake.log.Starting("SetForegroundWindow")) shown.push_back(call);
    EXPECT_EQ(shown, front);
    if (c.broughtToFront) {
        EXPECT_EQ(fake.log.Calls().back(), "SetForegroundWindow(0x777)");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Polls, LaunchWaitTest,
    testing::Values(WaitCase{"MarkerHeldFromTheStart", HeldFromTheStart, 1, 1, 1, true},
                    WaitCase{"MarkerInFirstPoll", 1, 3, 1, 3, true},
                    WaitCase{"MarkerInEighthPoll", 8, 2, 8, 2, true},
                    WaitCase{"WindowInEleventhPoll", 2, 11, 2, 11, true},
                    WaitCase{"MarkerNever", Never, 1, 8, 0, false},
                    WaitCase{"WindowNever", 1, Never, 1, 11, false},
                    // 8 x 512 + 11 x 1024 = 15 360 ms: the longest the setup lingers.
                    WaitCase{"LongestWait", 8, Never, 8, 11, false}),
    [](const testing::TestParamInfo<WaitCase>& info) { return info.param.name; });

TEST_F(CompletionTest, TheProductIsStartedAfterTheReportBoxIsClosed) {
    StartSetup();
    RunAfterInstall = true;
    fake.system.heldMappings.insert("morvalen_memfile");
    fake.desktop.windows["TMVMainForm"] = ProductWindow;
    CompleteSetup();
    std::vector<std::string> order;
    for (const std::string& call : fake.log.Calls())
        if (call.rfind("MessageBoxExA", 0) == 0 || call.rfind("SetCurrentDirectory", 0) == 0 ||
            call.rfind("ShellExecuteA", 0) == 0)
            order.push_back(call.substr(0, call.find('(')));
    EXPECT_EQ(order, (std::vector<std::string>{"MessageBoxExA", "SetCurrentDirectory", "ShellExecuteA"}));
}

}  // namespace
