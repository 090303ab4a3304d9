#pragma once

// True: open the setup form; false: end the program.
bool RunStartupChecks();
