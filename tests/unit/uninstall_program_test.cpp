#include <gtest/gtest.h>

#include "tests/unit/uninstall_fixture.h"
#include "uninstaller/uninstaller_program.h"

namespace {

class UninstallProgramTest : public UninstallTest {
protected:
    // The uninstaller's start as main runs it: the common initialisation, then the program.
    int RunProgram(std::uint32_t lcid) {
        fake.system.lcid = lcid;
        CommonInitialization();
        return RunUninstallerProgram();
    }
};

TEST_F(UninstallProgramTest, RunningProductIsAskedToQuitAndTheMarkerIsKept) {
    LayOutSystem();
    LayOutInstallation();
    fake.system.heldMappings.insert("morvalen_memfile");
    fake.desktop.windows["TMVMainForm"] = 0x4242;
    fake.desktop.answers = {platform::IdNo};
    EXPECT_EQ(RunProgram(0x0419), 0);
    EXPECT_EQ(CallsStarting({"CreateFileMapping", "CloseHandle", "FindWindowA", "PostMessageA", "Sleep"}),
              (std::vector<std::string>{"CreateFileMapping(morvalen_memfile,64)", "FindWindowA(TMVMainForm)",
                                        "PostMessageA(0x4242,0x12,0,0)"}));
    // It goes on at once to the confirmation.
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].caption, "Подумайте лучше");
}

TEST_F(UninstallProgramTest, MarkerMadeByTheUninstallerIsHeldUntilItEnds) {
    LayOutSystem();
    LayOutInstallation();
    fake.desktop.answers = {platform::IdNo};
    EXPECT_EQ(RunProgram(0x0409), 0);
    EXPECT_TRUE(fake.log.Starting("CloseHandle").empty());
    EXPECT_TRUE(fake.log.Starting("FindWindowA").empty());
    EXPECT_EQ(fake.system.heldMappings.count("morvalen_memfile"), 1u);
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].caption, "Think it over");
    EXPECT_NE(fake.desktop.boxes[0].text.find("and everything in C:\\Program Files\\Morvalen\\ are going"),
              std::string::npos);
}

TEST_F(UninstallProgramTest, UserWithoutRightsStillMakesTheProductQuit) {
    LayOutSystem();
    LayOutInstallation();
    fake.registry.unopenableKeys.insert("HKLM\\" + CurrentVersion);
    fake.system.heldMappings.insert("morvalen_memfile");
    fake.desktop.windows["TMVMainForm"] = 0x77;
    EXPECT_EQ(RunProgram(0x0419), 0);
    EXPECT_EQ(fake.log.Starting("PostMessageA"), std::vector<std::string>{"PostMessageA(0x77,0x12,0,0)"});
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].text, "У Вас нет права удалять программы!");
    EXPECT_EQ(fake.desktop.boxes[0].caption, "Морвален");
}

TEST_F(UninstallProgramTest, RegistryFailureEndsTheProgramAfterTheNoAccessBox) {
    LayOutSystem();
    LayOutInstallation();
    fake.registry.SetBinary(RootKey::CurrentUser, ShellFolders, "Desktop");
    EXPECT_EQ(RunProgram(0x0409), 0);
    ASSERT_EQ(fake.desktop.boxes.size(), 1u);
    EXPECT_EQ(fake.desktop.boxes[0].text, "No access to system registry");
    EXPECT_TRUE(fake.registry.KeyExists(RootKey::LocalMachine, Entry));
}

TEST_F(UninstallProgramTest, WholeRunWritesAndStartsTheScript) {
    LayOutSystem();
    LayOutInstallation();
    fake.desktop.answers = {platform::IdYes};
    EXPECT_EQ(RunProgram(0x0419), 0);
    EXPECT_FALSE(fake.registry.KeyExists(RootKey::LocalMachine, Entry));
    EXPECT_NE(fake.files.FileContent(Temp + "q's_unin.cmd"), nullptr);
    EXPECT_EQ(fake.log.Calls().back(), "ShellExecuteA(0x0,open,q's_unin.cmd,,,0)");
}

}  // namespace
