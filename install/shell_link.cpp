#include "install/shell_link.h"

#include "platform/service.h"
#include "platform/shell.h"
#include "platform/types.h"

namespace {

std::string FolderOf(const std::string& file) {
    const std::size_t backslash = file.find_last_of('\\');
    return backslash == std::string::npos ? std::string() : file.substr(0, backslash + 1);
}

}  // namespace

bool CreateShellLink(const std::string& target, const std::string& linkFile, const std::string& arguments,
                     const std::string& description, int iconIndex) {
    platform::ShellLink link;
    link.path = target;
    link.workingDirectory = FolderOf(target);
    link.description = description;
    link.arguments = arguments;
    link.showCommand = platform::SwShow;
    link.iconPath = target;
    link.iconIndex = iconIndex;
    return platform::Use<platform::Shell>().SaveShellLink(link, linkFile);
}
