#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "install/installation_run.h"
#include "platform/fake/progress_fake.h"
#include "platform/fake/resources_fake.h"
#include "progress/progress_window.h"
#include "tests/unit/test_support.h"

namespace {

using platform::fake::FakeProgressWindowSystem;

const std::string Folder = "C:\\Program Files\\Morvalen\\";
const std::string ProductBytes("MZ product\0image", 16);
const std::string UninstallerBytes("MZ uninstaller", 14);
const std::string LibraryBytes("MZ rich edit\0\1", 14);

class InstallRunTest : public PlatformTest {
protected:
    InstallRunTest() {
        ProgressWindow.Reset();
        resources.Add("MORVALEN", "EXE", ProductBytes);
        resources.Add("UNINSTALL", "EXE", UninstallerBytes);
        resources.Add("RICHED32", "DLL", LibraryBytes);
        Start(0x0419);
    }
    ~InstallRunTest() override {
        ProgressWindow.Reset();
        InstallFileList.clear();
    }

    // The list exactly as the completion step sets it, into an existing target folder.
    void Start(std::uint32_t lcid) {
        StartCommonModules(lcid);
        CommonSettings.TargetFolder = Folder;
        fake.files.AddDirectory(Folder);
        InstallFileList = "Morvalen.exe;uninstall.exe;riched32.dll;";
        fake.log.Clear();
    }
    const FakeProgressWindowSystem::Window& Window(platform::WindowHandle handle) { return windows.windows.at(handle); }
    std::size_t SleepsOf128() const { return std::count(fake.system.sleeps.begin(), fake.system.sleeps.end(), 128u); }

    platform::fake::FakeResources resources{fake.log};
    FakeProgressWindowSystem windows{fake.log};
    platform::ServiceScope<platform::Resources> resourcesScope{resources};
    platform::ServiceScope<platform::ProgressWindowSystem> windowsScope{windows};
};

std::vector<std::string> FileSteps(const std::string& file, const std::string& name, const std::string& type,
                                   const std::string& upper, std::size_t size, int k) {
    return {"SetWindowTextA(0x502," + Folder + file + ")",
            "FindResourceA(" + name + "," + type + ")",
            "WriteFile(" + Folder + file + "," + std::to_string(size) + ")",
            "FreeResource(" + upper + ")",
            "SendMessageA(0x503,PBM_SETPOS," + std::to_string(k) + ",0)",
            "Sleep(128)"};
}

struct CaptionCase {
    const char* name;
    std::uint32_t lcid;
    const char* caption;
};

class InstallRunSequenceTest : public InstallRunTest, public testing::WithParamInterface<CaptionCase> {};

TEST_P(InstallRunSequenceTest, WritesTheThreeFilesUnderTheProgressWindow) {
    Start(GetParam().lcid);
    EXPECT_TRUE(RunInstallation());

    std::vector<std::string> expected{
        std::string("StartProgressThread(") + GetParam().caption + ",)",
        "SendMessageA(0x503,PBM_SETPOS,0,0)",
        "SendMessageA(0x503,PBM_SETRANGE32,0,3)",
        "SendMessageA(0x503,PBM_GETRANGE,0,0)",
    };
    for (const auto& steps : {FileSteps("Morvalen.exe", "Morvalen", "exe", "MORVALEN,EXE", 16, 1),
                              FileSteps("uninstall.exe", "uninstall", "exe", "UNINSTALL,EXE", 14, 2),
                              FileSteps("riched32.dll", "riched32", "dll", "RICHED32,DLL", 14, 3)})
        expected.insert(expected.end(), steps.begin(), steps.end());
    expected.push_back("SetWindowPos(0x501,HWND_TOPMOST,756,502,408,76,0x80)");
    EXPECT_EQ(fake.log.Calls(), expected);

    EXPECT_EQ(*fake.files.FileContent(Folder + "Morvalen.exe"), ProductBytes);
    EXPECT_EQ(*fake.files.FileContent(Folder + "uninstall.exe"), UninstallerBytes);
    EXPECT_EQ(*fake.files.FileContent(Folder + "riched32.dll"), LibraryBytes);
    EXPECT_EQ(Window(FakeProgressWindowSystem::FrameHandle).text, GetParam().caption);
    EXPECT_FALSE(Window(FakeProgressWindowSystem::FrameHandle).visible);
    EXPECT_EQ(Window(FakeProgressWindowSystem::BarHandle).rangeHigh, 3);
    EXPECT_EQ(Window(FakeProgressWindowSystem::BarHandle).position, 3);
    EXPECT_TRUE(fake.desktop.boxes.empty());
    EXPECT_EQ(InstallFileList, "");
}

INSTANTIATE_TEST_SUITE_P(
    Languages, InstallRunSequenceTest,
    testing::Values(CaptionCase{"Russian", 0x0419, "Установка файлов Морвален 1500"},
                    CaptionCase{"English", 0x0409, "Morvalen 1500 files copying..."}),
    [](const testing::TestParamInfo<CaptionCase>& info) { return info.param.name; });

TEST_F(InstallRunTest, ListWithoutEntriesReturnsFalseAndShowsNoWindow) {
    for (const char* list : {"", "Morvalen.exe"}) {
        InstallFileList = list;
        EXPECT_FALSE(RunInstallation()) << list;
    }
    EXPECT_EQ(windows.threadsStarted, 0);
    EXPECT_TRUE(fake.log.Calls().empty());
}

struct LateFileCase {
    const char* name;
    int appearsAtCheck;   // 0: never
    std::size_t sleeps;   // for the uninstaller's entry
    bool runMessage;
};

class InstallRunLateFileTest : public InstallRunTest, public testing::WithParamInterface<LateFileCase> {};

// The uninstaller cannot be written; the file may turn up during the wait (another writer).
TEST_P(InstallRunLateFileTest, WaitsUpToSixtyFourChecksThenOneMoreSleepAndTheMessage) {
    const LateFileCase& c = GetParam();
    fake.files.unwritablePaths.insert(Folder + "uninstall.exe");
    std::size_t sleepsBeforeEntry = 0;
    fake.desktop.onBox = [&](const platform::fake::FakeDesktop::Box& box) {
        if (box.text.find(Folder + "uninstall.exe") != std::string::npos) sleepsBeforeEntry = fake.system.sleeps.size();
    };
    fake.system.onSleep = [&](std::size_t count) {
        if (c.appearsAtCheck && sleepsBeforeEntry && count == sleepsBeforeEntry + c.appearsAtCheck)
            fake.files.AddFile(Folder + "uninstall.exe", "appeared");
    };
    EXPECT_TRUE(RunInstallation());

    EXPECT_EQ(SleepsOf128(), 1 + c.sleeps + 1);
    EXPECT_EQ(fake.system.sleeps.size(), SleepsOf128());
    std::vector<std::string> texts;
    for (const auto& box : fake.desktop.boxes) texts.push_back(box.text);
    std::vector<std::string> expected{"Не удается установить файл " + Folder + "uninstall.exe"};
    if (c.runMessage) expected.push_back("Не удается установить файл uninstall.exe");
    EXPECT_EQ(texts, expected);
    // The run goes on to the next file.
    EXPECT_EQ(*fake.files.FileContent(Folder + "riched32.dll"), LibraryBytes);
    EXPECT_EQ(Window(FakeProgressWindowSystem::BarHandle).position, 3);
    EXPECT_FALSE(Window(FakeProgressWindowSystem::FrameHandle).visible);
}

INSTANTIATE_TEST_SUITE_P(Checks, InstallRunLateFileTest,
                         testing::Values(LateFileCase{"AtFirstCheck", 1, 1, false},
                                         LateFileCase{"AtCheck63", 63, 63, false},
                                         LateFileCase{"AtLastCheck", 64, 64, false},
                                         LateFileCase{"Never", 0, 65, true}),
                         [](const testing::TestParamInfo<LateFileCase>& info) { return info.param.name; });

TEST_F(InstallRunTest, MessageAfterTheWaitNamesTheFileByResourceNameAndTypeInEnglish) {
    Start(0x0409);
    fake.files.RemoveTree(Folder);
    EXPECT_TRUE(RunInstallation());
    std::vector<std::string> texts;
    for (const auto& box : fake.desktop.boxes) texts.push_back(box.text);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Can't install file " + Folder + "Morvalen.exe", "Can't install file Morvalen.exe",
                         "Can't install file " + Folder + "uninstall.exe", "Can't install file uninstall.exe",
                         "Can't install file " + Folder + "riched32.dll", "Can't install file riched32.dll"}));
    EXPECT_EQ(SleepsOf128(), 3u * 65u);
}

