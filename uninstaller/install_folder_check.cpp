#include "uninstaller/install_folder_check.h"

#include <cstddef>

#include "common/path_helpers.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// End of the next step of `path` from `from`: the next separator or the end.
std::size_t StepEnd(const std::string& path, std::size_t from) {
    while (from < path.size() && !IsSeparator(path[from])) ++from;
    return from;
}

// Length of "X:\" or "\\server\share\"; 0 for a relative, drive-relative or device path.
std::size_t RootLength(const std::string& path) {
    if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) return 3;
    if (path.size() < 3 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return 0;
    if (path[2] == '?' || path[2] == '.') return 0;  // \\?\ and \\.\ name devices
    const std::size_t serverEnd = StepEnd(path, 2);
    if (serverEnd == 2 || serverEnd >= path.size()) return 0;
    const std::size_t shareEnd = StepEnd(path, serverEnd + 1);
    if (shareEnd == serverEnd + 1 || shareEnd >= path.size()) return 0;
    return shareEnd + 1;
}

// A step the system would read as "here" or "up", or that no folder name can be.
bool IsUnsafeStep(const std::string& step) {
    if (step.empty()) return true;
    if (step.find_first_not_of(". ") == std::string::npos) return true;
    for (unsigned char c : step)
        if (c < 0x20 || std::string(":*?\"<>|").find(static_cast<char>(c)) != std::string::npos) return true;
    return false;
}

}  // namespace

bool IsRemovableInstallFolder(const std::string& folder, const std::string& productWord) {
    const std::size_t root = RootLength(folder);
    if (root == 0 || root >= folder.size() || productWord.empty()) return false;
    for (std::size_t at = root; at < folder.size();) {
        const std::size_t end = StepEnd(folder, at);
        if (IsUnsafeStep(folder.substr(at, end - at))) return false;
        at = end + 1;
    }
    return AsciiLowerCase(folder.substr(root)).find(AsciiLowerCase(productWord)) != std::string::npos;
}
