#include "install/folder_size.h"

#include <deque>

#include "common/path_helpers.h"
#include "platform/files.h"
#include "platform/service.h"

namespace {

// Read-only, hidden, system, volume label, folder, archive: nothing is left out.
constexpr std::uint32_t EveryAttribute = 0x3F;

bool IsSelfOrParent(const std::string& name) { return name == "." || name == ".."; }

// Adds the folder's files to `total` and queues its subfolders.
void ScanFolder(std::string folder, std::uint32_t& total, std::deque<std::string>& pending) {
    AppendBackslash(folder);
    for (const platform::FoundFile& entry :
         platform::Use<platform::FileSystem>().FindFiles(folder + "*.*", EveryAttribute)) {
        if (!entry.IsDirectory())
            total += static_cast<std::uint32_t>(entry.size);  // the low 32 bits; the sum wraps
        else if (!IsSelfOrParent(entry.name))
            pending.push_back(folder + entry.name);
    }
}

}  // namespace

std::int32_t FolderSizeKB(const std::string& folder) {
    if (folder.empty() || !platform::Use<platform::FileSystem>().DirectoryExists(folder)) return -1;
    std::uint32_t total = 0;
    std::deque<std::string> pending{folder};
    while (!pending.empty()) {
        const std::string next = pending.front();
        pending.pop_front();
        ScanFolder(next, total, pending);
    }
    return static_cast<std::int32_t>(total >> 10);
}
