#include "setup/wizard/target_folder.h"

#include <cstring>

#include "common/path_helpers.h"
#include "platform/files.h"
#include "platform/service.h"

namespace {

// Windows makes no folder whose path leaves less than 12 characters of MAX_PATH (260), room
// for an 8.3 name in it; longer paths are refused here, before any parent is made.
constexpr std::size_t LongestFolderPath = 260 - 12 - 1;

bool HasForbiddenCharacter(const std::string& names) {
    for (unsigned char c : names)
        if (c < 0x20 || std::strchr("<>:\"|?*", c) != nullptr) return true;
    return false;
}

}  // namespace

bool EnsureTargetFolder(const std::string& folder) {
    // Only a full path: a relative one would land in whatever the current folder is. After the
    // drive's colon or the leading double backslash only names and separators may stand.
    if (folder.size() > LongestFolderPath || PathRootLength(folder) == 0 || HasForbiddenCharacter(folder.substr(2)))
        return false;
    platform::FileSystem& files = platform::Use<platform::FileSystem>();
    return files.DirectoryExists(folder) || files.ForceDirectories(folder);
}
