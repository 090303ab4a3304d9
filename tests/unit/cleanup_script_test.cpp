#include <gtest/gtest.h>

#include "tests/unit/uninstall_fixture.h"
#include "uninstaller/cleanup_script.h"
#include "uninstaller/uninstall_context.h"

namespace {

const std::string Delay = "ping 127.0.0.1 -n 3 > nul || ping ::1 -n 3 > nul";

class CleanupScriptTest : public UninstallTest {
protected:
    // The context as BuildUninstallContext leaves it, for a folder and the Temp folder.
    void UseFolders(const std::string& installFolder, const std::string& tempFolder = Temp) {
        UninstallContext.InstallFolder = installFolder;
        UninstallContext.TempFolder = tempFolder;
        if (!tempFolder.empty()) fake.files.AddDirectory(tempFolder);
        fake.files.AddDirectory(installFolder);
    }
    const std::string* Script() const { return fake.files.FileContent(Temp + "q's_unin.cmd"); }
};

TEST_F(CleanupScriptTest, FolderWithOnlyTheUninstallerGivesSixLines) {
    UseFolders(Folder);
    fake.files.AddFile(Folder + "uninstall.exe", "MZ");
    ASSERT_TRUE(WriteCleanupScript());
    ASSERT_NE(Script(), nullptr);
    EXPECT_EQ(*Script(),
              "@echo off\r\n" + Delay + "\r\n" +
                  "del \"C:\\Program Files\\Morvalen\\uninstall.exe\"\r\n" + Delay + "\r\n" +
                  "rd \"C:\\Program Files\\Morvalen\"\r\n"
                  "del q's_unin.cmd\r\n");
    EXPECT_EQ(fake.log.Starting("FindFiles("), std::vector<std::string>{"FindFiles(" + Folder + "*.*,0x2F)"});
}

TEST_F(CleanupScriptTest, CyrillicPathIsWrittenInTheOemCodePage) {
    const std::string folder = "C:\\Программы\\Морвален\\";
    UseFolders(folder);
    fake.files.AddFile(folder + "Ёлка.txt", "x");
    ASSERT_TRUE(WriteCleanupScript());
    // "Программы" and "Морвален" in code page 866; "Ёлка" too.
    const std::string programs866 = "\x8F\xE0\xAE\xA3\xE0\xA0\xAC\xAC\xEB";
    const std::string morvalen866 = "\x8C\xAE\xE0\xA2\xA0\xAB\xA5\xAD";
    const std::string yolka866 = "\xF0\xAB\xAA\xA0";
    EXPECT_EQ(*Script(), "@echo off\r\n" + Delay + "\r\n" + "del \"C:\\" + programs866 + "\\" + morvalen866 + "\\" +
                             yolka866 + ".txt\"\r\n" + Delay + "\r\n" + "rd \"C:\\" + programs866 + "\\" +
                             morvalen866 + "\"\r\n" + "del q's_unin.cmd\r\n");
}

TEST_F(CleanupScriptTest, PercentSignsAreDoubledSoThatNothingIsExpanded) {
    const std::string folder = "C:\\Program Files\\Morvalen %TEMP%\\";
    UseFolders(folder);
    fake.files.AddFile(folder + "100%.txt", "x");
    ASSERT_TRUE(WriteCleanupScript());
    EXPECT_EQ(*Script(), "@echo off\r\n" + Delay + "\r\n" +
                             "del \"C:\\Program Files\\Morvalen %%TEMP%%\\100%%.txt\"\r\n" + Delay + "\r\n" +
                             "rd \"C:\\Program Files\\Morvalen %%TEMP%%\"\r\n"
                             "del q's_unin.cmd\r\n");
}

TEST_F(CleanupScriptTest, CharactersLiteralBetweenQuotesAreKept) {
    const std::string folder = "C:\\Program Files\\Morvalen & (old) ^ !x!\\";
    UseFolders(folder);
    fake.files.AddFile(folder + "a&b^c(d)e!f.txt", "x");
    ASSERT_TRUE(WriteCleanupScript());
    const std::vector<std::string> expected{"@echo off", Delay,
                                            "del \"" + folder + "a&b^c(d)e!f.txt\"", Delay,
                                            "rd \"C:\\Program Files\\Morvalen & (old) ^ !x!\"", "del q's_unin.cmd"};
    EXPECT_EQ(CleanupScriptLines(folder, {"a&b^c(d)e!f.txt"}), expected);
}

TEST_F(CleanupScriptTest, EveryFileIsListedButNothingOfASubfolder) {
    UseFolders(Folder);
    fake.files.AddFile(Folder + "uninstall.exe", "MZ");
    fake.files.AddFile(Folder + "hidden.dat", "h", 0x22);
    fake.files.AddFile(Folder + "readonly.dat", "r", 0x21);
    fake.files.AddFile(Folder + "system.dat", "s", 0x24);
    fake.files.AddFile(Folder + "Data\\inner.dat", "i");
    ASSERT_TRUE(WriteCleanupScript());
    const std::string& script = *Script();
    for (const char* name : {"uninstall.exe", "hidden.dat", "readonly.dat", "system.dat"})
        EXPECT_NE(script.find("del \"" + Folder + name + "\"\r\n"), std::string::npos) << name;
    EXPECT_EQ(script.find("Data"), std::string::npos);
    EXPECT_EQ(script.find("inner"), std::string::npos);
    EXPECT_EQ(std::count(script.begin(), script.end(), '\n'), 9);
}

TEST_F(CleanupScriptTest, LeftoverScriptIsReplaced) {
    UseFolders(Folder);
    fake.files.AddFile(Temp + "q's_unin.cmd", "del \"C:\\Somewhere\\else.txt\"\r\n");
    fake.files.AddFile(Folder + "uninstall.exe", "MZ");
    ASSERT_TRUE(WriteCleanupScript());
    EXPECT_EQ(Script()->find("Somewhere"), std::string::npos);
    EXPECT_EQ(Script()->rfind("@echo off\r\n", 0), 0u);
}

struct UnusableTempCase {
    const char* name;
    std::string tempFolder;
    bool folderExists;
};

class CleanupScriptTempTest : public CleanupScriptTest, public testing::WithParamInterface<UnusableTempCase> {};

TEST_P(CleanupScriptTempTest, NoScriptWithoutAUsableTempFolder) {
    const UnusableTempCase& t = GetParam();
    UninstallContext.InstallFolder = Folder;
    UninstallContext.TempFolder = t.tempFolder;
    fake.files.AddFile(Folder + "uninstall.exe", "MZ");
    if (t.folderExists) {
        fake.files.AddDirectory(t.tempFolder);
        fake.files.unwritablePaths.insert(t.tempFolder + "q's_unin.cmd");
    }
    EXPECT_FALSE(WriteCleanupScript());
    EXPECT_EQ(fake.files.FileContent(t.tempFolder + "q's_unin.cmd"), nullptr);
    EXPECT_EQ(fake.files.FileContent("q's_unin.cmd"), nullptr);  // nor beside the current directory
}

INSTANTIATE_TEST_SUITE_P(Temps, CleanupScriptTempTest,
                         testing::Values(UnusableTempCase{"Unset", "", false},
                                         UnusableTempCase{"MissingFolder", "C:\\No such temp\\", false},
                                         UnusableTempCase{"FileCannotBeWritten", "C:\\users\\anna\\Temp\\", true}),
                         [](const testing::TestParamInfo<UnusableTempCase>& info) { return info.param.name; });

TEST_F(CleanupScriptTest, LineWhosePathTheCodePageCannotCarryIsLeftOut) {
    // A character the OEM code page lacks comes back as a substitute: "?" would be a
    // wildcard, '"' would end the quotes. Such a file is left in place instead.
    const std::vector<std::string> lines = CleanupScriptLines(Folder, {"a?b.txt", "c\"d.txt", "ok.txt"});
    const std::vector<std::string> expected{"@echo off", Delay, "del \"" + Folder + "ok.txt\"", Delay,
                                            "rd \"C:\\Program Files\\Morvalen\"", "del q's_unin.cmd"};
    EXPECT_EQ(lines, expected);

    const std::vector<std::string> foreignFolder = CleanupScriptLines("C:\\Morvalen ?\\", {"uninstall.exe"});
    const std::vector<std::string> fixedOnly{"@echo off", Delay, Delay, "del q's_unin.cmd"};
    EXPECT_EQ(foreignFolder, fixedOnly);
}

TEST_F(CleanupScriptTest, ToOemTextConvertsEveryCharacterAndKeepsTheLength) {
    EXPECT_EQ(ToOemText("C:\\Морвален\\a.txt"), "C:\\\x8C\xAE\xE0\xA2\xA0\xAB\xA5\xAD\\a.txt");
    EXPECT_EQ(ToOemText("plain ASCII & 100%"), "plain ASCII & 100%");
    fake.log.Clear();
    EXPECT_EQ(ToOemText(""), "");
    EXPECT_TRUE(fake.log.Starting("CharToOemA").empty());
}

TEST_F(CleanupScriptTest, ScriptStartsHiddenFromTheTempFolderByItsBareName) {
    UseFolders(Folder);
    StartCleanupScript();
    EXPECT_EQ(CallsStarting({"SetCurrentDirectory(", "ShellExecuteA("}),
              (std::vector<std::string>{"SetCurrentDirectory(" + Temp + ")",
                                        "ShellExecuteA(0x0,open,q's_unin.cmd,,,0)"}));
    EXPECT_EQ(fake.files.currentDirectory, Temp);
}

TEST_F(CleanupScriptTest, ScriptIsNotStartedWhenTheTempFolderCannotBeEntered) {
    UninstallContext.InstallFolder = Folder;
    UninstallContext.TempFolder = "C:\\Gone\\";
    fake.files.AddFile("C:\\Elsewhere\\q's_unin.cmd", "old");
    fake.files.currentDirectory = "C:\\Elsewhere\\";
    StartCleanupScript();
    EXPECT_TRUE(fake.log.Starting("ShellExecuteA").empty());
}

}  // namespace
