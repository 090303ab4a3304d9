#include "platform/fake/folder_picker_fake.h"

namespace platform::fake {

std::optional<std::string> FakeFolderPicker::PickFolder(const std::string& title, const std::string& preselected) {
    log_.Add("PickFolder(" + title + "," + preselected + ")");
    requests.push_back(Request{title, preselected});
    if (onPick) onPick();
    return answer;
}

}  // namespace platform::fake