TEST_F(InstallRunTest, ExistingTargetThatCannotBeReplacedPassesTheWaitAtOnce) {
    fake.files.AddFile(Folder + "uninstall.exe", "old", 0x01);
    EXPECT_TRUE(RunInstallation());
    EXPECT_EQ(SleepsOf128(), 3u);
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].text, "Не удается установить файл " + Folder + "uninstall.exe");
    EXPECT_EQ(*fake.files.FileContent(Folder + "uninstall.exe"), "old");
}

TEST_F(InstallRunTest, MissingResourceIsReportedAsNotInstalled) {
    InstallFileList = "Morvalen.exe;readme.txt;";
    EXPECT_TRUE(RunInstallation());
    EXPECT_FALSE(fake.files.FileExists(Folder + "readme.txt"));
    std::vector<std::string> texts;
    for (const auto& box : fake.desktop.boxes) texts.push_back(box.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Не удается установить файл " + Folder + "readme.txt",
                                               "Не удается установить файл readme.txt"}));
    EXPECT_EQ(Window(FakeProgressWindowSystem::BarHandle).rangeHigh, 2);
}

TEST_F(InstallRunTest, FailureEscapingAStepStillHidesTheWindow) {
    fake.system.onSleep = [](std::size_t count) {
        if (count == 2) throw std::runtime_error("disk gone");
    };
    EXPECT_THROW(RunInstallation(), std::runtime_error);
    EXPECT_FALSE(Window(FakeProgressWindowSystem::FrameHandle).visible);
    EXPECT_EQ(fake.log.Calls().back(), "SetWindowPos(0x501,HWND_TOPMOST,756,502,408,76,0x80)");
}

TEST_F(InstallRunTest, ShownAgainOnASecondRunInTheSameWindow) {
    EXPECT_TRUE(RunInstallation());
    InstallFileList = "riched32.dll;";
    EXPECT_TRUE(RunInstallation());
    EXPECT_EQ(windows.threadsStarted, 1);
    EXPECT_EQ(Window(FakeProgressWindowSystem::BarHandle).rangeHigh, 1);
    EXPECT_EQ(Window(FakeProgressWindowSystem::TextLineHandle).text, Folder + "riched32.dll");
    EXPECT_FALSE(Window(FakeProgressWindowSystem::FrameHandle).visible);
}

}  // namespace
