#pragma once

// The three results of the setup form, read by the completion step.
extern bool SettingsConfirmed;
extern bool CreateDesktopIcon;
extern bool RunAfterInstall;
