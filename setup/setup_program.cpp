#include "setup/setup_program.h"

#include "common/messages.h"
#include "platform/registry.h"
#include "setup/completion.h"
#include "setup/startup_checks.h"
#include "setup/wizard/MVSetupForm.h"

int RunSetupProgram() {
    try {
        if (!RunStartupChecks()) return 0;
    } catch (const platform::RegistryError&) {
        // A machine-wide value of an unexpected type: nothing has been written yet.
        ShowErrorMessage("No access to system registry", "Нет доступа к системному реестру");
        return 0;
    }
    RunSetupForm();
    CompleteSetup();
    return 0;
}
