#include "common/common_settings.h"
#include "platform/win32/services.h"
#include "uninstaller/uninstaller_program.h"

int main() {
    platform::win32::Services services;
    CommonInitialization();
    const int exitCode = RunUninstallerProgram();
    CommonFinalization();
    return exitCode;
}
