#include "setup/wizard/browse_for_folder.h"

#include "platform/files.h"
#include "platform/folder_picker.h"
#include "platform/service.h"

bool BrowseForFolder(const std::string& title, std::string& folder) {
    if (!platform::Use<platform::FileSystem>().DirectoryExists(folder)) folder.clear();
    const std::optional<std::string> picked = platform::Use<platform::FolderPicker>().PickFolder(title, folder);
    if (!picked) return false;
    folder = *picked;
    return true;
}
