#pragma once

// The setup's main sequence, after the common initialisation; the exit code.
int RunSetupProgram();
