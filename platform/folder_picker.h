#pragma once
// The shell's folder picker.
#include <optional>
#include <string>

namespace platform {

class FolderPicker {
public:
    virtual ~FolderPicker() = default;
    // Shows the picker with `title`, the whole namespace from the desktop down, only file-system
    // folders confirmable, `preselected` selected when not empty. The picked folder's path as the
    // shell gives it; empty when the user cancels or the shell cannot show the picker.
    virtual std::optional<std::string> PickFolder(const std::string& title, const std::string& preselected) = 0;
};

}  // namespace platform
