#include "setup/wizard/setup_form_results.h"

bool SettingsConfirmed = false;
bool CreateDesktopIcon = true;
bool RunAfterInstall = true;
