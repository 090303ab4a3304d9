#pragma once
#include "platform/shell.h"

namespace platform::win32 {

class Win32Shell : public Shell {
public:
    int DeleteWithShell(const std::string& path, std::uint16_t flags) override;
    std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& verb, const std::string& file,
                                const std::string& parameters, const std::string& directory, int showCommand) override;
    bool SaveShellLink(const ShellLink& link, const std::string& file) override;
};

}  // namespace platform::win32
