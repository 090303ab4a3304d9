#pragma once
#include <functional>
#include <optional>
#include <vector>

#include "platform/fake/call_log.h"
#include "platform/folder_picker.h"

namespace platform::fake {

class FakeFolderPicker : public FolderPicker {
public:
    explicit FakeFolderPicker(CallLog& log) : log_(log) {}
    // Logs "PickFolder(title,preselected)" and gives `answer`.
    std::optional<std::string> PickFolder(const std::string& title, const std::string& preselected) override;

    struct Request {
        std::string title;
        std::string preselected;
    };
    std::vector<Request> requests;
    std::optional<std::string> answer;  // empty: the user cancels
    std::function<void()> onPick;       // called while the picker is open

private:
    CallLog& log_;
};

}  // namespace platform::fake
