#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "uninstaller/install_folder_check.h"

namespace {

TEST(UninstallFolderCheck, OnlyTheProductsOwnAbsoluteFolderIsRemovable) {
    const std::vector<std::pair<std::string, bool>> cases{
        {"C:\\Program Files\\Morvalen\\", true},
        {"c:\\program files\\MORVALEN\\", true},
        {"D:\\Morvalen\\bin\\", true},
        {"D:\\Игры\\Morvalen & (old) ^ 100% !\\", true},
        {"\\\\server\\share\\Morvalen\\", true},
        {"C:/Program Files/Morvalen/", true},
        {"C:\\Program Files\\Morvalen", true},
        {"C:\\Windows\\", false},                                   // no product word
        {"C:\\Program Files\\Морвален\\", false},                    // the word is the Latin one
        {"C:\\", false},                                             // drive root
        {"\\\\morvalen\\share\\", false},                            // share root, the word is the server's
        {"\\\\morvalen\\share\\Data\\", false},
        {"\\\\?\\C:\\Morvalen\\", false},                            // device path
        {"\\\\.\\C:\\Morvalen\\", false},
        {"Morvalen\\", false},                                       // relative to whatever directory is current
        {"\\Morvalen\\", false},                                     // relative to the current drive
        {"C:Morvalen\\", false},                                     // relative to the drive's directory
        {"C:\\Program Files\\Morvalen\\..\\..\\Windows\\", false},   // climbs out
        {"C:\\Windows\\Morvalen\\..\\", false},
        {"C:\\Windows\\.\\Morvalen\\..\\", false},
        {"C:\\Morvalen\\...\\", false},
        {"C:\\Morvalen\\\\Windows\\", false},                        // empty step
        {"\"C:\\Program Files\\Morvalen\\", false},                  // a quoted UninstallString
        {"C:\\Morvalen\\x:stream\\", false},
        {"C:\\Morvalen*\\", false},
        {"", false},
    };
    for (const auto& [folder, removable] : cases)
        EXPECT_EQ(IsRemovableInstallFolder(folder, "Morvalen"), removable) << folder;
}

TEST(UninstallFolderCheck, EmptyProductWordMatchesNothing) {
    EXPECT_FALSE(IsRemovableInstallFolder("C:\\Program Files\\Morvalen\\", ""));
}

}  // namespace
