#pragma once
// Fakes of the form platform: a host that measures text by a rule and records what the form
// asks of it, and an application whose message loop is a test's script of user actions.
#include <functional>
#include <vector>

#include "platform/fake/call_log.h"
#include "platform/fake/folder_picker_fake.h"
#include "platform/forms_host.h"
#include "platform/service.h"

namespace platform::fake {

class FakeFormHost : public forms::FormHost {
public:
    explicit FakeFormHost(CallLog& log) : log_(log) {}
    // Logs "TextWidth(text)"; the width comes from `measure`, by default 7 pixels a byte.
    int TextWidth(const std::string& text, const forms::Font& font) override;
    void Show() override;   // logs "ShowForm"
    void Hide() override;   // logs "HideForm"
    void Close() override;  // logs "CloseForm"

    std::function<int(const std::string& text, const forms::Font& font)> measure;
    std::vector<forms::Font> measuredFonts;  // the font of every TextWidth call
    bool closed = false;

private:
    CallLog& log_;
};

class FakeApplication : public forms::Application {
public:
    explicit FakeApplication(CallLog& log) : host(log), log_(log) {}
    void CreateForm(forms::Form& form) override;  // logs "CreateForm", then runs the form's creation
    void Run() override;                          // logs "RunForm", then plays `user`

    FakeFormHost host;
    forms::Form* mainForm = nullptr;
    // What the user does while the main form runs.
    std::function<void(forms::Form& form)> user;

private:
    CallLog& log_;
};

// The form and picker fakes, installed for a test's lifetime beside FakePlatform.
struct FakeFormPlatform {
    explicit FakeFormPlatform(CallLog& log) : application(log), picker(log) {}
    FakeApplication application;
    FakeFolderPicker picker;
    ServiceScope<forms::Application> applicationScope{application};
    ServiceScope<FolderPicker> pickerScope{picker};
};

}  // namespace platform::fake
