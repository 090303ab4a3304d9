#pragma once

// Removes the product after the user's confirmation and hands its folder to the
// clean-up script. True when it ran to its end; false when it stopped early, after
// telling the user why (or after the user said No).
bool RunUninstall();
