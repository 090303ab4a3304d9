#pragma once

// The uninstaller's main sequence, after the common initialisation. Returns the exit code, always 0.
int RunUninstallerProgram();
