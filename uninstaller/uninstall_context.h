#pragma once
#include <string>

// The uninstaller's own reduced install context, filled once at start-up. Every
// folder ends with a backslash once it is not empty.
struct UninstallContextBlock {
    std::string ProgramFilesFolder;
    bool UninstallAllowed = false;  // only a user with full access to the machine's key reads ProgramFilesDir
    std::string TempFolder;
    std::string CommonDesktopFolder;
    std::string MenuRootFolder;
    std::string UserProgramsFolder;
    std::string UserDesktopFolder;
    std::string StartupFolder;
    std::string UninstallKeyPath;
    std::string MenuFolder;       // under MenuRootFolder, named in the interface language
    std::string OtherMenuFolder;  // under MenuRootFolder, named in the other language
    std::string UserMenuFolderEnglish;
    std::string UserMenuFolderRussian;
    std::string InstallFolder;
};

extern UninstallContextBlock UninstallContext;

// Fills UninstallContext; false after a registry failure, which it has shown.
bool BuildUninstallContext();
