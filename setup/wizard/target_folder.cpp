#include "setup/wizard/target_folder.h"

#include <cstring>

#include "platform/files.h"
#include "platform/service.h"

namespace {

// Windows makes no folder whose path leaves less than 12 characters of MAX_PATH (260), room
// for an 8.3 name in it; longer paths are refused here, before any parent is made.
constexpr std::size_t LongestFolderPath = 260 - 12 - 1;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "C:\..." or "\\server\share\...": a relative path would land in whatever the current folder is.
bool IsFullPath(const std::string& path) {
    if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) return true;
    if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return false;
    const std::size_t shareStart = path.find_first_of("\\/", 2);
    if (shareStart == std::string::npos || shareStart == 2) return false;
    const std::size_t shareEnd = path.find_first_of("\\/", shareStart + 1);
    return shareEnd != std::string::npos && shareEnd > shareStart + 1;
}

bool HasForbiddenCharacter(const std::string& names) {
    for (unsigned char c : names)
        if (c < 0x20 || std::strchr("<>:\"|?*", c) != nullptr) return true;
    return false;
}

}  // namespace

bool EnsureTargetFolder(const std::string& folder) {
    // After the drive's colon or the leading double backslash only names and separators may stand.
    if (folder.size() > LongestFolderPath || !IsFullPath(folder) || HasForbiddenCharacter(folder.substr(2)))
        return false;
    platform::FileSystem& files = platform::Use<platform::FileSystem>();
    return files.DirectoryExists(folder) || files.ForceDirectories(folder);
}
