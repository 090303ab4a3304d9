#include "common/common_settings.h"
#include "platform/win32/services.h"

int main() {
    platform::win32::Services services;
    CommonInitialization();
    CommonFinalization();
    return 0;
}
