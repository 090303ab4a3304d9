#pragma once
#include <memory>
#include <string>

#include "common/product_identity.h"
#include "platform/registry.h"

// Folders and key paths found once at start-up; only TargetFolder changes later.
struct InstallContext {
    bool IsAdministrator = false;
    std::string ProgramFilesFolder;
    std::string CommonDesktopFolder;
    std::string UserProgramsFolder;
    std::string MenuRootFolder;
    std::string MenuFolder;
    std::string UserMenuFolderRussian;
    std::string UserMenuFolderEnglish;
    std::string UninstallKeyPath;
    std::string TargetFolder;
    std::string PreviousWowEntryKey;
};

// The one block of process-wide state that every module reads.
struct CommonSettingsBlock : ProductIdentity, InstallContext {
    static constexpr const char* CurrentVersionKey = "Software\\Microsoft\\Windows\\CurrentVersion\\";
    bool InterfaceIsRussian = false;
    std::unique_ptr<platform::Registry> SetupRegistry;

    void SetIdentity(const ProductIdentity& identity) { static_cast<ProductIdentity&>(*this) = identity; }
    const std::string& DisplayName() const { return InterfaceIsRussian ? RussianDisplayName : EnglishDisplayName; }
    const std::string& Title() const { return InterfaceIsRussian ? RussianTitle : EnglishTitle; }
};

extern CommonSettingsBlock CommonSettings;

// Run before the main sequence of either program, and after it.
void CommonInitialization();
void CommonFinalization();

// True for the user locales whose users read Russian.
bool IsRussianReadingLocale(std::uint32_t lcid);
