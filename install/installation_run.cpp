#include "install/installation_run.h"

#include <algorithm>
#include <cstdint>

#include "common/common_settings.h"
#include "common/messages.h"
#include "install/resource_file.h"
#include "platform/files.h"
#include "platform/service.h"
#include "platform/system.h"
#include "progress/progress_window.h"

std::string InstallFileList;

namespace {

constexpr std::uint32_t FileWaitMs = 128;
constexpr int FileChecks = 64;

struct ListEntry {
    std::string name;    // the file name without its extension
    std::string type;    // the extension without its dot, as written
    std::string target;  // TargetFolder + the file name
};

ListEntry FrontEntry(const std::string& list) {
    const std::string file = list.substr(0, list.find(';'));
    const std::size_t dot = file.rfind('.');
    ListEntry entry;
    entry.name = file.substr(0, dot);
    entry.type = dot == std::string::npos ? std::string() : file.substr(dot + 1);
    entry.target = CommonSettings.TargetFolder + file;
    return entry;
}

std::string InstallationCaption() {
    if (CommonSettings.InterfaceIsRussian)
        return "Установка файлов " + CommonSettings.RussianDisplayName + " " + CommonSettings.VersionText;
    return CommonSettings.EnglishDisplayName + " " + CommonSettings.VersionText + " files copying...";
}

void WaitForFile(const ListEntry& entry) {
    platform::System& system = platform::Use<platform::System>();
    for (int check = 0; check < FileChecks; ++check) {
        system.Sleep(FileWaitMs);
        if (platform::Use<platform::FileSystem>().FileExists(entry.target)) return;
    }
    system.Sleep(FileWaitMs);
    const std::string file = entry.name + "." + entry.type;
    ShowErrorMessage("Can't install file " + file, "Не удается установить файл " + file);
}

// A failure that escapes a step still takes the topmost window off the screen.
struct ProgressShownDuringRun {
    ~ProgressShownDuringRun() { HideProgress(); }
};

}  // namespace

bool RunInstallation() {
    const auto entries = static_cast<std::int32_t>(std::count(InstallFileList.begin(), InstallFileList.end(), ';'));
    if (entries == 0) return false;
    ShowProgress(InstallationCaption(), "");
    ProgressShownDuringRun shown;
    SetProgressPosition(0);
    SetProgressMax(entries);
    for (std::int32_t k = 1; k <= entries; ++k) {
        const ListEntry entry = FrontEntry(InstallFileList);
        SetProgressText(entry.target);
        InstallResourceFile(entry.name, entry.type, entry.target);
        SetProgressPosition(k);
        WaitForFile(entry);
        InstallFileList.erase(0, InstallFileList.find(';') + 1);
    }
    return true;
}
