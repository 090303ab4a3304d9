#include "common/common_settings.h"
#include "platform/win32/services.h"
#include "setup/setup_program.h"

int main() {
    platform::win32::Services services;
    CommonInitialization();
    RunSetupProgram();
    CommonFinalization();
    return 0;
}
