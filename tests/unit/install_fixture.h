#pragma once
// A machine ready for an installation: shell folders in the registry and on disk, the
// carried files as resources, and the progress window's thread played in memory.
#include "install/install_context.h"
#include "install/installation_run.h"
#include "platform/fake/progress_fake.h"
#include "platform/fake/resources_fake.h"
#include "progress/progress_window.h"
#include "tests/unit/test_support.h"

class InstallMachineTest : public PlatformTest {
public:
    static inline const std::string CurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
    static inline const std::string ShellFolders = CurrentVersion + "\\Explorer\\Shell Folders";
    static inline const std::string Entry = CurrentVersion + "\\Uninstall\\Morvalen";
    static inline const std::string WowEntry =
        "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvalen";
    static inline const std::string Target = "C:\\Program Files\\Morvalen\\";
    static inline const std::string Desktop = "C:\\users\\Public\\Desktop\\";
    static inline const std::string CommonPrograms = "C:\\ProgramData\\Programs\\";
    static inline const std::string UserPrograms = "C:\\users\\me\\Programs\\";

protected:
    // Sizes of the carried files: 2560 bytes together.
    static constexpr std::size_t ProductBytes = 1536;
    static constexpr std::size_t UninstallerBytes = 512;
    static constexpr std::size_t LibraryBytes = 512;

    InstallMachineTest() {
        ProgressWindow.Reset();
        InstallFileList.clear();
        resources.Add("MORVALEN", "EXE", std::string(ProductBytes, 'M'));
        resources.Add("UNINSTALL", "EXE", std::string(UninstallerBytes, 'U'));
        resources.Add("RICHED32", "DLL", std::string(LibraryBytes, 'R'));
        fake.files.AddDirectory("C:\\Program Files");
        fake.files.AddDirectory(Desktop);
    }
    ~InstallMachineTest() override {
        ProgressWindow.Reset();
        InstallFileList.clear();
    }

    struct Machine {
        bool commonPrograms = true;
        bool userPrograms = true;
        bool administrator = true;
    };

    // The setup's start as far as the wizard: common modules and the install context.
    void StartSetup(std::uint32_t lcid, Machine machine) {
        fake.registry.SetString(RootKey::LocalMachine, CurrentVersion, "ProgramFilesDir", "C:\\Program Files");
        fake.registry.SetString(RootKey::LocalMachine, ShellFolders, "Common Desktop", WithoutBackslash(Desktop));
        if (machine.commonPrograms) {
            fake.registry.SetString(RootKey::LocalMachine, ShellFolders, "Common Programs",
                                    WithoutBackslash(CommonPrograms));
            fake.files.AddDirectory(CommonPrograms);
        }
        if (machine.userPrograms) {
            fake.registry.SetString(RootKey::CurrentUser, ShellFolders, "Programs", WithoutBackslash(UserPrograms));
            fake.files.AddDirectory(UserPrograms);
        }
        fake.system.isAdmin = machine.administrator;
        StartCommonModules(lcid);
        ASSERT_TRUE(BuildInstallContext());
    }
    void StartSetup(std::uint32_t lcid = 0x0419) { StartSetup(lcid, Machine{}); }

    // The list the completion step hands to the installation run.
    static void ListTheCarriedFiles() { InstallFileList = "Morvalen.exe;uninstall.exe;riched32.dll;"; }

    const platform::fake::RegistryKeyData* UninstallEntry() const {
        return fake.registry.Key(RootKey::LocalMachine, Entry);
    }

    static std::string WithoutBackslash(std::string path) {
        if (!path.empty() && path.back() == '\\') path.pop_back();
        return path;
    }

    platform::fake::FakeResources resources{fake.log};
    platform::fake::FakeProgressWindowSystem progress{fake.log};
    platform::ServiceScope<platform::Resources> resourcesScope{resources};
    platform::ServiceScope<platform::ProgressWindowSystem> progressScope{progress};
};
