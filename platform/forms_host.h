#pragma once
// What a form needs from the platform, and the application object that runs the main form.
#include <string>

#include "platform/forms.h"

namespace forms {

class FormHost {
public:
    virtual ~FormHost() = default;
    virtual int TextWidth(const std::string& text, const Font& font) = 0;
    // Brings the windows in line with the form's properties, then shows them.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Hides the form; for the main form this ends the message loop.
    virtual void Close() = 0;
};

class Application {
public:
    virtual ~Application() = default;
    // Makes `form` the main form: gives it its platform side and runs its creation handler.
    virtual void CreateForm(Form& form) = 0;
    // Shows the main form and dispatches messages until it is closed.
    virtual void Run() = 0;

    std::string title;
};

}  // namespace forms
