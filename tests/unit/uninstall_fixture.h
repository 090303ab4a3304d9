#pragma once
// A machine with Morvalen installed, as the setup and the product leave it, for the
// uninstaller's tests: registry values, shortcuts, menu folders and the folder's files.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/fake/oem_text_fake.h"
#include "platform/oem_text.h"
#include "tests/unit/test_support.h"
#include "uninstaller/uninstall_context.h"

class UninstallTest : public PlatformTest {
protected:
    static inline const std::string CurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
    static inline const std::string ShellFolders = CurrentVersion + "\\Explorer\\Shell Folders";
    static inline const std::string UninstallKey = CurrentVersion + "\\Uninstall";
    static inline const std::string Entry = UninstallKey + "\\Morvalen";
    static inline const std::string RunKey = CurrentVersion + "\\Run";
    static inline const std::string RunServicesKey = CurrentVersion + "\\RunServices";
    static inline const std::string MakerKey = "Software\\Q's";
    static inline const std::string DefaultMakerKey = ".DEFAULT\\Software\\Q's";

    static inline const std::string ProgramFiles = "C:\\Program Files\\";
    static inline const std::string Folder = "C:\\Program Files\\Morvalen\\";
    static inline const std::string Temp = "C:\\users\\anna\\Temp\\";
    static inline const std::string CommonDesktop = "C:\\users\\Public\\Desktop\\";
    static inline const std::string CommonPrograms = "C:\\ProgramData\\Start Menu\\Programs\\";
    static inline const std::string UserPrograms = "C:\\users\\anna\\Start Menu\\Programs\\";
    static inline const std::string UserDesktop = "C:\\users\\anna\\Desktop\\";
    static inline const std::string Startup = "C:\\users\\anna\\Start Menu\\Programs\\Startup\\";
    static inline const std::vector<std::string> InstalledFiles{"Morvalen.exe", "uninstall.exe", "riched32.dll"};

    UninstallTest() { UninstallContext = UninstallContextBlock{}; }
    ~UninstallTest() override { UninstallContext = UninstallContextBlock{}; }

    static std::string WithoutBackslash(const std::string& folder) { return folder.substr(0, folder.size() - 1); }

    // The system's folders in the registry and on disk, and the Temp variable.
    void LayOutSystem() {
        fake.registry.SetString(RootKey::LocalMachine, CurrentVersion, "ProgramFilesDir", WithoutBackslash(ProgramFiles));
        fake.registry.SetString(RootKey::LocalMachine, ShellFolders, "Common Desktop", WithoutBackslash(CommonDesktop));
        fake.registry.SetString(RootKey::LocalMachine, ShellFolders, "Common Programs", WithoutBackslash(CommonPrograms));
        fake.registry.SetString(RootKey::CurrentUser, ShellFolders, "Programs", WithoutBackslash(UserPrograms));
        fake.registry.SetString(RootKey::CurrentUser, ShellFolders, "Desktop", WithoutBackslash(UserDesktop));
        fake.registry.SetString(RootKey::CurrentUser, ShellFolders, "Startup", WithoutBackslash(Startup));
        for (const std::string& folder : {ProgramFiles, Temp, CommonDesktop, CommonPrograms, UserDesktop, Startup})
            fake.files.AddDirectory(folder);
        fake.system.environment["Temp"] = WithoutBackslash(Temp);
    }

    // What an installation into `folder` and a run of the product leave behind, and
    // neighbours of the same names that belong to nobody else but must survive.
    void LayOutInstallation(const std::string& folder = Folder) {
        fake.registry.SetString(RootKey::LocalMachine, Entry, "UninstallString", folder + "uninstall.exe");
        fake.registry.SetString(RootKey::LocalMachine, Entry, "DisplayName", "Морвален");
        fake.registry.SetString(RootKey::LocalMachine, UninstallKey + "\\Other", "UninstallString", "C:\\Other\\u.exe");
        fake.registry.SetString(RootKey::CurrentUser, RunKey, "Morvalen", folder + "Morvalen.exe");
        fake.registry.SetString(RootKey::CurrentUser, RunKey, "!Morvalen", folder + "Morvalen.exe /tray");
        fake.registry.SetString(RootKey::CurrentUser, RunKey, "Other", "C:\\Other\\other.exe");
        fake.registry.SetString(RootKey::CurrentUser, MakerKey + "\\Morvalen\\Options", "Theme", "dark");
        fake.registry.SetString(RootKey::CurrentUser, MakerKey + "\\Another", "Theme", "light");
        fake.registry.SetString(RootKey::Users, DefaultMakerKey + "\\Morvalen", "Theme", "dark");
        for (const std::string& name : InstalledFiles) fake.files.AddFile(folder + name, "bytes of " + name);
        for (const std::string& desktop : {CommonDesktop, UserDesktop}) {
            fake.files.AddFile(desktop + "Morvalen.lnk", "link");
            fake.files.AddFile(desktop + "Морвален.lnk", "link");
            fake.files.AddFile(desktop + "Other.lnk", "link");
        }
        fake.files.AddFile(Startup + "Morvalen.lnk", "link");
        for (const std::string& root : {CommonPrograms, UserPrograms})
            for (const std::string name : {"Morvalen", "Морвален"}) {
                fake.files.AddFile(root + name + "\\" + name + ".lnk", "link");
                fake.files.AddFile(root + name + "\\Uninstall the program.lnk", "link");
            }
        fake.files.AddFile(CommonPrograms + "Other\\Other.lnk", "link");
    }

    // The uninstaller's start up to its context: common modules and the product's names.
    void StartUninstaller(std::uint32_t lcid) {
        StartCommonModules(lcid);
        fake.log.Clear();
    }

    bool KeyHasValue(RootKey root, const std::string& key, const std::string& name) const {
        const platform::fake::RegistryKeyData* data = fake.registry.Key(root, key);
        return data && data->Find(name);
    }

    // The calls logged whose text starts with one of these prefixes, in order.
    std::vector<std::string> CallsStarting(std::initializer_list<const char*> prefixes) const {
        std::vector<std::string> calls;
        for (const std::string& call : fake.log.Calls())
            if (std::any_of(prefixes.begin(), prefixes.end(),
                            [&](const char* prefix) { return call.rfind(prefix, 0) == 0; }))
                calls.push_back(call);
        return calls;
    }

    platform::fake::FakeOemText oemText{fake.log};
    platform::ServiceScope<platform::OemText> oemTextScope{oemText};
};
