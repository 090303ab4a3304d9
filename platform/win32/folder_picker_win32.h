#pragma once
#include "platform/folder_picker.h"

namespace platform::win32 {

// The shell's own picker, new style, file-system folders only, with no owner window.
class Win32FolderPicker : public FolderPicker {
public:
    std::optional<std::string> PickFolder(const std::string& title, const std::string& preselected) override;
};

}  // namespace platform::win32
