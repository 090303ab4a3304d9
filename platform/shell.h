#pragma once
// The shell: delete operation, starting files, shortcuts.
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

constexpr std::uint16_t FofSilent = 0x0004;
constexpr std::uint16_t FofNoConfirmation = 0x0010;

struct ShellLink {
    std::string path;
    std::string workingDirectory;
    std::string description;
    std::string arguments;
    int showCommand = 0;
    std::string iconPath;
    int iconIndex = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // SHFileOperationA with FO_DELETE on one path; its return value (0 = done).
    virtual int DeleteWithShell(const std::string& path, std::uint16_t flags) = 0;
    // ShellExecuteA; its return value.
    virtual std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& verb, const std::string& file,
                                        const std::string& parameters, const std::string& directory,
                                        int showCommand) = 0;
    // Sets every field on a new shell-link object and saves it as `file`; false when that fails.
    virtual bool SaveShellLink(const ShellLink& link, const std::string& file) = 0;
};

}  // namespace platform
