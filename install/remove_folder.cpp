#include "install/remove_folder.h"

#include "common/path_helpers.h"
#include "platform/files.h"
#include "platform/service.h"
#include "platform/shell.h"

bool RemoveFolder(const std::string& folder) {
    if (!platform::Use<platform::FileSystem>().DirectoryExists(folder)) return false;
    return platform::Use<platform::Shell>().DeleteWithShell(WithoutTrailingBackslash(folder),
                                                            platform::FofSilent | platform::FofNoConfirmation) == 0;
}
