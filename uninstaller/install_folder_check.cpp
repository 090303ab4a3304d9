#include "uninstaller/install_folder_check.h"

#include <cstddef>

#include "common/path_helpers.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// End of the next step of `path` from `from`: the next separator or the end.
std::size_t StepEnd(const std::string& path, std::size_t from) {
    while (from < path.size() && !IsSeparator(path[from])) ++from;
    return from;
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
    const std::size_t root = PathRootLength(folder);
    if (root == 0 || root >= folder.size() || productWord.empty()) return false;
    for (std::size_t at = root; at < folder.size();) {
        const std::size_t end = StepEnd(folder, at);
        if (IsUnsafeStep(folder.substr(at, end - at))) return false;
        at = end + 1;
    }
    return AsciiLowerCase(folder.substr(root)).find(AsciiLowerCase(productWord)) != std::string::npos;
}
