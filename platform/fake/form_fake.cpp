#include "platform/fake/form_fake.h"

namespace platform::fake {

int FakeFormHost::TextWidth(const std::string& text, const forms::Font& font) {
    log_.Add("TextWidth(" + text + ")");
    measuredFonts.push_back(font);
    return measure ? measure(text, font) : 7 * static_cast<int>(text.size());
}

void FakeFormHost::Show() { log_.Add("ShowForm"); }

void FakeFormHost::Hide() { log_.Add("HideForm"); }

void FakeFormHost::Close() {
    log_.Add("CloseForm");
    closed = true;
}

void FakeApplication::CreateForm(forms::Form& form) {
    log_.Add("CreateForm");
    if (mainForm == nullptr) mainForm = &form;
    form.Create(host);
}

void FakeApplication::Run() {
    log_.Add("RunForm");
    if (user && mainForm) user(*mainForm);
}

}  // namespace platform::fake
